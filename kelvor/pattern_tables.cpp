#include "kelvor/pattern_tables.h"

#include "platform/messages.h"

#include <cstdint>
#include <fstream>

namespace kelvor {

TableLoad ReadTableFile(const std::string& path, std::vector<int>& out, int values) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return TableLoad::Missing;
    std::string bytes(static_cast<size_t>(values) * 2, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return TableLoad::TooShort;
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
             std::vector<int>& out, int values) {
    switch (ReadTableFile(folder + name, out, values)) {
    case TableLoad::Ok:
        return true;
    case TableLoad::Missing:
        platform::ShowMessage(platform::MessageKind::Error, missing);
        return false;
    case TableLoad::TooShort:
        // A cut file would leave the automaton pointing into garbage: refuse it.
        platform::ShowMessage(platform::MessageKind::Error, std::string(name) + " is too short");
        return false;
    }
    return false;
}
} // namespace

bool LoadPatternTables(const std::string& folder, PatternTables& tables) {
    bool tbl =
        LoadOne(folder, "renju.tbl", "Can't open tbl file", tables.automaton, kAutomatonValues);
    bool scs =
        LoadOne(folder, "renju.scs", "Can't open scs file", tables.records, kRecordTableValues);
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
