// The window as a user meets it: message boxes come after the move they are about is
// on the screen, New, Open and Exit ask to save an unsaved game, the undo keys step
// back, and the status line names the player who must click during the fifth-move
// offers.

#include "kelvor/game_file.h"
#include "kelvor/ui/main_frame.h"
#include "kelvor_ui_support.h"
#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

using namespace kelvor;
using kelvor_ui_test::ClickCell;
using kelvor_ui_test::WaitFor;

// Records each box with the number of moves the view had painted and the document
// held at that moment; answers three-way questions with `answer`.
class WatchingBoxes : public testing_support::RecordingBoxes {
  public:
    std::function<int()> painted, held;
    struct Seen {
        std::string text;
        int painted, held;
    };
    std::vector<Seen> seen;
    platform::Answer answer = platform::Answer::No;

    void Show(platform::MessageKind kind, const std::string& text) override {
        RecordingBoxes::Show(kind, text);
        if (painted) seen.push_back({text, painted(), held()});
    }
    platform::Answer AskOrCancel(const std::string& text) override {
        asked.push_back(text);
        return answer;
    }
};

struct WindowTest : ::testing::Test {
    WatchingBoxes boxes;
    testing_support::TempFolder tmp;
    std::unique_ptr<CMainFrame> frame;
    CKelvorDoc* doc = nullptr;
    int swapAsked = -1; // moves painted when the swap question came

    void Open(const std::string& folder = KELVOR_DATA_DIR) {
        frame = std::make_unique<CMainFrame>(std::make_unique<CKelvorDoc>(folder, 5));
        doc = &frame->Document();
        doc->OpeningBook = false;
        doc->AskSwap = [this] {
            swapAsked = frame->View().PaintedMoves();
            return false;
        };
        boxes.painted = [this] { return frame->View().PaintedMoves(); };
        boxes.held = [this] { return static_cast<int>(doc->Record.size()); };
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->FileNew();
    }
    void Click(const std::string& cell) { ClickCell(frame->View(), *doc, cell); }
    void Clicks(std::initializer_list<const char*> cells) {
        for (const char* c : cells) Click(c);
    }
    const WatchingBoxes::Seen* Seen(const std::string& text) const {
        for (const auto& s : boxes.seen)
            if (s.text == text) return &s;
        return nullptr;
    }
};

// --- a message box comes after the move is drawn ---

struct MessageCase {
    const char* name;
    const char* message;
    std::function<void(WindowTest&)> play;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.name;
}

struct MessageAfterDraw : WindowTest, ::testing::WithParamInterface<MessageCase> {};

TEST_P(MessageAfterDraw, TheBoardShowsTheMoveBeforeTheBox) {
    GetParam().play(*this);
    const auto* s = Seen(GetParam().message);
    ASSERT_NE(s, nullptr) << GetParam().message;
    EXPECT_GT(s->held, 0);
    EXPECT_EQ(s->painted, s->held) << "the box covered a board without the last move";
    for (const auto& other : boxes.seen) EXPECT_EQ(other.painted, other.held) << other.text;
}

INSTANTIATE_TEST_SUITE_P(
    Kelvor, MessageAfterDraw,
    ::testing::Values(
        MessageCase{"HumanFive", "Player 1 won",
                    [](WindowTest& w) {
                        w.Open();
                        w.Clicks({"H8", "A1", "J8", "A2", "K8", "A3", "L8", "A4", "M8"});
                    }},
        MessageCase{"ComputerFive", "Player 2 won",
                    [](WindowTest& w) {
                        w.Open();
                        w.Clicks({"H8", "A1", "H10", "A2", "H12", "A3", "H14", "A4"});
                        w.doc->PlayerLevel = {0, 1};
                        w.Click("O15");
                        ASSERT_TRUE(WaitFor([&] { return w.doc->GameState == kGameOver; }));
                    }},
        MessageCase{"MissingBook", "Can't open opening file",
                    [](WindowTest& w) {
                        // The tables without the books.
                        for (const char* f : {"renju.tbl", "renju.scs"})
                            std::filesystem::copy_file(std::string(KELVOR_DATA_DIR) + f,
                                                       w.tmp.Path() + f);
                        w.Open(w.tmp.Path());
                        w.doc->OpeningBook = true;
                        w.doc->NewGame();
                        w.Click("H8");
                    }},
        MessageCase{"ComputerSwaps", "I swap",
                    [](WindowTest& w) {
                        // Without a book line the computer always swaps.
                        for (const char* f : {"renju.tbl", "renju.scs"})
                            std::filesystem::copy_file(std::string(KELVOR_DATA_DIR) + f,
                                                       w.tmp.Path() + f);
                        w.Open(w.tmp.Path());
                        w.doc->Variant = 0;
                        w.doc->TournamentOpening = true;
                        w.doc->OpeningBook = true;
                        w.doc->NewGame();
                        w.Clicks({"H8", "H9"});
                        w.doc->PlayerLevel = {0, 1};
                        w.Click("J9");
                    }}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(WindowTest, TheSwapQuestionComesAfterTheThirdStoneIsDrawn) {
    Open();
    doc->Variant = 0;
    doc->TournamentOpening = true;
    doc->NewGame();
    Clicks({"H8", "H9", "J9"});
    EXPECT_EQ(swapAsked, 3);
}

// --- New, Open and Exit ask to save ---

enum class Command { New, Open, Exit };

struct SaveCase {
    Command command;
    platform::Answer answer;
};

struct SaveQuestion : WindowTest, ::testing::WithParamInterface<SaveCase> {
    std::string saved, other;
    void SetUp() override {
        Open();
        saved = tmp.Path() + "game.kgf";
        other = tmp.Path() + "other.kgf";
        GameFile g;
        g.cells = {7 + 7 * 15};
        ASSERT_EQ(platform::WriteFileAtomic(other, WriteGameFile(g)), platform::WriteResult::Ok);
        Clicks({"H8", "H9"});
        ASSERT_TRUE(frame->SaveFile(QString::fromStdString(saved)));
        EXPECT_FALSE(frame->Modified());
        Click("J9"); // not in the file
        ASSERT_TRUE(frame->Modified());
    }
    bool Run(Command c) {
        switch (c) {
        case Command::New:
            frame->FileNew();
            return doc->Record.empty();
        case Command::Open:
            return frame->OpenFile(QString::fromStdString(other));
        case Command::Exit:
            return frame->close();
        }
        return false;
    }
    size_t MovesInFile() const {
        std::string bytes;
        GameFile g;
        return platform::ReadFile(saved, bytes) && ReadGameFile(bytes, g) ? g.cells.size() : 0;
    }
};

std::string SaveCaseName(const ::testing::TestParamInfo<SaveCase>& p) {
    const char* commands[] = {"New", "Open", "Exit"};
    const char* answers[] = {"Yes", "No", "Cancel"};
    return std::string(commands[static_cast<int>(p.param.command)]) +
           answers[static_cast<int>(p.param.answer)];
}

TEST_P(SaveQuestion, IsAskedAndObeyed) {
    boxes.answer = GetParam().answer;
    const bool done = Run(GetParam().command);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0], "Save changes to game.kgf?");
    if (GetParam().answer == platform::Answer::Cancel) {
        EXPECT_FALSE(done);
        EXPECT_EQ(doc->Record.size(), 3u); // the game stays as it was
        EXPECT_TRUE(frame->isVisible());
    } else {
        EXPECT_TRUE(done);
    }
    EXPECT_EQ(MovesInFile(), GetParam().answer == platform::Answer::Yes ? 3u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Kelvor, SaveQuestion,
                         ::testing::Values(SaveCase{Command::New, platform::Answer::Yes},
                                           SaveCase{Command::New, platform::Answer::No},
                                           SaveCase{Command::New, platform::Answer::Cancel},
                                           SaveCase{Command::Open, platform::Answer::Yes},
                                           SaveCase{Command::Open, platform::Answer::No},
                                           SaveCase{Command::Open, platform::Answer::Cancel},
                                           SaveCase{Command::Exit, platform::Answer::Yes},
                                           SaveCase{Command::Exit, platform::Answer::No},
                                           SaveCase{Command::Exit, platform::Answer::Cancel}),
                         SaveCaseName);

TEST_F(WindowTest, NothingToSaveAsksNothing) {
    Open();
    frame->FileNew(); // an empty game
    Clicks({"H8", "H9"});
    frame->Back(); // stepping through the record changes no move
    const std::string path = tmp.Path() + "g.kgf";
    ASSERT_TRUE(frame->SaveFile(QString::fromStdString(path)));
    frame->Rewind();
    frame->FileNew();
    EXPECT_TRUE(boxes.asked.empty());
    // An untitled game with moves asks with the document's name.
    Click("H8");
    boxes.answer = platform::Answer::Cancel;
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0], "Save changes to untitled.kgf?");
}

TEST_F(WindowTest, CancelledExitLetsTheComputerGoOnThinking) {
    Open();
    Click("H8");
    doc->PlayerLevel = {0, 12};
    doc->MaxSeconds = 0;
    ASSERT_TRUE(frame->View().Go());
    boxes.answer = platform::Answer::Cancel;
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(doc->Thinking());
    frame->Stop();
}

// --- hostile files ---

// A FIFO chosen in the Open dialog: refused at once with a message. Should the window
// block on it, a writer opened after a long while frees it and the test fails instead
// of hanging.
TEST_F(WindowTest, OpeningAFifoNeverBlocksTheWindow) {
    Open();
    const std::string fifo = tmp.Path() + "game.kgf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::atomic<bool> done{false}, rescued{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 1200 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (done) return;
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        rescued = fd >= 0;
        if (fd >= 0) ::close(fd);
    });
    Click("H8");
    boxes.answer = platform::Answer::No;
    EXPECT_FALSE(frame->OpenFile(QString::fromStdString(fifo)));
    done = true;
    watchdog.join();
    EXPECT_FALSE(rescued) << "the window blocked on the FIFO";
    EXPECT_EQ(boxes.shown.back().text, "Not a valid kgf file\r" + fifo + " is not a regular file");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "untitled.kgf - Kelvor");
}

// --- keys ---

struct UndoKey : WindowTest, ::testing::WithParamInterface<QKeyCombination> {};

TEST_P(UndoKey, StepsBackOneMove) {
    Open();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    Clicks({"H8", "H9", "J9"});
    QTest::keyClick(frame.get(), GetParam().key(), GetParam().keyboardModifiers());
    EXPECT_EQ(doc->Record.size(), 2u);
    EXPECT_EQ(doc->Line().size(), 3u); // the move stays ahead
}

INSTANTIATE_TEST_SUITE_P(Kelvor, UndoKey,
                         ::testing::Values(QKeyCombination(Qt::ControlModifier, Qt::Key_Z),
                                           QKeyCombination(Qt::AltModifier, Qt::Key_Backspace)),
                         [](const auto& c) {
                             return std::string(c.index == 0 ? "CtrlZ" : "AltBackspace");
                         });

// --- the status line during the fifth-move offers ---

TEST_F(WindowTest, StatusNamesWhiteWhileItChoosesAFifthMoveOffer) {
    Open();
    doc->Variant = 0;
    doc->TournamentOpening = true;
    doc->NewGame();
    Clicks({"H8", "H9", "J9", "G7"});
    EXPECT_EQ(frame->View().StatusText(), "player 1");
    Click("K12"); // black's first offer
    EXPECT_EQ(frame->View().StatusText(), "player 1");
    Click("C3"); // the second: now white chooses
    ASSERT_EQ(doc->FifthOffers.size(), 2u);
    EXPECT_EQ(frame->View().StatusText(), "player 2");
    Click("C3");
    EXPECT_EQ(doc->Board[2][2], kBlack);
    EXPECT_EQ(frame->View().StatusText(), "player 2"); // white's sixth move
}

} // namespace
