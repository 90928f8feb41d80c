#include "bridge_player.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
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
    Report(failure_);
    engine_.Stop();
    return false;
}

void BridgePlayer::Log(const std::string& text) const {
    if (entry_.Log.empty()) return;
    if (entry_.Log == "-") {
        std::fprintf(stderr, "gomocup: %s\n", text.c_str());
        std::fflush(stderr);
        return;
    }
    const std::string path = entry_.Log[0] == '/' ? entry_.Log : folder_ + entry_.Log;
    if (std::FILE* f = std::fopen(path.c_str(), "a")) {
        std::fprintf(f, "%s\n", text.c_str());
        std::fclose(f);
    }
}

void BridgePlayer::Report(const std::string& text) const {
    std::fprintf(stderr, "gomocup: %s\n", text.c_str());
    std::fflush(stderr);
    if (entry_.Log != "-") Log(text);
}

bool BridgePlayer::SendInfo(const std::string& info) {
    if (!engine_.Send("INFO " + info)) return false;
    ++pendingInfo_;
    return true;
}

bool BridgePlayer::Aside(const std::string& line) {
    if (StartsWith(line, "MESSAGE") || StartsWith(line, "DEBUG")) {
        Log("engine " + entry_.Name + ": " + line);
        return true;
    }
    // INFO has no answer unless the engine refuses it: an ERROR then belongs to the INFO
    // lines sent before, not to the command after them.
    if (pendingInfo_ > 0 && (StartsWith(line, "ERROR") || StartsWith(line, "UNKNOWN"))) {
        --pendingInfo_;
        refusal_ = line;
        Report("engine " + entry_.Name + " refused an INFO line: '" + line + "'");
        return true;
    }
    return false;
}

void BridgePlayer::Drain() {
    std::string line;
    while (engine_.ReadLine(0.0, line) == EngineProcess::Read::Line)
        if (!Aside(line)) Log("engine " + entry_.Name + " said, unasked: '" + line + "'");
}

bool BridgePlayer::Start() {
    std::vector<std::string> argv = entry_.Command;
    argv[0] = ResolveProgram(argv[0], folder_);
    std::string error;
    // An engine runs in its own folder, where it may keep its files.
    if (!engine_.Start(argv, FolderOf(argv[0]), error)) return Fail(error);
    std::string line;
    if (!engine_.Send("START 15")) return Fail("it exited before START");
    if (!Answer("START 15", line, entry_.TimeoutSeconds, false)) return false;
    if (line != "OK") return Fail("it answered '" + line + "' to START 15");
    // The engine is told less time than the bridge waits: see EngineTimeMs.
    std::vector<std::string> info = {"rule 0", "game_type 1",
                                     "timeout_turn " +
                                         std::to_string(EngineTimeMs(entry_.TimeoutSeconds))};
    if (entry_.MatchSeconds > 0) {
        const std::string clock = std::to_string(EngineTimeMs(entry_.MatchSeconds));
        info.push_back("timeout_match " + clock);
        info.push_back("time_left " + clock);
    }
    info.insert(info.end(), entry_.Info.begin(), entry_.Info.end());
    for (const std::string& i : info)
        if (!SendInfo(i)) return Fail("it exited after START");
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

bool BridgePlayer::Answer(const std::string& asked, std::string& line, double seconds, bool clock) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(seconds));
    while (true) {
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        switch (engine_.ReadLine(std::max(0.0, left), line)) {
        case EngineProcess::Read::TimedOut: {
            char text[32];
            if (clock) {
                std::snprintf(text, sizeof text, "%g", entry_.MatchSeconds);
                return Fail("its clock of " + std::string(text) + " s for the game ran out at " +
                            asked);
            }
            std::snprintf(text, sizeof text, "%g", seconds);
            // An ERROR taken for the refusal of an INFO line may have been meant for
            // the command: it is named.
            return Fail("no answer to " + asked + " within " + text + " s (time-out" +
                        (refusal_.empty() ? "" : "; it had answered '" + refusal_ + "'") + ")");
        }
        case EngineProcess::Read::Closed:
            return Fail("it exited without answering " + asked);
        case EngineProcess::Read::Line:
            break;
        }
        if (Aside(line)) continue;
        if (StartsWith(line, "ERROR") || StartsWith(line, "UNKNOWN"))
            return Fail("it answered " + asked + " with '" + line + "'");
        // Whatever the engine says after this answer belongs to later commands.
        pendingInfo_ = 0;
        refusal_.clear();
        return true;
    }
}

VorlixPoint BridgePlayer::Move() {
    if (failed_) return 0;
    const std::vector<VorlixPoint> record = HostRecord();
    const std::vector<std::string> commands = PositionCommands(record);
    refresh_ = false;
    // What the engine said since its last answer is read first, so that nothing of it
    // is taken for the answer to come.
    Drain();
    double wait = entry_.TimeoutSeconds;
    const bool clock = entry_.MatchSeconds > 0;
    if (clock) {
        const double left = entry_.MatchSeconds - spentSeconds_;
        if (left <= 0) return Fail("its clock for the game has run out"), 0;
        if (!SendInfo("time_left " + std::to_string(EngineTimeMs(left))))
            return Fail("it exited before " + commands.front()), 0;
        wait = std::min(wait, left);
    }
    for (const std::string& c : commands)
        if (!engine_.Send(c)) return Fail("it exited before " + commands.front()), 0;
    std::string line;
    const auto t0 = std::chrono::steady_clock::now();
    const bool answered =
        Answer(commands.front(), line, wait, clock && wait < entry_.TimeoutSeconds);
    spentSeconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!answered) return 0;
    int x = 0, y = 0;
    if (!ParseAnswer(line, x, y))
        return Fail("it answered '" + line + "' to " + commands.front() + ", not a point x,y"), 0;
    const VorlixPoint move = VORLIX_POINT(x + 1, y + 1);
    known_ = record;
    known_.push_back(move);
    return move;
}

} // namespace gomocup
