#include "platform/program_folder.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string gOverride;

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The install prefix with a trailing "/" when `programFolder` is an installed program's
// bin/ folder, else empty. A folder with its own data/ is a build or archive layout
// even when it happens to be called bin/.
std::string InstallPrefix(const std::string& programFolder) {
    const std::string bin = "bin/";
    if (programFolder.size() < bin.size() ||
        programFolder.compare(programFolder.size() - bin.size(), bin.size(), bin) != 0)
        return {};
    if (IsFolder(programFolder + "data")) return {};
    const std::string prefix = programFolder.substr(0, programFolder.size() - bin.size());
    return IsFolder(prefix + "share/vorlix") ? prefix : std::string{};
}

} // namespace

std::string ProgramFolder() {
    if (!gOverride.empty()) return gOverride;
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}

void SetProgramFolder(const std::string& folder) {
    gOverride = folder;
    if (!gOverride.empty() && gOverride.back() != '/') gOverride += '/';
}

std::string FilesFolder(const std::string& programFolder, ProgramFiles part) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::string prefix = InstallPrefix(folder);
    if (prefix.empty()) return folder;
    return prefix + (part == ProgramFiles::Data ? "share/vorlix/" : "lib/vorlix/");
}

namespace {
// Creates every missing folder of `path` (which ends with "/"); errors show when the
// file in it is written.
void MakeFolders(const std::string& path) {
    for (size_t i = 1; i < path.size(); ++i)
        if (path[i] == '/') ::mkdir(path.substr(0, i).c_str(), 0755);
}

std::string XdgFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return std::string(value) + "/";
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] == '/' ? home : "/tmp") + "/" + fallback;
}
} // namespace

std::string UserFolder(const std::string& programFolder, UserFiles kind) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    // An installed program never writes beside itself, even when it could (as root).
    // A folder that does not exist (yet) is named by a caller of its own: kept as given.
    if (InstallPrefix(folder).empty() && (!IsFolder(folder) || ::access(folder.c_str(), W_OK) == 0))
        return folder;
    const std::string user = kind == UserFiles::Settings
                                 ? XdgFolder("XDG_CONFIG_HOME", ".config/") + "vorlix/"
                                 : XdgFolder("XDG_DATA_HOME", ".local/share/") + "vorlix/";
    MakeFolders(user);
    return user;
}

std::string NormaliseSeparators(std::string value) {
    for (char& c : value)
        if (c == '\\') c = '/';
    return value;
}

bool IsAbsoluteFolder(const std::string& value) {
    return (!value.empty() && value.front() == '/') || value.find(':') != std::string::npos;
}

} // namespace platform
