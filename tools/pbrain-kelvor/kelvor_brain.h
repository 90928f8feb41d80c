#pragma once
// KelvorBrain: pbrain-kelvor's engine of the gomoku tournament protocol: kelvor's
// document, rules and engine behind the session.
//
// Boards of 13, 15, 17 and 19 lines; INFO rule 0 (gomoku, five or more), 1 (gomoku,
// exactly five) and 4 (renju: black's forbidden moves are never played, and one sent
// by the manager is answered with ERROR). Our own keys: INFO level L (1..12, the
// computer level) and INFO vct 0|1 (the "VCT search" option).
//
// The search runs on kelvor's worker thread with a stop flag. With a time limit from
// INFO (timeout_turn, timeout_match, time_left) the levels are searched in turn, from
// level 1 up to the level asked for; the answer is the one of the highest level that
// finished, and the stop flag ends the search in progress before the limit. Without a
// limit the level itself is searched, within kelvor's own time control. StopNow ends
// any search at once, for END.

#include "tools/pbrain-protocol/session.h"

#include "kelvor/kelvor_doc.h"
#include "kelvor/thinking_thread.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace pbrain {

inline constexpr int kDefaultKelvorLevel = 12;

class KelvorBrain : public ConsoleEngine {
  public:
    // Reads kelvor's tables and books from `folder` (with a trailing "/"); `seed` makes
    // the play repeatable.
    KelvorBrain(std::string folder, std::optional<uint32_t> seed, int level);
    ~KelvorBrain() override;

    bool TablesLoaded() const { return doc_->TablesLoaded(); }
    Session& Protocol() { return session_; }
    std::vector<std::string> Handle(const std::string& line) { return session_.Handle(line); }
    bool Ended() const { return session_.Ended(); }
    // Ends the search in progress and every later one at once; safe from any thread.
    void StopNow();
    // The level searched for the last answer (0 before the first).
    int LastLevel() const { return lastLevel_; }

    // ConsoleEngine
    std::string About() const override;
    std::string BoardProblem(int width, int height) const override;
    std::string SetRule(long long rule) override;
    std::vector<std::string> Info(const std::string& key, const std::string& value) override;
    void NewGame(int width, int height) override;
    std::string CannotPlay() const override;
    std::string MoveProblem(const std::vector<Point>& record, Point p) override;
    ThinkReply Think(const std::vector<Point>& record, const TimeLimits& limits) override;

  private:
    // Brings the document to `record`: the moves that follow its own record are made,
    // any other position is replayed from an empty board.
    void Follow(const std::vector<Point>& record);
    // Searches on the worker thread until it ends or `deadlineMs` (negative: none).
    kelvor::ThinkResult Search(long long deadlineMs);
    std::optional<Point> AnyLegalMove();

    std::unique_ptr<kelvor::CKelvorDoc> doc_;
    int level_;
    bool vct_ = false;
    long long rule_ = 0;
    bool ruleChanged_ = false;
    int lastLevel_ = 0;
    std::atomic<bool> ending_{false};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false; // under mutex_
    kelvor::ThinkingThread worker_;
    Session session_{*this};
};

// The memory kelvor's engine needs whatever the limit: its tables have a fixed size.
long long KelvorMemoryBytes();

} // namespace pbrain
