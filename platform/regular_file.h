#pragma once
// Reading a data or settings file without trusting what the name points to.
//
// Only a regular file is read: a FIFO would block the reader until someone writes to
// it, and a device such as /dev/zero never ends. The file is opened without blocking
// and checked on the open descriptor, and no more than a given number of bytes is read.

#include <cstddef>
#include <string>

namespace platform {

enum class RegularRead {
    Ok,
    CannotOpen, // missing, or no permission
    NotRegular, // a FIFO, a device, a folder, a socket
    TooLarge,   // larger than the limit (with OversizeFile::Refuse)
};

enum class OversizeFile {
    Refuse, // a file larger than the limit is not read at all
    Cut,    // only its first `limit` bytes are read
};

// Reads the regular file `path` into `content` (left alone unless Ok).
RegularRead ReadRegularFile(const std::string& path, std::string& content, size_t limit,
                            OversizeFile oversize = OversizeFile::Refuse);

} // namespace platform
