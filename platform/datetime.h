#pragma once
// Date and time texts in fixed, locale-independent forms.

#include <ctime>
#include <string>

namespace platform {

// Formats `when` (local time) with a pattern of the tokens yyyy, yy, mm, dd, hh, nn
// (minutes) and ss; every other character is copied. "yyyy.mm.dd hh:nn" gives
// "2026.12.07 23:05".
std::string FormatDateTime(const std::string& pattern, std::time_t when);

// The program's short date format, process-wide like the rest of the game model.
// Programs set it at start-up; the game text writer changes it (see gamefile.h).
void SetShortDateFormat(const std::string& pattern);
const std::string& ShortDateFormat();

// The current date and time in the short date format.
std::string ShortDateText();

// Seconds since the epoch; tests may fix the clock.
std::time_t Now();
void SetFixedClock(std::time_t when); // 0 returns to the real clock

} // namespace platform
