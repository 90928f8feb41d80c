#include "kelvor_brain.h"

#include "kelvor/board.h"
#include "kelvor/engine.h"
#include "kelvor/pattern_tables.h"
#include "platform/messages.h"

#include <algorithm>
#include <chrono>

namespace pbrain {

namespace {

using Clock = std::chrono::steady_clock;

// The document's message boxes become MESSAGE lines of the reply, but for the end of
// the game ("Player 1 won", "Draw!"): the manager judges the game itself.
class ReplyBoxes : public platform::MessageBoxes {
  public:
    explicit ReplyBoxes(std::vector<std::string>& out) : out_(out) {
        previous_ = platform::SetMessageBoxes(this);
    }
    ~ReplyBoxes() override { platform::SetMessageBoxes(previous_); }
    void Show(platform::MessageKind, const std::string& text) override {
        if (text.rfind("Player ", 0) == 0 || text == "Draw!") return;
        out_.push_back("MESSAGE " + OneLine(text));
    }
    bool Ask(const std::string&) override { return false; }

  private:
    std::vector<std::string>& out_;
    platform::MessageBoxes* previous_ = nullptr;
};

long long SinceMs(Clock::time_point t0) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
}

// How much longer than a level the next one is taken to search; a level whose
// predicted time does not fit what is left of the move is not started.
constexpr long long kLevelGrowth = 3;

} // namespace

long long KelvorMemoryBytes() {
    // The hashed arrays (32-, 8- and 16-bit values), the two tables, an opening book,
    // and the program itself.
    return static_cast<long long>(kelvor::kHashEntries) * 7 +
           (kelvor::kAutomatonValues + kelvor::kRecordTableValues + 1000 * 50) * 4 + (4LL << 20);
}

KelvorBrain::KelvorBrain(std::string folder, std::optional<uint32_t> seed, int level)
    : doc_(std::make_unique<kelvor::CKelvorDoc>(std::move(folder), seed)), level_(level) {}

KelvorBrain::~KelvorBrain() {
    StopNow();
    worker_.Join();
}

void KelvorBrain::StopNow() {
    // In this order: a search that clears its stop flag reads ending_ afterwards.
    ending_ = true;
    stop_ = true;
}

std::string KelvorBrain::About() const {
    return "name=\"pbrain-kelvor\", version=\"0.1\", author=\"The vorlix developers\", "
           "country=\"Hungary\"";
}

std::string KelvorBrain::BoardProblem(int width, int height) const {
    if (width == height && (width == 13 || width == 15 || width == 17 || width == 19)) return {};
    return "only square boards of 13, 15, 17 and 19 lines are played";
}

std::string KelvorBrain::SetRule(long long rule) {
    rule_ = rule;
    ruleChanged_ = true;
    return CannotPlay();
}

std::string KelvorBrain::CannotPlay() const {
    if (rule_ == 0 || rule_ == 1 || rule_ == 4) return {};
    return "rule " + std::to_string(rule_) +
           " is not supported: only 0 (five or more), 1 (exactly five) and 4 (renju)";
}

std::vector<std::string> KelvorBrain::Info(const std::string& key, const std::string& value) {
    long long v = 0;
    const bool number = ParseInt(value, v);
    if (key == "level") {
        if (!number || v < 1 || v > 12) return {"ERROR level '" + value + "' is not 1..12"};
        level_ = static_cast<int>(v);
    } else if (key == "vct") {
        if (!number || (v != 0 && v != 1)) return {"ERROR vct '" + value + "' is not 0 or 1"};
        vct_ = v == 1;
    } else if (key == "max_memory") {
        // The engine's tables have a fixed size; 0 means no limit.
        if (v > 0 && v < KelvorMemoryBytes())
            return {"ERROR max_memory " + value + " is below the " +
                    std::to_string(KelvorMemoryBytes()) + " bytes kelvor needs"};
    }
    return {};
}

void KelvorBrain::NewGame(int width, int) {
    doc_->OpeningBook = true;
    doc_->SetBoardSize(width);
    ruleChanged_ = true;
}

void KelvorBrain::Follow(const std::vector<Point>& record) {
    const int n = doc_->BoardSize;
    std::vector<int> cells;
    for (const Point& p : record) cells.push_back(p.x + p.y * n);
    const std::vector<int>& known = doc_->Record;
    const bool extends = !ruleChanged_ && known.size() <= cells.size() &&
                         std::equal(known.begin(), known.end(), cells.begin());
    if (!extends) {
        doc_->Variant = rule_ == 4 ? 0 : 1;
        doc_->ExactFive = rule_ == 1;
        doc_->NewGame();
        ruleChanged_ = false;
    }
    // The computer plays both colours: the opening book is used for either side.
    doc_->PlayerLevel = {level_, level_};
    for (size_t i = doc_->Record.size(); i < cells.size(); ++i) {
        const int x = cells[i] % n, y = cells[i] / n;
        if (!kelvor::IsFree(doc_->Board[x][y])) break;
        doc_->MakeMove(x, y);
    }
}

std::string KelvorBrain::MoveProblem(const std::vector<Point>& record, Point p) {
    if (rule_ != 4 || record.size() % 2 != 0) return {};
    std::vector<std::string> ignored;
    ReplyBoxes boxes(ignored);
    Follow(record);
    if (doc_->IsLegal(p.x, p.y)) return {};
    return "move " + std::to_string(p.x) + "," + std::to_string(p.y) +
           " is forbidden for black in renju";
}

kelvor::ThinkResult KelvorBrain::Search(long long budgetMs) {
    const auto t0 = Clock::now();
    const bool limited = budgetMs >= 0;
    // The stop flag goes up a little before the limit: the search looks at it every
    // thousand nodes or so, and the answer still has to reach the manager.
    const long long stopMs = limited ? budgetMs - std::max(30LL, budgetMs / 10) : -1;
    stop_ = false;
    if (ending_) stop_ = true;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = false;
    }
    kelvor::ThinkResult best;
    int bestLevel = 0;
    worker_.Start([&](const std::atomic<bool>&) {
        for (int level = limited ? 1 : level_; level <= level_; ++level) {
            const auto started = Clock::now();
            doc_->PlayerLevel = {level, level};
            const kelvor::ThinkResult r = doc_->Think(&stop_);
            if (r.x < 0) break;
            // A stopped search is an answer only when no level finished before it.
            if (bestLevel == 0 || !r.stopped) {
                best = r;
                bestLevel = level;
            }
            // Nothing deeper to find: a book move, a forced or won move, or no time.
            // (A leaf value is at most 10000; a won line is worth nearly kWinValue.)
            if (r.stopped || r.nodes == 0 || r.fromBook ||
                r.value >= kelvor::kWinValue - kelvor::kMaxPly)
                break;
            if (limited && SinceMs(t0) + kLevelGrowth * SinceMs(started) > stopMs) break;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        done_.notify_all();
    });
    if (limited) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!done_.wait_until(lock, t0 + std::chrono::milliseconds(std::max(0LL, stopMs)),
                              [this] { return finished_; }))
            stop_ = true;
    }
    worker_.Join();
    doc_->PlayerLevel = {level_, level_};
    lastLevel_ = bestLevel;
    return best;
}

std::optional<Point> KelvorBrain::AnyLegalMove() {
    const int n = doc_->BoardSize, c = doc_->Centre;
    std::optional<Point> found;
    int nearest = 1 << 30;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            if (!kelvor::IsFree(doc_->Board[x][y])) continue;
            const int d = (x - c) * (x - c) + (y - c) * (y - c);
            if (d >= nearest) continue;
            if (doc_->Variant == 0 && doc_->ToMove == kelvor::kBlack && !doc_->IsLegal(x, y))
                continue;
            nearest = d;
            found = Point{x, y};
        }
    return found;
}

ThinkReply KelvorBrain::Think(const std::vector<Point>& record, const TimeLimits& limits) {
    ThinkReply reply;
    ReplyBoxes boxes(reply.messages);
    Follow(record);
    doc_->VctSearch = vct_;
    const long long budget = TurnBudgetMs(limits);
    // With a limit of the manager's the stop flag keeps it; without one, kelvor's own
    // time control applies.
    doc_->MaxSeconds = budget >= 0 ? 0 : 60;
    const kelvor::ThinkResult r = Search(budget);
    if (ending_) return {}; // END arrived: nothing is answered
    const bool renjuBlack = doc_->Variant == 0 && doc_->ToMove == kelvor::kBlack;
    std::optional<Point> move;
    if (r.x >= 0 && kelvor::OnBoard(doc_->BoardSize, r.x, r.y) &&
        kelvor::IsFree(doc_->Board[r.x][r.y]) && !(renjuBlack && !doc_->IsLegal(r.x, r.y)))
        move = Point{r.x, r.y};
    if (!move) {
        move = AnyLegalMove();
        if (!move) {
            reply.error = "no move is left that the rules allow";
            return reply;
        }
        reply.messages.push_back("MESSAGE kelvor found no move; playing " +
                                 std::to_string(move->x) + "," + std::to_string(move->y));
    }
    doc_->MakeMove(move->x, move->y);
    reply.move = move;
    return reply;
}

} // namespace pbrain
