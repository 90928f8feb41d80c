#pragma once
// Finding the files of a folder whose names match a simple pattern.

#include <string>
#include <vector>

namespace platform {

// Names (without folder) of the regular files in `folder` that match `pattern`,
// where "*" stands for any run of characters and "?" for one character. Sorted by
// name so that every run lists them in the same order. Empty when the folder is missing.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern);

bool MatchesPattern(const std::string& name, const std::string& pattern);

} // namespace platform
