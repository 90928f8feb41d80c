#include "vorlix/search/mely.h"

#include "support/test_support.h"
#include "vorlix/eval/eval_fixture.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/random.h"
#include "vorlix/game/trialstones.h"
#include "vorlix/search/mely_players.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace vorlix;
using evaltest::Cell;
using evaltest::Play;
using evaltest::Stones;

// Everything a search must leave as it found it.
struct Snapshot {
    std::array<std::uint8_t, kCells> cells; // Tabla[0] is scratch of the classifier
    std::uint8_t colour = ColourToMove;
    std::int32_t moves = MoveCount;
    std::int32_t depth = SearchDepth;
    Snapshot() { std::memcpy(cells.data(), Tabla + 1, kCells); }
    bool operator==(const Snapshot&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Snapshot& s) {
    os << "colour " << int(s.colour) << " moves " << s.moves << " depth " << s.depth << " stones";
    for (int c = 0; c < kCells; ++c)
        if (s.cells[c]) os << " " << c + 1 << ":" << int(s.cells[c]);
    return os;
}

// A middle game of 22 moves (from a game of Zelta against itself) without a five to
// complete for either side; black to move.
const char* const kMiddleGame = "H8,I7,F6,E5,F8,F7,H6,E6,G8,I8,G7,E9,I9,J10,G9,G10,H10,I11,E8,"
                                "D8,H9,H7";

class Mely : public evaltest::EvalTest {
  protected:
    std::unique_ptr<TIlvar> MakeIlvar() {
        auto p = std::make_unique<TIlvar>();
        p->SetLevel(4);
        return p;
    }
    // Root alternatives: the cells the last search did not leave at -150.
    static int RootAlternatives(const TJatekos& p) {
        int n = 0;
        for (int c = 1; c <= kCells; ++c)
            if (Tabla[c] == kEmpty && p.ValueArray[CellX(c)][CellY(c)] != -150.0f) ++n;
        return n;
    }
    static TPont Best(const TJatekos& p, float* value) {
        TPont best{};
        *value = -1e9f;
        for (int c = 1; c <= kCells; ++c)
            if (Tabla[c] == kEmpty && p.ValueArray[CellX(c)][CellY(c)] > *value) {
                *value = p.ValueArray[CellX(c)][CellY(c)];
                best = CellPont(c);
            }
        return best;
    }
};

TEST_F(Mely, WidthRule) {
    TIlvar p;
    TMely& m = *p.Search;
    struct Row {
        int k;
        bool closing;
        int oneMore, w;
    };
    for (const Row& r :
         {Row{1, true, 0, 1}, Row{3, false, 1, 3}, Row{4, true, 0, 3}, Row{4, false, 0, 4},
          Row{5, true, 0, 2}, Row{7, true, 0, 4}, Row{9, true, 0, 4}, Row{9, true, 1, 5},
          Row{9, false, 1, 6}, Row{11, true, 0, 6}, Row{12, true, 0, 6}, Row{17, false, 1, 8}}) {
        m.OneMore = static_cast<std::uint8_t>(r.oneMore);
        EXPECT_EQ(m.Width(r.k, r.closing), r.w)
            << "k " << r.k << (r.closing ? " closing" : " not closing") << " one more "
            << r.oneMore;
    }
    // The plies with the parity of the depth close a pair of moves.
    m.Mely = 3;
    EXPECT_TRUE(m.IsClosing(1) && m.IsClosing(3) && !m.IsClosing(2));
    m.Mely = 4;
    EXPECT_TRUE(!m.IsClosing(1) && m.IsClosing(2) && !m.IsClosing(3) && m.IsClosing(4));
}

TEST_F(Mely, RootBoundAndAlternativesFollowTheStoneCount) {
    auto p = MakeIlvar();
    TMely& m = *p->Search;
    EXPECT_FLOAT_EQ(m.Hatar, 8.6f);
    struct Row {
        int moves;
        float factor;
        int limit; // with nothing scored yet
    };
    for (const Row& r :
         {Row{0, 1.0f, 17}, Row{89, 1.0f, 17}, Row{90, 1.0f, 8}, Row{99, 1.0f, 8},
          Row{100, 0.9f, 8}, Row{115, 0.9f, 7}, Row{120, 0.7f, 7}, Row{139, 0.7f, 6},
          Row{140, 0.5f, 5}, Row{150, 0.5f, 4}, Row{199, 0.3f, 4}, Row{200, 0.2f, 4}}) {
        MoveCount = r.moves;
        m.AllasSzam = 0;
        EXPECT_FLOAT_EQ(m.RootBound(), 8.6f * r.factor) << r.moves;
        EXPECT_EQ(m.AlternativesLimitNow(), r.limit) << r.moves;
        m.AllasSzam = m.MaxSzeles1;
        EXPECT_EQ(m.AlternativesLimitNow(), r.limit + 1) << r.moves;
    }
}

TEST_F(Mely, RootTakesAtMostTheLimit) {
    auto p = MakeIlvar();
    TMely& m = *p->Search;
    // One ply and a window wide enough for every candidate: the limit alone decides.
    m.Mely = 1;
    m.Hatar = 1000.0f;
    for (auto [moves, expected] : {std::pair{24, 17}, std::pair{100, 8}, std::pair{145, 5}}) {
        Play(kMiddleGame);
        MoveCount = moves;
        ASSERT_TRUE(m.Search());
        EXPECT_EQ(RootAlternatives(*p), expected) << moves;
        EXPECT_EQ(m.AllasSzam, expected);
        EXPECT_EQ(m.AgSzam, 1);
        EXPECT_EQ(p->AlNum, 0);
    }
}

TEST_F(Mely, SearchesLeaveThePositionAsFound) {
    for (const char* id : {"Ilvar", "Ilvar2", "Ilvar5U", "QwilN4AVK", "QwilX_K", "QwilV"}) {
        auto p = CreateMelyPlayer(id);
        p->SetLevel(4);
        Play(kMiddleGame);
        if (auto* ilvar = dynamic_cast<TIlvar*>(p.get())) {
            PutStone(Cell("A1")); // a trial stone of a caller stays where it is
            const Snapshot before;
            TMely& m = *ilvar->Search;
            ASSERT_TRUE(m.Search()) << id;
            EXPECT_EQ(Snapshot(), before) << id;
            EXPECT_GT(m.AgSzam, 1) << id;
            EXPECT_GT(RootAlternatives(*p), 0) << id;
            TakeStone(Cell("A1"));
        }
        // The whole move: threat searches, deep search and the check.
        const Snapshot before;
        p->Move();
        EXPECT_EQ(Snapshot(), before) << id;
        EXPECT_TRUE(OnBoard(ChosenMove.X, ChosenMove.Y) && Tabla[CellIndex(ChosenMove)] == kEmpty)
            << id;
    }
}

TEST_F(Mely, FindsTheOpenFour) {
    // Black's open three H8 I8 J8: G8 or K8 makes an open four, which wins.
    Stones("H8 I8 J8 D4", "H9 I10 C12 M3", kBlack);
    MoveCount = 8;
    auto p = MakeIlvar();
    ASSERT_TRUE(p->Search->Search());
    float value = 0.0f;
    const TPont best = Best(*p, &value);
    EXPECT_TRUE(CellIndex(best) == Cell("G8") || CellIndex(best) == Cell("K8"))
        << PontText(best.X, best.Y);
    // 149 two plies down, less Tures for the ply between.
    EXPECT_FLOAT_EQ(value, 149.0f - p->Tures);
}

TEST_F(Mely, ImmediateWinWritesNothing) {
    auto p = MakeIlvar();
    // Black can complete five (white to move, too: either side's five stops the search).
    for (std::uint8_t toMove : {kBlack, kWhite}) {
        Stones("H8 I8 J8 K8", "H9 I10 C12", toMove);
        p->FillValues(3.0f);
        EXPECT_FALSE(p->Search->Search());
        for (int c = 1; c <= kCells; ++c) ASSERT_EQ(p->ValueArray[CellX(c)][CellY(c)], 3.0f);
    }
}

TEST_F(Mely, FullBoardIsAnAssertion) {
    auto p = MakeIlvar();
    ResetGameModel();
    // A full board without five: rows alternate in pairs so no line holds five.
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y)
            Tabla[CellIndex(x, y)] = ((x + 2 * y) / 2) % 2 == 0 ? kBlack : kWhite;
    ASSERT_FALSE(FiveInRow(kBlack) || FiveInRow(kWhite));
    try {
        p->Search->Search();
        FAIL() << "no assertion";
    } catch (const InternalError& e) {
        EXPECT_EQ(e.Message(), "Assertion failure");
    }
}

TEST_F(Mely, ParameterLines) {
    auto p = MakeIlvar();
    Play(kMiddleGame);
    p->Search->Search();
    TTextList lines;
    p->Search->ShowProperties(lines);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Mélység : 3");
    EXPECT_EQ(lines[1], "Max. alternativa : 18");
    EXPECT_EQ(lines[2], "Max. széles 1.: 450");
    EXPECT_EQ(lines[4], "Max. széles 3.: 1500");
    EXPECT_EQ(lines[5], "Határ : 8.6");
    EXPECT_EQ(lines[6], "Alsáv : 0.1");
    EXPECT_EQ(lines[7], "Határ lecsenges :0.8");
    EXPECT_EQ(lines[8], "Kiértékelt");
    EXPECT_EQ(lines[9], "  állások :" + std::to_string(p->Search->AllasSzam));
    EXPECT_EQ(lines[10], "  ágak    :" + std::to_string(p->Search->AgSzam));
}

// ------------------------------------------------------------------------- players

TVct& VctOf(TJatekos& p) {
    if (auto* q = dynamic_cast<TQwilNV*>(&p)) return *q->Vct;
    return *dynamic_cast<TQwilV&>(p).Vct;
}

// Plays `moves` moves after the first twelve of kMiddleGame; the record as text.
std::string Continue(const char* black, const char* white, int moves, std::uint32_t seed) {
    Play(std::string(kMiddleGame).substr(0, 12 * 3 - 1));
    SeedRandom(seed);
    auto b = CreateMelyPlayer(black), w = CreateMelyPlayer(white);
    b->SetLevel(4), w->SetLevel(4);
    std::string record;
    for (int i = 0; i < moves; ++i) {
        const std::uint8_t colour = ColourToMove;
        (colour == kBlack ? b : w)->Move();
        const TPont m = ChosenMove;
        EXPECT_TRUE(OnBoard(m.X, m.Y) && Tabla[CellIndex(m)] == kEmpty) << record;
        if (!OnBoard(m.X, m.Y) || Tabla[CellIndex(m)] != kEmpty) break;
        RecordMove(m.X, m.Y, colour);
        record += PontText(m.X, m.Y);
        if (FiveInRow(colour)) break;
        ColourToMove = Opponent(colour);
    }
    return record;
}

TEST_F(Mely, ConstructionChainsAndLevels) {
    struct Row {
        const char* id;
        int mely, szeles1;
        float hatar, lecsenges; // after SetLevel(4)
        int vctDepth, vctNodes, checkDepth;
        int checkFlag, secondCheck;
    };
    for (const Row& r : {Row{"Ilvar", 3, 450, 8.6f, 0.8f, 0, 0, 0, 0, 0},
                         Row{"Ilvar2", 2, 450, 8.6f, 0.8f, 0, 0, 0, 0, 0},
                         Row{"Ilvar5U", 5, 90000, 8.6f, 0.8f, 0, 0, 0, 0, 0},
                         Row{"Ilvar7C", 7, 90000, 12.2f, 0.8f, 0, 0, 0, 0, 0},
                         Row{"QwilNV", 3, 450, 8.6f, 0.8f, 9, 4000, 9, 0, 0},
                         Row{"QwilN4AVK", 4, 650, 10.4f, 0.8f, 9, 4000, 9, 1, 0},
                         Row{"QwilX_K", 6, 90000, 10.9f, 0.76f, 12, 20000, 12, 1, 0},
                         Row{"Qwil1X7", 7, 90000, 12.7f, 0.78f, 13, 50000, 13, 1, 1}}) {
        auto made = CreateMelyPlayer(r.id);
        ASSERT_TRUE(made) << r.id;
        auto& p = dynamic_cast<TIlvar&>(*made);
        EXPECT_EQ(p.Name, r.id);
        EXPECT_FLOAT_EQ(p.Tures, 0.35f);
        p.SetLevel(4);
        EXPECT_EQ(p.Level, 4);
        EXPECT_EQ(p.Search->Mely, r.mely) << r.id;
        EXPECT_EQ(p.Search->MaxSzeles1, r.szeles1) << r.id;
        EXPECT_FLOAT_EQ(p.Search->Hatar, r.hatar) << r.id;
        EXPECT_FLOAT_EQ(p.Search->HatarLecsenges, r.lecsenges) << r.id;
        p.SetLevel(0);
        EXPECT_NEAR(p.Search->Hatar, r.hatar - 7.2f, 1e-5) << r.id;
        auto* q = dynamic_cast<TQwilNV*>(&p);
        ASSERT_EQ(q != nullptr, r.vctDepth != 0) << r.id;
        if (!q) continue;
        EXPECT_EQ(q->Vct->MaxDepth, r.vctDepth) << r.id;
        EXPECT_EQ(q->Vct->NodeLimit, r.vctNodes) << r.id;
        EXPECT_EQ(q->CheckDepth, r.checkDepth) << r.id;
        EXPECT_EQ(q->CheckFlag, r.checkFlag) << r.id;
        EXPECT_EQ(q->SecondCheck, r.secondCheck) << r.id;
    }
    // QwilX_K before SetLevel, and the settings Qwil1X7 adds to it.
    TQwilX_K x;
    EXPECT_FLOAT_EQ(x.Search->HatarLecsenges, 0.77f);
    EXPECT_FLOAT_EQ(x.Search->Alsav, 0.3f);
    EXPECT_TRUE(x.Search->Centre && x.Search->OneMore);
    TQwil1X7 one;
    EXPECT_FLOAT_EQ(one.Search->Alsav, 0.35f);
    EXPECT_TRUE(one.Search->Centre && one.Search->OneMore);
    EXPECT_EQ(one.Second.Depth, 15);
    EXPECT_EQ(one.Second.Nodes, 80000);
    TQwilV v;
    v.SetLevel(4);
    EXPECT_EQ(v.Name, "QwilV");
    EXPECT_EQ(v.Vct->MaxDepth, 7);
    EXPECT_EQ(v.Vct->NodeLimit, 2500);
    EXPECT_FLOAT_EQ(v.Bound, 8.4f);
}

TEST_F(Mely, AbilitiesAndFactory) {
    auto names = [](const TJatekos& p) {
        std::string s;
        for (TKepesseg* k : p.Kepessegek) s += k->Name() + "|";
        return s;
    };
    EXPECT_EQ(names(*CreateMelyPlayer("Ilvar")), "Mélység|Minta|Állás értékelés|");
    EXPECT_EQ(names(*CreateMelyPlayer("QwilNV")), "Mélység|Minta|Állás értékelés|VCT|");
    EXPECT_EQ(names(*CreateMelyPlayer("QwilV")), "Minta|Állás értékelés|VCT|");
    const std::string x = names(*CreateMelyPlayer("QwilX_K"));
    EXPECT_EQ(x.rfind("Mélység|Minta|Állás értékelés|VCT|", 0), 0u) << x;
    EXPECT_EQ(std::count(x.begin(), x.end(), '|'), 5) << x;

    PlayerFactory factory;
    RegisterMelyPlayers(factory);
    for (const char* id : {"Ilvar", "Ilvar2", "Ilvar5U", "Ilvar7C", "QwilV", "QwilNV", "QwilN4AVK",
                           "QwilX_K", "Qwil1X7"}) {
        auto p = factory.CreatePlayerByName(id, "");
        ASSERT_TRUE(p) << id;
        EXPECT_EQ(p->Name, id);
        EXPECT_EQ(p->Level, 4);
    }
    // Letter case counts.
    EXPECT_FALSE(factory.IsInternal("ilvar"));
    EXPECT_FALSE(factory.IsInternal("QWILNV"));
    EXPECT_FALSE(CreateMelyPlayer("qwilX_K"));
    // Without tables there is no player, and the reason is shown.
    testing_support::RecordingBoxes boxes;
    SetEngineDataFolder("/nonexistent/");
    EXPECT_FALSE(factory.CreatePlayerByName("QwilNV", ""));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("M1Ertek.dat"), std::string::npos);
}

TEST_F(Mely, ImmediateWinIsPlayedWithoutSearches) {
    // Black to move: its own five at K8 comes before blocking white's at D4..H4's end.
    struct Case {
        const char* black;
        const char* white;
        const char* expected;
    };
    for (const Case& c : {Case{"G8 H8 I8 J8 B2", "D4 E4 F4 G4 N14", "K8"},
                          Case{"H8 J8 C13 M2", "D4 E4 F4 G4 N14", "H4"}}) {
        for (const char* id : {"Ilvar", "QwilNV", "QwilN4AVK"}) {
            Stones(c.black, c.white, kBlack);
            // The completion cells of both fours (F8/K8 for black's, C4/H4 for white's):
            // the open ends on the other side are blocked by the stones placed beside.
            Tabla[Cell("F8")] = kWhite;
            Tabla[Cell("C4")] = kBlack;
            MoveCount = 12;
            ShownMoves = 12;
            auto p = CreateMelyPlayer(id);
            p->SetLevel(4);
            auto& ilvar = dynamic_cast<TIlvar&>(*p);
            ilvar.Search->AgSzam = -7;
            auto* q = dynamic_cast<TQwilNV*>(p.get());
            if (q) q->Vct->NodeCount = -7, q->Vct->DepthReached = -7;
            const Snapshot before;
            p->Move();
            EXPECT_EQ(CellIndex(ChosenMove), Cell(c.expected)) << id << " " << c.black;
            // The forced move is taken before the player's evaluation: no search ran.
            EXPECT_EQ(ilvar.Search->AgSzam, -7) << id;
            if (q) {
                EXPECT_EQ(q->Vct->DepthReached, -7) << id << ": the threat search ran";
            }
            // The engine alone, asked directly, hands over the same move.
            p->AlNum = 0;
            p->FillValues(0.0f);
            p->Evaluate();
            ASSERT_EQ(p->AlNum, 1) << id;
            EXPECT_EQ(CellIndex(p->AlList[1]), Cell(c.expected)) << id;
            if (q) {
                EXPECT_EQ(q->ImmediateWin, 1) << id;
                EXPECT_EQ(q->Vct->DepthReached, -7) << id << ": the threat search ran";
            }
            EXPECT_EQ(Snapshot(), before) << id;
        }
    }
}

TEST_F(Mely, CheckRefusesAMoveThatLosesToAThreat) {
    // White has the open three F8 G8 H8; black must stop it at E8 or I8. A far move
    // lets white make an open four.
    for (const char* id : {"QwilNV", "QwilV"}) {
        for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
            Stones("F9 G10 H12 M3", "F8 G8 H8", kBlack);
            MoveCount = 7;
            SeedRandom(seed);
            auto p = CreateMelyPlayer(id);
            p->SetLevel(4);
            p->FillValues(-150.0f);
            p->AlNum = 0;
            p->AddAlternative(1, 15, 5.0f); // A15, far away, and valued highest
            p->AddAlternative(5, 8, 1.0f);  // E8
            p->ValueArray[1][15] = 5.0f;
            p->ValueArray[5][8] = 1.0f;
            TVct& vct = VctOf(*p);
            vct.MaxDepth = 3, vct.ThreeLimit = 2, vct.NodeLimit = 77;
            const Snapshot before;
            p->AfterChoice();
            EXPECT_EQ(CellIndex(ChosenMove), Cell("E8")) << id << " seed " << seed;
            EXPECT_LE(p->ValueArray[1][15], -100.0f) << id;
            EXPECT_EQ(Snapshot(), before) << id;
            EXPECT_EQ(vct.MaxDepth, 3);
            EXPECT_EQ(vct.ThreeLimit, 2);
            EXPECT_EQ(vct.NodeLimit, 77);
        }
    }
}

TEST_F(Mely, GamesAreReproducible) {
    const std::string first = Continue("QwilNV", "Ilvar", 8, 5);
    EXPECT_GE(first.size(), 5u * 3);
    EXPECT_EQ(first, Continue("QwilNV", "Ilvar", 8, 5));
}

} // namespace
