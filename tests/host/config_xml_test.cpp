// The settings dialog that XScreenSaver and Xfce build from norwyn.xml, held
// to the program's table of settings: each control is named after its
// setting and passes that setting's option, shows its default and its range,
// and passes nothing at the default; each choice is labelled with its
// catalog caption; a label that states a range states the control's; and
// what the dialog shows is what draws, its defaults included, while MATE's
// command (the desktop entry's, with no dialog) leaves the settings file's.

#include "settings/catalogs.h"
#include "settings/dialog_rules.h"
#include "settings/setting_fields.h"
#include "settings/settings_store.h"
#include "shell/hack_options.h"

#include "memory_store.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

namespace {

using Attributes = std::map<std::string, std::string>;

Attributes attributesOf(const std::string& text) {
    Attributes attributes;
    const std::regex pattern("([-a-z_]+)=\"([^\"]*)\"");
    for (std::sregex_iterator match(text.begin(), text.end(), pattern), end; match != end; ++match)
        attributes[(*match)[1]] = (*match)[2];
    return attributes;
}

std::string optionOf(const SettingField& field) {
    return std::string("--") + field.option;
}

std::string fileText(const char* path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Each word of each match's first group, split at blanks as a shell splits a command.
std::vector<std::string> wordsOf(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> words;
    for (std::sregex_iterator match(text.begin(), text.end(), pattern), end; match != end; ++match) {
        std::istringstream split((*match)[1].str());
        for (std::string word; split >> word;)
            words.push_back(word);
    }
    return words;
}

// A value of the setting other than its default.
uint32_t otherThanDefault(const SettingField& field) {
    switch (field.kind) {
    case SettingKind::Flag:
        return field.integerDefault ? 0 : 1;
    case SettingKind::Choice:
        for (const int32_t id : catalogIds(*field.catalog))
            if (id != field.integerDefault)
                return static_cast<uint32_t>(id);
        break;
    case SettingKind::Number:
        return field.integerDefault ? 0 : 1;
    case SettingKind::DropSize:
        return std::bit_cast<uint32_t>(field.realDefault / 2);
    case SettingKind::FrameRate:
        break;
    }
    return 0;
}

class ConfigXml : public testing::Test {
protected:
    void SetUp() override {
        buildCatalogs();
        std::ifstream file(NORWYN_SOURCE_DIR "/resources/linux/norwyn.xml");
        ASSERT_TRUE(file);
        std::stringstream text;
        text << file.rdbuf();
        xml = text.str();
    }

    // Every element of this tag that names a setting, by the setting's name.
    std::map<std::string, Attributes> controls(const std::string& tag) {
        std::map<std::string, Attributes> found;
        const std::regex pattern("<" + tag + "\\s([^>]*?)/?>");
        for (std::sregex_iterator match(xml.begin(), xml.end(), pattern), end; match != end; ++match) {
            Attributes attributes = attributesOf((*match)[1]);
            if (findSettingField(attributes["id"]))
                found[attributes["id"]] = attributes;
        }
        return found;
    }

    std::string xml;
};

TEST_F(ConfigXml, EachSettingWithAnOptionHasOneControlOfItsKind) {
    const auto selects = controls("select"), booleans = controls("boolean"), numbers = controls("number");
    for (const SettingField& field : settingFields) {
        SCOPED_TRACE(field.name);
        const int inSelects = static_cast<int>(selects.count(field.name));
        const int inBooleans = static_cast<int>(booleans.count(field.name));
        const int inNumbers = static_cast<int>(numbers.count(field.name));
        const bool choice = field.kind == SettingKind::Choice, flag = field.kind == SettingKind::Flag;
        const bool number = field.kind == SettingKind::Number || field.kind == SettingKind::DropSize;
        EXPECT_EQ(inSelects, choice ? 1 : 0);
        EXPECT_EQ(inBooleans, flag ? 1 : 0);
        EXPECT_EQ(inNumbers, number ? 1 : 0);
    }
}

TEST_F(ConfigXml, EachChoiceIsLabelledWithItsCatalogCaption) {
    for (const SettingField& field : settingFields) {
        if (field.kind != SettingKind::Choice)
            continue;
        SCOPED_TRACE(field.name);
        const std::regex selectPattern("<select id=\"" + std::string(field.name) + "\">([^]*?)</select>");
        std::smatch select;
        ASSERT_TRUE(std::regex_search(xml, select, selectPattern));
        const std::string options = select[1];
        const std::regex optionPattern("<option ([^>]*)/>");
        const Catalog& catalog = *field.catalog;
        int listed = 0;
        for (std::sregex_iterator option(options.begin(), options.end(), optionPattern), end; option != end;
             ++option, ++listed) {
            Attributes attributes = attributesOf((*option)[1]);
            ASSERT_LT(listed, catalog.count);
            const CatalogEntry& entry = catalog.entries[listed];
            EXPECT_EQ(attributes["_label"], entry.caption) << "listed in catalog order";
            // The default passes nothing, so that the settings file's choice applies.
            const std::string passes =
                entry.id == field.integerDefault ? "" : optionOf(field) + " " + std::to_string(entry.id);
            EXPECT_EQ(attributes["arg-set"], passes) << entry.caption;
        }
        EXPECT_EQ(listed, catalog.count);
    }
}

TEST_F(ConfigXml, EachBooleanPassesOnlyTheOptionThatLeavesItsDefault) {
    for (const auto& [name, attributes] : controls("boolean")) {
        SCOPED_TRACE(name);
        const SettingField& field = *findSettingField(name);
        Attributes passed = attributes;
        if (field.integerDefault) {
            EXPECT_EQ(passed["arg-unset"], "--no-" + std::string(field.option));
            EXPECT_EQ(passed["arg-set"], "");
        } else {
            EXPECT_EQ(passed["arg-set"], optionOf(field));
            EXPECT_EQ(passed["arg-unset"], "");
        }
    }
}

TEST_F(ConfigXml, EachNumberHasItsOptionDefaultAndRangeAndALabelThatSaysIt) {
    const std::regex statedRange("\\((?:de )?([0-9]+)(?:\\.\\.| a )([0-9]+)\\)");
    for (auto [name, attributes] : controls("number")) {
        SCOPED_TRACE(name);
        const SettingField& field = *findSettingField(name);
        const bool size = field.kind == SettingKind::DropSize;
        // A drop size is entered in thousandths, as in the character dialog.
        const uint32_t high = size ? largestDropSizeEntry : static_cast<uint32_t>(field.high);
        const uint32_t byDefault =
            size ? dropSizeEntry(field.realDefault) : static_cast<uint32_t>(field.integerDefault);
        EXPECT_EQ(attributes["arg"], optionOf(field) + " %");
        EXPECT_EQ(attributes["low"], "0");
        EXPECT_EQ(attributes["high"], std::to_string(high));
        EXPECT_EQ(attributes["default"], std::to_string(byDefault));
        std::smatch stated;
        ASSERT_TRUE(std::regex_search(attributes["_label"], stated, statedRange)) << attributes["_label"];
        EXPECT_EQ(stated[1], attributes["low"]) << attributes["_label"];
        EXPECT_EQ(stated[2], attributes["high"]) << attributes["_label"];
    }
}

// A file in which every setting that has an option differs from its
// default, under the command XScreenSaver's dialog runs with every control at
// its default (the XML's <command> alone), and under MATE's. "frames", which
// no dialog sets, comes from the file under both.
TEST_F(ConfigXml, UnderTheDialogItsDefaultsWinOverTheFileAndUnderMateTheFileChooses) {
    struct Case {
        const char* whose;
        std::vector<std::string> words;
        bool defaultsWin;
    };
    const Case cases[] = {
        {"the dialog's", wordsOf(xml, std::regex("<command\\s+arg=\"([^\"]*)\"")), true},
        {"MATE's",
         wordsOf(fileText(NORWYN_SOURCE_DIR "/resources/linux/norwyn.desktop"), std::regex("\nExec=[^ \n]+ ([^\n]*)")),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.whose);
        ASSERT_FALSE(c.words.empty());
        memoryStore = MemoryStore{};
        settingsStore = memorySettingsStore();
        for (const SettingField& field : settingFields)
            if (field.option)
                putValue(field.name, otherThanDefault(field));
        putValue("frames", std::bit_cast<uint32_t>(42.5f));
        std::vector<const char*> argv = {"norwyn"};
        for (const std::string& word : c.words)
            argv.push_back(word.c_str());
        HackOptions options;
        std::string error;
        ASSERT_TRUE(parseHackOptions(static_cast<int>(argv.size()), argv.data(), options, error)) << error;
        settings = Settings{};
        loadRunSettings(options);
        const Settings defaults;
        for (const SettingField& field : settingFields) {
            if (!field.option)
                continue;
            const uint32_t expected = c.defaultsWin ? settingBits(defaults, field) : otherThanDefault(field);
            EXPECT_EQ(settingBits(settings, field), expected) << field.name;
        }
        EXPECT_EQ(settings.frames, 42.5f);
    }
}

} // namespace
