#include "capture/keyboard.h"
