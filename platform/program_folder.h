#pragma once
// The program folder and the folder values stored in settings.

#include <string>

namespace platform {

// The folder of the running executable with a trailing "/". Tests and tools may
// override it (an empty value returns to the executable's folder).
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

// Folder values use "/"; a stored backslash is read as "/". A value is absolute
// when it starts with "/" or contains ":"; any other value is relative to the
// program folder.
std::string NormaliseSeparators(std::string value);
bool IsAbsoluteFolder(const std::string& value);

} // namespace platform
