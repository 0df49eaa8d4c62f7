#include "speech/voice.h"
