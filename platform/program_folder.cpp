#include "platform/program_folder.h"

#include <climits>
#include <unistd.h>

namespace platform {

namespace {
std::string gOverride;
}

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

std::string NormaliseSeparators(std::string value) {
    for (char& c : value)
        if (c == '\\') c = '/';
    return value;
}

bool IsAbsoluteFolder(const std::string& value) {
    return (!value.empty() && value.front() == '/') || value.find(':') != std::string::npos;
}

} // namespace platform
