#include "platform/module.h"

#include <dlfcn.h>

namespace platform {

ModuleHandle LoadModule(const std::string& path, std::string* error) {
    // RTLD_LOCAL keeps the symbols of one player library from binding to another's.
    ModuleHandle h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h && error) {
        const char* e = ::dlerror();
        *error = e ? e : "cannot load " + path;
    }
    return h;
}

void* FindSymbol(ModuleHandle module, const char* name) {
    return module ? ::dlsym(module, name) : nullptr;
}

void FreeModule(ModuleHandle module) {
    if (module) ::dlclose(module);
}

const char* ModuleSuffix() {
    return ".so";
}

} // namespace platform
