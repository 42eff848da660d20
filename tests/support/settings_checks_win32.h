#pragma once
// The settings record held against the one a test expects, field by field,
// naming each field that differs.

#include "settings/settings.h"

#include <gtest/gtest.h>

testing::AssertionResult sameSettings(const Settings& actual, const Settings& expected);
