#include "settings/settings.h"

// Constant: every field's default comes from the table at compile time.
constinit Settings settings;
