#include "kelvor/pattern_tables.h"

#include "platform/messages.h"
#include "platform/regular_file.h"

#include <cstdint>

namespace kelvor {

TableLoad ReadTableFile(const std::string& path, std::vector<int>& out, int values) {
    const size_t size = static_cast<size_t>(values) * 2;
    std::string bytes;
    switch (platform::ReadRegularFile(path, bytes, size, platform::OversizeFile::Cut)) {
    case platform::RegularRead::Ok:
        break;
    case platform::RegularRead::NotRegular:
        return TableLoad::NotRegular;
    case platform::RegularRead::CannotOpen:
    case platform::RegularRead::TooLarge: // not with Cut
        return TableLoad::Missing;
    }
    if (bytes.size() != size) return TableLoad::TooShort;
    out.assign(values, 0);
    for (int i = 0; i < values; ++i) {
        auto lo = static_cast<uint8_t>(bytes[2 * i]);
        auto hi = static_cast<uint8_t>(bytes[2 * i + 1]);
        out[i] = static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
    }
    return TableLoad::Ok;
}

namespace {
bool LoadOne(const std::string& folder, const char* name, const char* missing,
             std::vector<int>& out, int values, std::string& problem) {
    std::string shown, reason;
    switch (ReadTableFile(folder + name, out, values)) {
    case TableLoad::Ok:
        return true;
    case TableLoad::Missing:
        shown = missing;
        reason = std::string("cannot read ") + name;
        break;
    case TableLoad::NotRegular:
        shown = reason = std::string(name) + " is not a regular file";
        break;
    case TableLoad::TooShort:
        // A cut file would leave the automaton pointing into garbage: refuse it.
        shown = reason = std::string(name) + " is too short";
        break;
    }
    platform::ShowMessage(platform::MessageKind::Error, shown);
    problem += (problem.empty() ? "" : "; ") + reason;
    return false;
}
} // namespace

bool LoadPatternTables(const std::string& folder, PatternTables& tables, std::string* problem) {
    std::string reasons;
    bool tbl = LoadOne(folder, "renju.tbl", "Can't open tbl file", tables.automaton,
                       kAutomatonValues, reasons);
    bool scs = LoadOne(folder, "renju.scs", "Can't open scs file", tables.records,
                       kRecordTableValues, reasons);
    if (problem) *problem = reasons;
    return tbl && scs;
}

std::string TableBytes(const std::vector<int>& values) {
    std::string out;
    out.reserve(values.size() * 2);
    for (int v : values) {
        auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
        out.push_back(static_cast<char>(u & 0xff));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

} // namespace kelvor
