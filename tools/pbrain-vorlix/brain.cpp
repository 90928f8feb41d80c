#include "brain.h"

#include "level_ladder.h"

#include "platform/messages.h"
#include "vorlix/game/board.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"

#include <algorithm>
#include <chrono>

namespace pbrain {

namespace {

using vorlix::TPont;

std::string PointText(TPont p) {
    return std::to_string(p.X - 1) + "," + std::to_string(p.Y - 1);
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
    ClockMs = [] {
        return std::chrono::duration<double, std::milli>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    vorlix::ResetGameModel();
}

Brain::~Brain() = default;

std::string Brain::About() const {
    return "name=\"pbrain-vorlix\", version=\"0.1\", author=\"The vorlix developers\", "
           "country=\"Hungary\"";
}

std::string Brain::BoardProblem(int width, int height) const {
    if (width == vorlix::kBoardSize && height == vorlix::kBoardSize) return {};
    return "only 15 x 15 is played";
}

std::string Brain::SetRule(long long rule) {
    rule_ = rule;
    if (rule != 0)
        return "rule " + std::to_string(rule) + " is not supported: only rule 0 (five or more)";
    return {};
}

std::vector<std::string> Brain::Info(const std::string& key, const std::string& value) {
    if (key == "player") {
        std::string problem = PlayerProblem(factory_, value);
        if (!problem.empty()) return {"ERROR " + problem};
        playerId_ = value;
    }
    // Keys of other managers need nothing from us; max_memory neither: the engines use
    // a fixed amount of memory.
    return {};
}

void Brain::NewGame(int, int) {
    seats_.clear();
    times_.NewGame();
    vorlix::ResetGameModel();
}

std::string Brain::CannotPlay() const {
    if (rule_ != 0) return "rule " + std::to_string(rule_) + " is not supported: only rule 0";
    return PlayerProblem(factory_, playerId_);
}

ThinkReply Brain::Think(const std::vector<Point>& position, const TimeLimits& limits) {
    ThinkReply reply;
    // A game's first answer starts the measures afresh, also under a manager that
    // gives the next game as a new BOARD without RESTART.
    if (position.size() <= 1) times_.NewGame();
    vorlix::ResetGameModel();
    for (size_t i = 0; i < position.size(); ++i)
        vorlix::RecordMove(static_cast<std::uint8_t>(position[i].x + 1),
                           static_cast<std::uint8_t>(position[i].y + 1),
                           i % 2 == 0 ? vorlix::kBlack : vorlix::kWhite);

    std::map<std::string, bool> available;
    for (const auto& entry : factory_.Internal) available[entry.Id] = bool(entry.Make);
    const std::string id =
        ChooseIdentifier(playerId_, TurnBudgetMs(limits), times_.Slowest(), available);
    ReplyBoxes boxes(reply.messages);
    lastPlayed_ = id;
    Seat& seat = seats_[id];
    if (!seat.player) {
        seat.player = factory_.CreatePlayerByName(id, "");
        if (!seat.player) {
            seats_.erase(id);
            reply.error = "player " + id + " could not be created";
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

    const double t0 = ClockMs();
    std::string failure;
    try {
        seat.player->Move();
    } catch (const vorlix::InternalError& e) {
        failure =
            e.Message() + (e.Detail().empty() ? "" : " (" + e.Unit() + ": " + e.Detail() + ")");
    } catch (const std::exception& e) {
        failure = e.what();
    }
    const double ms = ClockMs() - t0;
    if (!failure.empty()) {
        LiftTrialStones();
        vorlix::ColourToMove = static_cast<std::uint8_t>(vorlix::MoveCount % 2 + 1);
        seats_.erase(id);
        reply.error = "engine failure of " + id + ": " + OneLine(failure);
        return reply;
    }
    times_.Add(id, ms);

    TPont m = vorlix::ChosenMove;
    if (!vorlix::OnBoard(m.X, m.Y) || vorlix::Tabla[vorlix::CellIndex(m)] != vorlix::kEmpty) {
        const TPont fix = NearestEmptyToCentre();
        reply.messages.push_back("MESSAGE " + id + " answered " + std::to_string(m.X - 1) + "," +
                                 std::to_string(m.Y - 1) + ", not an empty point; playing " +
                                 PointText(fix) + " instead");
        m = fix;
        seats_.erase(id); // its own picture of the game now differs from the board
    }
    vorlix::RecordMove(m.X, m.Y, vorlix::ColourToMove);
    vorlix::ColourToMove = vorlix::Opponent(vorlix::ColourToMove);
    if (auto s = seats_.find(id); s != seats_.end()) s->second.seen = Record();
    reply.move = Point{m.X - 1, m.Y - 1};
    return reply;
}

} // namespace pbrain
