#pragma once
// The built norwyn started as its own process, as a daemon or a user starts
// it, with its settings in a folder of the test's own.

#include <csignal>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A fresh, empty folder for the settings file, removed with the object.
struct ConfigFolder {
    ConfigFolder();
    ~ConfigFolder();
    std::string settingsPath() const { return path + "/norwyn/settings"; }
    std::string settingsText() const;
    void writeSettings(const std::string& text) const;
    std::string path;
};

class NorwynProcess {
public:
    // Starts norwyn with the words, its settings in config, and the extra
    // environment entries ("NAME=value"), each in place of the test's own.
    NorwynProcess(const std::vector<std::string>& words, const ConfigFolder& config,
                  const std::vector<std::string>& environment = {});
    ~NorwynProcess();

    bool running();
    // The exit code, or nothing when it had not ended within the time.
    std::optional<int> waitForExit(int milliseconds);
    void signal(int number) { kill(pid, number); }
    std::string errors() const; // what it wrote on stderr
    pid_t id() const { return pid; }

private:
    pid_t pid = -1;
    std::optional<int> exitCode;
    std::string errorPath;
};

// Runs norwyn to its end and gives its exit code, stdout and stderr.
struct Finished {
    int exitCode;
    std::string output, errors;
};
Finished runNorwyn(const std::vector<std::string>& words, const ConfigFolder& config);
