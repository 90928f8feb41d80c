#pragma once
// The readers that take a path get the fuzz input through one temporary file per
// process, rewritten for every input.

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace fuzzing {

inline std::string WriteTempFile(const std::uint8_t* data, std::size_t size,
                                 const std::string& name = "input") {
    const std::string path = "/tmp/vorlix-fuzz-" + std::to_string(::getpid()) + "-" + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

} // namespace fuzzing
