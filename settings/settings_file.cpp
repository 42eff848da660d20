#include "settings/settings_file.h"

#include <bit>
#include <charconv>
#include <cstdint>

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

// The bits of text read as the value's kind; an empty string, or why not.
std::string parseValue(std::string_view text, ValueKind kind, uint32_t& bits) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (kind == ValueKind::Integer) {
        int32_t number = 0;
        const auto [end, error] = std::from_chars(first, last, number);
        if (error == std::errc::result_out_of_range)
            return "is out of range";
        if (error != std::errc() || end != last)
            return "wants a whole number";
        bits = static_cast<uint32_t>(number);
        return {};
    }
    float number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error == std::errc::result_out_of_range)
        return "is out of range";
    if (error != std::errc() || end != last)
        return "wants a decimal number";
    bits = std::bit_cast<uint32_t>(number);
    return {};
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

} // namespace

std::string settingsLine(const StoredValue& value) {
    char number[64];
    const auto written = value.kind == ValueKind::Integer
                             ? std::to_chars(number, number + sizeof number, static_cast<int32_t>(value.bits))
                             : std::to_chars(number, number + sizeof number, std::bit_cast<float>(value.bits));
    return std::string(value.name) + " = " + std::string(number, written.ptr);
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
        uint32_t bits = 0;
        if (const std::string why = parseValue(valueText, value->kind, bits); !why.empty()) {
            const char* keeps = value->found ? "it keeps the value of an earlier line" : "it keeps its default";
            problems.push_back(
                {lineNumber, std::string(value->name) + " " + why + ", not " + quoted(valueText) + "; " + keeps});
            continue;
        }
        value->bits = bits;
        value->found = true;
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
