#include "vorlix/eval/openingbook.h"

#include "platform/messages.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/random.h"
#include "vorlix/players/jatekos.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace vorlix {

namespace {

constexpr std::uint8_t kOpeningColours[5] = {kBlack, kWhite, kBlack, kWhite, kBlack};

TPont NibblePont(int v) {
    return TPont{static_cast<std::uint8_t>(7 + v / 4), static_cast<std::uint8_t>(7 + v % 4)};
}

// A random empty cell of F6..J10 next to a stone (the run-time generator draws). With
// `avoidLowerLeft`, a draw with X + Y < 16 is moved to row 14, where it finds no
// neighbour: the cell is drawn again.
TPont RandomNearCell(bool avoidLowerLeft) {
    // Stones stand at the centre whenever this runs, so a few draws find a cell; the
    // bound only guards against a caller that breaks that.
    for (int tries = 0; tries < 100000; ++tries) {
        int x = 6 + RuntimeRandom(5);
        int y = 6 + RuntimeRandom(5);
        if (avoidLowerLeft && x + y < 16) y = 14;
        const int cell = CellIndex(x, y);
        if (Tabla[cell] != kEmpty) continue;
        for (int d = 0; d < 4; ++d)
            for (int k : {6, 8})
                if (LineCells[cell][d][k] != 0 && Tabla[LineCells[cell][d][k]] != kEmpty)
                    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
    }
    throw InternalError("kezd", "Assertion failure", "no cell near the opening stones");
}

void Enter(const TPont* stones) {
    for (int k = 0; k < 5; ++k) RecordMove(stones[k].X, stones[k].Y, kOpeningColours[k]);
}

} // namespace

TPont ApplySymmetry(TPont p, int s) {
    int x = p.X, y = p.Y;
    if (s & 1) x = 16 - x;
    if (s & 2) y = 16 - y;
    if (s & 4) std::swap(x, y);
    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

TPont InverseSymmetry(TPont p, int s) {
    int x = p.X, y = p.Y;
    if (s & 4) std::swap(x, y);
    if (s & 1) x = 16 - x;
    if (s & 2) y = 16 - y;
    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

int FirstStoneNibble(TPont p) {
    if (p.X < 7 || p.X > 10 || p.Y < 7 || p.Y > 10) return -1;
    return (p.X - 7) * 4 + (p.Y - 7);
}

std::array<std::uint8_t, kBookRecordSize> EncodeRecord(const TBookRecord& r) {
    const auto score = static_cast<std::uint16_t>(r.Score);
    const auto games = static_cast<std::uint16_t>(r.Games);
    return {static_cast<std::uint8_t>(score & 0xFF),
            static_cast<std::uint8_t>(score >> 8),
            static_cast<std::uint8_t>(games & 0xFF),
            static_cast<std::uint8_t>(games >> 8),
            r.First,
            r.Stone3,
            r.Stone4,
            r.Stone5};
}

TBookRecord DecodeRecordBytes(const std::uint8_t* b) {
    TBookRecord r;
    r.Score = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | b[1] << 8));
    r.Games = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[2] | b[3] << 8));
    r.First = b[4];
    r.Stone3 = b[5];
    r.Stone4 = b[6];
    r.Stone5 = b[7];
    return r;
}

std::string CheckRecord(const TBookRecord& r) {
    if (r.Score < 0 || r.Score > 10000)
        return "score " + std::to_string(r.Score) + " is outside 0..10000";
    // The learning weight divides by the games.
    if (r.Games < 1) return "games " + std::to_string(r.Games) + " is below 1";
    const int cells[5] = {CellIndex(NibblePont(r.First >> 4)), CellIndex(NibblePont(r.First & 15)),
                          r.Stone3, r.Stone4, r.Stone5};
    for (int k = 2; k < 5; ++k)
        if (cells[k] < 1 || cells[k] > kCells)
            return "stone " + std::to_string(k + 1) + " has the cell index " +
                   std::to_string(cells[k]) + ", outside 1..225";
    if (cells[0] == cells[1]) return "stones 1 and 2 are on the same cell";
    // A stone put on another would leave the board and the game record disagreeing.
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            if (cells[i] == cells[j])
                return "stones " + std::to_string(i + 1) + " and " + std::to_string(j + 1) +
                       " are on the same cell";
    return {};
}

bool OpeningIsCompact() {
    int stones = 0;
    for (int c = 1; c <= kCells; ++c) stones += Tabla[c] != kEmpty;
    if (stones != 5) return false;
    for (int x = 6; x <= 10; ++x) {
        for (int y = 6; y <= 10; ++y) {
            const int start = CellIndex(x, y);
            if (Tabla[start] != kEmpty) continue;
            // Flood fill from the added stone through occupied neighbours.
            bool seen[kCells + 1] = {};
            int stack[kCells + 1];
            int top = 0, reached = 0;
            stack[top++] = start;
            seen[start] = true;
            while (top > 0) {
                const int c = stack[--top];
                for (int d = 0; d < 4; ++d) {
                    for (int k : {6, 8}) {
                        const int n = LineCells[c][d][k];
                        if (n == 0 || seen[n] || Tabla[n] == kEmpty) continue;
                        seen[n] = true;
                        ++reached;
                        stack[top++] = n;
                    }
                }
            }
            if (reached == 5) return true;
        }
    }
    return false;
}

bool OpeningBook::LoadBook(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        records_.clear();
        weights_.clear();
        Error = path + ": the opening book cannot be read";
        return false;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) {
        records_.clear();
        weights_.clear();
        Error = path + ": the opening book cannot be read";
        return false;
    }
    return LoadBookBytes(bytes, path);
}

bool OpeningBook::LoadBookBytes(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    records_.clear();
    weights_.clear();
    Error.clear();
    LastChoice = 0;
    LastPlaced = -1;
    Symmetry = 0;
    auto fail = [&](const std::string& why) {
        records_.clear();
        weights_.clear();
        Error = name + ": " + why;
        return false;
    };
    if (bytes.size() % kBookRecordSize != 0)
        return fail("the size " + std::to_string(bytes.size()) +
                    " is not a multiple of 8 bytes; the last record is cut off");
    const size_t n = bytes.size() / kBookRecordSize;
    if (n > static_cast<size_t>(kMaxBookRecords))
        return fail(std::to_string(n) + " records, more than the " +
                    std::to_string(kMaxBookRecords) + " a book can hold");
    records_.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const TBookRecord r = DecodeRecordBytes(bytes.data() + i * kBookRecordSize);
        const std::string why = CheckRecord(r);
        if (!why.empty()) return fail("record " + std::to_string(i + 1) + ": " + why);
        Add(r);
    }
    return true;
}

void OpeningBook::Add(const TBookRecord& r) {
    records_.push_back(r);
    // Learning mode prefers openings with few games.
    const double w = 2800.0 / r.Games;
    weights_.push_back(static_cast<float>(w * w));
}

std::array<int, 5> OpeningBook::DecodeRecord(int n) const {
    const TBookRecord& r = Record(n);
    return {CellIndex(NibblePont(r.First >> 4)), CellIndex(NibblePont(r.First & 15)), r.Stone3,
            r.Stone4, r.Stone5};
}

double OpeningBook::ChoiceShare(int n) const {
    if (LearningMode) return Weight(n);
    const double d = 0.49 - std::fabs(Record(n).Score / 10000.0 - 0.5);
    return d * d;
}

int OpeningBook::ChooseRecord() {
    const int n = Count();
    if (n <= 1) return LastChoice = n;
    double total = 0.0;
    for (int k = 1; k <= n; ++k) total += ChoiceShare(k);
    double r = RandomReal() * total;
    int chosen = n;
    for (int k = 1; k < n; ++k) {
        r -= ChoiceShare(k);
        if (r < 0.0) {
            chosen = k;
            break;
        }
    }
    return LastChoice = chosen;
}

void OpeningBook::PlaceRandomOpening() {
    RecordMove(8, 8, kBlack);
    const TPont second = RuntimeRandomReal() >= 0.5 ? TPont{9, 7} : TPont{8, 7};
    RecordMove(second.X, second.Y, kWhite);
    const TPont p3 = RandomNearCell(second.X != 8);
    RecordMove(p3.X, p3.Y, kBlack);
    const TPont p4 = RandomNearCell(false);
    RecordMove(p4.X, p4.Y, kWhite);
    const TPont p5 = RandomNearCell(false);
    RecordMove(p5.X, p5.Y, kBlack);
    LastPlaced = -1;
}

void OpeningBook::PlaceBookOpening() {
    if (ColourChange != 1) return;
    if (Count() == 0) {
        PlaceRandomOpening();
        return;
    }
    const int n = ChooseRecord();
    const std::array<int, 5> cells = DecodeRecord(n);
    for (int k = 0; k < 5; ++k) RecordMove(CellX(cells[k]), CellY(cells[k]), kOpeningColours[k]);
    LastPlaced = n;
}

bool OpeningBook::Matches(int n, int s, const TPont* stones, const std::uint8_t* colours,
                          int count) const {
    const std::array<int, 5> cells = DecodeRecord(n);
    for (int i = 0; i < count; ++i) {
        const int image = CellIndex(ApplySymmetry(stones[i], s));
        bool found = false;
        for (int k = 0; k < 5 && !found; ++k)
            found = cells[static_cast<size_t>(k)] == image && kOpeningColours[k] == colours[i];
        if (!found) return false;
    }
    return true;
}

void OpeningBook::FitOpening() {
    // The record is matched against the images of the offered stones directly, rather
    // than by placing it on the board, so stones elsewhere on the board cannot fool it.
    const TPont offered[2] = {GameRecord[1], GameRecord[2]};
    static constexpr std::uint8_t kOfferedColours[2] = {kBlack, kWhite};
    for (const TPont& p : offered)
        if (OnBoard(p.X, p.Y)) Tabla[CellIndex(p)] = kEmpty;
    MoveCount = 0;

    int fit = -1, s = 0;
    if (Count() > 0) {
        std::vector<bool> tried(static_cast<size_t>(Count()) + 1, false);
        for (int attempt = 0; attempt < 301 && fit < 0; ++attempt) {
            const int n = ChooseRecord();
            if (tried[static_cast<size_t>(n)]) continue;
            tried[static_cast<size_t>(n)] = true;
            for (int t = 0; t < 8 && fit < 0; ++t) {
                if (Matches(n, t, offered, kOfferedColours, 2)) {
                    fit = n;
                    s = t;
                }
            }
        }
    }
    TPont stones[5];
    if (fit > 0) {
        const std::array<int, 5> cells = DecodeRecord(fit);
        for (int k = 0; k < 5; ++k) stones[k] = CellPont(cells[static_cast<size_t>(k)]);
        LastPlaced = fit;
    } else {
        platform::ShowMessage(platform::MessageKind::Information,
                              "Sorry, I can not fit an opening.");
        // Always five stones, whatever the colour-change setting says.
        const std::uint8_t colourChange = ColourChange;
        ColourChange = 1;
        PlaceBookOpening();
        ColourChange = colourChange;
        for (int k = 0; k < 5; ++k) stones[k] = GameRecord[k + 1];
        for (const TPont& p : stones) Tabla[CellIndex(p)] = kEmpty;
        s = 0;
    }
    MoveCount = 0;
    ColourToMove = kBlack;
    for (TPont& p : stones) p = InverseSymmetry(p, s);
    Enter(stones);
    ColourToMove = kWhite;
    Symmetry = s;
}

int OpeningBook::FindBookRecord() {
    if (MoveCount != 5) return -1;
    TPont moves[5];
    for (int k = 0; k < 5; ++k) moves[k] = GameRecord[k + 1];
    int found = -1;
    for (int n = 1; n <= Count() && found < 0; ++n) {
        for (int s = 0; s < 8; ++s) {
            if (Matches(n, s, moves, kOpeningColours, 5)) {
                found = n;
                Symmetry = s;
                break;
            }
        }
    }
    // Whatever was found, the board holds exactly the five game stones afterwards.
    MoveCount = 0;
    ColourToMove = kBlack;
    ClearBoard();
    Enter(moves);
    ColourToMove = kWhite;
    return found;
}

void InstallOpeningBook(OpeningBook& book, bool randomOpening) {
    OpeningSupport& o = Opening();
    o.RandomOpening = randomOpening;
    o.FitOpening = [&book] { book.FitOpening(); };
    o.FindBookRecord = [&book] { return book.FindBookRecord(); };
    o.RecordScore = [&book](int record) {
        return record >= 1 && record <= book.Count() ? book.Record(record).Score : 5000;
    };
}

} // namespace vorlix
