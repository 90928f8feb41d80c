#include "kelvor/pattern_compiler.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

namespace kelvor {

const KindRule* PatternDescription::Find(const std::string& name) const {
    for (const auto& r : rules)
        if (r.name == name) return &r;
    return nullptr;
}

namespace {

// The rules the description must name, with the kinds they stand for.
const std::map<std::string, int> kKindNames = {
    {"overline", kOverline},
    {"five", kFive},
    {"double-four", kDoubleFour},
    {"four", kFour},
    {"straight-four", kFour},
    {"three", kThree},
    {"closed-three", kClosedThree},
    {"open-two", kOpenTwo},
    {"two", kTwo},
    {"open-one", kOpenOne},
    {"one", kOne},
    {"dead", kDead},
};

// The rule that scores an analysed line.
std::string RuleName(const LineAnalysis& a) {
    if (a.straight) return "straight-four";
    for (const auto& [name, kind] : kKindNames)
        if (kind == a.kind && name != "straight-four") return name;
    throw std::logic_error("patterns: no rule for kind " + std::to_string(a.kind));
}

bool ParseFlag(const std::string& word, const char* yes, int lineNo) {
    if (word == yes) return true;
    if (word == "-") return false;
    throw std::runtime_error("patterns line " + std::to_string(lineNo) + ": expected '" + yes +
                             "' or '-', got '" + word + "'");
}

} // namespace

PatternDescription ParsePatternDescription(const std::string& text) {
    PatternDescription d;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string name;
        if (!(words >> name)) continue;
        auto it = kKindNames.find(name);
        if (it == kKindNames.end())
            throw std::runtime_error("patterns line " + std::to_string(lineNo) +
                                     ": unknown kind '" + name + "'");
        KindRule r;
        r.name = name;
        r.kind = it->second;
        std::string keys, defences;
        if (!(words >> r.blackOwn >> r.blackOpp >> r.whiteOwn >> r.whiteOpp >> keys >> defences))
            throw std::runtime_error("patterns line " + std::to_string(lineNo) +
                                     ": expected four scores, keys and defences");
        r.keys = ParseFlag(keys, "keys", lineNo);
        r.defences = ParseFlag(defences, "defences", lineNo);
        if (d.Find(r.name))
            throw std::runtime_error("patterns line " + std::to_string(lineNo) + ": '" + name +
                                     "' given twice");
        d.rules.push_back(r);
    }
    for (const auto& [name, kind] : kKindNames)
        if (!d.Find(name)) throw std::runtime_error("patterns: kind '" + name + "' missing");
    return d;
}

namespace {

// Internal strength ranks, ordered; a straight four outranks a simple one.
enum Rank : int8_t {
    rDead,
    rOne,
    rOpenOne,
    rTwo,
    rOpenTwo,
    rClosedThree,
    rThree,
    rFour,
    rStraightFour,
    rDoubleFour,
    rFive,
    rOverline,
    rUnknown = -1
};

constexpr int kRankKind[] = {kDead,  kOne,  kOpenOne, kTwo,        kOpenTwo, kClosedThree,
                             kThree, kFour, kFour,    kDoubleFour, kFive,    kOverline};

int Code(const LineCells& c) {
    int code = 0;
    for (int i = 0; i < 11; ++i)
        if (i != 5) code = code * 3 + c[i];
    return code;
}

// Cells beyond the first blocked cell of a side cannot take part in a pattern with S.
LineCells Normalised(LineCells c) {
    c[5] = 1;
    for (int i = 6, blocked = 0; i < 11; ++i) blocked = (c[i] = blocked ? 2 : c[i]) == 2;
    for (int i = 4, blocked = 0; i >= 0; --i) blocked = (c[i] = blocked ? 2 : c[i]) == 2;
    return c;
}

int RunThroughS(const LineCells& c) {
    int n = 1;
    for (int i = 6; i < 11 && c[i] == 1; ++i) ++n;
    for (int i = 4; i >= 0 && c[i] == 1; --i) ++n;
    return n;
}

std::vector<int> Completions(LineCells c, bool exact) {
    std::vector<int> out;
    for (int i = 0; i < 11; ++i) {
        if (c[i] != 0) continue;
        c[i] = 1;
        int run = RunThroughS(c);
        if (exact ? run == 5 : run >= 5) out.push_back(i);
        c[i] = 0;
    }
    return out;
}

Rank RankOf(const LineCells& c, bool exact);

// The rank reached by one more stone on cell i.
Rank RankWith(LineCells c, int i, bool exact) {
    c[i] = 1;
    return RankOf(c, exact);
}

// A maker rank: what one more stone must reach for the line to count as `rank`.
bool Makes(Rank made, Rank rank, bool exact) {
    switch (rank) {
    case rThree:
        // In the free reading a move that makes two fours on the line is as strong as a
        // straight four; for renju black it would be forbidden.
        return made == rStraightFour || (!exact && made == rDoubleFour);
    case rClosedThree:
        return made == rFour;
    case rOpenTwo:
        return made == rThree;
    case rTwo:
        return made == rClosedThree;
    case rOpenOne:
        return made == rOpenTwo;
    case rOne:
        return made == rTwo;
    default:
        return false;
    }
}

Rank Compute(const LineCells& c, bool exact) {
    int run = RunThroughS(c);
    if (exact && run >= 6) return rOverline;
    if (run >= 5) return rFive;
    std::vector<int> comp = Completions(c, exact);
    if (!comp.empty()) {
        int fours = static_cast<int>(comp.size());
        for (size_t a = 0; a < comp.size(); ++a)
            for (size_t b = a + 1; b < comp.size(); ++b)
                if (comp[b] - comp[a] == 5) --fours;
        if (fours >= 2) return rDoubleFour;
        return comp.size() == 2 && comp[1] - comp[0] == 5 ? rStraightFour : rFour;
    }
    std::vector<Rank> made;
    for (int i = 0; i < 11; ++i)
        if (c[i] == 0) made.push_back(RankWith(c, i, exact));
    for (Rank rank : {rThree, rClosedThree, rOpenTwo, rTwo, rOpenOne, rOne})
        for (Rank m : made)
            if (Makes(m, rank, exact)) return rank;
    return rDead;
}

Rank RankOf(const LineCells& c, bool exact) {
    static thread_local std::vector<int8_t> memo[2];
    auto& m = memo[exact ? 1 : 0];
    if (m.empty()) m.assign(59049, rUnknown);
    int8_t& slot = m[Code(c)];
    if (slot == rUnknown) slot = Compute(c, exact);
    return static_cast<Rank>(slot);
}

} // namespace

LineAnalysis AnalyseLine(const LineCells& cells, bool exact) {
    LineCells c = Normalised(cells);
    Rank rank = RankOf(c, exact);
    LineAnalysis a;
    a.kind = kRankKind[rank];
    a.straight = rank == rStraightFour;
    if (rank == rFour || rank == rStraightFour || rank == rDoubleFour) {
        for (int i : Completions(c, exact)) a.keys.push_back(i - 5);
    } else if (rank >= rOne && rank <= rThree) {
        for (int i = 0; i < 11; ++i)
            if (c[i] == 0 && Makes(RankWith(c, i, exact), rank, exact)) a.keys.push_back(i - 5);
    }
    if (rank == rThree) {
        // A defence: an empty cell that, taken by the other side, leaves less than a three.
        for (int i = 0; i < 11; ++i) {
            if (c[i] != 0 || std::find(a.keys.begin(), a.keys.end(), i - 5) != a.keys.end())
                continue;
            LineCells d = c;
            d[i] = 2;
            if (RankOf(Normalised(d), exact) < rThree) a.defences.push_back(i - 5);
        }
    }
    return a;
}

bool RecordUsesBlackCells(int blackKind) {
    return blackKind == kThree || blackKind == kFour || blackKind == kDoubleFour;
}

namespace {

constexpr int kOrder[10] = {1, -1, 2, -2, 3, -3, 4, -4, 5, -5};

class Builder {
  public:
    explicit Builder(const PatternDescription& d) : d_(d) {}

    int Build() {
        LineCells c{};
        c.fill(0);
        c[5] = 1;
        int root = Node(c, 0);
        if (root >= kRecordBase) throw std::runtime_error("patterns: the automaton has no state");
        return root;
    }

    std::vector<std::array<int, 4>> states;
    std::vector<std::array<int, kRecordValues>> records;
    int maxCells = 0;

  private:
    // Returns a state number, or kRecordBase + record for a leaf.
    int Node(LineCells& c, int depth) {
        if (depth == 10) return kRecordBase + Leaf(c);
        int off = kOrder[depth];
        int i = off + 5;
        int inward = off > 0 ? i - 1 : i + 1;
        if (inward != 5 && c[inward] == 2) { // beyond a blocked cell: not read
            c[i] = 2;
            return Node(c, depth + 1);
        }
        int next[3];
        const int kindValue[3] = {2, 0, 1}; // automaton kinds 1, 2, 3
        for (int k = 0; k < 3; ++k) {
            c[i] = kindValue[k];
            next[k] = Node(c, depth + 1);
        }
        c[i] = 0;
        if (next[0] == next[1] && next[1] == next[2]) return next[0];
        std::array<int, 4> s = {off, next[0], next[1], next[2]};
        auto [it, added] = stateIds_.try_emplace(s, static_cast<int>(states.size()));
        if (added) states.push_back(s);
        return it->second;
    }

    int Leaf(const LineCells& c) {
        LineAnalysis black = AnalyseLine(c, true);
        LineAnalysis white = AnalyseLine(c, false);
        const KindRule* rb = d_.Find(RuleName(black));
        const KindRule* rw = d_.Find(RuleName(white));
        std::array<int, kRecordValues> r{};
        r[kBlackOwn] = rb->blackOwn;
        r[kBlackOpp] = rb->blackOpp;
        r[kWhiteOwn] = rw->whiteOwn;
        r[kWhiteOpp] = rw->whiteOpp;
        r[kBlackKind] = black.kind;
        r[kWhiteKind] = white.kind;
        bool useBlack = RecordUsesBlackCells(black.kind);
        const LineAnalysis& src = useBlack ? black : white;
        const KindRule* rule = useBlack ? rb : rw;
        std::vector<int> keys = rule->keys ? src.keys : std::vector<int>{};
        std::vector<int> defences = rule->defences ? src.defences : std::vector<int>{};
        int cells = static_cast<int>(keys.size() + defences.size());
        maxCells = std::max(maxCells, cells);
        if (cells > kRecordCellSlots)
            throw std::runtime_error("patterns: a record needs " + std::to_string(cells) +
                                     " cells, only six fit");
        r[kKeyCount] = static_cast<int>(keys.size());
        r[kDefenceCount] = static_cast<int>(defences.size());
        int slot = kFirstCell;
        for (int k : keys) r[slot++] = k;
        for (int k : defences) r[slot++] = k;
        auto [it, added] = recordIds_.try_emplace(r, static_cast<int>(records.size()));
        if (added) records.push_back(r);
        return it->second;
    }

    const PatternDescription& d_;
    std::map<std::array<int, 4>, int> stateIds_;
    std::map<std::array<int, kRecordValues>, int> recordIds_;
};

} // namespace

PatternTables CompilePatterns(const PatternDescription& description, CompileReport* report) {
    Builder b(description);
    int root = b.Build();
    int n = static_cast<int>(b.states.size());
    if (n > kStateCount || static_cast<int>(b.records.size()) > kRecordCount)
        throw std::runtime_error("patterns: " + std::to_string(n) + " states and " +
                                 std::to_string(b.records.size()) + " records do not fit " +
                                 std::to_string(kStateCount) + " and " +
                                 std::to_string(kRecordCount));
    // The walk starts in state 0: swap the root there.
    auto renumber = [&](int s) { return s == root ? 0 : s == 0 ? root : s; };
    PatternTables t;
    for (int s = 0; s < n; ++s) {
        const auto& st = b.states[s];
        int* out = &t.automaton[renumber(s) * kStateValues];
        out[0] = st[0];
        for (int k = 1; k < 4; ++k) out[k] = st[k] >= kRecordBase ? st[k] : renumber(st[k]);
    }
    for (size_t r = 0; r < b.records.size(); ++r)
        std::copy(b.records[r].begin(), b.records[r].end(), &t.records[r * kRecordValues]);
    if (report) {
        report->states = n;
        report->records = static_cast<int>(b.records.size());
        report->maxCells = b.maxCells;
    }
    return t;
}

} // namespace kelvor
