// Player libraries out of process: the frames between the program and its player host,
// the game state the host's functions answer from, and libraries that crash, hang, exit
// or throw.

#include "vorlix/players/dll_jatekos.h"
#include "vorlix/players/library_registry.h"
#include "vorlix/players/player_host.h"
#include "vorlix/players/plugin_wire.h"

#include "platform/module.h"
#include "support/scripted_window.h"
#include "support/test_support.h"
#include "vorlix/game/controller.h"
#include "vorlix/players/host_exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace vorlix;

std::string HostilePath(const std::string& name) {
    return std::string(HOSTILE_DIR) + "/" + name + ".so";
}

// ---- Frames, without processes ----

TEST(PluginWire, FieldsReadBackAsWritten) {
    wire::Writer w(wire::Type::Move);
    w.U8(7).I16(-3).I32(-100000).U32(0xFFFFFFFFu).I64(-5).F64(2.5).Text("H8 ");
    wire::Reader r(w.Body());
    EXPECT_EQ(r.MessageType(), wire::Type::Move);
    EXPECT_EQ(r.U8(), 7);
    EXPECT_EQ(r.I16(), -3);
    EXPECT_EQ(r.I32(), -100000);
    EXPECT_EQ(r.U32(), 0xFFFFFFFFu);
    EXPECT_EQ(r.I64(), -5);
    EXPECT_EQ(r.F64(), 2.5);
    EXPECT_EQ(r.Text(), "H8 ");
    EXPECT_NO_THROW(r.End());
}

TEST(PluginWire, ShortLongAndOversizedMessagesAreRefused) {
    EXPECT_THROW(wire::Reader(std::string()), wire::MalformedMessage);
    wire::Writer w(wire::Type::Reply);
    w.I32(5);
    {
        wire::Reader r(w.Body());
        EXPECT_THROW(r.I64(), wire::MalformedMessage); // 4 bytes where 8 are read
    }
    {
        wire::Reader r(w.Body());
        EXPECT_THROW(r.End(), wire::MalformedMessage); // bytes left over
    }
    {
        wire::Writer t(wire::Type::Reply);
        t.Text("thirteen char");
        wire::Reader r(t.Body());
        EXPECT_THROW(r.Text(12), wire::MalformedMessage); // longer than its limit
    }
    {
        wire::Writer t(wire::Type::Reply);
        t.U32(1000); // a text length beyond the frame
        wire::Reader r(t.Body());
        EXPECT_THROW(r.Text(), wire::MalformedMessage);
    }
}

TEST(PluginWire, FramesAreLengthChecked) {
    int sv[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
    wire::Writer w(wire::Type::Ping);
    w.Text("abc");
    ASSERT_EQ(wire::SendFrame(sv[0], w), wire::IoResult::Ok);
    std::string body;
    ASSERT_EQ(wire::ReceiveFrame(sv[1], body), wire::IoResult::Ok);
    EXPECT_EQ(body, w.Body());

    for (std::uint32_t length : {0u, wire::kMaxFrame + 1}) {
        ASSERT_EQ(::write(sv[0], &length, sizeof length), 4);
        EXPECT_EQ(wire::ReceiveFrame(sv[1], body), wire::IoResult::Broken) << length;
    }
    const auto soon = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
    EXPECT_EQ(wire::ReceiveFrame(sv[1], body, &soon), wire::IoResult::TimedOut);
    std::uint32_t length = 10;
    ASSERT_EQ(::write(sv[0], &length, sizeof length), 4);
    ::close(sv[0]); // the frame ends early
    EXPECT_EQ(wire::ReceiveFrame(sv[1], body), wire::IoResult::Broken);
    EXPECT_EQ(wire::ReceiveFrame(sv[1], body), wire::IoResult::Closed);
    ::close(sv[1]);
}

TEST(PluginWire, GameStateCopiesTheBoardAndRecord) {
    ResetGameModel();
    RecordMove(8, 8, kBlack);
    RecordMove(9, 7, kWhite);
    ColourToMove = kBlack;
    wire::Writer w(wire::Type::Ping);
    wire::WriteGameState(w);
    ResetGameModel();
    wire::Reader r(w.Body());
    wire::ReadGameState(r);
    r.End();
    EXPECT_EQ(MoveCount, 2);
    EXPECT_EQ(GameRecord[2], (TPont{9, 7}));
    EXPECT_EQ(Tabla[CellIndex(8, 8)], kBlack);
    EXPECT_EQ(ColourToMove, kBlack);

    std::string bad = w.Body();
    const std::int32_t count = 226; // more moves than cells
    std::memcpy(bad.data() + 1 + (kCells + 1) + 1, &count, sizeof count);
    wire::Reader b(bad);
    EXPECT_THROW(wire::ReadGameState(b), wire::MalformedMessage);
    ResetGameModel();
}

// ---- Libraries in the player host ----

class PlayerHostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGameModel();
        saved_ = HostTimeouts();
    }
    void TearDown() override {
        HostTimeouts() = saved_;
        ResetGameModel();
    }
    testing_support::RecordingBoxes boxes;
    PlayerHostTimeouts saved_;
};

// Inside Move, the library's calls of the host functions see the program's game.
TEST_F(PlayerHostTest, HostFunctionsAnswerFromTheProgramsGame) {
    platform::ModuleHandle lib =
        platform::LoadModule(std::string(TESTLIB_DIR) + "/testlib_full.so");
    ASSERT_NE(lib, nullptr);
    reinterpret_cast<void (*)()>(platform::FindSymbol(lib, "TestReset"))();
    reinterpret_cast<void (*)(const char*, long long)>(platform::FindSymbol(lib, "TestSet"))(
        "probe", 1);
    auto log = reinterpret_cast<const char* (*)()>(platform::FindSymbol(lib, "TestLog"));

    TDllJatekos p(std::string(TESTLIB_DIR) + "/testlib_full.so", "Alpha");
    ASSERT_TRUE(p.Loaded());
    RecordMove(8, 8, kBlack);
    RecordMove(9, 8, kWhite);
    ColourToMove = kBlack;
    p.Move();
    const VorlixPoint h7 = VORLIX_POINT(8, 7);
    const std::string want = "probe(1,2,0,1,2," + std::to_string(VORLIX_POINT(9, 8)) + ",0,0,0," +
                             std::to_string(::WhatIsLine(h7, 2, 1)) + "," +
                             std::to_string(::WhatIsLine(h7, 2, 2)) + "," +
                             std::to_string(::WhatIsLine(h7, 2, 2)) + ")";
    EXPECT_NE(std::string(log()).find(want), std::string::npos) << log();
    // The range error of Game(0) is shown by the program.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Range check error in \"Game\" function.\r0");
}

// Players of one library share its child, as they shared the loaded library: InitDLL
// once per player in the same library, and a crash ends both.
TEST_F(PlayerHostTest, PlayersOfOneLibraryShareItsChild) {
    const std::string path = std::string(TESTLIB_DIR) + "/testlib_full.so";
    platform::ModuleHandle lib = platform::LoadModule(path);
    ASSERT_NE(lib, nullptr);
    reinterpret_cast<void (*)()>(platform::FindSymbol(lib, "TestReset"))();
    auto log = reinterpret_cast<const char* (*)()>(platform::FindSymbol(lib, "TestLog"));
    {
        TDllJatekos alpha(path, "Alpha"), beta(path, "Beta");
        ASSERT_TRUE(alpha.Loaded() && beta.Loaded());
        EXPECT_EQ(alpha.Host(), beta.Host());
        alpha.Move();
        beta.Move();
    }
    EXPECT_EQ(std::string(log()), "InitDLL(path);CreatePlayer(Alpha);Version;Level(10);AbilityNum;"
                                  "InitDLL(path);CreatePlayer(Beta);Version;Level(10);AbilityNum;"
                                  "Move;AlNum;ValueArray(first);ValueArray(last);Move;AlNum;"
                                  "ValueArray(first);ValueArray(last);"
                                  "DeletePlayer;ExitDLL;DeletePlayer;ExitDLL;");

    TDllJatekos one(HostilePath("hostile_crash_move"), "Hostile"),
        two(HostilePath("hostile_crash_move"), "Hostile");
    EXPECT_THROW(one.Move(), PlayerHostError);
    try {
        two.Move();
        FAIL() << "Move returned";
    } catch (const PlayerHostError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("The player library hostile_crash_move.so crashed", 0), 0u);
    }
    TDllJatekos again(HostilePath("hostile_crash_move"), "Hostile"); // a new child
    EXPECT_TRUE(again.Loaded());
    EXPECT_NE(again.Host(), one.Host());
}

struct Hostile {
    const char* library;
    const char* message; // after "The player library NAME.so "
    int timeoutMs;       // short only for the one that hangs: a crash report may take long
};

class HostileMoveTest : public PlayerHostTest, public ::testing::WithParamInterface<Hostile> {};

TEST_P(HostileMoveTest, MoveFailsNamingTheLibraryAndASoundLibraryPlaysOn) {
    HostTimeouts().CallMs = GetParam().timeoutMs;
    {
        TDllJatekos p(HostilePath(GetParam().library), "Hostile");
        ASSERT_TRUE(p.Loaded());
        RecordMove(8, 8, kBlack);
        try {
            p.Move();
            FAIL() << "Move returned";
        } catch (const PlayerHostError& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.rfind(std::string("The player library ") + GetParam().library + ".so " +
                                     GetParam().message,
                                 0),
                      0u)
                << text;
        }
        ASSERT_NE(p.Host(), nullptr);
        EXPECT_FALSE(p.Host()->Running()); // killed and reaped
        EXPECT_THROW(p.Move(), PlayerHostError);
    } // destroying it calls nothing more
    TDllJatekos sound(HostilePath("sound"), "Hostile");
    ASSERT_TRUE(sound.Loaded());
    sound.Move();
    EXPECT_EQ(ChosenMove, (TPont{1, 1}));
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, HostileMoveTest,
    ::testing::Values(Hostile{"hostile_crash_move", "crashed in Move (signal ", 60000},
                      Hostile{"hostile_loop_move", "did not answer in Move within 500 ms.", 500},
                      Hostile{"hostile_exit_move", "ended the program in Move (exit status 0).",
                              60000},
                      Hostile{"hostile_throw_move",
                              "threw an exception in Move: the hostile library gives up", 60000}));

TEST_F(PlayerHostTest, ALibraryThatCrashesWhileLoadingMakesNoPlayer) {
    TDllJatekos p(HostilePath("hostile_crash_load"), "Hostile");
    EXPECT_FALSE(p.Loaded());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.rfind(
                  "The player library hostile_crash_load.so crashed while loading", 0),
              0u)
        << boxes.shown[0].text;
}

TEST_F(PlayerHostTest, LibrariesThatFailInTheirListingAreLeftOutWithoutABox) {
    HostTimeouts().ListMs = 1500;
    PlayerLibrary out;
    EXPECT_FALSE(ListPlayerLibrary(HostilePath("hostile_crash_name"), out));
    EXPECT_FALSE(ListPlayerLibrary(HostilePath("hostile_loop_name"), out));
    EXPECT_FALSE(ListPlayerLibrary(HostilePath("hostile_crash_load"), out));
    std::vector<std::string> listed;
    for (const auto& lib : ScanPlayersFolder(HOSTILE_DIR)) listed.push_back(lib.FileName);
    EXPECT_EQ(listed,
              (std::vector<std::string>{"hostile_crash_move", "hostile_exit_move",
                                        "hostile_loop_move", "hostile_throw_move", "sound"}));
    LibraryAbout about;
    EXPECT_FALSE(ReadLibraryAbout(HostilePath("hostile_crash_load"), about));
    EXPECT_TRUE(boxes.shown.empty());
}

// As in the window: the game with the crashing library ends as an abort with its
// message, and the next game, against a sound library, is played to its end.
TEST_F(PlayerHostTest, TheControllerAbortsTheGameAndPlaysTheNext) {
    testing_support::ScriptedWindow window;
    PlayerFactory factory;
    factory.LibraryIds = false;
    factory.PlayersFolder = HOSTILE_DIR;
    GameController controller(window, factory);
    window.controller = &controller;
    controller.Config.ColourChange = 0;
    controller.Config.DrawAt = 6;

    controller.OpponentName = "Hostile";
    controller.OpponentLibrary = "hostile_crash_move";
    controller.StartGame(false); // the computer plays black: its first Move crashes
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Aborted);
    EXPECT_EQ(controller.Outcome().FaultColour, kBlack);
    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(window.errors[0].rfind("The player library hostile_crash_move.so crashed in Move", 0),
              0u)
        << window.errors[0];
    EXPECT_EQ(controller.RunMode, 9);

    controller.OpponentLibrary = "sound";
    for (int i = 10; i <= 12; ++i) window.Click(i, i);
    controller.StartGame(false);
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Draw);
    EXPECT_EQ(window.questions.size(), 1u); // only this game reached the end dialog
    EXPECT_EQ(window.errors.size(), 1u);
}

TEST_F(PlayerHostTest, TheSampleLibraryAnswersAPing) {
    PlayerHost host(std::string(VORLIX_BIN_DIR_FOR_TESTS) + "/Players/players.so");
    EXPECT_TRUE(host.Running());
    host.Ping();
    host.Ping();
    EXPECT_TRUE(host.Running());
}

} // namespace
