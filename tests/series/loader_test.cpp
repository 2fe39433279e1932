#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "series/seriesloader.h"
#include "support/testsupport.h"

using platform::FileFault;
using platform::FileFaultKind;

namespace {

class SeriesLoaderTest : public testsupport::ProgramFolderTest {};

int countRecords(const std::string& contents)
{
    int lines = 0;
    for (char c : contents)
        lines += c == '\n';
    return lines;
}

FileFault loadFault(void (*load)())
{
    try {
        load();
    } catch (const FileFault& f) {
        return f;
    }
    ADD_FAILURE() << "the load did not stop";
    return FileFault(FileFaultKind::Missing, "");
}

} // namespace

TEST_F(SeriesLoaderTest, GeneratedFilesHoldTheirRecordCounts)
{
    EXPECT_EQ(countRecords(testsupport::readFile(testsupport::seriesDir() / "termfull.zvd")), 2425);
    EXPECT_EQ(countRecords(testsupport::readFile(testsupport::seriesDir() / "term.zvd")), 248);
    EXPECT_EQ(countRecords(testsupport::readFile(testsupport::seriesDir() / "mterm.zvd")), 183);
    EXPECT_EQ(countRecords(testsupport::readFile(testsupport::seriesDir() / "elp.zvd")), 1324);
}

TEST_F(SeriesLoaderTest, LoadsTheTables)
{
    putSeriesFiles();
    series::loadTermFull();
    series::loadTerm();
    series::loadMterm();
    series::loadElp();

    // First L0 and last R5 term of the complete series.
    EXPECT_DOUBLE_EQ(termfull[1][1], 1.75347045673);
    EXPECT_DOUBLE_EQ(termfull[1][2], 0);
    EXPECT_DOUBLE_EQ(termfull[2425][1], 0.00000000001);
    EXPECT_DOUBLE_EQ(termfull[2425][2], 0.38068797142);
    EXPECT_DOUBLE_EQ(termfull[2425][3], 18849.22754997420);
    EXPECT_DOUBLE_EQ(termfull[560][1], 6283.31966747491); // L1 term 1

    // term.zvd keeps the leading terms of each series, A in the series' scaled
    // unit: (term row, termfull row, unit) of the first and last row kept.
    struct Kept {
        int row, fullRow;
        double unit;
    } kept[] = {
        {1, 1, 1e8},       {78, 78, 1e8},     // L0
        {79, 560, 1e9},    {117, 598, 1e9},   // L1
        {118, 901, 1e9},   {144, 927, 1e9},   // L2
        {145, 1043, 1e11}, {152, 1050, 1e11}, // L3
        {153, 1065, 1e11}, {156, 1068, 1e11}, // L4
        {157, 1076, 1e11}, {160, 1079, 1e11}, // L5
        {161, 1081, 1e8},  {167, 1087, 1e8},  // B0
        {168, 1265, 1e9},  {170, 1267, 1e9},  // B1
        {171, 1429, 1e8},  {220, 1478, 1e8},  // R0
        {221, 1955, 1e9},  {234, 1968, 1e9},  // R1
        {235, 2247, 1e9},  {242, 2254, 1e9},  // R2
        {243, 2386, 1e11}, {244, 2387, 1e11}, // R3
        {245, 2413, 1e11}, {248, 2416, 1e11}, // R4
    };
    for (const Kept& k : kept) {
        SCOPED_TRACE(k.row);
        EXPECT_EQ(term[k.row][1], k.row);
        EXPECT_NEAR(term[k.row][2], termfull[k.fullRow][1] * k.unit,
                    1e-9 * std::abs(term[k.row][2]));
        EXPECT_EQ(term[k.row][3], termfull[k.fullRow][2]);
        EXPECT_EQ(term[k.row][4], termfull[k.fullRow][3]);
    }
    EXPECT_DOUBLE_EQ(term[1][2], 175347045.673);
    EXPECT_DOUBLE_EQ(term[118][2], 529188.7);

    // mterm: nutation row 1, first Moon longitude row and last latitude row.
    EXPECT_DOUBLE_EQ(mterm[1][6], 1); // multiple of Omega
    EXPECT_DOUBLE_EQ(mterm[1][7], -171996);
    EXPECT_DOUBLE_EQ(mterm[1][8], -174.2);
    EXPECT_DOUBLE_EQ(mterm[64][4], 1); // M'
    EXPECT_DOUBLE_EQ(mterm[64][6], 6288774);
    EXPECT_DOUBLE_EQ(mterm[64][7], -20905355);
    EXPECT_DOUBLE_EQ(mterm[123][7], 8752);
    EXPECT_DOUBLE_EQ(mterm[124][6], 5128122);
    EXPECT_DOUBLE_EQ(mterm[183][6], 107);
    EXPECT_DOUBLE_EQ(mterm[183][10], 0);

    // elp: first main term and the last Poisson term of the distance.
    EXPECT_DOUBLE_EQ(elpv0[1][1], 6.28877383);
    EXPECT_DOUBLE_EQ(elpv0[1][6], -6.797);
    EXPECT_DOUBLE_EQ(elpr3[19][1], -0.2);
    EXPECT_DOUBLE_EQ(elpr3[19][2], 8.2);
    EXPECT_DOUBLE_EQ(elpr3[19][3], 1403732.1);
}

TEST_F(SeriesLoaderTest, LineEndsSeparateFieldsLikeCommas)
{
    // A record split over two lines, two records on one line, and a trailing
    // extra record load exactly as one record per line.
    std::string contents;
    for (int r = 1; r <= 183; ++r) {
        std::string rec = std::to_string(r);
        for (int k = 2; k <= 10; ++k)
            rec += "," + std::to_string(r * 100 + k);
        if (r == 5)
            rec.replace(rec.find(','), 1, "\r\n"); // split across two lines
        contents += rec + (r == 7 ? "," : "\r\n"); // records 7 and 8 on one line
    }
    contents += "999,1,2,3,4,5,6,7,8,9\r\n";
    put("mterm.zvd", contents);
    series::loadMterm();
    for (int r : {1, 5, 7, 8, 183})
        for (int k = 2; k <= 10; ++k)
            EXPECT_DOUBLE_EQ(mterm[r][k], r * 100 + k) << r << "," << k;
    EXPECT_DOUBLE_EQ(mterm[184][1], 0); // the spare slot stays empty
}

TEST_F(SeriesLoaderTest, FaultsNameTheFileAndTheRecord)
{
    FileFault missing = loadFault(series::loadElp);
    EXPECT_EQ(missing.kind(), FileFaultKind::Missing);
    EXPECT_EQ(missing.file(), "elp.zvd");

    put("term.zvd", "1,2,3,4\r\n5,6,7,8\r\n");
    FileFault shortFile = loadFault(series::loadTerm);
    EXPECT_EQ(shortFile.kind(), FileFaultKind::Short);
    EXPECT_NE(shortFile.detail().find("record 3"), std::string::npos);

    put("termfull.zvd", "1,2,3\r\n4,x5,6\r\n");
    FileFault bad = loadFault(series::loadTermFull);
    EXPECT_EQ(bad.kind(), FileFaultKind::BadData);
    EXPECT_NE(bad.detail().find("record 2"), std::string::npos);
    EXPECT_NE(bad.message(true).find("termfull.zvd"), std::string::npos);
}
