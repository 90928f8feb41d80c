#include "platform/program_folder.h"

#include <climits>
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

std::string NormaliseSeparators(std::string value) {
    for (char& c : value)
        if (c == '\\') c = '/';
    return value;
}

bool IsAbsoluteFolder(const std::string& value) {
    return (!value.empty() && value.front() == '/') || value.find(':') != std::string::npos;
}

} // namespace platform
