#include "vorlix/search/melyvaz.h"

#include "platform/atomic_file.h"
#include "platform/events.h"
#include "platform/program_folder.h"
#include "support/test_support.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/random.h"
#include "vorlix/game/trialstones.h"
#include "vorlix/search/melynode.h"
#include "vorlix/search/vosk_players.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace vorlix;

int Cell(const std::string& text) {
    return CellIndex(ParsePont(text));
}

// Black and white stones as lists ("H8 J8"), recorded alternately so that MoveCount
// counts them; the lists must be equally long (black to move) or black one longer.
void Position(const std::string& black, const std::string& white) {
    ResetGameModel();
    std::vector<std::string> b, w;
    std::stringstream bs(black), ws(white);
    for (std::string s; bs >> s;) b.push_back(s);
    for (std::string s; ws >> s;) w.push_back(s);
    for (size_t i = 0; i < b.size() || i < w.size(); ++i) {
        if (i < b.size()) {
            TPont p = ParsePont(b[i]);
            RecordMove(p.X, p.Y, kBlack);
        }
        if (i < w.size()) {
            TPont p = ParsePont(w[i]);
            RecordMove(p.X, p.Y, kWhite);
        }
    }
    ColourToMove = b.size() > w.size() ? kWhite : kBlack;
}

// A quiet middle game of twelve stones, black to move.
void QuietMiddleGame() {
    Position("H8 J8 G10 K7 F7 I11", "H9 I7 G8 J10 K9 F9");
}

// Everything a search must leave as it found it.
struct Snapshot {
    std::array<std::uint8_t, kCells> cells;
    std::uint8_t colour;
    std::int32_t moves, depth;
    Snapshot() : colour(ColourToMove), moves(MoveCount), depth(SearchDepth) {
        std::memcpy(cells.data(), Tabla + 1, kCells);
    }
    bool operator==(const Snapshot&) const = default;
};

std::string DataFolder() {
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    return std::string(bin ? bin : ".") + "/data/";
}

// A player that only owns a search, for the store and round tests.
struct Owner : TJatekos {
    Owner() : Search(std::make_unique<TMelyVaz>(this)) {
        Tures = 0.35f;
        Search->Generator->LoadTables();
        Search->Evaluator->LoadTables();
    }
    std::unique_ptr<TMelyVaz> Search;
};

class MelyvazTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetEngineDataFolder(DataFolder());
        ResetGameModel();
    }
    void TearDown() override { ResetGameModel(); }
};
// Suite names start with "melyvaz" so that `ctest -R melyvaz` picks them all.
using melyvaz_search = MelyvazTest;

std::string CheckMessage(const std::function<void()>& f) {
    try {
        f();
    } catch (const InternalError& e) {
        return e.Message();
    }
    return "";
}

// ---------------------------------------------------------------------- selection

TEST(melyvaz_store, SelectionTakesEqualValuesUpToEighty) {
    TMelyVaz search(nullptr);
    std::int32_t cells[120];
    float values[120];
    for (int i = 0; i < 120; ++i) cells[i] = i + 1, values[i] = 3.0f;
    EXPECT_EQ(SelectCandidates(cells, values, 30, 8.6f, search.PenaltyTable()), 30);
    EXPECT_EQ(SelectCandidates(cells, values, 120, 8.6f, search.PenaltyTable()), 80);
    for (int i = 0; i < 120; ++i) EXPECT_EQ(cells[i], i + 1) << "equal values keep their order";
}

TEST(melyvaz_store, SelectionIncludesTheCandidateThatReachesTheBound) {
    TMelyVaz search(nullptr);
    EXPECT_NEAR(search.P(2), 2.828f, 1e-3f);
    EXPECT_NEAR(search.P(81), 729.0f, 1e-2f);
    // Penalties 0, 1 x 2.83, 2 x 5.20 = 10.39: the third reaches 8.6 and is taken.
    std::int32_t cells[4] = {11, 12, 13, 14};
    float values[4] = {5.0f, 9.0f, 10.0f, 8.0f};
    ASSERT_EQ(SelectCandidates(cells, values, 4, 8.6f, search.PenaltyTable()), 3);
    EXPECT_EQ((std::vector<int>(cells, cells + 3)), (std::vector<int>{13, 12, 14}));
    EXPECT_EQ(SelectCandidates(cells, values, 4, 0.0f, search.PenaltyTable()), 0);

    search.SetNHatvany(2.0f);
    EXPECT_FLOAT_EQ(search.P(3), 9.0f);
    EXPECT_FLOAT_EQ(search.NHatvany(), 2.0f);
}

// -------------------------------------------------------------------------- store

TEST_F(melyvaz_search, FillListsTheBestCandidatesSortedForTheSideToMove) {
    QuietMiddleGame();
    Owner owner;
    TMelyVaz& s = *owner.Search;
    s.MaxMelyseg = 7;
    s.SearchColour = ColourToMove;
    s.EmptyCount = 0;
    for (int n = 1; n <= kCells; ++n)
        if (Tabla[n] == kEmpty) s.EmptyCells[s.EmptyCount++] = n;
    s.Root = s.NewNode(0, 0);
    TMelyNode& root = s.Node(s.Root);
    EXPECT_EQ(NodeCandidates(s, 1), 0);
    Fill(root, 8.6f);
    ASSERT_GE(root.SorMax, 2);
    EXPECT_EQ(root.SorN, root.SorMax);
    EXPECT_EQ(s.AgSzam, 1);
    EXPECT_EQ(s.AllasSzam, root.SorMax);
    for (int k = 1; k <= root.SorN; ++k) {
        EXPECT_EQ(root.At(k).Ertek, root.At(k).Becsles);
        if (k > 1) {
            EXPECT_GE(root.At(k - 1).Becsles, root.At(k).Becsles);
        }
    }

    // The same bound again admits nothing new: the list and the flag stay as they were.
    root.EF = 8.6f;
    std::vector<int> before;
    for (int k = 1; k <= root.SorN; ++k) before.push_back(root.At(k).MezoSzam);
    Extend(root, 1.0f);
    EXPECT_EQ(root.SorN, static_cast<int>(before.size()));
    EXPECT_EQ(s.ExpandAll, 0);
    for (int k = 1; k <= root.SorN; ++k) EXPECT_EQ(root.At(k).MezoSzam, before[k - 1]);

    // A wider bound adds new cells only and asks for the whole list to be expanded.
    Extend(root, 4.0f);
    EXPECT_GT(root.SorN, static_cast<int>(before.size()));
    EXPECT_LE(root.SorMax, kMaxSor);
    EXPECT_EQ(s.ExpandAll, 1);
    std::set<int> cells;
    for (int k = 1; k <= root.SorN; ++k) cells.insert(root.At(k).MezoSzam);
    EXPECT_EQ(static_cast<int>(cells.size()), root.SorN);
    for (int c : before) EXPECT_TRUE(cells.count(c));
    ComputeWidth(root);
    EXPECT_EQ(root.Szeles, root.SorMax);
    EXPECT_EQ(s.ExpandAll, 0);

    // An opponent node: replies valued for the opponent first, no value before expansion.
    PutStone(root.At(1).MezoSzam);
    const TNodeRef childRef = s.NewNode(s.Root, 1);
    TMelyNode& child = s.Node(childRef);
    EXPECT_EQ(child.Szint, 2);
    EXPECT_EQ(child.Sajat, 0);
    NodeCandidates(s, child.Szint);
    Fill(child, 6.0f);
    for (int k = 1; k <= child.SorN; ++k) {
        EXPECT_EQ(child.At(k).Ertek, 0.0f);
        if (k > 1) {
            EXPECT_LE(child.At(k - 1).Becsles, child.At(k).Becsles);
        }
    }
    TakeStone(root.At(1).MezoSzam);
    root.At(1).Son = childRef;
    DeleteTree(s, s.Root);
    EXPECT_EQ(s.Nodes.Live(), 0);
}

TEST_F(melyvaz_search, StoreChecksRaiseTheirMessages) {
    QuietMiddleGame();
    Owner owner;
    TMelyVaz& s = *owner.Search;
    s.SearchColour = ColourToMove;
    TMelyNode& node = s.Node(s.NewNode(0, 0));
    EXPECT_EQ(CheckMessage([&] { TakeValue(node); }), "Nincs sor !");
    EXPECT_EQ(CheckMessage([&] { Extend(node, 2.0f); }), "Nincs sor !");
    NodeCandidates(s, 1);
    EXPECT_EQ(CheckMessage([&] { Fill(node, 0.0f); }), "Nincs alternativa !");
    NodeCandidates(s, 1);
    Fill(node, 8.6f);
    node.Sajat = 0;
    node.Parent = 0;
    node.Szeles = node.SorMax + 1;
    s.TeljesVedekezes = 0;
    EXPECT_EQ(CheckMessage([&] { SortSor(node); }), "Sor range check !");
    node.Szeles = 1;
    node.Sajat = 1;
    node.AllasHatar0 = node.SorMax + 1;
    EXPECT_EQ(CheckMessage([&] { Fill(node, 8.6f); }), "AllasHatar0 hiba !");
    node.AllasHatar0 = 0;
    node.Sor.reset();
    EXPECT_EQ(CheckMessage([&] { DeleteTree(s, 1); }), "Nincs meg a sor !");
}

TEST_F(melyvaz_search, DeletingAnUnfilledRootFreesOnlyTheRoot) {
    Owner owner;
    TMelyVaz& s = *owner.Search;
    s.Root = s.NewNode(0, 0);
    EXPECT_EQ(s.Nodes.Live(), 1);
    DeleteTree(s, s.Root);
    EXPECT_EQ(s.Nodes.Live(), 0);
}

TEST_F(melyvaz_search, DebugChecksCatchABrokenList) {
#ifdef NDEBUG
    GTEST_SKIP() << "the full checks run in debug builds only";
#else
    QuietMiddleGame();
    Owner owner;
    TMelyVaz& s = *owner.Search;
    s.SearchColour = ColourToMove;
    TMelyNode& node = s.Node(s.NewNode(0, 0));
    NodeCandidates(s, 1);
    Fill(node, 20.0f);
    ASSERT_GE(node.SorN, 3);
    EXPECT_NO_THROW(CheckNode(node, true));
    std::swap(node.At(1), node.At(node.SorN));
    EXPECT_EQ(CheckMessage([&] { CheckNode(node, true); }), "Assertion failure");
    node.At(2).MezoSzam = node.At(1).MezoSzam;
    EXPECT_EQ(CheckMessage([&] { CheckNode(node); }), "Assertion failure");
#endif
}

// ------------------------------------------------------------------------- rounds

std::vector<int> RoundDepths(TMelyVaz& s, int moves) {
    MoveCount = moves;
    s.RoundDepth = 1;
    s.AgSzam = 0;
    std::vector<int> depths;
    do {
        s.Round();
        depths.push_back(s.RoundDepth);
    } while (!s.StopCriterion() && depths.size() < 10);
    return depths;
}

TEST_F(melyvaz_search, RoundsDeepenByTwoUntilTheStopCriterion) {
    Owner owner;
    TMelyVaz& s = *owner.Search;
    s.MaxMelyseg = 5;
    EXPECT_EQ(RoundDepths(s, 20), (std::vector<int>{3, 5}));
    s.MaxMelyseg = 7;
    EXPECT_EQ(RoundDepths(s, 20), (std::vector<int>{3, 5, 7}));
    s.MaxMelyseg = 11;
    EXPECT_EQ(RoundDepths(s, 8), (std::vector<int>{3, 5})) << "the first moves stop at 5";
    EXPECT_EQ(RoundDepths(s, 100), (std::vector<int>{3, 5, 7, 9, 11}));
    EXPECT_EQ(RoundDepths(s, 120), (std::vector<int>{3, 5, 7, 9}));
    EXPECT_EQ(RoundDepths(s, 141), (std::vector<int>{3, 5}));
    EXPECT_EQ(RoundDepths(s, 166), (std::vector<int>{3}));
    MoveCount = 50;
    s.RoundDepth = 3;
    s.AgSzam = TMelyVaz::kFillStop;
    EXPECT_TRUE(s.StopCriterion());

    // Width and EF for the game stage and the round.
    s.MelyUt = 1;
    s.KifejtSzorzo = 0.8f;
    MoveCount = 7;
    s.RoundDepth = 3;
    s.Round();
    EXPECT_FLOAT_EQ(s.CurrentWidth, 0.8f * 0.9f * 0.9f);
    MoveCount = 150;
    s.RoundDepth = 1;
    s.TeljesVedekezes = 1;
    s.Round();
    EXPECT_FLOAT_EQ(s.CurrentWidth, 0.8f * 0.5f);
    EXPECT_FLOAT_EQ(s.CurrentDecay, 0.8f * 0.7f);
    EXPECT_FLOAT_EQ(s.CurrentEF, s.KezdetiEF * 0.9f);
    EXPECT_EQ(s.TeljesVedekezes, 0);
}

// ------------------------------------------------------------------------- search

TEST_F(melyvaz_search, SearchRunsItsRoundsAndLeavesTheBoardAsItFoundIt) {
    QuietMiddleGame();
    Owner owner;
    TMelyVaz& s = *owner.Search;
    s.MaxMelyseg = 5;
    s.TeljesVedekezes = 1;
    int dispatched = 0;
    platform::SetEventDispatcher([&] { ++dispatched; });
    const Snapshot before;
    owner.FillValues(0.0f);
    s.Search();
    platform::SetEventDispatcher(nullptr);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(s.Menetszam, 2);
    EXPECT_EQ(s.RoundDepth, 5);
    EXPECT_EQ(s.Root, 0);
    EXPECT_EQ(s.Nodes.Live(), 0);
    EXPECT_GE(s.AgSzam, 30);
    EXPECT_GE(dispatched, 1);
    EXPECT_EQ(owner.AlNum, 0);
    int listed = 0;
    for (int n = 1; n <= kCells; ++n) {
        const float v = owner.ValueArray[CellX(n)][CellY(n)];
        if (Tabla[n] == kEmpty && v != -200.0f) ++listed;
    }
    EXPECT_GE(listed, 1);

    TTextList lines;
    s.ShowProperties(lines);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Kezdeti EF : 8.6");
    EXPECT_EQ(lines[3], "NHatvány : 1.5");
    EXPECT_EQ(lines[4], "Nem Ilvar stilusu.");
    EXPECT_EQ(lines[5], "Teljes védekezés.");
    EXPECT_EQ(lines[lines.size() - 6], "Menetszám :2");
    EXPECT_EQ(lines.back(), "Node szám :0");
}

// The cell with the highest value among the empty cells.
std::string BestCell(const TJatekos& player) {
    int best = 0;
    for (int n = 1; n <= kCells; ++n)
        if (Tabla[n] == kEmpty && (best == 0 || player.ValueArray[CellX(n)][CellY(n)] >
                                                    player.ValueArray[CellX(best)][CellY(best)]))
            best = n;
    return TrimRight(CellText(best));
}

TEST_F(melyvaz_search, AFiveToCompleteMeansNoSearchAndTheForcedMove) {
    Owner owner;
    owner.Search->MaxMelyseg = 7;
    // Black to move completes five at I5.
    Position("E5 F5 G5 H5 C12", "D5 E11 F12 M2 N3");
    owner.FillValues(0.0f);
    owner.AlNum = 0;
    owner.Search->Search();
    EXPECT_EQ(owner.Search->Menetszam, 0);
    EXPECT_EQ(owner.Search->AgSzam, 0);
    ASSERT_EQ(owner.AlNum, 1);
    EXPECT_EQ(owner.AlList[1], ParsePont("I5"));
    EXPECT_EQ(BestCell(owner), "I5");
    // White to move against the same four blocks it.
    Position("E5 F5 G5 H5 C12", "D5 E11 F12 M2");
    owner.FillValues(0.0f);
    owner.AlNum = 0;
    owner.Search->Search();
    EXPECT_EQ(owner.Search->Menetszam, 0);
    ASSERT_EQ(owner.AlNum, 1);
    EXPECT_EQ(owner.AlList[1], ParsePont("I5"));
    // Against two fives nothing is forced: the generator's values decide.
    Position("E5 F5 G5 H5 C12", "E11 F12 M2 N3");
    owner.FillValues(0.0f);
    owner.AlNum = 0;
    owner.Search->Search();
    EXPECT_EQ(owner.Search->Menetszam, 0);
    EXPECT_EQ(owner.AlNum, 0);
}

TEST_F(melyvaz_search, AFailingCheckLeavesTheBoardAndWritesTheGame) {
    QuietMiddleGame();
    testing_support::TempFolder dir;
    testing_support::RecordingBoxes boxes;
    platform::SetProgramFolder(dir.Path());
    Owner owner;
    TMelyVaz& s = *owner.Search;
    s.MaxMelyseg = 5;
    // No decay left for the children: the first child's fill admits nothing.
    s.EFLecsenges = 0.0f;
    const Snapshot before;
    EXPECT_EQ(CheckMessage([&] { s.Search(); }), "Nincs alternativa !");
    platform::SetProgramFolder("");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(s.Root, 0);
    EXPECT_EQ(s.Nodes.Live(), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Kifejtben van valami hiba !");
    EXPECT_TRUE(platform::FileExists(dir.Path() + "hiba.txt"));
}

// A white open three H9 I9 J9 with black to move: every move but G9 or K9 loses, the
// far blocks F9 and L9 included (K9 or G9 then makes an open four).
TEST_F(melyvaz_search, AMoveThatLosesToAForcedWinIsValuedBelowMinus140) {
    Position("H8 I7 G12 B4 N13", "H9 I9 J9 C3 M13");
    auto player = CreateVoskPlayer("Vosk7XLHO");
    auto* vosk = static_cast<TVosk7W*>(player.get());
    player->SetLevel(0);
    // One round of three plies sees every open four; the root is made wide enough to
    // list losing moves beside the blocks.
    vosk->Search->MaxMelyseg = 3;
    vosk->Search->KezdetiEF = 400.0f;
    vosk->Search->FoNyeresKereses.On = 0; // black has no win to look for
    const Snapshot before;
    player->FillValues(0.0f);
    player->Evaluate();
    EXPECT_EQ(Snapshot(), before);
    const std::set<int> blocks = {Cell("G9"), Cell("K9")};
    int refuted = 0, bestCell = 0;
    float best = -1000.0f;
    for (int n = 1; n <= kCells; ++n) {
        if (Tabla[n] != kEmpty) continue;
        const float v = player->ValueArray[CellX(n)][CellY(n)];
        if (v > best) best = v, bestCell = n;
        if (v == -200.0f || blocks.count(n)) continue;
        EXPECT_LT(v, -140.0f) << TrimRight(CellText(n));
        ++refuted;
    }
    EXPECT_GE(refuted, 1);
    EXPECT_TRUE(blocks.count(bestCell)) << TrimRight(CellText(bestCell));
}

struct SearchResult {
    std::vector<float> values;
    std::int32_t fills, nodes, patterns;
    bool operator==(const SearchResult&) const = default;
};

SearchResult SearchOnce(TJatekos& player, TMelyVaz& s) {
    SeedRandom(7);
    player.FillValues(0.0f);
    player.AlNum = 0;
    player.Evaluate();
    SearchResult r{{}, s.AgSzam, s.NodeSzam, s.MintaSzam};
    for (int n = 1; n <= kCells; ++n) r.values.push_back(player.ValueArray[CellX(n)][CellY(n)]);
    return r;
}

// Every refinement on (win searches, graded small searches, postponed fours, loss
// avoidance, full-width extension, second scoring) in a sharp middle game.
TEST_F(melyvaz_search, TheSameSearchTwiceGivesTheSameValuesAndLeavesTheBoard) {
    Position("H8 I9 G7 J7 G10 I10 H10", "H9 I7 G8 K6 F9 J11");
    auto player = CreateVoskPlayer("Vosk7XLHO");
    TMelyVaz& s = *static_cast<TVosk7W*>(player.get())->Search;
    s.MasikErtekelo = 1;
    player->SetLevel(4);
    s.MaxMelyseg = 5;
    const Snapshot before;
    const SearchResult first = SearchOnce(*player, s);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_GT(first.fills, 0);
    EXPECT_EQ(SearchOnce(*player, s), first);
    EXPECT_EQ(Snapshot(), before);
}

// ------------------------------------------------------------------------ players

TEST_F(melyvaz_search, Level9AsksTheOpeningTreeFirstAndSearchesWithEF15_2) {
    PlayerFactory factory;
    RegisterVoskPlayers(factory);
    auto player = factory.CreatePlayerByName("Vosk7XLSHO_K", "");
    ASSERT_TRUE(player);
    auto* level9 = dynamic_cast<TVosk7XLSHO_K*>(player.get());
    ASSERT_TRUE(level9);
    TMelyVaz& s = *level9->Search;
    EXPECT_EQ(player->Name, "Vosk7XLSHO_K");
    EXPECT_FLOAT_EQ(s.KezdetiEF, 15.2f);
    EXPECT_EQ(s.MaxMelyseg, 7);
    EXPECT_EQ(s.MasikErtekelo, 1);
    EXPECT_EQ(s.MelyUt, 1);
    EXPECT_EQ(s.KisMegMely, 4);
    EXPECT_FLOAT_EQ(player->Tures, 0.35f);
    ASSERT_EQ(player->Kepessegek.Count(), 4);
    EXPECT_EQ(player->Kepessegek.Items(0), &s);
    EXPECT_EQ(player->Kepessegek.Items(3), level9->Companion.get());

    TTextList lines;
    s.ShowProperties(lines);
    const std::vector<std::string> head = {
        "Kezdeti EF : 15.2",
        "EFLecsenges : 0.8",
        "KifejtSzorzo : 0.8",
        "NHatvány : 1.5",
        "Nem Ilvar stilusu.",
        "Teljes védekezés.",
        "MelyUt:1",
        "Fö nyeréskeresés: 15,  6,100000",
        "Védö nyerésker. : 15,  6,100000",
        "Kis nyerésker.  : 10,  5, 8000 Lecseng",
        "  KisMegMely:4",
        "4es halasztas.",
        "------------------",
    };
    ASSERT_GE(lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 13), head);

    // Third move of a known opening: the tree answers and the search does not run.
    Position("H8", "H7");
    player->Move();
    EXPECT_GE(player->AlNum, 1);
    EXPECT_EQ(ChosenMove, ParsePont("I7"));
    EXPECT_EQ(s.Menetszam, 0);
}

TEST_F(melyvaz_search, TheChainGivesEachIdentifierItsSettings) {
    PlayerFactory factory;
    RegisterVoskPlayers(factory);
    auto w = factory.CreatePlayerByName("Vosk7W", "");
    auto l8 = factory.CreatePlayerByName("Vosk7XPM_K", "");
    auto lho = factory.CreatePlayerByName("Vosk7XLHO", "");
    ASSERT_TRUE(w && l8 && lho);
    EXPECT_FALSE(CreateVoskPlayer("vosk7w"));
    TMelyVaz& sw = *static_cast<TVosk7W*>(w.get())->Search;
    TMelyVaz& s8 = *static_cast<TVosk7W*>(l8.get())->Search;
    TMelyVaz& sh = *static_cast<TVosk7W*>(lho.get())->Search;
    EXPECT_FLOAT_EQ(sw.KezdetiEF, 8.6f);
    EXPECT_EQ(sw.FoNyeresKereses.On + sw.KisNyeresKereses + sw.MelyUt, 0);
    EXPECT_EQ(sw.TeljesVedekezes, 1);
    EXPECT_FLOAT_EQ(sw.KifejtSzorzo, 0.75f);

    EXPECT_FLOAT_EQ(s8.KezdetiEF, 15.2f);
    EXPECT_EQ(s8.KisMegMely, 6);
    EXPECT_EQ(s8.Lecseng, 0);
    EXPECT_EQ(s8.KisTabla[0].Depth, 9);
    EXPECT_EQ(s8.KisTabla[1].Depth, 5) << "rows 2..6 keep the engine's defaults";
    EXPECT_EQ(s8.NegyesHalasztas + s8.TeljesSzeles + s8.MasikErtekelo, 0);
    EXPECT_EQ(l8->Kepessegek.Count(), 4);

    EXPECT_EQ(sh.KisTabla[5].NodeLimit, 350);
    EXPECT_EQ(sh.KisTabla[2].ThreeLimit, 3);
    EXPECT_EQ(sh.NegyesHalasztas + sh.TeljesSzeles, 2);
    EXPECT_EQ(sh.MasikErtekelo, 0);
    EXPECT_EQ(lho->Kepessegek.Count(), 3);
}

} // namespace

TEST_F(melyvaz_search, TheLastCellsOfTheBoardAreLeftToTheGeneratorsValues) {
    // A soak game that reached move 224: a line of the tree fills the board, where the
    // search used to fail "Nincs alternativa !". So few empty cells are left to the
    // generator's values.
    const std::string moves =
        "H8,I7,G8,F8,G7,G6,F7,E6,F6,E5,E7,D7,F5,I9,I8,F4,J8,K8,H9,J7,H7,H6,I6,G5,E3,F9,G3,G10,H11,"
        "H10,F10,J11,K10,L11,K11,K12,M10,L10,L12,L7,J5,K4,M6,L13,M14,N14,G11,E11,H12,I13,J13,M7,K7,"
        "L8,L9,I11,D8,E9,C9,B10,E12,C6,E8,G12,F3,D3,N6,I12,I10,K9,J10,C4,D4,C5,C7,C11,B11,L6,K5,"
        "D12,E13,I14,I15,D10,B12,D13,D11,C10,H13,E2,B5,A10,E10,L5,L4,C2,C3,C8,B9,J12,G9,K3,H15,H14,"
        "G14,F13,H3,I3,G2,I4,H4,M3,J3,I5,J2,J4,L2,L14,K13,I2,I1,M11,K14,N12,O13,F12,G13,K15,H1,F15,"
        "D5,E4,J1,K1,B2,O11,M13,N3,N11,M4,K6,B4,B13,C13,C12,A14,B14,B15,N7,M8,N8,N5,L3,H2,F14,F1,"
        "M2,N2,N1,N9,A6,O8,O9,E15,D15,A5,E1,L15,N15,O4,A12,C14,O5,B8,A2,A9,A8,A1,A7,F11,D2,B7,E14,"
        "D14,B3,O15,H5,O7,G15,J15,A3,D6,C1,A13,F2,B6,J14,A11,G1,O2,L1,A15,D1,M5,G4,M15,J9,B1,N13,"
        "O14,D9,N10,O12,O6,O1,J6,M12,A4,O3,M1,O10,K2,M9";
    std::uint8_t colour = kBlack;
    for (size_t at = 0; at < moves.size();) {
        size_t comma = moves.find(',', at);
        if (comma == std::string::npos) comma = moves.size();
        const TPont p = ParsePont(moves.substr(at, comma - at));
        RecordMove(p.X, p.Y, colour);
        colour = Opponent(colour);
        at = comma + 1;
    }
    ColourToMove = MoverColour = colour;
    ASSERT_EQ(MoveCount, 223);
    PlayerFactory factory;
    RegisterVoskPlayers(factory);
    for (const char* id : {"Vosk7W", "Vosk7XPM_K", "Vosk7XLSHO_K"}) {
        auto player = factory.CreatePlayerByName(id, "");
        ASSERT_TRUE(player) << id;
        player->BoardChanged = true;
        const Snapshot before;
        EXPECT_NO_THROW(player->Move()) << id;
        EXPECT_TRUE(Snapshot() == before) << id;
        ASSERT_TRUE(OnBoard(ChosenMove.X, ChosenMove.Y)) << id;
        EXPECT_EQ(Tabla[CellIndex(ChosenMove)], kEmpty) << id;
    }
}
