#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

RegularRead ReadRegularFile(const std::string& path, std::string& content, size_t limit,
                            OversizeFile oversize) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer. The
    // check is made on the opened descriptor, so the name cannot be swapped between
    // the check and the read.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) return RegularRead::CannotOpen;
    struct stat st {};
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) return RegularRead::NotRegular;
    if (oversize == OversizeFile::Refuse && static_cast<unsigned long long>(st.st_size) > limit)
        return RegularRead::TooLarge;

    // One byte past the limit tells a file that grew since fstat.
    std::string bytes(limit + 1, '\0');
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return RegularRead::CannotOpen;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    if (got > limit) {
        if (oversize == OversizeFile::Refuse) return RegularRead::TooLarge;
        got = limit;
    }
    bytes.resize(got);
    content = std::move(bytes);
    return RegularRead::Ok;
}

} // namespace platform
