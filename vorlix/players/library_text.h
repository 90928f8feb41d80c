#pragma once
// Copying texts that a player library returns: up to the first zero byte or a fixed
// limit, whichever comes first. A null pointer gives an empty text.

#include <cstddef>
#include <string>

namespace vorlix {

constexpr std::size_t kLibraryNameLength = 12; // player, library and ability names
constexpr std::size_t kLibraryLineLength = 50; // about texts and property lines
constexpr std::size_t kVersionTextLength = 10;
constexpr std::size_t kHostPathLength = 255;

inline std::string CopyLibraryText(const char* text, std::size_t limit) {
    std::string out;
    if (!text) return out;
    for (std::size_t i = 0; i < limit && text[i] != '\0'; ++i) out += text[i];
    return out;
}

} // namespace vorlix
