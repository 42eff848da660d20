#include "norwyn_process.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

ConfigFolder::ConfigFolder() {
    char name[] = "/tmp/norwyn-test-XXXXXX";
    path = mkdtemp(name);
}

ConfigFolder::~ConfigFolder() {
    std::filesystem::remove_all(path);
}

std::string ConfigFolder::settingsText() const {
    return readFile(settingsPath());
}

void ConfigFolder::writeSettings(const std::string& text) const {
    std::filesystem::create_directories(path + "/norwyn");
    std::ofstream(settingsPath()) << text;
}

NorwynProcess::NorwynProcess(const std::vector<std::string>& words, const ConfigFolder& config,
                             const std::vector<std::string>& environment) {
    errorPath = config.path + "/stderr-" + std::to_string(std::rand());
    std::vector<std::string> arguments = {NORWYN_PROGRAM};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::vector<std::string> variables = {"XDG_CONFIG_HOME=" + config.path};
    variables.insert(variables.end(), environment.begin(), environment.end());
    // An entry given replaces the test's own of that name: getenv takes the
    // first of two, so the test's own would otherwise win.
    const auto given = [&](const std::string& entry) {
        const std::string name = entry.substr(0, entry.find('=') + 1);
        if (name == "XDG_CONFIG_HOME=" || name == "XSCREENSAVER_WINDOW=")
            return true;
        for (const std::string& variable : environment)
            if (variable.rfind(name, 0) == 0)
                return true;
        return false;
    };
    for (char** entry = environ; *entry; ++entry)
        if (!given(*entry))
            variables.push_back(*entry);

    pid = fork();
    if (pid == 0) {
        std::freopen(errorPath.c_str(), "w", stderr);
        std::freopen((config.path + "/stdout").c_str(), "w", stdout);
        std::vector<char*> argv, envp;
        for (std::string& word : arguments)
            argv.push_back(word.data());
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
}

NorwynProcess::~NorwynProcess() {
    if (running()) {
        kill(pid, SIGKILL);
        waitForExit(5000);
    }
}

bool NorwynProcess::running() {
    return !waitForExit(0);
}

std::optional<int> NorwynProcess::waitForExit(int milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!exitCode) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        else if (std::chrono::steady_clock::now() >= deadline)
            break;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return exitCode;
}

std::string NorwynProcess::errors() const {
    return readFile(errorPath);
}

Finished runNorwyn(const std::vector<std::string>& words, const ConfigFolder& config) {
    NorwynProcess norwyn(words, config);
    const std::optional<int> code = norwyn.waitForExit(10000);
    return {code.value_or(-1), readFile(config.path + "/stdout"), norwyn.errors()};
}
