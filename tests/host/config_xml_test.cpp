// The settings dialog that XScreenSaver and Xfce build from norwyn.xml lists
// the program's own choices: each option's label is the catalog caption of
// the id it passes (or, passing nothing, of the setting's default).

#include "settings/catalogs.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace {

TEST(ConfigXml, EachChoiceIsLabelledWithItsCatalogCaption) {
    buildCatalogs();
    std::ifstream file(NORWYN_SOURCE_DIR "/resources/linux/norwyn.xml");
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    const std::string xml = text.str();

    const Settings defaults;
    const struct {
        const char* select;
        const char* option;
        const Catalog& catalog;
        int32_t defaultId;
    } choices[] = {
        {"imagenfondo", "--background", backgroundCatalog, defaults.imagenfondo},
        {"efecto", "--effect", effectCatalog, defaults.efecto},
        {"efectoulmo", "--movement", movementCatalog, defaults.efectoulmo},
    };
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.select);
        const std::regex selectPattern("<select id=\"" + std::string(choice.select) + "\">([^]*?)</select>");
        std::smatch select;
        ASSERT_TRUE(std::regex_search(xml, select, selectPattern));
        const std::string options = select[1];
        const std::regex optionPattern("_label=\"([^\"]*)\"(?: arg-set=\"" + std::string(choice.option) +
                                       " ([0-9]+)\")?");
        int listed = 0;
        for (std::sregex_iterator option(options.begin(), options.end(), optionPattern), end; option != end;
             ++option, ++listed) {
            const int32_t id = (*option)[2].matched ? std::stoi((*option)[2]) : choice.defaultId;
            ASSERT_LT(listed, choice.catalog.count);
            EXPECT_EQ(choice.catalog.entries[listed].id, id) << "listed in catalog order";
            EXPECT_EQ((*option)[1], choice.catalog.entries[listed].caption);
        }
        EXPECT_EQ(listed, choice.catalog.count);
    }
}

} // namespace
