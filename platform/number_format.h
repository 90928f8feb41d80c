#pragma once
// The number format of the program's own texts and files: a full stop before the
// decimals, whatever the user's locale.
//
// A GUI toolkit adopts the user's locale when it starts (on Linux QApplication calls
// setlocale(LC_ALL, "")), and under a decimal-comma locale every printf("%f") and
// strtod would then write and expect "0,000". The program keeps the C library's
// numeric category at "C", and its own writers and readers do not depend on it at all.

#include <string>
#include <string_view>

namespace platform {

// Sets the C library's numeric category to "C" and leaves every other category as the
// user has it. Call it after the GUI toolkit has started; calling it again is harmless.
void KeepPointDecimal();

// Whether the C library's number format currently writes a full stop.
bool PointDecimalInForce();

// `value` with `decimals` digits after a ".", right-aligned in `width` characters
// (printf's "%*.*f" under the C locale).
std::string FixedText(double value, int decimals, int width = 0);

// Reads a decimal number written with "." from the start of `text`; `used` gets the
// number of characters read. False, with nothing read, when `text` does not start
// with a number.
bool ReadReal(std::string_view text, float& value, size_t& used);

} // namespace platform
