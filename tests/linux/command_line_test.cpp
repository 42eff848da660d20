// norwyn's command line and settings file, as processes: what it refuses,
// what it reports of a bad file, and a save that a kill cannot break.

#include "norwyn_process.h"

#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

bool isUsage(const std::string& text) {
    return text.find("usage: norwyn [options]") != std::string::npos;
}

TEST(CommandLine, AnUnknownOptionOrAMissingNumberPrintsTheUsageAndWritesNothing) {
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"--save", "--frobnicate"}, {"--save", "--drops"}, {"-save", "-effect", "9"}}) {
        SCOPED_TRACE(words[1]);
        ConfigFolder config;
        const Finished run = runNorwyn(words, config);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(isUsage(run.errors)) << run.errors;
        EXPECT_FALSE(std::filesystem::exists(config.path + "/norwyn"));
    }
    ConfigFolder config;
    const Finished help = runNorwyn({"--help"}, config);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(isUsage(help.output));
}

TEST(CommandLine, AHostileFileIsReportedLineByLineAndTheRestStillApplies) {
    ConfigFolder config;
    config.writeSettings(std::string("efecto = 5\n\x01\x02garbage\ncolor = 3\nsombra = 0.5\nmascara = 1\n") +
                         std::string(5000, 'x') + "\n");
    const Finished run = runNorwyn({"--print-settings", "--no-mask"}, config);
    EXPECT_EQ(run.exitCode, 0);
    for (const char* where : {"settings:2: ", "settings:3: ", "settings:4: sombra", "settings:6: "})
        EXPECT_NE(run.errors.find(where), std::string::npos) << where << " in " << run.errors;
    EXPECT_NE(run.output.find("efecto = 5\n"), std::string::npos);
    EXPECT_NE(run.output.find("sombra = 1\n"), std::string::npos);
    EXPECT_NE(run.output.find("mascara = 0\n"), std::string::npos) << "the option wins over the file";
    EXPECT_EQ(run.errors.find('\x01'), std::string::npos);
}

// What the two quiet ends used to leave unsaid: which file a save wrote, and
// that no display at all is named by the variables that are missing.
TEST(CommandLine, ASaveNamesItsFileAndNoDisplayNamesWhatIsNotSet) {
    ConfigFolder config;
    const Finished save = runNorwyn({"--save", "--effect", "4"}, config);
    EXPECT_EQ(save.exitCode, 0);
    EXPECT_NE(save.output.find(config.settingsPath() + "\n"), std::string::npos) << save.output;

    NorwynProcess run({"--root"}, config, {"DISPLAY=", "WAYLAND_DISPLAY=", "WAYLAND_SOCKET="});
    EXPECT_EQ(run.waitForExit(10000), 1);
    EXPECT_NE(run.errors().find("neither DISPLAY nor WAYLAND_DISPLAY is set"), std::string::npos) << run.errors();
}

// Killed at any moment of a save, the file is the old one or the new one.
TEST(CommandLine, AKillDuringASaveLeavesTheOldFileOrTheNewNeverABrokenOne) {
    ConfigFolder config;
    const std::string old = "# kept\nefecto = 1\n";
    config.writeSettings(old);
    const std::vector<std::string> words = {"--save", "--effect", "6", "--drops", "77"};
    // The kills are spread over the life of a whole save as this machine runs
    // it (a sanitized build under load takes many times longer), and past it, for a
    // save may take longer than the one measured.
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(NorwynProcess(words, config).waitForExit(10000), 0);
    const auto wholeSave = std::chrono::steady_clock::now() - started;
    config.writeSettings(old);
    int newFiles = 0;
    for (int attempt = 0; attempt < 60; ++attempt) {
        NorwynProcess save(words, config);
        std::this_thread::sleep_for(wholeSave * attempt / 20);
        save.signal(SIGKILL);
        save.waitForExit(5000);
        const std::string text = config.settingsText();
        StoredValue values[storedValueCount];
        collectStoredValues(values);
        EXPECT_TRUE(readSettingsText(text, values, storedValueCount).empty()) << text;
        if (text != old) {
            EXPECT_EQ(text.substr(0, 18), "# kept\nefecto = 6\n");
            EXPECT_NE(text.find("numeroparticulas = 77\n"), std::string::npos);
            EXPECT_NE(text.find("sangrante = 1\n"), std::string::npos);
            ++newFiles;
            config.writeSettings(old);
        }
    }
    EXPECT_GT(newFiles, 0) << "no save ever finished";
}

} // namespace
