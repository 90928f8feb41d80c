// pbrain-kelvor run as a subprocess: sessions of the protocol on kelvor's boards and
// rules, good and bad input, renju's forbidden moves, and END at any moment.

#include "tools/pbrain_transcript.h"

#include "kelvor/kelvor_doc.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace {

using transcript::Converse;
using transcript::IsMove;

struct Session : transcript::EngineSession {
    explicit Session(std::vector<std::string> args = {"--seed", "1"})
        : EngineSession("pbrain-kelvor", std::move(args)) {}
};

TEST(PbrainKelvorTranscript, SetUpCommandsAndTheirErrors) {
    Session s;
    ASSERT_TRUE(s.started);
    Converse(s,
             {
                 {{"ABOUT"}, "name=\"pbrain-kelvor\", version=\"*\", author=\"*\", country=\"*\""},
                 {{"BEGIN"}, "ERROR no game started*"},
                 {{"START 14"},
                  "ERROR unsupported board size 14: only square boards of 13, 15, "
                  "17 and 19 lines are played"},
                 {{"START 20"}, "ERROR unsupported board size 20*"},
                 {{"START 0"}, "ERROR unsupported board size 0*"},
                 {{"RECTSTART 15,17"}, "ERROR unsupported board size 15,17*"},
                 {{"START 13", "BEGIN"}, "OK"},
                 {{}, "6,6"}, // the centre of each size
                 {{"START 17", "BEGIN"}, "OK"},
                 {{}, "8,8"},
                 {{"RECTSTART 19,19", "BEGIN"}, "OK"},
                 {{}, "9,9"},
                 {{"TURN 19,3"}, "ERROR point 19,3 is off the 19 x 19 board"},
                 {{"start 15"}, "OK"},
                 // INFO answers nothing when all is well: the next reply is ABOUT's.
                 {{"INFO timeout_turn 5000", "INFO timeout_match 100000", "INFO time_left 100000",
                   "INFO max_memory 0", "INFO max_memory 83886080", "INFO game_type 1",
                   "INFO rule 1", "INFO rule 4", "INFO rule 0", "INFO level 1", "INFO level 12",
                   "INFO vct 1", "INFO vct 0", "INFO somebody_elses_key 1", "ABOUT"},
                  "name=*"},
                 {{"INFO max_memory 1000000"}, "ERROR max_memory 1000000 is below the * bytes*"},
                 {{"INFO level 13"}, "ERROR level '13' is not 1..12"},
                 {{"INFO level 0"}, "ERROR level '0' is not 1..12"},
                 {{"INFO vct yes"}, "ERROR vct 'yes' is not 0 or 1"},
                 {{"INFO time_left soon"}, "MESSAGE INFO time_left ignored*"},
                 {{"INFO rule 2"},
                  "ERROR rule 2 is not supported: only 0 (five or more), 1 "
                  "(exactly five) and 4 (renju)"},
                 {{"BEGIN"}, "ERROR rule 2 is not supported*"},
                 {{"INFO rule 0", "INFO level 2", "BEGIN"}, "7,7"},
             });
    ASSERT_TRUE(s.engine.Send("END"));
    EXPECT_TRUE(s.Closes());
}

TEST(PbrainKelvorTranscript, AGameWithTurnsTakeBacksBoardsAndRestart) {
    Session s;
    ASSERT_TRUE(s.started);
    Converse(s, {{{"START 15", "INFO level 3", "INFO timeout_turn 10000"}, "OK"},
                 {{"TAKEBACK 7,7"}, "ERROR only the last stone*"},
                 {{"BEGIN"}, "7,7"},
                 {{"BEGIN"}, "ERROR BEGIN needs an empty board*"},
                 {{"TURN 7,7"}, "ERROR point 7,7 is already taken"},
                 {{"TURN 15,3"}, "ERROR point 15,3 is off the 15 x 15 board"},
                 {{"TURN a,b"}, "ERROR 'a,b' is not a point x,y"}});
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
    // Four black stones in a column with both ends open: white must block one end.
    const std::string block =
        s.Ask({"BOARD", "7,3,2", "0,0,1", "7,4,2", "0,14,1", "7,5,2", "14,0,1", "7,6,2", "DONE"});
    EXPECT_TRUE(block == "7,2" || block == "7,7") << block;
    // Its own four: the engine makes five.
    const std::string five = s.Ask({"BOARD", "3,3,1", "0,0,2", "4,3,1", "0,14,2", "5,3,1", "14,0,2",
                                    "6,3,1", "14,14,2", "DONE"});
    EXPECT_TRUE(five == "2,3" || five == "7,3") << five;
    Converse(s, {{{"BOARD", "7,7,3", "DONE"}, "ERROR field 3 of 7,7,3 is not 1 or 2"},
                 {{"BOARD", "7,7,1", "7,7,2", "DONE"}, "ERROR point 7,7 is given twice"},
                 {{"BOARD", "1,1,1", "2,2,1", "DONE"}, "ERROR 2 own and 0 opponent stones*"},
                 {{"BOARD", "DONE"}, "7,7"},
                 {{"RESTART"}, "OK"},
                 {{"BEGIN"}, "7,7"},
                 {{"FOO 1"}, "UNKNOWN command 'FOO' is not supported"}});
    ASSERT_TRUE(s.engine.Send("END"));
    EXPECT_TRUE(s.Closes());
}

// Black (the engine) holds F8 G8 H6 H7: H8 makes two open threes. In gomoku the
// engine plays it; in renju it is forbidden and never played; sent by the manager as
// black's move it is refused.
const std::vector<std::string> kDoubleThreeForBlack = {
    "BOARD", "5,7,1", "0,0,2", "6,7,1", "14,0,2", "7,5,1", "0,14,2", "7,6,1", "14,14,2", "DONE"};

// Whether black may play `p` in renju after the stones of a BOARD block (field 1
// black's when `blackOwn`).
bool LegalForBlack(const std::vector<std::string>& board, bool blackOwn, std::pair<int, int> p) {
    testing_support::RecordingBoxes quiet;
    kelvor::CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    EXPECT_TRUE(doc.TablesLoaded());
    doc.Variant = 0;
    doc.NewGame();
    for (const std::string& line : board) {
        int x = 0, y = 0, field = 0;
        if (std::sscanf(line.c_str(), "%d,%d,%d", &x, &y, &field) != 3) continue;
        doc.Board[x][y] = (field == 1) == blackOwn ? kelvor::kBlack : kelvor::kWhite;
    }
    return doc.IsLegal(p.first, p.second);
}

TEST(PbrainKelvorTranscript, RenjuBlackIsOfferedADoubleThreeAndDeclinesIt) {
    ASSERT_FALSE(LegalForBlack(kDoubleThreeForBlack, true, {7, 7}));
    for (const char* level : {"1", "4", "8"}) {
        Session s;
        ASSERT_TRUE(s.started);
        EXPECT_EQ(s.Ask("START 15"), "OK");
        ASSERT_TRUE(s.engine.Send(std::string("INFO level ") + level));
        // In gomoku the double three is the engine's choice.
        EXPECT_EQ(s.Ask(kDoubleThreeForBlack), "7,7") << "level " << level;
        ASSERT_TRUE(s.engine.Send("INFO rule 4"));
        const std::string reply = s.Ask(kDoubleThreeForBlack);
        int x = -1, y = -1;
        ASSERT_TRUE(IsMove(reply, x, y)) << reply;
        EXPECT_NE(reply, "7,7") << "level " << level;
        EXPECT_TRUE(LegalForBlack(kDoubleThreeForBlack, true, {x, y})) << reply;
    }
}

TEST(PbrainKelvorTranscript, RenjuRefusesAForbiddenMoveOfTheManager) {
    Session s;
    ASSERT_TRUE(s.started);
    Converse(s, {{{"START 15", "INFO rule 4", "INFO level 2"}, "OK"},
                 // Black's last stone, H8, makes the double three.
                 {{"BOARD", "5,7,2", "0,0,1", "6,7,2", "14,0,1", "7,5,2", "0,14,1", "7,6,2",
                   "14,14,1", "7,7,2", "DONE"},
                  "ERROR move 7,7 is forbidden for black in renju"}});
    // The same as a TURN: the engine, black, answers the position; its move is taken
    // back, and the manager plays black's H8.
    const std::string answer = s.Ask(kDoubleThreeForBlack);
    int x = -1, y = -1;
    ASSERT_TRUE(IsMove(answer, x, y)) << answer;
    Converse(s, {{{"TAKEBACK " + answer}, "OK"},
                 {{"TURN 7,7"}, "ERROR move 7,7 is forbidden for black in renju"},
                 // An overline is forbidden too: black's 3,0 fills row 1 from 0,0 to 5,0.
                 {{"BOARD", "0,0,2", "3,3,1", "1,0,2", "12,12,1", "2,0,2", "3,11,1", "4,0,2",
                   "11,3,1", "5,0,2", "10,10,1", "3,0,2", "DONE"},
                  "ERROR move 3,0 is forbidden for black in renju"}});
    // A position whose last black move is legal is answered.
    const std::string reply =
        s.Ask({"BOARD", "5,7,2", "0,0,1", "6,7,2", "14,0,1", "7,5,2", "DONE"});
    EXPECT_TRUE(IsMove(reply, x, y)) << reply;
    ASSERT_TRUE(s.engine.Send("END"));
    EXPECT_TRUE(s.Closes());
}

// END, or the end of input, ends the program wherever it arrives: between commands,
// inside a BOARD block, or in the middle of a search (which is then not answered).
struct EndCase {
    const char* name;
    std::vector<std::string> before; // sent after START 15
    bool endOfInput;                 // close the input instead of sending END
};

class PbrainKelvorEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(PbrainKelvorEnd, EndsTheProgram) {
    const EndCase& c = GetParam();
    Session s;
    ASSERT_TRUE(s.started);
    EXPECT_EQ(s.Ask("START 15"), "OK");
    for (const auto& l : c.before) ASSERT_TRUE(s.engine.Send(l));
    if (c.endOfInput)
        s.engine.CloseInput();
    else
        ASSERT_TRUE(s.engine.Send("END"));
    EXPECT_TRUE(s.Closes());
}

std::vector<std::string> Search() {
    // Level 12 without a time limit thinks for a while on this position.
    std::vector<std::string> lines = {"INFO level 12"};
    lines.insert(lines.end(), kDoubleThreeForBlack.begin(), kDoubleThreeForBlack.end());
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Transcript, PbrainKelvorEnd,
    ::testing::Values(EndCase{"end", {}, false}, EndCase{"end_of_input", {}, true},
                      EndCase{"end_in_board", {"BOARD", "7,7,1"}, false},
                      EndCase{"end_of_input_in_board", {"BOARD", "7,7,1", "8,8,2"}, true},
                      EndCase{"end_in_search", Search(), false},
                      EndCase{"end_of_input_in_search", Search(), true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PbrainKelvorTranscript, BadCommandLinesAreRefused) {
    for (const char* args : {"--level 0", "--level 13", "--level", "--seed x", "--seed -1",
                             "--data /nonexistent/folder", "--rule 4"}) {
        const std::string command =
            transcript::Program("pbrain-kelvor") + " " + args + " </dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), 2) << args;
    }
}

} // namespace
