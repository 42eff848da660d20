#include "settings/settings_file.h"

#include "settings/setting_fields.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool isComment(std::string_view line) {
    const std::string_view content = trim(line);
    return content.empty() || content.front() == '#';
}

// Splits "name = value"; false when the line has no such shape.
bool splitLine(std::string_view line, std::string_view& name, std::string_view& value) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    name = trim(line.substr(0, equals));
    value = trim(line.substr(equals + 1));
    if (name.empty() || value.empty())
        return false;
    for (const char c : name)
        if (!isNameCharacter(c))
            return false;
    return true;
}

StoredValue* findValue(std::string_view name, StoredValue* values, int count) {
    for (int index = 0; index < count; ++index)
        if (name == values[index].name)
            return &values[index];
    return nullptr;
}

// What a value's text gives: the bits to take, or why they are not taken.
struct Reading {
    enum Outcome { Taken, Brought, Refused } outcome;
    uint32_t bits = 0;
    std::string why; // "wants a whole number", "wants 0..9999"; empty when taken as written
};

// A whole number; one too large for 64 bits counts as the largest of its
// sign, which every range then brings in.
Reading readInteger(std::string_view text, int64_t& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (end != text.data() + text.size() || (error != std::errc() && error != std::errc::result_out_of_range))
        return {Reading::Refused, 0, "wants a whole number"};
    if (error == std::errc::result_out_of_range)
        number = text.front() == '-' ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    return {Reading::Taken, 0, {}};
}

// A decimal number; one beyond the float's range counts as an infinity (or,
// too small, as zero), which every range then brings in. Beyond even a
// double's range it is refused.
Reading readReal(std::string_view text, float& number) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (end != last || (error != std::errc() && error != std::errc::result_out_of_range))
        return {Reading::Refused, 0, "wants a decimal number"};
    if (error == std::errc::result_out_of_range) {
        double wide = 0;
        if (std::from_chars(first, last, wide).ec != std::errc())
            return {Reading::Refused, 0, "is out of range"};
        constexpr float endless = std::numeric_limits<float>::infinity();
        number = std::fabs(wide) > std::numeric_limits<float>::max() ? (wide > 0 ? endless : -endless)
                                                                     : static_cast<float>(wide);
    }
    return {Reading::Taken, 0, {}};
}

Reading fromRange(const SettingField& field, const RangedValue& ranged) {
    const std::string why = std::string("wants ").append(storedRangeText(field));
    switch (ranged.verdict) {
    case RangeVerdict::Kept:
        return {Reading::Taken, ranged.bits, {}};
    case RangeVerdict::Brought:
        return {Reading::Brought, ranged.bits, why};
    case RangeVerdict::Refused:
        break;
    }
    return {Reading::Refused, 0, why};
}

// The bits of text read as the value's kind and held to the range of its
// setting, as the options hold theirs. A value of no known setting only has
// to fit its four bytes.
Reading readNumber(std::string_view text, const StoredValue& value, const SettingField* field) {
    if (value.kind == ValueKind::Integer) {
        int64_t number = 0;
        if (Reading reading = readInteger(text, number); reading.outcome != Reading::Taken)
            return reading;
        if (field)
            return fromRange(*field, rangedInteger(*field, number));
        if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max())
            return {Reading::Refused, 0, "is out of range"};
        return {Reading::Taken, static_cast<uint32_t>(static_cast<int32_t>(number)), {}};
    }
    float number = 0;
    if (Reading reading = readReal(text, number); reading.outcome != Reading::Taken)
        return reading;
    if (field)
        return fromRange(*field, rangedReal(*field, number));
    if (std::isinf(number))
        return {Reading::Refused, 0, "is out of range"};
    return {Reading::Taken, std::bit_cast<uint32_t>(number), {}};
}

// A setting's text that is no number at all is told as one outside its
// range is: "sangrante = yes" as "sangrante = 7", both "wants 0 or 1".
Reading readValue(std::string_view text, const StoredValue& value) {
    const SettingField* field = findSettingField(value.name);
    Reading reading = readNumber(text, value, field);
    if (field && reading.outcome == Reading::Refused)
        reading.why = std::string("wants ").append(storedRangeText(*field));
    return reading;
}

// Text from the file as a message shows it: cut short, and with control
// characters, which could drive the terminal, shown as '?'.
std::string quoted(std::string_view text) {
    constexpr size_t longest = 40;
    std::string shown;
    for (const char c : text.substr(0, longest))
        shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    if (text.size() > longest)
        shown += "...";
    return "\"" + shown + "\"";
}

// The value as a line writes it.
std::string writtenNumber(const StoredValue& value) {
    char number[64];
    const auto written = value.kind == ValueKind::Integer
                             ? std::to_chars(number, number + sizeof number, static_cast<int32_t>(value.bits))
                             : std::to_chars(number, number + sizeof number, std::bit_cast<float>(value.bits));
    return std::string(number, written.ptr);
}

} // namespace

std::string settingsLine(const StoredValue& value) {
    return std::string(value.name) + " = " + writtenNumber(value);
}

std::vector<SettingsFileProblem> readSettingsText(std::string_view text, StoredValue* values, int count) {
    std::vector<SettingsFileProblem> problems;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (isComment(line))
            continue;
        std::string_view name, valueText;
        if (!splitLine(line, name, valueText)) {
            problems.push_back({lineNumber, quoted(trim(line)) + " is not \"name = value\"; ignored"});
            continue;
        }
        StoredValue* value = findValue(name, values, count);
        if (!value) {
            problems.push_back({lineNumber, "no setting is named " + quoted(name) + "; ignored"});
            continue;
        }
        const Reading reading = readValue(valueText, *value);
        const std::string told = std::string(value->name) + " " + reading.why + ", not " + quoted(valueText) + "; ";
        if (reading.outcome == Reading::Refused) {
            const char* keeps = value->found ? "it keeps the value of an earlier line" : "it keeps its default";
            problems.push_back({lineNumber, told + keeps});
            continue;
        }
        value->bits = reading.bits;
        value->found = true;
        if (reading.outcome == Reading::Brought)
            problems.push_back({lineNumber, told + "it takes " + writtenNumber(*value)});
    }
    return problems;
}

std::string writeSettingsText(std::string_view text, const StoredValue* values, int count) {
    std::string result;
    std::vector<bool> written(static_cast<size_t>(count), false);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        std::string_view name, valueText;
        int match = -1;
        if (!isComment(line) && splitLine(line, name, valueText))
            for (int index = 0; index < count && match < 0; ++index)
                if (name == values[index].name)
                    match = index;
        if (match >= 0) {
            result += settingsLine(values[match]);
            written[static_cast<size_t>(match)] = true;
        } else {
            result += line;
        }
        result += '\n';
    }
    for (int index = 0; index < count; ++index)
        if (!written[static_cast<size_t>(index)])
            result += settingsLine(values[index]) + "\n";
    return result;
}
