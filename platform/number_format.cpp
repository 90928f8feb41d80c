#include "platform/number_format.h"

#include <charconv>
#include <clocale>
#include <cstring>
#include <system_error>

namespace platform {

void KeepPointDecimal() {
    std::setlocale(LC_NUMERIC, "C");
}

bool PointDecimalInForce() {
    const std::lconv* conv = std::localeconv();
    return conv && conv->decimal_point && std::strcmp(conv->decimal_point, ".") == 0;
}

std::string FixedText(double value, int decimals, int width) {
    // to_chars never consults the locale.
    char buf[400];
    auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string text = ec == std::errc() ? std::string(buf, end) : std::string("?");
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

bool ReadReal(std::string_view text, float& value, size_t& used) {
    const char* begin = text.data();
    float v = 0;
    // from_chars never consults the locale.
    auto [end, ec] = std::from_chars(begin, begin + text.size(), v);
    if (ec != std::errc() || end == begin) return false;
    value = v;
    used = static_cast<size_t>(end - begin);
    return true;
}

} // namespace platform
