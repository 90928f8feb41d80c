// pbrain-vorlix run as a subprocess: a whole session of the protocol, good and bad
// input, line by line.

#include "tools/pbrain_transcript.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace {

using transcript::Converse;
using transcript::IsMove;
using transcript::kSafetySeconds;

std::string Program() {
    return transcript::Program("pbrain-vorlix");
}

struct Session : transcript::EngineSession {
    explicit Session(std::vector<std::string> args)
        : EngineSession("pbrain-vorlix", std::move(args)) {}
};

TEST(PbrainTranscript, SetUpCommandsAndTheirErrors) {
    Session s({"--player", "Turbo", "--seed", "1"});
    ASSERT_TRUE(s.started);
    Converse(s,
             {
                 {{"ABOUT"}, "name=\"pbrain-vorlix\", version=\"*\", author=\"*\", country=\"*\""},
                 {{"TURN 7,7"}, "ERROR no game started*"},
                 {{"BEGIN"}, "ERROR no game started*"},
                 {{"START 20"}, "ERROR unsupported board size 20*"},
                 {{"START fifteen"}, "ERROR *not a board size"},
                 {{"RECTSTART 15,20"}, "ERROR unsupported board size*"},
                 {{"RECTSTART 15,15"}, "OK"},
                 {{"start 15"}, "OK"}, // commands are not case-sensitive
                 {{"SWAP2BOARD"}, "UNKNOWN *"},
                 // INFO answers nothing when all is well: the next reply is ABOUT's.
                 {{"INFO timeout_turn 5000", "INFO timeout_match 100000", "INFO time_left 100000",
                   "INFO max_memory 83886080", "INFO game_type 1", "INFO folder /tmp",
                   "INFO evaluate 3,4", "INFO somebody_elses_key 1", "INFO rule 0", "ABOUT"},
                  "name=*"},
                 {{"INFO timeout_turn soon"}, "MESSAGE INFO timeout_turn ignored*"},
                 {{"INFO player Nobody"}, "ERROR unknown player identifier 'Nobody'*Turbo*"},
                 {{"INFO rule 1"}, "ERROR rule 1 is not supported*"},
                 {{"BEGIN"}, "ERROR rule 1 is not supported*"},
                 {{"INFO rule 4"}, "ERROR rule 4 is not supported*"},
                 {{"INFO rule 0", "INFO player Rupo", "BEGIN"}, "7,7"},
             });
    ASSERT_TRUE(s.engine.Send("END"));
    std::string line;
    EXPECT_EQ(s.engine.ReadLine(kSafetySeconds, line), gomocup::EngineProcess::Read::Closed);
}

TEST(PbrainTranscript, AGameWithTurnsTakeBacksBoardsAndRestart) {
    Session s({"--player", "Turbo", "--seed", "2"});
    ASSERT_TRUE(s.started);
    Converse(s, {{{"START 15"}, "OK"},
                 {{"TAKEBACK 7,7"}, "ERROR only the last stone*"},
                 {{"BEGIN"}, "7,7"},
                 {{"BEGIN"}, "ERROR BEGIN needs an empty board*"},
                 {{"TURN 7,7"}, "ERROR point 7,7 is already taken"},
                 {{"TURN 15,3"}, "ERROR point 15,3 is off the 15 x 15 board"},
                 {{"TURN -1,3"}, "ERROR point -1,3 is off*"},
                 {{"TURN a,b"}, "ERROR 'a,b' is not a point x,y"},
                 {{"TURN 7"}, "ERROR '7' is not a point x,y"}});

    // Every answer is an empty point of the game the test keeps itself.
    std::set<std::pair<int, int>> taken = {{7, 7}};
    auto play = [&](const std::vector<std::string>& send) {
        const std::string reply = s.Ask(send);
        int x = -1, y = -1;
        EXPECT_TRUE(IsMove(reply, x, y)) << reply;
        EXPECT_TRUE(taken.insert({x, y}).second) << reply << " is taken";
        return reply;
    };
    taken.insert({6, 6});
    const std::string answer = play({"TURN 6,6"});
    Converse(s, {{{"TAKEBACK 6,6"}, "ERROR only the last stone*"},
                 {{"TAKEBACK " + answer}, "OK"},
                 {{"TAKEBACK 6,6"}, "OK"}});
    taken = {{7, 7}, {8, 6}};
    play({"TURN 8,6"});

    // A board given whole: the engine is white (one own stone, two of the opponent).
    taken = {{7, 7}, {6, 7}, {8, 8}};
    play({"BOARD", "7,7,2", "6,7,1", "8,8,2", "DONE"});
    // Four black stones in a column with both ends open: white must block one end.
    const std::string block =
        s.Ask({"BOARD", "7,3,2", "0,0,1", "7,4,2", "0,14,1", "7,5,2", "14,0,1", "7,6,2", "DONE"});
    EXPECT_TRUE(block == "7,2" || block == "7,7") << block;

    Converse(s, {{{"BOARD", "7,7,3", "DONE"}, "ERROR field 3 of 7,7,3 is not 1 or 2"},
                 {{"BOARD", "7,7,1", "7,7,2", "DONE"}, "ERROR point 7,7 is given twice"},
                 {{"BOARD", "1,1,1", "2,2,1", "DONE"}, "ERROR 2 own and 0 opponent stones*"},
                 {{"BOARD", "1;1;1", "DONE"}, "ERROR '1;1;1' is not a stone x,y,field"},
                 {{"BOARD", "15,1,1", "DONE"}, "ERROR point 15,1 is off*"},
                 {{"BOARD", "DONE"}, "7,7"}, // an empty board: the engine opens
                 {{"RESTART"}, "OK"},
                 {{"BEGIN"}, "7,7"},
                 {{"FOO 1"}, "UNKNOWN command 'FOO' is not supported"}});
    // END ends the program: its output closes.
    ASSERT_TRUE(s.engine.Send("END"));
    std::string line;
    EXPECT_EQ(s.engine.ReadLine(kSafetySeconds, line), gomocup::EngineProcess::Read::Closed);
}

// END, or the end of input, ends the program wherever it arrives: between commands
// or inside a BOARD block.
struct EndCase {
    const char* name;
    std::vector<std::string> before; // sent after START 15
    bool endOfInput;                 // close the input instead of sending END
};

class PbrainEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(PbrainEnd, EndsTheProgram) {
    const EndCase& c = GetParam();
    Session s({"--player", "Turbo"});
    ASSERT_TRUE(s.started);
    EXPECT_EQ(s.Ask("START 15"), "OK");
    for (const auto& l : c.before) ASSERT_TRUE(s.engine.Send(l));
    if (c.endOfInput)
        s.engine.CloseInput();
    else
        ASSERT_TRUE(s.engine.Send("END"));
    std::string line;
    EXPECT_EQ(s.engine.ReadLine(kSafetySeconds, line), gomocup::EngineProcess::Read::Closed)
        << line;
}

INSTANTIATE_TEST_SUITE_P(
    Transcript, PbrainEnd,
    ::testing::Values(EndCase{"end", {}, false}, EndCase{"end_of_input", {}, true},
                      EndCase{"end_in_board", {"BOARD", "7,7,1"}, false},
                      EndCase{"end_of_input_in_board", {"BOARD", "7,7,1", "8,8,2"}, true},
                      EndCase{"end_of_input_in_empty_board", {"BOARD"}, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PbrainTranscript, BadCommandLinesAreRefused) {
    for (const char* args : {"--player Nobody", "--player", "--seed x", "--seed -1", "--seed \"\"",
                             "--colour black"}) {
        const std::string command = Program() + " " + args + " </dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), 2) << args;
    }
}

} // namespace
