// gomocup.so loaded the way the program loads player libraries, playing whole games
// headless: against pbrain-vorlix, and against engines that fail in every way a script
// can (silent, exiting at once, dying in the game, talking nonsense).

#include "platform/module.h"
#include "vorlix/match/match.h"
#include "vorlix/search/internal_players.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

namespace {

std::string BinDir() {
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    return bin ? bin : ".";
}

class GomocupBridge : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        // A copy of the library of its own, beside the engine list of this test.
        std::filesystem::copy_file(BinDir() + "/Players/gomocup.so", folder.Path() + "gomocup.so");
    }
    void WriteList(const std::string& text) {
        std::ofstream(folder.Path() + "gomocup.txt") << text;
    }
    std::string WriteScript(const std::string& name, const std::string& body) {
        const std::string path = folder.Path() + name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        ::chmod(path.c_str(), 0755);
        return path;
    }
    vorlix::MatchGame Play(const std::string& engine, int number) {
        vorlix::MatchOptions o;
        o.First = "Turbo";
        o.Second = "gomocup:" + engine;
        o.Seed = 5;
        o.Config.DrawAt = 223;
        o.Config.PlayersFolder = folder.Path();
        o.Config.DataFolder = BinDir() + "/data/";
        o.SetUpFactory = [this, o](vorlix::PlayerFactory& factory) {
            vorlix::RegisterInternalPlayers(factory, o.Config);
            factory.PlayersFolder = folder.Path();
        };
        return vorlix::PlayMatchGame(o, number);
    }
    testing_support::TempFolder folder;
};

TEST_F(GomocupBridge, ListsTheEnginesOfItsTextFile) {
    WriteList("Brain " + BinDir() + "/pbrain-vorlix\nOther pbrain-other\n");
    auto module = platform::LoadModule(folder.Path() + "gomocup.so");
    ASSERT_TRUE(module);
    auto name = reinterpret_cast<const char* (*)(int)>(platform::FindSymbol(module, "PlayerName"));
    ASSERT_TRUE(name);
    EXPECT_STREQ(name(1), "Brain");
    EXPECT_STREQ(name(2), "Other");
    EXPECT_EQ(name(3), nullptr);
    EXPECT_EQ(name(0), nullptr);
    // Before InitDLL has found the host there is no player (and no engine is started).
    auto create = reinterpret_cast<std::intptr_t (*)(const char*)>(
        platform::FindSymbol(module, "CreatePlayer"));
    ASSERT_TRUE(create);
    EXPECT_EQ(create("Brain"), 0);
}

TEST_F(GomocupBridge, PlaysWholeGamesAgainstPbrainVorlixWithBothColours) {
    WriteList("timeout 60\nBrain " + BinDir() + "/pbrain-vorlix --player Rupo --seed 3\n");
    for (int number : {1, 2}) {
        const vorlix::MatchGame g = Play("Brain", number);
        EXPECT_NE(g.Outcome, vorlix::MatchGame::Failed) << g.Message;
        EXPECT_EQ(g.FaultSeat, 0) << g.Message;
        EXPECT_GE(g.Moves, 9) << "game " << number;
        EXPECT_EQ(g.ThinkMoves[1], g.FirstColour == 1 ? g.Moves / 2 : (g.Moves + 1) / 2);
    }
}

TEST_F(GomocupBridge, AnEngineThatNeverAnswersLosesTheGameByTimeOut) {
    // It accepts the game, then sleeps without reading: END is not heard, and the
    // player's end must kill it.
    WriteScript("silent.sh", "echo $$ > pid\nread line\necho OK\nexec sleep 1000\n");
    WriteList("timeout 0.5\nSilent ./silent.sh\n");
    const vorlix::MatchGame g = Play("Silent", 1);
    EXPECT_EQ(g.Outcome, vorlix::MatchGame::FirstWon);
    EXPECT_EQ(g.FaultSeat, 2);
    EXPECT_NE(g.Message.find("Invalid move"), std::string::npos) << g.Message;
    // The engine was killed and reaped with the player: its process id is free.
    pid_t pid = 0;
    std::ifstream(folder.Path() + "pid") >> pid;
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0);
    EXPECT_EQ(errno, ESRCH);
}

TEST_F(GomocupBridge, AnEngineThatExitsAtOnceGivesNoPlayer) {
    WriteScript("gone.sh", "exit 0\n");
    WriteList("timeout 5\nGone ./gone.sh\nMissing ./no-such-engine\n");
    for (const char* name : {"Gone", "Missing", "Unlisted"}) {
        const vorlix::MatchGame g = Play(name, 1);
        EXPECT_EQ(g.Outcome, vorlix::MatchGame::Failed) << name;
        EXPECT_NE(g.Message.find("Error in CreatePlayer."), std::string::npos) << g.Message;
    }
}

TEST_F(GomocupBridge, AnEngineThatDiesOrTalksNonsenseInTheGameLosesIt) {
    WriteScript("dies.sh",
                "while read line; do\n"
                "  case \"$line\" in START*) echo OK;; BEGIN*|TURN*|BOARD*) exit 3;; esac\n"
                "done\n");
    WriteScript("talks.sh",
                "while read line; do\n"
                "  case \"$line\" in START*) echo OK;; DONE*|BEGIN*|TURN*) echo hello;; esac\n"
                "done\n");
    WriteScript("refuses.sh",
                "while read line; do\n"
                "  case \"$line\" in START*) echo OK;; DONE*|BEGIN*|TURN*) echo ERROR no;; esac\n"
                "done\n");
    // An ERROR after INFO lines may be the refusal of one of them: the bridge waits on
    // for the answer, so a refusing engine loses by its time-out.
    WriteList("timeout 10\nDies ./dies.sh\nTalks ./talks.sh\ntimeout 1\nRefuses ./refuses.sh\n");
    for (const char* name : {"Dies", "Talks", "Refuses"})
        for (int number : {1, 2}) {
            const vorlix::MatchGame g = Play(name, number);
            EXPECT_EQ(g.FaultSeat, 2) << name << " " << number << ": " << g.Message;
            EXPECT_EQ(g.Outcome, vorlix::MatchGame::FirstWon) << name;
        }
}

// A script engine that plays the first free point of a scan of the board. `onInfo`
// runs for every INFO line ($line), `beforeMove` before every answer.
std::string ScanEngine(const std::string& onInfo, const std::string& beforeMove) {
    return "taken=' '\n"
           "moves=0\n"
           "pick() {\n"
           "  for x in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do\n"
           "    for y in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do\n"
           "      case \"$taken\" in *\" $x,$y \"*) ;; *)\n"
           "        taken=\"$taken$x,$y \"; moves=$((moves + 1))\n" +
           beforeMove +
           "\n        echo \"$x,$y\"; return;;\n"
           "      esac\n"
           "    done\n"
           "  done\n"
           "}\n"
           "board=0\n"
           "while read -r line; do\n"
           "  line=$(printf %s \"$line\" | tr -d '\\r')\n"
           "  if [ $board = 1 ]; then\n"
           "    case \"$line\" in DONE) board=0; pick;; *) taken=\"$taken${line%,*} \";; esac\n"
           "    continue\n"
           "  fi\n"
           "  case \"$line\" in\n"
           "    START*) echo OK;;\n"
           "    INFO*) " +
           onInfo +
           ";;\n"
           "    BEGIN) pick;;\n"
           "    TURN*) taken=\"$taken${line#TURN } \"; pick;;\n"
           "    BOARD) board=1;;\n"
           "    END) exit 0;;\n"
           "  esac\n"
           "done\n";
}

// The engine is told a turn time below the bridge's time-out: one that uses the whole
// of it at its first move still answers in time (told the time-out itself, it missed
// it and lost).
TEST_F(GomocupBridge, AnEngineThatUsesItsWholeTurnTimeAnswersInTime) {
    WriteScript("slow.sh",
                ScanEngine("echo \"$line\" >> info.txt; case \"$line\" in *timeout_turn*) "
                           "turn=${line#INFO timeout_turn };; esac",
                           "[ $moves = 1 ] && sleep $((turn / 1000)).$(printf %03d "
                           "$((turn % 1000)))"));
    WriteList("timeout 3\nSlow ./slow.sh\n");
    const vorlix::MatchGame g = Play("Slow", 2); // the engine is black: it moves first
    EXPECT_EQ(g.FaultSeat, 0) << g.Message;
    EXPECT_NE(g.Outcome, vorlix::MatchGame::Failed) << g.Message;
    std::ifstream info(folder.Path() + "info.txt");
    std::string text((std::istreambuf_iterator<char>(info)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("INFO timeout_turn 2400\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("timeout_match"), std::string::npos) << text;
}

// With a game clock the engine is told the match time and, before each move, what is
// left of it; an engine that overspends its clock loses.
TEST_F(GomocupBridge, AGameClockIsToldAndKept) {
    WriteScript("clock.sh", ScanEngine("echo \"$line\" >> info.txt", ""));
    WriteScript("spender.sh", ScanEngine(":", "sleep 1"));
    WriteList("timeout 10\nmatch 100\nClock ./clock.sh\nmatch 2.5\nSpender ./spender.sh\n");
    vorlix::MatchGame g = Play("Clock", 2);
    EXPECT_EQ(g.FaultSeat, 0) << g.Message;
    std::ifstream info(folder.Path() + "info.txt");
    std::vector<long long> left;
    std::string line;
    bool match = false;
    while (std::getline(info, line)) {
        match = match || line == "INFO timeout_match 80000";
        if (line.rfind("INFO time_left ", 0) == 0) left.push_back(std::stoll(line.substr(15)));
    }
    EXPECT_TRUE(match);
    ASSERT_GE(left.size(), 3u); // at the start, then before each move
    EXPECT_EQ(left[0], 80000);
    for (size_t i = 1; i < left.size(); ++i) EXPECT_LE(left[i], left[i - 1]);
    g = Play("Spender", 2);
    EXPECT_EQ(g.FaultSeat, 2) << g.Message;
    EXPECT_EQ(g.Outcome, vorlix::MatchGame::FirstWon);
}

// An ERROR answer to an INFO line is the refusal of that line, reported in the log,
// and not the answer to the next move; MESSAGE lines go to the log.
TEST_F(GomocupBridge, AnErrorAnswerToInfoIsNotTheNextMovesAnswer) {
    WriteScript("picky.sh",
                ScanEngine("case \"$line\" in *max_memory*) echo 'ERROR max_memory too small';; "
                           "esac",
                           "echo 'MESSAGE thinking hard'"));
    WriteList("timeout 10\nlog engines.log\ninfo max_memory 1\nPicky ./picky.sh\n");
    for (int number : {1, 2}) {
        const vorlix::MatchGame g = Play("Picky", number);
        EXPECT_EQ(g.FaultSeat, 0) << number << ": " << g.Message;
        EXPECT_NE(g.Outcome, vorlix::MatchGame::Failed) << g.Message;
    }
    std::ifstream log(folder.Path() + "engines.log");
    std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("engine Picky refused an INFO line: 'ERROR max_memory too small'"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("engine Picky: MESSAGE thinking hard"), std::string::npos) << text;
}

} // namespace
