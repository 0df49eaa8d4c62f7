#include "capture/clipboard.h"
