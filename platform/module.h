#pragma once
// Loading shared libraries (player libraries) by full path and finding their
// exported functions by exact name.

#include <string>

namespace platform {

using ModuleHandle = void*;

// nullptr when the file does not load; `error`, when given, receives the reason.
ModuleHandle LoadModule(const std::string& path, std::string* error = nullptr);
// nullptr when the module does not export `name`.
void* FindSymbol(ModuleHandle module, const char* name);
void FreeModule(ModuleHandle module);

// The suffix of shared libraries on this platform, with its dot: ".so".
const char* ModuleSuffix();

} // namespace platform
