#pragma once
// The browser's platform table for a run: the page's canvas, DOM events
// turned into the portable input rules, and a loop that yields to the
// browser until its next animation frame.

#include "shell/saver_run.h"

RunPlatform webRunPlatform();
