#include "eval_fixture.h"
#include "support/test_support.h"

#include "vorlix/eval/pattern_table_design.h"
#include "vorlix/eval/pattern_tables.h"

#include <fstream>
#include <sstream>

namespace {

using namespace vorlix;
using testing_support::TempFolder;

std::string Write(const TempFolder& dir, const std::string& name, const std::string& text) {
    std::ofstream(dir.Path() + name) << text;
    return dir.Path() + name;
}

const char* kHeadings = "heading 1\nheading 2\nheading 3\n";

TEST(PatternTables, CodeFileKeepsUnlistedCodesAtZero) {
    TempFolder dir;
    auto path = Write(dir, "M1Ertek.dat", "1 500 400 five: comment\n\n22 30 -20\n");
    CodeValues own, opp;
    own.fill(7);
    ReadCodeValueFile(path, 2, &own, &opp);
    EXPECT_EQ(own[1], 500);
    EXPECT_EQ(opp[1], 400);
    EXPECT_EQ(own[22], 30);
    EXPECT_EQ(opp[22], -20);
    EXPECT_EQ(own[2], 0);
    EXPECT_EQ(own[200], 0);
}

TEST(PatternTables, MatrixLineFillsAColumnOfItsRow) {
    TempFolder dir;
    auto path = Write(dir, "m.dat",
                      std::string(kHeadings) + "open three : 4  1 2 3\nx:9 0 0 0 0 0 0 0 0 0 -9\n");
    PairMatrix m;
    ReadMatrixFile(path, &m);
    EXPECT_EQ(m[0][4], 1);
    EXPECT_EQ(m[1][4], 2);
    EXPECT_EQ(m[2][4], 3);
    EXPECT_EQ(m[4][0], 0);
    EXPECT_EQ(m[9][9], -9);
}

struct BadFile {
    const char* name;
    bool matrix;
    const char* text;
    const char* message; // expected in the error, with the file name
};

class PatternTablesRejects : public ::testing::TestWithParam<BadFile> {};

TEST_P(PatternTablesRejects, NamesFileAndLine) {
    TempFolder dir;
    const BadFile& b = GetParam();
    auto path = b.text ? Write(dir, "T.dat", b.text) : dir.Path() + "T.dat";
    try {
        if (b.matrix) {
            PairMatrix m;
            ReadMatrixFile(path, &m);
        } else {
            CodeValues own, opp;
            ReadCodeValueFile(path, 2, &own, &opp);
        }
        FAIL() << "accepted " << b.name;
    } catch (const PatternTableError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(b.message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PatternTablesRejects,
    ::testing::Values(BadFile{"code above 200", false, "1 1 1\n201 5 5\n", "line 2: code 201"},
                      BadFile{"negative code", false, "-1 5 5\n", "line 1: code -1"},
                      BadFile{"text for a value", false, "1 1 1\n2 x 5\n", "line 2"},
                      BadFile{"number glued to text", false, "3 12x 5\n", "line 1"},
                      BadFile{"missing value", false, "3 12\n", "line 1"},
                      BadFile{"row 10", true, "a\nb\nc\nr: 10 1 2\n", "line 4: row 10"},
                      BadFile{"row -1", true, "a\nb\nc\nr: -1 1 2\n", "line 4: row -1"},
                      BadFile{"eleven values", true, "a\nb\nc\nr: 1 1 2 3 4 5 6 7 8 9 10 11\n",
                              "line 4: more than ten"},
                      BadFile{"no colon", true, "a\nb\nc\n1 1 2\n", "line 4"},
                      BadFile{"text in a row", true, "a\nb\nc\nr: 1 1 two\n", "line 4"},
                      BadFile{"value beyond the bound", false, "1 1 1\n2 100001 0\n",
                              "line 2: value 100001 is outside -100000..100000"},
                      BadFile{"largest integer", false, "7 0 2147483647\n", "line 1: value"},
                      BadFile{"smallest integer", true, "a\nb\nc\nr: 1 0 -2147483648\n",
                              "line 4: value -2147483648"},
                      BadFile{"missing file", false, nullptr, "cannot open"}),
    [](const ::testing::TestParamInfo<BadFile>& row) {
        std::string n = row.param.name;
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(PatternTables, DirectionTableSumsSixPairsIn16Bits) {
    PairMatrix m{};
    m[4][4] = 700;
    m[3][4] = 3000;
    m[4][3] = 1;
    DirectionTable t;
    BuildDirectionTable(m, &t);
    // Classes 4, 4, 3, 0: pairs (4,4) (4,3) (4,0) (4,3) (4,0) (3,0).
    EXPECT_EQ(t[4][4][3][0], 700 + 1 + 1);
    EXPECT_EQ(t[3][4][4][4], 3000 * 3 + 700 * 3);
    // 20000 x 6 = 120000 wraps to 120000 - 65536 = 54464, read as 54464 - 65536.
    m[5][5] = 20000;
    BuildDirectionTable(m, &t);
    EXPECT_EQ(t[5][5][5][5], static_cast<std::int16_t>(120000 % 65536));
    m[6][6] = -70000; // taken modulo 2^16 first
    BuildDirectionTable(m, &t);
    EXPECT_EQ(t[6][6][0][0], static_cast<std::int16_t>(-70000 & 0xffff));
}

// The committed data files are exactly what the design generates.
TEST(PatternTables, CommittedFilesMatchTheDesign) {
    for (const auto& [name, text] : PatternTableFiles()) {
        std::ifstream in(std::string(VORLIX_SOURCE_DIR) + "/data/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::stringstream s;
        s << in.rdbuf();
        EXPECT_EQ(s.str(), text) << name
                                 << " is out of date: run `build/bin/vorlix-cli tables data`";
    }
}

TEST(PatternTables, GeneratedFilesLoad) {
    TempFolder dir;
    std::string error;
    ASSERT_TRUE(WritePatternTables(dir.Path(), &error)) << error;
    CodeValues own, opp, e1;
    ReadCodeValueFile(dir.Path() + "M1Ertek.dat", 2, &own, &opp);
    ReadCodeValueFile(dir.Path() + "E1Ertek.dat", 1, &e1, nullptr);
    // The order the engines rely on: making five, then stopping five, then an open four.
    EXPECT_GT(own[1], opp[1]);
    EXPECT_GT(opp[1], own[2]);
    EXPECT_GT(e1[1], e1[2]);
    for (const char* m : {"M1Sajat.dat", "M1Ellen.dat", "M1Vegyes.dat", "E1Sajat.dat"}) {
        PairMatrix pm;
        EXPECT_NO_THROW(ReadMatrixFile(dir.Path() + m, &pm)) << m;
    }
}

} // namespace

namespace {

// Changed numbers reach exactly the entries they stand for: a class value every code
// of that class, with the code's adjustment on top; a pair value both halves of its
// matrix entry.
TEST(PatternTables, ChangedNumbersReachTheirEntries) {
    PatternTableNumbers n = DesignedPatternTables();
    const PatternTableNumbers designed = n;
    n.Classes[4].M1Own = 1000; // open three; code 22 also has an adjustment
    for (auto& p : n.Pairs)
        if (p.A == 4 && p.B == 4) p.E1 = 1234;
    TempFolder dir;
    std::string error;
    ASSERT_TRUE(WritePatternTables(dir.Path(), n, &error)) << error;
    CodeValues own, opp;
    ReadCodeValueFile(dir.Path() + "M1Ertek.dat", 2, &own, &opp);
    int adjustment = 0;
    for (const auto& a : designed.Codes)
        if (a.Code == 22) adjustment = a.M1Own;
    EXPECT_EQ(own[22], 1000 + adjustment);
    EXPECT_EQ(
        opp[22], designed.Classes[4].M1Opp + [&] {
            for (const auto& a : designed.Codes)
                if (a.Code == 22) return a.M1Opp;
            return 0;
        }());
    EXPECT_EQ(own[1], designed.Classes[1].M1Own);
    PairMatrix e1;
    ReadMatrixFile(dir.Path() + "E1Sajat.dat", &e1);
    EXPECT_EQ(e1[4][4], 1234);
    EXPECT_EQ(PatternTableFiles(designed), PatternTableFiles());
}

} // namespace
