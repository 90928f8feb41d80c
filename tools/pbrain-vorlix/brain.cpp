#include "brain.h"

#include "level_ladder.h"

#include "platform/messages.h"
#include "vorlix/game/board.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace pbrain {

namespace {

using vorlix::TPont;

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

// Splits "a,b[,c...]" into its numbers.
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

// A zero-based "x,y" of the 15 x 15 board as a point of the game model.
bool ParsePoint(const std::string& text, TPont& p, std::string& error) {
    std::vector<long long> n;
    if (!ParseNumbers(text, n) || n.size() != 2) {
        error = "'" + Trim(text) + "' is not a point x,y";
        return false;
    }
    if (n[0] < 0 || n[0] >= vorlix::kBoardSize || n[1] < 0 || n[1] >= vorlix::kBoardSize) {
        error = "point " + Trim(text) + " is off the 15 x 15 board";
        return false;
    }
    p = TPont{static_cast<std::uint8_t>(n[0] + 1), static_cast<std::uint8_t>(n[1] + 1)};
    return true;
}

std::string PointText(TPont p) {
    return std::to_string(p.X - 1) + "," + std::to_string(p.Y - 1);
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

std::vector<TPont> Record() {
    return std::vector<TPont>(vorlix::GameRecord + 1, vorlix::GameRecord + 1 + vorlix::MoveCount);
}

// The engines' message boxes become MESSAGE lines of the reply.
class ReplyBoxes : public platform::MessageBoxes {
  public:
    explicit ReplyBoxes(std::vector<std::string>& out) : out_(out) {
        previous_ = platform::SetMessageBoxes(this);
    }
    ~ReplyBoxes() override { platform::SetMessageBoxes(previous_); }
    void Show(platform::MessageKind, const std::string& text) override {
        out_.push_back("MESSAGE " + OneLine(text));
    }
    bool Ask(const std::string&) override { return false; }

  private:
    std::vector<std::string>& out_;
    platform::MessageBoxes* previous_ = nullptr;
};

std::string AvailableList(const vorlix::PlayerFactory& factory) {
    std::string list;
    for (const auto& entry : factory.Internal)
        if (entry.Make) list += (list.empty() ? "" : ", ") + entry.Id;
    return list;
}

// The empty cell nearest the centre, for an engine answer that cannot be played.
TPont NearestEmptyToCentre() {
    TPont best{0, 0};
    int bestDistance = 1 << 30;
    for (int x = 1; x <= vorlix::kBoardSize; ++x)
        for (int y = 1; y <= vorlix::kBoardSize; ++y) {
            if (vorlix::Tabla[vorlix::CellIndex(x, y)] != vorlix::kEmpty) continue;
            int d = (x - 8) * (x - 8) + (y - 8) * (y - 8);
            if (d < bestDistance) {
                bestDistance = d;
                best = TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
            }
        }
    return best;
}

// An engine that failed in the middle of an analysis leaves its trial stones behind;
// they are lifted so that the position stays the manager's.
void LiftTrialStones() {
    while (vorlix::SearchDepth > 0) {
        const int cell = vorlix::CellIndex(vorlix::SearchLine[vorlix::SearchDepth]);
        if (cell >= 1 && cell <= vorlix::kCells) vorlix::Tabla[cell] = vorlix::kEmpty;
        --vorlix::SearchDepth;
    }
}

} // namespace

std::string PlayerProblem(const vorlix::PlayerFactory& factory, const std::string& id) {
    for (const auto& entry : factory.Internal)
        if (entry.Id == id)
            return entry.Make ? std::string()
                              : "player " + id + " is not available in this build (available: " +
                                    AvailableList(factory) + ")";
    return "unknown player identifier '" + id + "' (available: " + AvailableList(factory) + ")";
}

Brain::Brain(vorlix::PlayerFactory& factory, std::string playerId)
    : factory_(factory), playerId_(std::move(playerId)) {
    vorlix::ResetGameModel();
}

Brain::~Brain() = default;

void Brain::NewGame() {
    seats_.clear();
    vorlix::ResetGameModel();
    inBoard_ = false;
}

std::vector<std::string> Brain::Handle(const std::string& rawLine) {
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
    if (command == "ABOUT")
        return {"name=\"pbrain-vorlix\", version=\"0.1\", author=\"The vorlix developers\", "
                "country=\"Hungary\""};
    const bool game = command == "RESTART" || command == "BEGIN" || command == "TURN" ||
                      command == "BOARD" || command == "TAKEBACK";
    if (!game) return {"UNKNOWN command '" + command + "' is not supported"};
    if (!started_) return {"ERROR no game started: send START 15 first"};
    if (command == "RESTART") {
        NewGame();
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
        if (vorlix::MoveCount != 0) return {"ERROR BEGIN needs an empty board: use BOARD"};
        return Think();
    }
    return Turn(args);
}

std::vector<std::string> Brain::Start(const std::string& args, bool rectangle) {
    std::vector<long long> n;
    if (!ParseNumbers(args, n) || n.size() != (rectangle ? 2u : 1u))
        return {"ERROR '" + args + "' is not a board size"};
    for (long long size : n)
        if (size != vorlix::kBoardSize)
            return {"ERROR unsupported board size " + args + ": only 15 x 15 is played"};
    started_ = true;
    NewGame();
    return {"OK"};
}

std::vector<std::string> Brain::Info(const std::string& args) {
    const size_t space = args.find_first_of(" \t");
    const std::string key = args.substr(0, space);
    const std::string value = space == std::string::npos ? "" : Trim(args.substr(space));
    long long v = 0;
    const bool number = ParseInt(value, v) && v >= 0;
    auto ignored = [&] {
        return std::vector<std::string>{"MESSAGE INFO " + key + " ignored: '" + value +
                                        "' is not a non-negative number"};
    };
    if (key == "timeout_turn" || key == "timeout_match" || key == "time_left") {
        if (!number) return ignored();
        (key == "timeout_turn"    ? timeoutTurn_
         : key == "timeout_match" ? timeoutMatch_
                                  : timeLeft_) = v;
        return {};
    }
    if (key == "rule") {
        if (!number) return {"ERROR rule '" + value + "' is not a number"};
        rule_ = static_cast<int>(std::min<long long>(v, 1 << 30));
        if (rule_ != 0)
            return {"ERROR rule " + value + " is not supported: only rule 0 (five or more)"};
        return {};
    }
    if (key == "player") {
        std::string problem = PlayerProblem(factory_, value);
        if (!problem.empty()) return {"ERROR " + problem};
        playerId_ = value;
        return {};
    }
    if (key == "folder") folder_ = value;
    // max_memory, game_type, evaluate and keys of other managers need nothing from us:
    // the engines use a fixed amount of memory and play every game the same way.
    return {};
}

std::vector<std::string> Brain::Turn(const std::string& args) {
    TPont p{};
    std::string error;
    if (!ParsePoint(args, p, error)) return {"ERROR " + error};
    if (vorlix::Tabla[vorlix::CellIndex(p)] != vorlix::kEmpty)
        return {"ERROR point " + PointText(p) + " is already taken"};
    std::string problem = CannotPlay();
    if (!problem.empty()) return {"ERROR " + problem};
    vorlix::RecordMove(p.X, p.Y, static_cast<std::uint8_t>(vorlix::MoveCount % 2 + 1));
    return Think();
}

std::vector<std::string> Brain::TakeBack(const std::string& args) {
    TPont p{};
    std::string error;
    if (!ParsePoint(args, p, error)) return {"ERROR " + error};
    if (vorlix::MoveCount == 0 || !(vorlix::GameRecord[vorlix::MoveCount] == p))
        return {"ERROR only the last stone can be taken back, not " + PointText(p)};
    vorlix::Tabla[vorlix::CellIndex(p)] = vorlix::kEmpty;
    --vorlix::MoveCount;
    vorlix::ShownMoves = vorlix::MoveCount;
    return {"OK"};
}

std::vector<std::string> Brain::BoardLine(const std::string& line) {
    if (Upper(line) == "DONE") {
        inBoard_ = false;
        return BoardDone();
    }
    if (line.empty() || !boardError_.empty()) return {};
    // The first bad line is remembered and answered at DONE; the rest are skipped.
    std::vector<long long> n;
    TPont p{};
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

std::vector<std::string> Brain::BoardDone() {
    if (!boardError_.empty()) return {"ERROR " + boardError_};
    // The stones of each side keep their order; the sides alternate from black, and the
    // engine (field 1) is the side to move: black when both have as many stones.
    std::vector<TPont> own, other;
    for (const auto& [p, field] : boardStones_) (field == 1 ? own : other).push_back(p);
    if (own.size() != other.size() && own.size() + 1 != other.size())
        return {"ERROR " + std::to_string(own.size()) + " own and " + std::to_string(other.size()) +
                " opponent stones: not a position to move in"};
    const std::vector<TPont>& black = own.size() == other.size() ? own : other;
    const std::vector<TPont>& white = own.size() == other.size() ? other : own;
    if (black.size() + white.size() >= static_cast<size_t>(vorlix::kCells))
        return {"ERROR the board is full"};
    std::string problem = CannotPlay();
    if (!problem.empty()) return {"ERROR " + problem};
    vorlix::ResetGameModel();
    for (size_t i = 0; i < black.size(); ++i) {
        vorlix::RecordMove(black[i].X, black[i].Y, vorlix::kBlack);
        if (i < white.size()) vorlix::RecordMove(white[i].X, white[i].Y, vorlix::kWhite);
    }
    return Think();
}

std::string Brain::CannotPlay() const {
    if (rule_ != 0) return "rule " + std::to_string(rule_) + " is not supported: only rule 0";
    return PlayerProblem(factory_, playerId_);
}

long long Brain::BudgetMs() const {
    // The match time is spread over the moves still to come (a dozen is a fair guess for
    // the rest of a game); a limit of 0 asks for the quickest answer.
    long long budget = timeoutTurn_;
    if (timeLeft_ >= 0) budget = budget < 0 ? timeLeft_ / 12 : std::min(budget, timeLeft_ / 12);
    return budget;
}

std::vector<std::string> Brain::Think() {
    std::string problem = CannotPlay();
    if (!problem.empty()) return {"ERROR " + problem};
    if (vorlix::MoveCount >= vorlix::kCells) return {"ERROR the board is full"};

    std::map<std::string, bool> available;
    for (const auto& entry : factory_.Internal) available[entry.Id] = bool(entry.Make);
    const std::string id = ChooseIdentifier(playerId_, BudgetMs(), slowestMs_, available);
    std::vector<std::string> reply;
    ReplyBoxes boxes(reply);
    Seat& seat = seats_[id];
    if (!seat.player) {
        seat.player = factory_.CreatePlayerByName(id, "");
        if (!seat.player) {
            seats_.erase(id);
            reply.push_back("ERROR player " + id + " could not be created");
            return reply;
        }
    }
    const std::vector<TPont> record = Record();
    // The player goes on from what it saw only when the position grew by the opponent's
    // one move (or is the bare centre opening); anything else it rebuilds from the board.
    const bool continues = record.size() >= seat.seen.size() &&
                           record.size() <= seat.seen.size() + 1 &&
                           std::equal(seat.seen.begin(), seat.seen.end(), record.begin()) &&
                           (record.size() != 1 || record[0] == TPont{8, 8});
    seat.player->BoardChanged = !continues;
    vorlix::ColourToMove = static_cast<std::uint8_t>(vorlix::MoveCount % 2 + 1);
    vorlix::MoverColour = vorlix::ColourToMove;
    vorlix::MoverOpponent = vorlix::Opponent(vorlix::ColourToMove);
    vorlix::ShownMoves = vorlix::MoveCount;

    if (OnThinking && !OnThinking(true)) return {};
    const auto t0 = std::chrono::steady_clock::now();
    std::string failure;
    try {
        seat.player->Move();
    } catch (const vorlix::InternalError& e) {
        failure =
            e.Message() + (e.Detail().empty() ? "" : " (" + e.Unit() + ": " + e.Detail() + ")");
    } catch (const std::exception& e) {
        failure = e.what();
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (OnThinking) OnThinking(false);
    if (!failure.empty()) {
        LiftTrialStones();
        vorlix::ColourToMove = static_cast<std::uint8_t>(vorlix::MoveCount % 2 + 1);
        seats_.erase(id);
        reply.push_back("ERROR engine failure of " + id + ": " + OneLine(failure));
        return reply;
    }
    slowestMs_[id] = std::max(slowestMs_[id], ms);

    TPont m = vorlix::ChosenMove;
    if (!vorlix::OnBoard(m.X, m.Y) || vorlix::Tabla[vorlix::CellIndex(m)] != vorlix::kEmpty) {
        const TPont fix = NearestEmptyToCentre();
        reply.push_back("MESSAGE " + id + " answered " + std::to_string(m.X - 1) + "," +
                        std::to_string(m.Y - 1) + ", not an empty point; playing " +
                        PointText(fix) + " instead");
        m = fix;
        seats_.erase(id); // its own picture of the game now differs from the board
    }
    vorlix::RecordMove(m.X, m.Y, vorlix::ColourToMove);
    vorlix::ColourToMove = vorlix::Opponent(vorlix::ColourToMove);
    if (auto s = seats_.find(id); s != seats_.end()) s->second.seen = Record();
    reply.push_back(PointText(m));
    return reply;
}

} // namespace pbrain
