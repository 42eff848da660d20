// Reading reports each bad line on stderr and goes on; writing puts the new
// text in a file of its own beside the old one and renames it over the old,
// so that a kill at any moment leaves the old file or the new, never half of one.

#include "settings/settings_file_posix.h"

#include "settings/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Far beyond thirteen lines; a file larger than this (or a link to a device
// that never ends) is not read.
constexpr size_t largestFile = 1 << 20;

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
        return user->pw_dir;
    return "/";
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('/'));
}

void reportError(const std::string& what, const std::string& path) {
    std::fprintf(stderr, "norwyn: %s %s: %s\n", what.c_str(), path.c_str(), std::strerror(errno));
}

enum class ReadResult { Read, Missing, Failed };

ReadResult readText(const std::string& path, std::string& text) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    text.clear();
    char buffer[4096];
    ssize_t got;
    while ((got = read(file, buffer, sizeof buffer)) > 0 && text.size() <= largestFile)
        text.append(buffer, static_cast<size_t>(got));
    const bool failed = got < 0 || text.size() > largestFile;
    if (text.size() > largestFile)
        errno = EFBIG;
    close(file);
    return failed ? ReadResult::Failed : ReadResult::Read;
}

// Each folder of the path, as mkdir -p makes them.
bool makeFolders(const std::string& folder) {
    for (size_t slash = 1; slash != std::string::npos;) {
        slash = folder.find('/', slash + 1);
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool writeAll(int file, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t wrote = write(file, text.data() + done, text.size() - done);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// The new file is complete and on disk before its name changes, so the
// rename is the one moment the settings change.
bool replaceFile(const std::string& path, const std::string& text) {
    const std::string folder = folderOf(path);
    if (!makeFolders(folder)) {
        reportError("cannot make the folder", folder);
        return false;
    }
    std::string temporary = path + ".XXXXXX";
    const int file = mkostemp(temporary.data(), O_CLOEXEC);
    if (file < 0) {
        reportError("cannot write beside", path);
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    struct stat old;
    const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~mask);
    bool written = fchmod(file, mode) == 0 && writeAll(file, text) && fsync(file) == 0;
    if (!written)
        reportError("cannot write", temporary);
    close(file);
    if (written && rename(temporary.c_str(), path.c_str()) != 0) {
        reportError("cannot replace", path);
        written = false;
    }
    if (!written) {
        unlink(temporary.c_str());
        return false;
    }
    if (const int directory = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); directory >= 0) {
        fsync(directory);
        close(directory);
    }
    return true;
}

bool readValues(StoredValue* values, int count) {
    const std::string path = settingsFilePath();
    std::string text;
    switch (readText(path, text)) {
    case ReadResult::Missing:
        return false;
    case ReadResult::Failed:
        reportError("cannot read", path);
        return false;
    case ReadResult::Read:
        break;
    }
    for (const SettingsFileProblem& problem : readSettingsText(text, values, count))
        std::fprintf(stderr, "norwyn: %s:%d: %s\n", path.c_str(), problem.line, problem.message.c_str());
    return true;
}

bool writeValues(const StoredValue* values, int count) {
    const std::string path = settingsFilePath();
    std::string text;
    // A file that cannot be read is replaced whole; one that is missing is made.
    if (readText(path, text) != ReadResult::Read)
        text.clear();
    return replaceFile(path, writeSettingsText(text, values, count));
}

} // namespace

std::string settingsFilePath() {
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored, as
    // the base-directory convention says.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string folder = config && config[0] == '/' ? std::string(config) : homeFolder() + "/.config";
    return folder + "/norwyn/settings";
}

SettingsStore fileSettingsStore() {
    return {readValues, writeValues};
}

SettingsStore settingsStore = fileSettingsStore();
