#include "session.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace pbrain {

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    auto b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool ParseInt(const std::string& text, long long& value) {
    const std::string t = Trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (errno || *end) return false;
    value = v;
    return true;
}

bool ParseNumbers(const std::string& text, std::vector<long long>& out) {
    out.clear();
    size_t from = 0;
    while (true) {
        size_t comma = text.find(',', from);
        long long v = 0;
        if (!ParseInt(text.substr(from, comma - from), v)) return false;
        out.push_back(v);
        if (comma == std::string::npos) return true;
        from = comma + 1;
    }
}

long long TurnBudgetMs(const TimeLimits& limits) {
    // What is left of the game's time is spread over the moves still to come (a dozen
    // is a fair guess for the rest of a game); a limit of 0 asks for the quickest
    // answer. A match time of 0 means no limit.
    long long budget = limits.turnMs;
    const long long left = limits.matchMs == 0 ? -1 : limits.leftMs;
    if (left >= 0) budget = budget < 0 ? left / 12 : std::min(budget, left / 12);
    return budget;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string Session::PointText(Point p) const {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

bool Session::ParsePoint(const std::string& text, Point& p, std::string& error) const {
    std::vector<long long> n;
    if (!ParseNumbers(text, n) || n.size() != 2) {
        error = "'" + Trim(text) + "' is not a point x,y";
        return false;
    }
    if (n[0] < 0 || n[0] >= width_ || n[1] < 0 || n[1] >= height_) {
        error = "point " + Trim(text) + " is off the " + std::to_string(width_) + " x " +
                std::to_string(height_) + " board";
        return false;
    }
    p = Point{static_cast<int>(n[0]), static_cast<int>(n[1])};
    return true;
}

bool Session::Taken(Point p) const {
    return std::find(record_.begin(), record_.end(), p) != record_.end();
}

std::vector<std::string> Session::Handle(const std::string& rawLine) {
    const std::string line = Trim(rawLine);
    if (inBoard_) return BoardLine(line);
    if (line.empty()) return {};
    const size_t space = line.find_first_of(" \t");
    const std::string command = Upper(line.substr(0, space));
    const std::string args = space == std::string::npos ? "" : Trim(line.substr(space));

    if (command == "START") return Start(args, false);
    if (command == "RECTSTART") return Start(args, true);
    if (command == "INFO") return Info(args);
    if (command == "END") {
        ended_ = true;
        return {};
    }
    if (command == "ABOUT") return {engine_.About()};
    const bool game = command == "RESTART" || command == "BEGIN" || command == "TURN" ||
                      command == "BOARD" || command == "TAKEBACK";
    if (!game) return {"UNKNOWN command '" + command + "' is not supported"};
    if (!started_) return {"ERROR no game started: send START first"};
    if (command == "RESTART") {
        record_.clear();
        engine_.NewGame(width_, height_);
        return {"OK"};
    }
    if (command == "TAKEBACK") return TakeBack(args);
    if (command == "BOARD") {
        inBoard_ = true;
        boardStones_.clear();
        boardError_.clear();
        return {};
    }
    if (command == "BEGIN") {
        if (!record_.empty()) return {"ERROR BEGIN needs an empty board: use BOARD"};
        return Answer();
    }
    return Turn(args);
}

std::vector<std::string> Session::Start(const std::string& args, bool rectangle) {
    std::vector<long long> n;
    if (!ParseNumbers(args, n) || n.size() != (rectangle ? 2u : 1u))
        return {"ERROR '" + args + "' is not a board size"};
    const long long w = n[0], h = rectangle ? n[1] : n[0];
    const bool sane = w > 0 && h > 0 && w <= 1000 && h <= 1000;
    const std::string problem = sane
                                    ? engine_.BoardProblem(static_cast<int>(w), static_cast<int>(h))
                                    : std::string("not a board");
    if (!problem.empty()) return {"ERROR unsupported board size " + args + ": " + problem};
    started_ = true;
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    record_.clear();
    inBoard_ = false;
    engine_.NewGame(width_, height_);
    return {"OK"};
}

std::vector<std::string> Session::Info(const std::string& args) {
    const size_t space = args.find_first_of(" \t");
    const std::string key = args.substr(0, space);
    const std::string value = space == std::string::npos ? "" : Trim(args.substr(space));
    long long v = 0;
    const bool number = ParseInt(value, v) && v >= 0;
    long long* limit = key == "timeout_turn"    ? &limits_.turnMs
                       : key == "timeout_match" ? &limits_.matchMs
                       : key == "time_left"     ? &limits_.leftMs
                       : key == "max_memory"    ? &limits_.maxMemory
                                                : nullptr;
    if (limit) {
        if (!number)
            return {"MESSAGE INFO " + key + " ignored: '" + value +
                    "' is not a non-negative number"};
        *limit = v;
        // The engine may refuse a memory limit it cannot keep.
        return key == "max_memory" ? engine_.Info(key, value) : std::vector<std::string>{};
    }
    if (key == "rule") {
        if (!number) return {"ERROR rule '" + value + "' is not a number"};
        const std::string problem = engine_.SetRule(v);
        if (!problem.empty()) return {"ERROR " + problem};
        return {};
    }
    // The opponent's kind, the manager's folder and its evaluation requests change
    // nothing in how the engines play.
    if (key == "game_type" || key == "folder" || key == "evaluate") return {};
    return engine_.Info(key, value);
}

std::vector<std::string> Session::Turn(const std::string& args) {
    Point p;
    std::string error;
    if (!ParsePoint(args, p, error)) return {"ERROR " + error};
    if (Taken(p)) return {"ERROR point " + PointText(p) + " is already taken"};
    std::string problem = engine_.CannotPlay();
    if (problem.empty()) problem = engine_.MoveProblem(record_, p);
    if (!problem.empty()) return {"ERROR " + problem};
    record_.push_back(p);
    return Answer();
}

std::vector<std::string> Session::TakeBack(const std::string& args) {
    Point p;
    std::string error;
    if (!ParsePoint(args, p, error)) return {"ERROR " + error};
    if (record_.empty() || !(record_.back() == p))
        return {"ERROR only the last stone can be taken back, not " + PointText(p)};
    record_.pop_back();
    return {"OK"};
}

std::vector<std::string> Session::BoardLine(const std::string& line) {
    const std::string upper = Upper(line);
    if (upper == "DONE") {
        inBoard_ = false;
        return BoardDone();
    }
    // END must be heard here too: a manager that gives up in the middle of a block
    // would otherwise wait for an engine that waits for DONE.
    if (upper == "END") {
        inBoard_ = false;
        ended_ = true;
        return {};
    }
    if (line.empty() || !boardError_.empty()) return {};
    // The first bad line is remembered and answered at DONE; the rest are skipped.
    std::vector<long long> n;
    Point p;
    if (!ParseNumbers(line, n) || n.size() != 3) {
        boardError_ = "'" + line + "' is not a stone x,y,field";
        return {};
    }
    if (!ParsePoint(std::to_string(n[0]) + "," + std::to_string(n[1]), p, boardError_)) return {};
    if (n[2] != 1 && n[2] != 2) {
        boardError_ = "field " + std::to_string(n[2]) + " of " + line + " is not 1 or 2";
        return {};
    }
    for (const auto& s : boardStones_)
        if (s.first == p) boardError_ = "point " + PointText(p) + " is given twice";
    boardStones_.push_back({p, static_cast<int>(n[2])});
    return {};
}

std::vector<std::string> Session::BoardDone() {
    if (!boardError_.empty()) return {"ERROR " + boardError_};
    std::vector<Point> own, other;
    for (const auto& [p, field] : boardStones_) (field == 1 ? own : other).push_back(p);
    if (own.size() != other.size() && own.size() + 1 != other.size())
        return {"ERROR " + std::to_string(own.size()) + " own and " + std::to_string(other.size()) +
                " opponent stones: not a position to move in"};
    const std::vector<Point>& black = own.size() == other.size() ? own : other;
    const std::vector<Point>& white = own.size() == other.size() ? other : own;
    if (black.size() + white.size() >= static_cast<size_t>(width_) * height_)
        return {"ERROR the board is full"};
    std::string problem = engine_.CannotPlay();
    if (!problem.empty()) return {"ERROR " + problem};
    std::vector<Point> record;
    for (size_t i = 0; i < black.size(); ++i) {
        record.push_back(black[i]);
        if (i < white.size()) record.push_back(white[i]);
    }
    // The opponent's last stone is the move the engine answers: it must be one the
    // rules allow.
    if (!record.empty()) {
        const Point last = record.back();
        record.pop_back();
        problem = engine_.MoveProblem(record, last);
        record.push_back(last);
        if (!problem.empty()) return {"ERROR " + problem};
    }
    record_ = std::move(record);
    return Answer();
}

std::vector<std::string> Session::Answer() {
    std::string problem = engine_.CannotPlay();
    if (!problem.empty()) return {"ERROR " + problem};
    if (record_.size() >= static_cast<size_t>(width_) * height_) return {"ERROR the board is full"};
    if (record_.size() <= 1) spentMs_ = 0; // the engine's first move of a game
    if (OnThinking && !OnThinking(true)) return {};
    // Without time_left from the manager, what is left of the game's time is the match
    // time less what the engine's answers took so far.
    TimeLimits limits = limits_;
    if (limits.leftMs < 0 && limits.matchMs > 0)
        limits.leftMs = std::max(0LL, limits.matchMs - static_cast<long long>(spentMs_));
    const auto t0 = std::chrono::steady_clock::now();
    ThinkReply reply = engine_.Think(record_, limits);
    spentMs_ +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (OnThinking) OnThinking(false);
    std::vector<std::string> lines = reply.messages;
    if (!reply.error.empty()) {
        lines.push_back("ERROR " + reply.error);
    } else if (reply.move) {
        const Point m = *reply.move;
        if (m.x < 0 || m.x >= width_ || m.y < 0 || m.y >= height_ || Taken(m)) {
            lines.push_back("ERROR the engine chose " + PointText(m) + ", not an empty point");
        } else {
            record_.push_back(m);
            lines.push_back(PointText(m));
        }
    }
    return lines;
}

} // namespace pbrain
