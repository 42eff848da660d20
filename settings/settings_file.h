#pragma once
// The text of the Linux settings file: one "name = value" line per stored
// value, integers and flags in decimal, floats in their shortest decimal form
// that reads back bit for bit. Blank lines and lines starting with # are
// comments. Portable, so that the parser is tested and fuzzed everywhere.

#include "settings/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

struct SettingsFileProblem {
    int line; // counted from 1
    std::string message;
};

// Reads the values that text holds into values, marking each found. A line
// that does not parse, names no value or holds a number of the wrong kind
// is reported and changes nothing; a later line of the same name wins. The
// file is the Linux program's own, so its values are held to the ranges the
// options hold theirs to: a choice no catalog offers and a flag other than 0
// or 1 are reported and change nothing, a number outside its range is
// reported and taken at the nearest end of it. Every message on a setting's
// value names the range it wants, whether the text was a number or not.
std::vector<SettingsFileProblem> readSettingsText(std::string_view text, StoredValue* values, int count);

// text with the given values written into it: every line of a value's name
// is rewritten in place, every other line (comments, other names, lines that
// do not parse) kept as it stands, and values not yet there appended.
std::string writeSettingsText(std::string_view text, const StoredValue* values, int count);

// One line of the file, without its line end: "efecto = 2", "tamaxparticulas = 0.05".
std::string settingsLine(const StoredValue& value);
