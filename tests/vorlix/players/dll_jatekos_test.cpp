#include "vorlix/players/dll_jatekos.h"

#include "platform/module.h"
#include "support/test_support.h"
#include "vorlix/players/host_exports.h"
#include "vorlix/players/library_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

using vorlix::TDllJatekos;
using vorlix::TPont;

std::string TestLibPath(const std::string& name) {
    return std::string(TESTLIB_DIR) + "/" + name + ".so";
}

// Reaches the control functions of one of the test libraries.
class TestLib {
  public:
    explicit TestLib(const std::string& name) : module_(platform::LoadModule(TestLibPath(name))) {
        if (!module_) return;
        reset_ = reinterpret_cast<void (*)()>(platform::FindSymbol(module_, "TestReset"));
        set_ = reinterpret_cast<void (*)(const char*, long long)>(
            platform::FindSymbol(module_, "TestSet"));
        setText_ = reinterpret_cast<void (*)(const char*, const char*)>(
            platform::FindSymbol(module_, "TestSetText"));
        log_ = reinterpret_cast<const char* (*)()>(platform::FindSymbol(module_, "TestLog"));
        host_ =
            reinterpret_cast<const VorlixHost* (*)()>(platform::FindSymbol(module_, "TestHost"));
        reset_();
    }
    bool Loaded() const { return module_ != nullptr; }
    void Set(const char* key, long long v) { set_(key, v); }
    void SetText(const char* key, const char* t) { setText_(key, t); }
    std::string Log() { return log_(); }
    // Later calls of NewLog show only what came after this (the settings stay).
    void ClearLog() { logStart_ = Log().size(); }
    std::string NewLog() { return Log().substr(logStart_); }
    const VorlixHost* Host() { return host_(); }

  private:
    platform::ModuleHandle module_;
    void (*reset_)() = nullptr;
    void (*set_)(const char*, long long) = nullptr;
    void (*setText_)(const char*, const char*) = nullptr;
    const char* (*log_)() = nullptr;
    const VorlixHost* (*host_)() = nullptr;
    size_t logStart_ = 0;
};

class DllJatekosTest : public ::testing::Test {
  protected:
    void SetUp() override { vorlix::ResetGameModel(); }
    void TearDown() override { vorlix::ResetGameModel(); }
    testing_support::RecordingBoxes boxes;
};

struct LoadFailure {
    const char* library;
    bool createFails;
    const char* message;
    const char* calls; // what the library saw, destruction included
};

class LoadFailureTest : public DllJatekosTest, public ::testing::WithParamInterface<LoadFailure> {};

TEST_P(LoadFailureTest, ReportsAndCallsNothingFurther) {
    const LoadFailure& f = GetParam();
    TestLib lib(f.library);
    if (f.createFails) lib.Set("create_fails", 1);
    {
        TDllJatekos p(TestLibPath(f.library), "Alpha");
        EXPECT_FALSE(p.Loaded());
    }
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(boxes.shown[0].text, f.message);
    if (lib.Loaded()) {
        EXPECT_EQ(lib.Log(), f.calls);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loader, LoadFailureTest,
    ::testing::Values(
        LoadFailure{"testlib_absent", false, ".dll not found.", ""},
        LoadFailure{"testlib_no_create", false, "CreatePlayer function not found.", ""},
        LoadFailure{"testlib_no_init", false, "InitDll function not found.", ""},
        LoadFailure{"testlib_no_delete", false, "DeletePlayer function not found.",
                    "InitDLL(path);"},
        LoadFailure{"testlib_no_move", false, "Move function not found.", "InitDLL(path);"},
        LoadFailure{"testlib_full", true, "Error in CreatePlayer.",
                    "InitDLL(path);CreatePlayer(Alpha);"}));

TEST_F(DllJatekosTest, CreationAndDeletionFollowTheProtocolOrder) {
    TestLib lib("testlib_full");
    {
        TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
        ASSERT_TRUE(p.Loaded());
        EXPECT_EQ(lib.Log(), "InitDLL(path);CreatePlayer(Alpha);Version;Level(10);AbilityNum;");
        EXPECT_EQ(p.VersionText, "1.2.3.4");
        EXPECT_EQ(p.Version[0], 1);
        EXPECT_EQ(p.Version[3], 4);
        EXPECT_EQ(p.Name, "Alpha");
        ASSERT_EQ(p.Kepessegek.Count(), 2);
        EXPECT_TRUE(p.CanOfferOpening());
        lib.ClearLog();
    }
    EXPECT_EQ(lib.NewLog(), "DeletePlayer;ExitDLL;");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DllJatekosTest, NameIsCutAndTrimmedBeforeCreatePlayer) {
    TestLib lib("testlib_full");
    { TDllJatekos p(TestLibPath("testlib_full"), "ABCDEFGHIJKLMNO"); }
    { TDllJatekos p(TestLibPath("testlib_full"), "Alpha   "); }
    EXPECT_NE(lib.Log().find("CreatePlayer(ABCDEFGHIJKL);"), std::string::npos);
    EXPECT_NE(lib.Log().find("CreatePlayer(Alpha);"), std::string::npos);
}

TEST_F(DllJatekosTest, VersionTextIsCutToTenCharacters) {
    EXPECT_EQ(vorlix::VersionTextOf(0x04030201u), "1.2.3.4");
    EXPECT_EQ(vorlix::VersionTextOf(0xFFFFFFFFu), "255.255.25");
}

TEST_F(DllJatekosTest, MoveRefreshesOnlyAfterAChangeAndReadsAlternativesAndValues) {
    TestLib lib("testlib_full");
    lib.Set("alnum", 2);
    TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
    lib.ClearLog();
    p.BoardChanged = true;
    p.Move();
    EXPECT_FALSE(p.BoardChanged);
    EXPECT_EQ(lib.NewLog(), "RefreshBoard;Move;AlNum;AlList(1);AlValue(1);AlList(2);AlValue(2);"
                            "ValueArray(first);ValueArray(last);");
    EXPECT_EQ(vorlix::ChosenMove, (TPont{1, 1}));
    ASSERT_EQ(p.AlNum, 2);
    EXPECT_EQ(p.AlList[2], (TPont{2, 1}));
    EXPECT_FLOAT_EQ(p.AlValue[1], 99.0f);
    EXPECT_FLOAT_EQ(p.ValueArray[3][12], 312.0f);
    lib.ClearLog();
    p.Move();
    EXPECT_EQ(lib.NewLog().rfind("Move;", 0), 0u); // no RefreshBoard this time
}

TEST_F(DllJatekosTest, MinimalLibraryPlaysWithTheMoveAsOnlyAlternative) {
    TestLib lib("testlib_minimal");
    lib.Set("move", VORLIX_POINT(8, 8) | 0x01000100u); // high bytes of the halves are ignored
    TDllJatekos p(TestLibPath("testlib_minimal"), "Alpha");
    ASSERT_TRUE(p.Loaded());
    EXPECT_FALSE(p.CanOfferOpening());
    EXPECT_EQ(p.Kepessegek.Count(), 0);
    p.Move();
    EXPECT_EQ(vorlix::ChosenMove, (TPont{8, 8}));
    ASSERT_EQ(p.AlNum, 1);
    EXPECT_EQ(p.AlList[1], (TPont{8, 8}));
    EXPECT_FLOAT_EQ(p.AlValue[1], 10.0f);
}

struct BadAlternatives {
    long long alnum;
    int expectedAlNum;
};
class BadAlternativesTest : public DllJatekosTest,
                            public ::testing::WithParamInterface<BadAlternatives> {};

TEST_P(BadAlternativesTest, CountIsClampedAndOnlyEmptyBoardCellsAreKept) {
    TestLib lib("testlib_full");
    lib.Set("alnum", GetParam().alnum);
    lib.Set("al1", VORLIX_POINT(0, 3));  // off the board
    lib.Set("al2", VORLIX_POINT(16, 1)); // off the board
    lib.Set("al3", VORLIX_POINT(8, 8));  // occupied
    vorlix::RecordMove(8, 8, vorlix::kBlack);
    TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
    p.Move();
    EXPECT_EQ(p.AlNum, GetParam().expectedAlNum);
    for (int k = 1; k <= p.AlNum; ++k) {
        EXPECT_TRUE(vorlix::OnBoard(p.AlList[k].X, p.AlList[k].Y));
        EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(p.AlList[k])], vorlix::kEmpty);
    }
}

// Alternatives k >= 4 default to (k, 1): on the board for k <= 15 only.
INSTANTIATE_TEST_SUITE_P(Loader, BadAlternativesTest,
                         ::testing::Values(BadAlternatives{-5, 0}, BadAlternatives{3, 0},
                                           BadAlternatives{5, 2}, BadAlternatives{100000, 12}));

TEST_F(DllJatekosTest, ValuesOutsideTheFloatRangeAreClamped) {
    EXPECT_EQ(vorlix::LibraryValue(std::nan("")), 0.0f);
    EXPECT_EQ(vorlix::LibraryValue(1e300), FLT_MAX);
    EXPECT_EQ(vorlix::LibraryValue(-1e300), -FLT_MAX);
    TestLib lib("testlib_full");
    lib.Set("alnum", 1);
    lib.Set("alv_huge", 1);
    TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
    p.Move();
    ASSERT_EQ(p.AlNum, 1);
    EXPECT_EQ(p.AlValue[1], FLT_MAX);
}

TEST_F(DllJatekosTest, OfferedStonesArePlacedWithTheirColours) {
    TestLib lib("testlib_full");
    TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
    p.OfferOpen1();
    p.OfferOpen2();
    ASSERT_EQ(vorlix::MoveCount, 5);
    const TPont want[5] = {{8, 8}, {8, 7}, {9, 7}, {7, 9}, {9, 9}};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(vorlix::GameRecord[i], want[i - 1]);
        EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(want[i - 1])],
                  i % 2 ? vorlix::kBlack : vorlix::kWhite);
    }
    EXPECT_FALSE(p.ChOpening()); // 0x100: the low byte decides
    lib.Set("chopening", 0x201);
    EXPECT_TRUE(p.ChOpening());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DllJatekosTest, InvalidOfferedStonesAreRefusedAndTheBaseOfferPlaced) {
    TestLib lib("testlib_full");
    lib.Set("o2x", 16); // white stone off the board
    TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
    p.OfferOpen1();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Invalid opening stone !\r16,7");
    EXPECT_EQ(vorlix::MoveCount, 2); // the base player's two stones instead
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(vorlix::GameRecord[1])], vorlix::kBlack);

    lib.Set("o3x", 8), lib.Set("o3y", 8); // third stone onto move 1's cell if it is H8
    lib.Set("o4x", 9), lib.Set("o4y", 9);
    lib.Set("o5x", 9), lib.Set("o5y", 9); // the same cell twice
    p.OfferOpen2();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(vorlix::MoveCount, 2); // no opening book here: the base offer places nothing
}

TEST_F(DllJatekosTest, HostExportsAsALibrarySeesThem) {
    TestLib lib("testlib_full");
    TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
    const VorlixHost* host = lib.Host();
    ASSERT_NE(host->GetTableField, nullptr);
    ASSERT_NE(host->WhatIsLine, nullptr);
    vorlix::RecordMove(8, 8, vorlix::kBlack);
    vorlix::RecordMove(9, 8, vorlix::kWhite);
    vorlix::ColourToMove = vorlix::kBlack;
    EXPECT_EQ(host->GetTableField(VORLIX_POINT(8, 8)), 1);
    EXPECT_EQ(host->GetTableField(VORLIX_POINT(9, 8)), 2);
    EXPECT_EQ(host->GetTableField(VORLIX_POINT(0, 8)), 0);
    EXPECT_EQ(host->GetTableField(VORLIX_POINT(16, 8)), 0);
    EXPECT_EQ(host->GetTableField(0xFFFFFFFFu), 0);
    EXPECT_EQ(host->NextColour(), 1);
    EXPECT_EQ(host->nMove(), 2);
    EXPECT_EQ(host->Game(2), VORLIX_POINT(9, 8));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(host->Game(0), 0u);
    EXPECT_EQ(host->Game(3), 0u);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Range check error in \"Game\" function.\r0");
    EXPECT_EQ(boxes.shown[1].text, "Range check error in \"Game\" function.\r3");
    EXPECT_EQ(host->GetTraceMode(), 0);
    EXPECT_EQ(host->OfferDraw(), 0);
    host->SetProgress(55);
    // The line through H7 upwards holds the black stone at H8.
    const VorlixPoint h7 = VORLIX_POINT(8, 7);
    EXPECT_EQ(host->WhatIsLine(h7, 2, 0), host->WhatIsLine(h7, 2, 2));
    EXPECT_EQ(host->WhatIsLine(h7, 2, 3), host->WhatIsLine(h7, 2, 2));
    EXPECT_NE(host->WhatIsLine(h7, 2, 1), host->WhatIsLine(h7, 2, 2));
    EXPECT_EQ(host->WhatIsLine(h7, 0, 1), 0);
    EXPECT_EQ(host->WhatIsLine(VORLIX_POINT(0, 7), 1, 1), 0);
}

TEST_F(DllJatekosTest, AbilitiesOfALibraryPlayer) {
    TestLib lib("testlib_full");
    lib.SetText("ability1", "TwentyCharacterNames");
    lib.SetText("ability2", "<null>");
    lib.SetText("prop1", std::string(80, 'p').c_str());
    lib.Set("props", 3);
    TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
    ASSERT_EQ(p.Kepessegek.Count(), 2);
    EXPECT_EQ(p.Kepessegek.Items(0)->Name(), "TwentyCharac");
    EXPECT_EQ(p.Kepessegek.Items(1)->Name(), "Kepesseg");
    vorlix::TTextList lines = {"old"};
    p.Kepessegek.Items(0)->ShowProperties(lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(50, 'p'));
    EXPECT_EQ(lines[1], "line");

    lib.Set("props", -1);
    p.Kepessegek.Items(0)->ShowProperties(lines);
    EXPECT_TRUE(lines.empty());
}

TEST_F(DllJatekosTest, AbilityCountZeroOrNegativeMakesNone) {
    TestLib lib("testlib_full");
    lib.Set("abilities", 0);
    {
        TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
        EXPECT_EQ(p.Kepessegek.Count(), 0);
    }
    lib.Set("abilities", -3);
    {
        TDllJatekos p(TestLibPath("testlib_full"), "Alpha");
        EXPECT_EQ(p.Kepessegek.Count(), 0);
    }
}

TEST_F(DllJatekosTest, AbilityWithoutAbilityNameIsCalledKepesseg) {
    TestLib lib("testlib_no_ability_name");
    TDllJatekos p(TestLibPath("testlib_no_ability_name"), "Alpha");
    ASSERT_EQ(p.Kepessegek.Count(), 2);
    EXPECT_EQ(p.Kepessegek.Items(1)->Name(), "Kepesseg");
}

TEST_F(DllJatekosTest, ListingALibrary) {
    TestLib lib("testlib_full");
    vorlix::PlayerLibrary out;
    ASSERT_TRUE(vorlix::ListPlayerLibrary(TestLibPath("testlib_full"), out));
    EXPECT_EQ(lib.Log(), "DllName;PlayerName(1);PlayerName(2);PlayerName(3);");
    EXPECT_EQ(out.FileName, "testlib_full");
    EXPECT_EQ(out.Caption, "Test Lib");
    EXPECT_EQ(out.Players, (std::vector<std::string>{"Alpha", "Beta"}));

    lib.SetText("dllname", "");
    lib.SetText("name1", "FifteenCharName");
    lib.SetText("name2", "");
    ASSERT_TRUE(vorlix::ListPlayerLibrary(TestLibPath("testlib_full"), out));
    EXPECT_EQ(out.Caption, "testlib_full");
    EXPECT_EQ(out.Players, (std::vector<std::string>{"FifteenCharN"}));

    lib.SetText("name1", "<null>");
    ASSERT_TRUE(vorlix::ListPlayerLibrary(TestLibPath("testlib_full"), out));
    EXPECT_TRUE(out.Players.empty());

    lib.Set("endless", 1); // a list that never ends is cut
    ASSERT_TRUE(vorlix::ListPlayerLibrary(TestLibPath("testlib_full"), out));
    EXPECT_EQ(out.Players.size(), static_cast<size_t>(vorlix::kMaxLibraryPlayers));

    EXPECT_FALSE(vorlix::ListPlayerLibrary(TestLibPath("testlib_no_name"), out));
    EXPECT_FALSE(vorlix::ListPlayerLibrary(TestLibPath("testlib_absent"), out));
}

TEST_F(DllJatekosTest, ScanningTheFolderListsOnlyLibrariesWithPlayerName) {
    auto libs = vorlix::ScanPlayersFolder(TESTLIB_DIR);
    std::vector<std::string> names;
    for (auto& l : libs) names.push_back(l.FileName);
    EXPECT_EQ(std::count(names.begin(), names.end(), "testlib_no_name"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "testlib_full"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "testlib_minimal"), 1);
    // Two libraries with the same display name stay two entries, each with its file.
    int sameCaption = 0;
    for (auto& l : libs) sameCaption += l.Caption == "Test Lib";
    EXPECT_GE(sameCaption, 2);
}

TEST_F(DllJatekosTest, AboutTexts) {
    vorlix::LibraryAbout about;
    ASSERT_TRUE(vorlix::ReadLibraryAbout(TestLibPath("testlib_full"), about));
    EXPECT_EQ(about.Author, "Tester");
    EXPECT_EQ(about.Country, "");
    ASSERT_TRUE(vorlix::ReadLibraryAbout(TestLibPath("testlib_minimal"), about));
    EXPECT_EQ(about.Author, "Unknow author.");
}

} // namespace

namespace {

TEST_F(DllJatekosTest, TheReadmeExamplePlays) {
    vorlix::TDllJatekos p(std::string(EXAMPLE_DIR) + "/first_empty.so", "FirstEmpty");
    ASSERT_TRUE(p.Loaded());
    vorlix::RecordMove(1, 1, vorlix::kBlack);
    p.Move();
    EXPECT_EQ(vorlix::ChosenMove, (vorlix::TPont{1, 2}));
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
