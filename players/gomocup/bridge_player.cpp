#include "bridge_player.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace gomocup {

namespace {

std::string Coordinates(VorlixPoint p) {
    return std::to_string(VORLIX_POINT_X(p) - 1) + "," + std::to_string(VORLIX_POINT_Y(p) - 1);
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// "x,y" with both in 0..14, blanks allowed around the numbers.
bool ParseAnswer(const std::string& text, int& x, int& y) {
    const char* s = text.c_str();
    char* end = nullptr;
    errno = 0;
    long a = std::strtol(s, &end, 10);
    if (end == s || errno) return false;
    while (*end == ' ') ++end;
    if (*end != ',') return false;
    s = end + 1;
    long b = std::strtol(s, &end, 10);
    if (end == s || errno) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end) return false;
    if (a < 0 || a > 14 || b < 0 || b > 14) return false;
    x = static_cast<int>(a);
    y = static_cast<int>(b);
    return true;
}

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

BridgePlayer::BridgePlayer(EngineEntry entry, std::string folder, const VorlixHost& host)
    : entry_(std::move(entry)), folder_(std::move(folder)), host_(host) {}

bool BridgePlayer::Fail(const std::string& why) {
    failed_ = true;
    failure_ = "engine " + entry_.Name + ": " + why;
    std::fprintf(stderr, "gomocup: %s\n", failure_.c_str());
    std::fflush(stderr);
    engine_.Stop();
    return false;
}

bool BridgePlayer::Start() {
    std::vector<std::string> argv = entry_.Command;
    argv[0] = ResolveProgram(argv[0], folder_);
    std::string error;
    // An engine runs in its own folder, where it may keep its files.
    if (!engine_.Start(argv, FolderOf(argv[0]), error)) return Fail(error);
    std::string line;
    if (!engine_.Send("START 15")) return Fail("it exited before START");
    if (!Answer("START 15", line)) return false;
    if (line != "OK") return Fail("it answered '" + line + "' to START 15");
    char timeout[32];
    std::snprintf(timeout, sizeof timeout, "%lld",
                  static_cast<long long>(entry_.TimeoutSeconds * 1000.0));
    std::vector<std::string> info = {"rule 0", "game_type 1",
                                     std::string("timeout_turn ") + timeout};
    info.insert(info.end(), entry_.Info.begin(), entry_.Info.end());
    for (const std::string& i : info)
        if (!engine_.Send("INFO " + i)) return Fail("it exited after START");
    return true;
}

std::vector<VorlixPoint> BridgePlayer::HostRecord() const {
    std::vector<VorlixPoint> record;
    const int n = host_.nMove ? host_.nMove() : 0;
    for (int i = 1; i <= n; ++i) record.push_back(host_.Game(i));
    return record;
}

std::vector<std::string>
BridgePlayer::PositionCommands(const std::vector<VorlixPoint>& record) const {
    const bool continues = record.size() == known_.size() + 1 &&
                           std::equal(known_.begin(), known_.end(), record.begin());
    if (!refresh_ && record.empty() && known_.empty()) return {"BEGIN"};
    if (!refresh_ && continues) return {"TURN " + Coordinates(record.back())};
    // The engine's own stones are those of the colour to move (field 1).
    const int toMove = host_.NextColour ? host_.NextColour() : (record.size() % 2 ? 2 : 1);
    std::vector<std::string> lines = {"BOARD"};
    for (size_t i = 0; i < record.size(); ++i) {
        const int colour = i % 2 == 0 ? 1 : 2;
        lines.push_back(Coordinates(record[i]) + (colour == toMove ? ",1" : ",2"));
    }
    lines.push_back("DONE");
    return lines;
}

bool BridgePlayer::Answer(const std::string& asked, std::string& line) {
    while (true) {
        switch (engine_.ReadLine(entry_.TimeoutSeconds, line)) {
        case EngineProcess::Read::TimedOut: {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%g", entry_.TimeoutSeconds);
            return Fail("no answer to " + asked + " within " + seconds + " s (time-out)");
        }
        case EngineProcess::Read::Closed:
            return Fail("it exited without answering " + asked);
        case EngineProcess::Read::Line:
            break;
        }
        if (StartsWith(line, "MESSAGE") || StartsWith(line, "DEBUG")) {
            std::fprintf(stderr, "gomocup: engine %s: %s\n", entry_.Name.c_str(), line.c_str());
            continue;
        }
        if (StartsWith(line, "ERROR") || StartsWith(line, "UNKNOWN"))
            return Fail("it answered " + asked + " with '" + line + "'");
        return true;
    }
}

VorlixPoint BridgePlayer::Move() {
    if (failed_) return 0;
    const std::vector<VorlixPoint> record = HostRecord();
    const std::vector<std::string> commands = PositionCommands(record);
    refresh_ = false;
    for (const std::string& c : commands)
        if (!engine_.Send(c)) return Fail("it exited before " + commands.front()), 0;
    std::string line;
    if (!Answer(commands.front(), line)) return 0;
    int x = 0, y = 0;
    if (!ParseAnswer(line, x, y))
        return Fail("it answered '" + line + "' to " + commands.front() + ", not a point x,y"), 0;
    const VorlixPoint move = VORLIX_POINT(x + 1, y + 1);
    known_ = record;
    known_.push_back(move);
    return move;
}

} // namespace gomocup
