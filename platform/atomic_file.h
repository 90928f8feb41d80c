#pragma once
// Replacing a file without ever leaving it half written.

#include <string>
#include <string_view>

namespace platform {

enum class WriteResult {
    Ok,
    CannotCreate, // the file could not be created (missing folder, no permission)
    CannotWrite,  // created, but writing, flushing or replacing failed (disk full)
};

// Writes `content` to `path` through a temporary file in the same folder that is
// flushed and then renamed over `path`. Either the new content is in place or the
// old file is untouched; no temporary is left behind on failure. `error`, when
// given, receives the reason.
WriteResult WriteFileAtomic(const std::string& path, std::string_view content,
                            std::string* error = nullptr);

// Whole-file read; false when the file cannot be opened.
bool ReadFile(const std::string& path, std::string& content);

bool FileExists(const std::string& path);

} // namespace platform
