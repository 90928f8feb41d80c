// kelvor-cli: command-line front end to the kelvor engine core.

#include "kelvor/bench.h"
#include "kelvor/kelvor_doc.h"
#include "kelvor/match.h"
#include "kelvor/match_record.h"
#include "kelvor/opening_book.h"
#include "kelvor/pattern_compiler.h"
#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/program_folder.h"
#include "tools/docgen/command_docs.h"
#include "tools/match_report/match_report.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kelvor_cli {
int WriteOpenings(const std::string& dir, int level, int perOpening, int moves, uint32_t seed);
int Soak(int games, unsigned seed, int lo, int hi, int seconds, int maxMoves,
         const std::string& folder);
} // namespace kelvor_cli

namespace {

using Args = std::vector<std::string>;

// Options "--name value..." into a map; a name may take several values (--moves).
struct Options {
    std::map<std::string, std::vector<std::string>> values;
    bool ok = true;

    bool Has(const std::string& n) const { return values.count(n) > 0; }
    std::string Get(const std::string& n, const std::string& fallback) const {
        auto it = values.find(n);
        return it == values.end() || it->second.empty() ? fallback : it->second.front();
    }
    std::string error; // the first value refused, for the user

    // The whole value as a decimal number in lo..hi; anything else ("abc", "-1" below
    // lo, "5x", a number past the range of long long) is refused with a message and
    // gives `fallback`.
    long long Number(const std::string& n, long long fallback, long long lo, long long hi) {
        std::string v = Get(n, "");
        if (v.empty() && !Has(n)) return fallback;
        char* end = nullptr;
        errno = 0;
        const long long r = std::strtoll(v.c_str(), &end, 10);
        if (v.empty() || *end || errno == ERANGE || r < lo || r > hi) {
            ok = false;
            if (error.empty())
                error = "--" + n + " must be a whole number from " + std::to_string(lo) + " to " +
                        std::to_string(hi) + ", not '" + v + "'";
            return fallback;
        }
        return r;
    }
    int Int(const std::string& n, int fallback, int lo = INT_MIN, int hi = INT_MAX) {
        return static_cast<int>(Number(n, fallback, lo, hi));
    }
    // A seed is any 32-bit unsigned value.
    uint32_t Seed(uint32_t fallback = 1) {
        return static_cast<uint32_t>(Number("seed", fallback, 0, UINT32_MAX));
    }
};

// Limits of the options: a search may take up to an hour a move, a match runs at most
// kMaxJobs games at once (each game holds an engine of about 11 MB).
constexpr int kMaxSeconds = 3600;
constexpr int kMaxJobs = 32;

// Whether `usage` names the option "--name" (and not only a longer one).
bool NamesOption(const std::string& usage, const std::string& name) {
    const std::string option = "--" + name;
    for (size_t at = usage.find(option); at != std::string::npos; at = usage.find(option, at + 1)) {
        const size_t end = at + option.size();
        if (end == usage.size() || !(std::isalnum(static_cast<unsigned char>(usage[end])) ||
                                     usage[end] == '-' || usage[end] == '_'))
            return true;
    }
    return false;
}

// The options of a command whose usage is `usage`: an option the usage does not name is
// refused, so a misspelt one is not silently ignored.
Options Parse(const Args& args, const std::string& usage) {
    Options o;
    std::string current;
    for (const auto& a : args) {
        if (a.rfind("--", 0) == 0) {
            current = a.substr(2);
            o.values[current];
        } else if (current.empty()) {
            o.ok = false;
        } else {
            // "--moves H8,H9" and "--moves H8 H9" are the same.
            std::stringstream parts(a);
            for (std::string p; std::getline(parts, p, ',');)
                if (!p.empty()) o.values[current].push_back(p);
        }
    }
    for (const auto& [name, values] : o.values)
        if (!NamesOption(usage, name)) {
            o.ok = false;
            if (o.error.empty()) o.error = "unknown option --" + name;
        }
    return o;
}

int Usage(const std::string& usage) {
    std::fprintf(stderr, "usage: kelvor-cli %s\n", usage.c_str());
    return 2;
}
// The refused value first, then the usage.
int Usage(const Options& o, const std::string& usage) {
    if (!o.error.empty()) std::fprintf(stderr, "kelvor-cli: %s\n", o.error.c_str());
    return Usage(usage);
}

// Tables missing or not valid: the reason, with the folder.
int NoTables(const kelvor::CKelvorDoc& doc, const std::string& folder) {
    std::fprintf(stderr, "kelvor-cli: %s in %s\n", doc.TablesProblem().c_str(),
                 folder.empty() ? "the working folder" : folder.c_str());
    return 1;
}

class SilentBoxes : public platform::MessageBoxes {
  public:
    void Show(platform::MessageKind, const std::string&) override {}
    bool Ask(const std::string&) override { return false; }
};

std::string DataFolder(const Options& o) {
    std::string f = o.Get(
        "data", platform::FilesFolder(platform::ProgramFolder(), platform::ProgramFiles::Data));
    if (!f.empty() && f.back() != '/') f += '/';
    return f;
}

int VariantOf(const Options& o, bool& ok) {
    std::string v = o.Get("variant", "gomoku");
    if (v == "renju") return 0;
    if (v != "gomoku") ok = false;
    return 1;
}

// Plays the moves on the document as given, without the opening rules. False when a
// move is malformed or taken.
bool Replay(kelvor::CKelvorDoc& doc, const Options& o) {
    auto it = o.values.find("moves");
    if (it == o.values.end()) return true;
    for (const auto& m : it->second) {
        auto cell = kelvor::ParseCell(m, doc.BoardSize);
        if (!cell || !kelvor::IsFree(doc.Board[cell->first][cell->second])) {
            std::fprintf(stderr, "kelvor-cli: bad move '%s'\n", m.c_str());
            return false;
        }
        doc.MakeMove(cell->first, cell->second);
    }
    return true;
}

// Usages and texts come from docs/kelvor-cli.md, which is also the man page.
const docs::CommandDoc kDocs[] = {
#include "kelvor-cli_docs.inc"
};

const std::string kForbiddenUsage = docs::UsageOf(kDocs, "forbidden");
const std::string kThinkUsage = docs::UsageOf(kDocs, "think");
const std::string kMatchUsage = docs::UsageOf(kDocs, "match");
const std::string kSoakUsage = docs::UsageOf(kDocs, "soak");
const std::string kBenchUsage = docs::UsageOf(kDocs, "bench");
const std::string kTablesUsage = docs::UsageOf(kDocs, "tables");
const std::string kBooksUsage = docs::UsageOf(kDocs, "books");
const std::string kOpeningsUsage = docs::UsageOf(kDocs, "openings");

bool ValidSize(int n) {
    return n >= 13 && n <= 19 && n % 2 == 1;
}

int Forbidden(const Args& args) {
    Options o = Parse(args, kForbiddenUsage);
    int n = o.Int("size", 15);
    if (!o.ok || !ValidSize(n)) return Usage(o, kForbiddenUsage);
    SilentBoxes quiet;
    platform::SetMessageBoxes(&quiet);
    kelvor::CKelvorDoc doc(DataFolder(o), 1);
    platform::SetMessageBoxes(nullptr);
    if (!doc.TablesLoaded()) return NoTables(doc, DataFolder(o));
    doc.Variant = 0;
    doc.OpeningBook = false;
    doc.SetBoardSize(n);
    platform::SetMessageBoxes(&quiet);
    bool ok = Replay(doc, o);
    platform::SetMessageBoxes(nullptr);
    if (!ok) return 2;
    std::string out;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (kelvor::IsFree(doc.Board[x][y]) && !doc.IsLegal(x, y))
                out += (out.empty() ? "" : " ") + kelvor::CellText(x, y);
    std::printf("%s\n", out.empty() ? "none" : out.c_str());
    return 0;
}

int Think(const Args& args) {
    Options o = Parse(args, kThinkUsage);
    bool ok = true;
    int variant = VariantOf(o, ok);
    int n = o.Int("size", 15), level = o.Int("level", 4, 1, 12);
    const uint32_t seed = o.Seed();
    const int seconds = o.Int("time", 60, 0, kMaxSeconds);
    if (!o.ok || !ok || !ValidSize(n)) return Usage(o, kThinkUsage);
    SilentBoxes quiet;
    platform::SetMessageBoxes(&quiet);
    kelvor::CKelvorDoc doc(DataFolder(o), seed);
    if (!doc.TablesLoaded()) return NoTables(doc, DataFolder(o));
    doc.Variant = variant;
    doc.OpeningBook = false;
    doc.VctSearch = o.Has("vct");
    doc.MaxSeconds = seconds;
    doc.SetBoardSize(n);
    if (!Replay(doc, o)) return 2;
    if (doc.GameState == kelvor::kGameOver) {
        std::fprintf(stderr, "kelvor-cli: the game is over\n");
        return 1;
    }
    doc.PlayerLevel[doc.ToMove - 1] = level;
    kelvor::ThinkResult r = doc.Think();
    if (r.x < 0) {
        std::printf("move none\n");
        return 1;
    }
    std::printf("move %s value %d\n", kelvor::CellText(r.x, r.y).c_str(), r.value);
    return 0;
}

int Match(const Args& args) {
    Options o = Parse(args, kMatchUsage);
    bool ok = true;
    kelvor::MatchOptions m;
    m.variant = VariantOf(o, ok);
    m.levelA = o.Int("black", 2, 1, 12);
    m.levelB = o.Int("white", 1, 1, 12);
    m.games = o.Int("games", 2, 1, 1000000);
    m.jobs = o.Int("jobs", 1, 1, kMaxJobs);
    m.boardSize = o.Int("size", 15);
    m.seed = o.Seed();
    m.maxSeconds = o.Int("time", 60, 0, kMaxSeconds);
    m.book = o.Has("book");
    m.folder = DataFolder(o);
    if (o.Has("data-b")) m.folderB = o.Get("data-b", "") + "/";
    if (!o.ok || !ok || m.levelA < 1 || m.levelA > 12 || m.levelB < 1 || m.levelB > 12 ||
        m.games < 1 || m.jobs < 1 || !ValidSize(m.boardSize))
        return Usage(o, kMatchUsage);
    SilentBoxes quiet;
    platform::SetMessageBoxes(&quiet);
    // Without its tables a game cannot start: say so instead of failing in every game.
    std::vector<std::string> folders = {m.folder};
    if (!m.folderB.empty()) folders.push_back(m.folderB);
    for (const std::string& folder : folders) {
        kelvor::CKelvorDoc probe(folder, 1);
        if (!probe.TablesLoaded()) {
            platform::SetMessageBoxes(nullptr);
            return NoTables(probe, folder);
        }
    }
    // With a record the match goes on from the games it holds, and each game played is
    // added to it as soon as it ends, so that the match can be stopped at any time.
    std::FILE* record = nullptr;
    if (o.Has("record")) {
        const std::string path = o.Get("record", "");
        std::string text, valid, error;
        if (platform::FileExists(path) && !platform::ReadFile(path, text))
            error = "cannot read it";
        else if (kelvor::ReadMatchRecord(text, m, m.played, valid, error) &&
                 platform::WriteFileAtomic(path, valid, &error) == platform::WriteResult::Ok)
            record = std::fopen(path.c_str(), "a");
        if (!record) {
            platform::SetMessageBoxes(nullptr);
            std::fprintf(stderr, "kelvor-cli: record %s: %s\n", path.c_str(),
                         error.empty() ? "cannot write it" : error.c_str());
            return 1;
        }
    }
    std::string a = "level " + std::to_string(m.levelA), b = "level " + std::to_string(m.levelB);
    kelvor::MatchResult r =
        kelvor::RunMatch(m, [&](const kelvor::MatchResult& now, const kelvor::FinishedGame& game) {
            if (record) {
                std::fputs(kelvor::MatchRecordLine(game).c_str(), record);
                std::fflush(record);
            }
            static const char* const kOutcome[] = {"drawn", "won", "lost"};
            std::fprintf(stderr,
                         "%d - %d - %d  game %d %s in %zu moves; slowest search %.1f s for %s, "
                         "%.1f s for %s; stopped by the time limit %d and %d\n",
                         now.wins, now.losses, now.draws, game.game, kOutcome[game.outcome],
                         game.moves.size(), game.slowest[0], a.c_str(), game.slowest[1], b.c_str(),
                         game.stopped[0], game.stopped[1]);
        });
    if (record) std::fclose(record);
    platform::SetMessageBoxes(nullptr);
    match_report::Tally t;
    t.Wins = r.wins;
    t.Losses = r.losses;
    t.Draws = r.draws;
    t.Pairs = r.pairs;
    t.CompletePairs = r.completePairs;
    std::fputs(match_report::SummaryLines(a, b, t).c_str(), stdout);
    return 0;
}

int Soak(const Args& args) {
    Options o = Parse(args, kSoakUsage);
    const int games = o.Int("games", 0, 1, 1000000);
    const uint32_t seed = o.Seed();
    const int seconds = o.Int("time", 2, 1, kMaxSeconds);
    const int maxMoves = o.Int("max-moves", 400, 1, 1000);
    int lo = 1, hi = 12;
    const std::string levels = o.Get("levels", "1-12");
    if (std::sscanf(levels.c_str(), "%d-%d", &lo, &hi) != 2) lo = hi = std::atoi(levels.c_str());
    if (!o.ok || lo < 1 || hi > 12 || lo > hi) return Usage(o, kSoakUsage);
    SilentBoxes quiet;
    platform::SetMessageBoxes(&quiet);
    const int rc = kelvor_cli::Soak(games, static_cast<unsigned>(seed), lo, hi, seconds, maxMoves,
                                    DataFolder(o));
    platform::SetMessageBoxes(nullptr);
    return rc;
}

// The fixed positions at fixed levels: one line per search, then the totals and the
// signature that guards the search's behaviour.
int Bench(const Args& args) {
    Options o = Parse(args, kBenchUsage);
    std::vector<int> levels;
    if (o.Has("levels"))
        for (const auto& l : o.values["levels"]) {
            char* end = nullptr;
            const long v = std::strtol(l.c_str(), &end, 10);
            if (*end || v < 1 || v > 12) return Usage(kBenchUsage);
            levels.push_back(static_cast<int>(v));
        }
    else
        levels = kelvor::DefaultBenchLevels();
    if (!o.ok || levels.empty()) return Usage(o, kBenchUsage);
    SilentBoxes quiet;
    platform::SetMessageBoxes(&quiet);
    const kelvor::BenchReport r = kelvor::RunBench(DataFolder(o), levels);
    platform::SetMessageBoxes(nullptr);
    if (!r.error.empty()) {
        std::fprintf(stderr, "kelvor-cli: %s\n", r.error.c_str());
        return 1;
    }
    for (const auto& l : r.lines)
        std::printf("%-15s level %2d  move %-4s value %6d  nodes %9lld  time %8.3f s\n",
                    l.position.c_str(), l.level, l.move.c_str(), l.value, l.nodes, l.seconds);
    std::printf("Nodes searched : %lld\nTime           : %.3f s\nNodes/second   : %.0f\n"
                "Signature      : %08x\n",
                r.nodes, r.seconds, r.seconds > 0 ? static_cast<double>(r.nodes) / r.seconds : 0.0,
                r.signature);
    return 0;
}

int Tables(const Args& args) {
    if (args.size() != 1) return Usage(kTablesUsage);
    std::string dir = args[0] + "/";
    std::string text;
    if (!platform::ReadFile(dir + "patterns.txt", text)) {
        std::fprintf(stderr, "kelvor-cli: cannot read %spatterns.txt\n", dir.c_str());
        return 1;
    }
    try {
        kelvor::CompileReport report;
        kelvor::PatternTables t =
            kelvor::CompilePatterns(kelvor::ParsePatternDescription(text), &report);
        if (platform::WriteFileAtomic(dir + "renju.tbl", kelvor::TableBytes(t.automaton)) !=
                platform::WriteResult::Ok ||
            platform::WriteFileAtomic(dir + "renju.scs", kelvor::TableBytes(t.records)) !=
                platform::WriteResult::Ok) {
            std::fprintf(stderr, "kelvor-cli: cannot write the tables in %s\n", dir.c_str());
            return 1;
        }
        std::printf("states %d records %d\n", report.states, report.records);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvor-cli: %s\n", e.what());
        return 1;
    }
    return 0;
}

int Books(const Args& args) {
    if (args.size() != 1) return Usage(kBooksUsage);
    std::string dir = args[0] + "/";
    std::string text;
    if (!platform::ReadFile(dir + "openings.txt", text)) {
        std::fprintf(stderr, "kelvor-cli: cannot read %sopenings.txt\n", dir.c_str());
        return 1;
    }
    try {
        for (const auto& [name, bytes] : kelvor::CompileOpeningBooks(text)) {
            if (platform::WriteFileAtomic(dir + name, bytes) != platform::WriteResult::Ok) {
                std::fprintf(stderr, "kelvor-cli: cannot write %s%s\n", dir.c_str(), name.c_str());
                return 1;
            }
            std::printf("%s %zu bytes\n", name.c_str(), bytes.size());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvor-cli: %s\n", e.what());
        return 1;
    }
    return 0;
}

int Openings(const Args& args) {
    if (args.empty() || args[0].rfind("--", 0) == 0) return Usage(kOpeningsUsage);
    Options o = Parse(Args(args.begin() + 1, args.end()), kOpeningsUsage);
    const int level = o.Int("level", 8, 1, 12), lines = o.Int("lines", 7, 1, 100),
              moves = o.Int("moves", 9, 0, 40);
    const uint32_t seed = o.Seed();
    if (!o.ok) return Usage(o, kOpeningsUsage);
    SilentBoxes quiet;
    platform::SetMessageBoxes(&quiet);
    int rc = kelvor_cli::WriteOpenings(args[0], level, lines, moves, seed);
    platform::SetMessageBoxes(nullptr);
    return rc;
}

// A subcommand; its usage and text are those of docs/kelvor-cli.md (`help NAME`).
struct Command {
    const char* name;
    int (*run)(const Args&);
};

const Command kCommands[] = {
    {"forbidden", Forbidden}, {"think", Think},   {"match", Match}, {"soak", Soak},
    {"bench", Bench},         {"tables", Tables}, {"books", Books}, {"openings", Openings},
};

const Command* FindCommand(const std::string& name) {
    for (const auto& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

int PrintCommandList(FILE* out) {
    return docs::PrintCheckedCommandList("kelvor-cli", kDocs, kCommands, out);
}

} // namespace

int main(int argc, char** argv) {
    const std::string first = argc < 2 ? "" : argv[1];
    if (first.empty() || first == "help" || first == "--help") {
        if (argc >= 3) {
            if (FindCommand(argv[2]) && docs::PrintCommandHelp("kelvor-cli", kDocs, argv[2]))
                return 0;
            std::fprintf(stderr, "kelvor-cli: unknown command '%s'\n", argv[2]);
            return 2;
        }
        int rc = PrintCommandList(first.empty() ? stderr : stdout);
        return first.empty() ? 2 : rc;
    }
    if (const Command* c = FindCommand(first)) return c->run(Args(argv + 2, argv + argc));
    std::fprintf(stderr, "kelvor-cli: unknown command '%s'\n", argv[1]);
    PrintCommandList(stderr);
    return 2;
}
