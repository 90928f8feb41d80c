#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

void SetError(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

} // namespace

WriteResult WriteFileAtomic(const std::string& path, std::string_view content, std::string* error) {
    // The temporary lives beside the target so that the rename never crosses a file system.
    std::string tmpl = path + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        SetError(error, "cannot create a file in " + FolderOf(path));
        return WriteResult::CannotCreate;
    }
    // Keep the permissions of a file we replace; new files get the usual 0644.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(error, "cannot write " + path);
            ::close(fd);
            ::unlink(tmpl.c_str());
            return WriteResult::CannotWrite;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) {
        SetError(error, "cannot flush " + path);
        ::close(fd);
        ::unlink(tmpl.c_str());
        return WriteResult::CannotWrite;
    }
    if (::close(fd) != 0) {
        SetError(error, "cannot close " + path);
        ::unlink(tmpl.c_str());
        return WriteResult::CannotWrite;
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot replace " + path);
        ::unlink(tmpl.c_str());
        return WriteResult::CannotWrite;
    }
    return WriteResult::Ok;
}

bool ReadFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    content = ss.str();
    return true;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace platform
