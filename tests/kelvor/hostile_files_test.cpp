// Data and game files that are not what they claim: tables that cannot score a five,
// broken tables named by their file, and game files that are FIFOs, devices or too
// large, all refused with a message instead of a drawn game or a frozen program.

#include "kelvor/kelvor_doc.h"
#include "kelvor/table_check.h"
#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace kelvor;

PatternTables Committed() {
    PatternTables t;
    testing_support::RecordingBoxes quiet;
    EXPECT_TRUE(LoadPatternTables(KELVOR_DATA_DIR, t));
    return t;
}

TEST(TableFault, TheCommittedTablesCanPlay) {
    EXPECT_EQ(TableFault(Committed()), "");
}

struct FaultCase {
    const char* name;
    void (*spoil)(PatternTables&);
    const char* fault;
};

const FaultCase kFaults[] = {
    {"AllZeroRecords", [](PatternTables& t) { t.records.assign(t.records.size(), 0); },
     "renju.scs is not valid: its records cannot score a five"},
    // Every kind but the five's kept: only the five is missing.
    {"NoFiveKind",
     [](PatternTables& t) {
         for (int r = 0; r < kRecordCount; ++r)
             for (int f : {kBlackKind, kWhiteKind})
                 if (t.records[r * kRecordValues + f] == kFive)
                     t.records[r * kRecordValues + f] = kFour;
     },
     "renju.scs is not valid: its records cannot score a five"},
    {"TooManyCells", [](PatternTables& t) { t.records[kKeyCount] = 7; },
     "renju.scs is not valid: a record lists too many cells"},
    {"AutomatonPastItsEnd", [](PatternTables& t) { t.automaton[5] = kStateCount; },
     "renju.tbl is not valid: a walk leaves the tables or never ends"},
    {"AllZeroAutomaton", [](PatternTables& t) { t.automaton.assign(t.automaton.size(), 0); },
     "renju.tbl is not valid: a walk leaves the tables or never ends"},
};

struct SpoiltTables : ::testing::TestWithParam<FaultCase> {};

TEST_P(SpoiltTables, AreRefusedNamingTheFile) {
    PatternTables t = Committed();
    GetParam().spoil(t);
    EXPECT_EQ(TableFault(t), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(Kelvor, SpoiltTables, ::testing::ValuesIn(kFaults),
                         [](const auto& c) { return std::string(c.param.name); });

// The document with such files: it says which file and why, and plays nothing.
TEST(DocumentTables, AnAllZeroScsIsRefusedWithItsName) {
    testing_support::TempFolder dir;
    std::filesystem::copy_file(std::string(KELVOR_DATA_DIR) + "renju.tbl",
                               dir.Path() + "renju.tbl");
    ASSERT_EQ(platform::WriteFileAtomic(dir.Path() + "renju.scs", std::string(25536, '\0')),
              platform::WriteResult::Ok);
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(dir.Path(), 1);
    EXPECT_FALSE(doc.TablesLoaded());
    EXPECT_EQ(doc.TablesProblem(), "renju.scs is not valid: its records cannot score a five");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, doc.TablesProblem());
}

TEST(DocumentTables, MissingAndFifoTablesAreCannotReadAndNotRegular) {
    testing_support::TempFolder dir;
    ASSERT_EQ(::mkfifo((dir.Path() + "renju.tbl").c_str(), 0600), 0);
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(dir.Path(), 1); // returns: the FIFO is not read
    EXPECT_FALSE(doc.TablesLoaded());
    EXPECT_EQ(doc.TablesProblem(), "renju.tbl is not a regular file; cannot read renju.scs");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "renju.tbl is not a regular file");
    EXPECT_EQ(boxes.shown[1].text, "Can't open scs file");
}

struct GameFileCase {
    const char* name;
    std::string (*make)(const std::string& dir);
    const char* reason; // the second line of the box, after the path
};

const GameFileCase kGameFiles[] = {
    {"Fifo",
     [](const std::string& d) {
         const std::string p = d + "game.kgf";
         EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
         return p;
     },
     " is not a regular file"},
    {"Device", [](const std::string&) { return std::string("/dev/zero"); },
     " is not a regular file"},
    {"Oversized",
     [](const std::string& d) {
         const std::string p = d + "big.kgf";
         // A valid game at its start, and then far too much.
         std::string bytes("\0\0\x0f\0\x01\0\x70\0", 8);
         bytes.resize(CKelvorDoc::kMaxGameFileBytes + 1);
         EXPECT_EQ(platform::WriteFileAtomic(p, bytes), platform::WriteResult::Ok);
         return p;
     },
     " is larger than 65536 bytes"},
};

struct HostileGameFile : ::testing::TestWithParam<GameFileCase> {};

TEST_P(HostileGameFile, IsRefusedWithAMessageWithoutReadingIt) {
    testing_support::TempFolder dir;
    const std::string path = GetParam().make(dir.Path());
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.MakeMove(7, 7);
    EXPECT_FALSE(doc.OpenGame(path));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Not a valid kgf file\r" + path + GetParam().reason);
    EXPECT_TRUE(doc.Record.empty());
}

INSTANTIATE_TEST_SUITE_P(Kelvor, HostileGameFile, ::testing::ValuesIn(kGameFiles),
                         [](const auto& c) { return std::string(c.param.name); });

} // namespace
