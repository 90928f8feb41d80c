#include "platform/datetime.h"

#include <cstdio>

namespace platform {

namespace {
std::string gShortDateFormat = "dd/mm/yy";
std::time_t gFixedClock = 0;

std::string TwoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}
} // namespace

std::string FormatDateTime(const std::string& pattern, std::time_t when) {
    std::tm tm{};
    localtime_r(&when, &tm);
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        auto starts = [&](const char* tok) {
            return pattern.compare(i, std::char_traits<char>::length(tok), tok) == 0;
        };
        if (starts("yyyy")) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%04d", tm.tm_year + 1900);
            out += buf;
            i += 4;
        } else if (starts("yy")) {
            out += TwoDigits((tm.tm_year + 1900) % 100);
            i += 2;
        } else if (starts("mm")) {
            out += TwoDigits(tm.tm_mon + 1);
            i += 2;
        } else if (starts("dd")) {
            out += TwoDigits(tm.tm_mday);
            i += 2;
        } else if (starts("hh")) {
            out += TwoDigits(tm.tm_hour);
            i += 2;
        } else if (starts("nn")) {
            out += TwoDigits(tm.tm_min);
            i += 2;
        } else if (starts("ss")) {
            out += TwoDigits(tm.tm_sec);
            i += 2;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

void SetShortDateFormat(const std::string& pattern) {
    gShortDateFormat = pattern;
}
const std::string& ShortDateFormat() {
    return gShortDateFormat;
}
std::string ShortDateText() {
    return FormatDateTime(gShortDateFormat, Now());
}

std::time_t Now() {
    return gFixedClock != 0 ? gFixedClock : std::time(nullptr);
}
void SetFixedClock(std::time_t when) {
    gFixedClock = when;
}

} // namespace platform
