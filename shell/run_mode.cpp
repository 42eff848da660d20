#include "shell/run_mode.h"

RunMode runMode = NoMode;
