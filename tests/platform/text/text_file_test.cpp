// Sequential text files: the bytes of print statements, items read back with their statuses, a mixed
// write-then-read round trip, the one-go files that never leave a half-written target, the batch
// report that keeps its finished blocks, and the character encodings of files and items.
#include "platform/text/text_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "platform/text/text_encoding.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
  protected:
    // The suite also runs a second time, perhaps at the same moment, under another locale: each test
    // has a folder of its own.
    void SetUp() override { dir_ = folder_.path(); }

    static std::string ReadBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const fs::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    // Names of everything in the test folder, to see that no temporary file is left behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        return names;
    }
    // The bytes a sequence of print calls writes to a one-go file.
    std::string Written(const std::function<void(TextFileWriter&)>& print) const {
        const fs::path path = dir_ / "out.txt";
        TextFileWriter writer = TextFileWriter::CreateOneGo(path);
        print(writer);
        EXPECT_TRUE(writer.Close().ok());
        return ReadBytes(path);
    }

    test::TestFolder folder_{"tessary_text_"};
    fs::path dir_;
};

// ---------------------------------------------------------------------------------------------
// Print statements

TEST_F(TextFileTest, PrintStatementBytes) {
    const struct {
        const char* name;
        std::function<void(TextFileWriter&)> print;
        std::string bytes;
    } cases[] = {
        {"1, 3", [](TextFileWriter& w) { w.PrintLine(1, kZone, 3); }, " 1             3 \r\n"},
        {"0.00001, 0.00003", [](TextFileWriter& w) { w.PrintLine(0.00001, kZone, 0.00003); },
         " 1E-05         3E-05 \r\n"},
        {"\"x = \", 96.6643893412243",
         [](TextFileWriter& w) { w.PrintLine("x = ", kZone, 96.6643893412243); },
         "x =            96.6643893412243 \r\n"},
        {"empty statement", [](TextFileWriter& w) { w.EndLine(); }, "\r\n"},
        {"text line", [](TextFileWriter& w) { w.PrintLine("Tessary v3.4.11"); }, "Tessary v3.4.11\r\n"},
        {"joined", [](TextFileWriter& w) { w.PrintLine("Number of wavelengths: ", 20); },
         "Number of wavelengths:  20 \r\n"},
        {"negative number", [](TextFileWriter& w) { w.PrintLine(-0.25, kZone, -3); },
         "-.25          -3 \r\n"},
        {"tabs", [](TextFileWriter& w) { w.PrintLine("Sphere: ", kTab, "Water"); }, "Sphere: \tWater\r\n"},
        {"tab between numbers", [](TextFileWriter& w) { w.PrintLine(0.5, kTab, 1.5); }, " .5 \t 1.5 \r\n"},
        {"band", [](TextFileWriter& w) { w.PrintLine("Spectrum: ", kTab, 0.38f, "-", 0.7f, " um"); },
         "Spectrum: \t .38 - .7  um\r\n"},
        {"statement ending in ;", [](TextFileWriter& w) { w.Print("a").Print("b").EndLine(); }, "ab\r\n"},
        {"statement ending in ,", [](TextFileWriter& w) { w.Print(7, kZone).PrintLine(8); },
         " 7             8 \r\n"},
        {"leading comma", [](TextFileWriter& w) { w.PrintLine(kZone, "x"); }, std::string(14, ' ') + "x\r\n"},
        {"item ending on a zone boundary",
         [](TextFileWriter& w) { w.PrintLine("abcdefghijklmn", kZone, "x"); },
         "abcdefghijklmn" + std::string(14, ' ') + "x\r\n"},
        {"item one short of a boundary", [](TextFileWriter& w) { w.PrintLine("abcdefghijklm", kZone, "x"); },
         "abcdefghijklm x\r\n"},
        {"three zones", [](TextFileWriter& w) { w.PrintLine(1, kZone, 2, kZone, 3); },
         " 1             2             3 \r\n"},
        {"Single and Double digits", [](TextFileWriter& w) { w.PrintLine(1.0f / 3.0f, kZone, 1.0 / 3.0); },
         " .3333333      .333333333333333 \r\n"},
        {"Integer and Long", [](TextFileWriter& w) { w.PrintLine(std::int16_t{-32768}, kZone, 2147483647); },
         "-32768         2147483647 \r\n"},
        {"user text in UTF-8", [](TextFileWriter& w) { w.PrintLine("W\xC3\xA4sser", kZone, 1); },
         "W\xC3\xA4sser" + std::string(8, ' ') + " 1 \r\n"},  // the zone counts characters, not bytes
        {"two statements", [](TextFileWriter& w) { w.PrintLine("a", kZone, "b").PrintLine(kZone, "c"); },
         "a             b\r\n              c\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Written(c.print), c.bytes) << c.name;
}

TEST_F(TextFileTest, ColumnFollowsTheLine) {
    TextFileWriter writer = TextFileWriter::CreateOneGo(dir_ / "c.txt");
    EXPECT_EQ(writer.Column(), 0);
    writer.Print("x = ");
    EXPECT_EQ(writer.Column(), 4);
    writer.NextZone();
    EXPECT_EQ(writer.Column(), 14);
    writer.Number(96.6643893412243);
    EXPECT_EQ(writer.Column(), 32);
    writer.EndLine();
    EXPECT_EQ(writer.Column(), 0);
    EXPECT_TRUE(writer.Close().ok());
}

// ---------------------------------------------------------------------------------------------
// One-go files

TEST_F(TextFileTest, OneGoFileReplacesTheTargetWhenClosed) {
    const fs::path target = dir_ / "data.tsy";
    WriteBytes(target, "old\r\n");
    TextFileWriter writer = TextFileWriter::CreateOneGo(target);
    ASSERT_TRUE(writer.Status().ok());
    writer.PrintLine("new");
    EXPECT_EQ(ReadBytes(target), "old\r\n");  // nothing visible before Close
    EXPECT_EQ(Entries().size(), 2u);          // the target and the temporary file beside it
    EXPECT_TRUE(writer.Close().ok());
    EXPECT_EQ(ReadBytes(target), "new\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"data.tsy"});
    EXPECT_TRUE(writer.Close().ok());  // closing again reports the same
}

TEST_F(TextFileTest, AbandonedOneGoFileLeavesTheOldFileIntact) {
    const fs::path target = dir_ / "data.tsy";
    WriteBytes(target, "old\r\n");
    {
        TextFileWriter writer = TextFileWriter::CreateOneGo(target);
        writer.PrintLine("half").Print(1.5);
    }  // destroyed before Close
    EXPECT_EQ(ReadBytes(target), "old\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"data.tsy"});

    TextFileWriter writer = TextFileWriter::CreateOneGo(target);
    writer.PrintLine("half");
    writer.Abandon();
    EXPECT_EQ(ReadBytes(target), "old\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"data.tsy"});
    writer.PrintLine("more");
    const FileResult result = writer.Close();
    EXPECT_EQ(result.status, FileStatus::NotOpen);
    EXPECT_NE(result.message.find("data.tsy"), std::string::npos) << result.message;
}

TEST_F(TextFileTest, NaNItemFailsTheFileAndKeepsTheOldOne) {
    const fs::path target = dir_ / "export.txt";
    WriteBytes(target, "old\r\n");
    TextFileWriter writer = TextFileWriter::CreateOneGo(target);
    writer.PrintLine(1.0, kZone, std::numeric_limits<double>::quiet_NaN(), kZone, 3.0);
    EXPECT_EQ(writer.Status().status, FileStatus::NotFinite);
    writer.PrintLine("later lines are not written");
    const FileResult result = writer.Close();
    EXPECT_EQ(result.status, FileStatus::NotFinite);
    EXPECT_NE(result.message.find("NaN"), std::string::npos) << result.message;
    EXPECT_EQ(ReadBytes(target), "old\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"export.txt"});

    TextFileWriter single = TextFileWriter::CreateOneGo(target);
    single.Number(std::numeric_limits<float>::infinity());
    EXPECT_EQ(single.Close().status, FileStatus::NotFinite);
    EXPECT_EQ(ReadBytes(target), "old\r\n");
}

TEST_F(TextFileTest, MissingFolderCannotBeOpened) {
    const fs::path target = dir_ / "no such folder" / "data.tsy";
    TextFileWriter writer = TextFileWriter::CreateOneGo(target);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.Status().status, FileStatus::CannotOpen);
    EXPECT_NE(writer.Status().message.find("data.tsy"), std::string::npos) << writer.Status().message;
    writer.PrintLine("x");
    EXPECT_EQ(writer.Close().status, FileStatus::CannotOpen);
    EXPECT_FALSE(fs::exists(dir_ / "no such folder"));

    TextFileWriter report = TextFileWriter::CreateReport(target);
    EXPECT_EQ(report.Status().status, FileStatus::CannotOpen);
    EXPECT_EQ(report.EndBlock().status, FileStatus::CannotOpen);
}

TEST_F(TextFileTest, FailedRenameRemovesTheTemporaryFile) {
    const fs::path target = dir_ / "taken";
    fs::create_directory(target);  // a folder cannot be replaced by a file
    fs::path inside = target / "keep.txt";
    WriteBytes(inside, "keep");
    TextFileWriter writer = TextFileWriter::CreateOneGo(target);
    ASSERT_TRUE(writer.Status().ok());
    writer.PrintLine("data");
    const FileResult result = writer.Close();
    EXPECT_EQ(result.status, FileStatus::WriteFailed);
    EXPECT_NE(result.message.find("taken"), std::string::npos) << result.message;
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadBytes(inside), "keep");
    EXPECT_EQ(Entries(), std::vector<std::string>{"taken"});
}

TEST_F(TextFileTest, LargeFileIsWrittenInChunks) {
    const fs::path target = dir_ / "large.txt";
    TextFileWriter writer = TextFileWriter::CreateOneGo(target);
    for (int k = 1; k <= 20000; ++k)
        writer.PrintLine(k, kZone, k * 0.001, kZone, static_cast<float>(k) / 7.0f);
    ASSERT_TRUE(writer.Close().ok());
    TextFileReader reader = TextFileReader::Open(target);
    for (int k = 1; k <= 20000; ++k) {
        ASSERT_EQ(reader.ReadLong().value, k);
        ASSERT_EQ(reader.ReadDouble().value, Val(CStr(k * 0.001))) << k;  // the value of its 15 digits
        const float single = static_cast<float>(k) / 7.0f;
        ASSERT_LE(std::fabs(reader.ReadSingle().value - single), 6e-7f * single) << k;  // 7 digits
    }
    EXPECT_TRUE(reader.AtEnd());
}

// ---------------------------------------------------------------------------------------------
// Batch report

TEST_F(TextFileTest, ReportFlushesEachBlockAndKeepsThemWhenAbandoned) {
    const fs::path target = dir_ / "batch.mut";
    WriteBytes(target, "an earlier report\r\n");
    TextFileWriter report = TextFileWriter::CreateReport(target);
    ASSERT_TRUE(report.Status().ok());
    EXPECT_EQ(ReadBytes(target), "");  // created or emptied when opened

    report.PrintLine("Tessary v3.2.02").PrintLine(0, kTab, 1.5);
    EXPECT_EQ(ReadBytes(target), "");  // the block is not finished yet
    EXPECT_TRUE(report.EndBlock().ok());
    EXPECT_EQ(ReadBytes(target), "Tessary v3.2.02\r\n 0 \t 1.5 \r\n");  // on disk while still open

    report.PrintLine("Tessary v3.2.02").PrintLine(10, kTab, 2.5);
    EXPECT_TRUE(report.EndBlock().ok());
    report.PrintLine("Tessary v3.2.02").Print("unfinished");
    report.Abandon();  // Stop or Exit in the middle of a block
    EXPECT_EQ(ReadBytes(target), "Tessary v3.2.02\r\n 0 \t 1.5 \r\nTessary v3.2.02\r\n 10 \t 2.5 \r\n");
    EXPECT_EQ(report.EndBlock().status, FileStatus::NotOpen);
}

TEST_F(TextFileTest, ReportCloseWritesTheRest) {
    const fs::path target = dir_ / "batch.mut";
    TextFileWriter report = TextFileWriter::CreateReport(target);
    report.PrintLine("block 1");
    EXPECT_TRUE(report.EndBlock().ok());
    report.PrintLine("block 2");
    EXPECT_TRUE(report.Close().ok());
    EXPECT_EQ(ReadBytes(target), "block 1\r\nblock 2\r\n");
}

TEST_F(TextFileTest, ReportOnAFullDeviceFails) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    TextFileWriter report = TextFileWriter::CreateReport("/dev/full");
    ASSERT_TRUE(report.Status().ok());
    report.PrintLine("Tessary v3.2.02");
    const FileResult result = report.EndBlock();
    EXPECT_EQ(result.status, FileStatus::WriteFailed);
    EXPECT_NE(result.message.find("/dev/full"), std::string::npos) << result.message;
    EXPECT_EQ(report.Close().status, FileStatus::WriteFailed);
}

// ---------------------------------------------------------------------------------------------
// Closing every open file

TEST_F(TextFileTest, AbandonAllDiscardsOneGoFilesAndKeepsReportBlocks) {
    WriteBytes(dir_ / "data.tsy", "old\r\n");
    OpenWriters open;
    TextFileWriter data = TextFileWriter::CreateOneGo(dir_ / "data.tsy", &open);
    TextFileWriter report = TextFileWriter::CreateReport(dir_ / "batch.mut", &open);
    EXPECT_EQ(open.Count(), 2u);
    data.PrintLine("half a data file");
    report.PrintLine("finished block");
    ASSERT_TRUE(report.EndBlock().ok());
    report.PrintLine("unfinished block");

    open.AbandonAll();  // the window closes
    EXPECT_EQ(open.Count(), 0u);
    EXPECT_FALSE(data.IsOpen());
    EXPECT_FALSE(report.IsOpen());
    EXPECT_EQ(ReadBytes(dir_ / "data.tsy"), "old\r\n");
    EXPECT_EQ(ReadBytes(dir_ / "batch.mut"), "finished block\r\n");
    EXPECT_EQ(Entries().size(), 2u);
    // The operations that owned them learn it at their next step.
    EXPECT_EQ(report.EndBlock().status, FileStatus::NotOpen);
    EXPECT_EQ(data.Close().status, FileStatus::NotOpen);
}

TEST_F(TextFileTest, WritersLeaveTheOpenSetWhenClosedMovedOrDestroyed) {
    OpenWriters open;
    {
        TextFileWriter a = TextFileWriter::CreateOneGo(dir_ / "a.txt", &open);
        TextFileWriter b = TextFileWriter::CreateOneGo(dir_ / "b.txt", &open);
        EXPECT_EQ(open.Count(), 2u);
        EXPECT_TRUE(a.Close().ok());
        EXPECT_EQ(open.Count(), 1u);
        TextFileWriter moved = std::move(b);
        EXPECT_EQ(open.Count(), 1u);
        moved.PrintLine("moved");
        open.AbandonAll();  // reaches the moved-to writer
        EXPECT_FALSE(moved.IsOpen());
        TextFileWriter c = TextFileWriter::CreateOneGo(dir_ / "c.txt", &open);
        EXPECT_EQ(open.Count(), 1u);
    }
    EXPECT_EQ(open.Count(), 0u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"a.txt"});
}

// ---------------------------------------------------------------------------------------------
// Reading items

TEST(TextFileReader, ItemsWithTheirStatuses) {
    TextFileReader r = TextFileReader::FromBytes(
        " 1             3 \r\n"  // numbers on zones
        " 0 \r\n"                // a text item loses its blanks
        "\"a, b\"  , c\r\n"      // quoted text holds commas
        "1 2\n"                  // LF line end; "1 2" is two numbers
        "-.5,.5,0.5\r"           // lone CR line end
        "1D3\t2.5E-3\r\n"        // TAB ends a number, D exponent
        "abc\r\n"                // not a number
        "\r\n"                   // empty line: an empty item
        "1E400,40000,2.5,3000000000,1E39\r\n"
        "\t  last\r\n",
        "items.txt");
    ASSERT_TRUE(r.Status().ok());
    EXPECT_EQ(r.ReadDouble().value, 1.0);
    const Item<double> three = r.ReadDouble();
    EXPECT_EQ(three.value, 3.0);
    EXPECT_EQ(three.line, 1);
    const Item<std::string> zero = r.ReadText();
    EXPECT_EQ(zero.value, "0");
    EXPECT_EQ(zero.line, 2);
    EXPECT_EQ(r.ReadText().value, "a, b");
    EXPECT_EQ(r.ReadText().value, "c");
    EXPECT_EQ(r.ReadInteger().value, 1);
    EXPECT_EQ(r.ReadInteger().value, 2);
    EXPECT_EQ(r.ReadDouble().value, -0.5);
    EXPECT_EQ(r.ReadDouble().value, 0.5);
    EXPECT_EQ(r.ReadDouble().value, 0.5);
    EXPECT_EQ(r.ReadDouble().value, 1000.0);
    EXPECT_EQ(r.ReadDouble().value, 0.0025);

    const Item<double> abc = r.ReadDouble();
    EXPECT_EQ(abc.status, FileStatus::NotANumber);
    EXPECT_EQ(abc.text, "abc");
    EXPECT_EQ(abc.line, 7);
    EXPECT_EQ(abc.message, "\"abc\" is not a number (line 7 of items.txt)");
    EXPECT_EQ(r.ReadDouble().status, FileStatus::NotANumber);  // the empty line

    const Item<double> huge = r.ReadDouble();
    EXPECT_EQ(huge.status, FileStatus::OutOfRange);
    EXPECT_EQ(huge.message, "The number 1E400 is out of range (line 9 of items.txt)");
    EXPECT_EQ(r.ReadInteger().status, FileStatus::OutOfRange);  // 40000 is no Integer
    EXPECT_EQ(r.ReadInteger().value, 2);                        // 2.5: halves to even
    EXPECT_EQ(r.ReadLong().status, FileStatus::OutOfRange);
    EXPECT_EQ(r.ReadSingle().status, FileStatus::OutOfRange);

    EXPECT_EQ(r.ReadText().value, "last");
    EXPECT_TRUE(r.AtEnd());
    const Item<std::string> end = r.ReadText();
    EXPECT_EQ(end.status, FileStatus::EndOfFile);
    EXPECT_EQ(end.message, "The file items.txt ends before an expected item");
    EXPECT_EQ(r.ReadDouble().status, FileStatus::EndOfFile);
}

TEST(TextFileReader, NumberSyntax) {
    const struct {
        const char* item;
        FileStatus status;
        double value;
    } cases[] = {
        {"0.5", FileStatus::Ok, 0.5},          {".5", FileStatus::Ok, 0.5},
        {"-.5", FileStatus::Ok, -0.5},         {"+2", FileStatus::Ok, 2.0},
        {"5.", FileStatus::Ok, 5.0},           {"1E-05", FileStatus::Ok, 1e-5},
        {"1e5", FileStatus::Ok, 1e5},          {"1D3", FileStatus::Ok, 1000.0},
        {"1d-3", FileStatus::Ok, 0.001},       {"\"7\"", FileStatus::Ok, 7.0},
        {"1E-400", FileStatus::Ok, 0.0},       {"abc", FileStatus::NotANumber, 0},
        {"12abc", FileStatus::NotANumber, 0},  {".", FileStatus::NotANumber, 0},
        {"-", FileStatus::NotANumber, 0},      {"1E", FileStatus::NotANumber, 0},
        {"1E+", FileStatus::NotANumber, 0},    {"1.2.3", FileStatus::NotANumber, 0},
        {"1,5", FileStatus::Ok, 1.0},          {"1E400", FileStatus::OutOfRange, 0},
        {"-1E400", FileStatus::OutOfRange, 0},
    };
    for (const auto& c : cases) {
        TextFileReader r = TextFileReader::FromBytes(c.item);
        const Item<double> item = r.ReadDouble();
        EXPECT_EQ(item.status, c.status) << c.item;
        EXPECT_EQ(item.value, c.value) << c.item;
    }
}

TEST(TextFileReader, ItemsAsTexts) {
    TextFileReader r = TextFileReader::FromBytes(
        " 1             3 \r\n,,x\r\nInput error   \r\n\"unclosed, quote\r\n\"q\" tail, next\r\n  \t\r\n");
    EXPECT_EQ(r.ReadText().value, "1             3");  // a text item runs to the comma or line end
    EXPECT_EQ(r.ReadText().value, "");
    EXPECT_EQ(r.ReadText().value, "");
    EXPECT_EQ(r.ReadText().value, "x");
    EXPECT_EQ(r.ReadText().value, "Input error");
    EXPECT_EQ(r.ReadText().value, "unclosed, quote");
    EXPECT_EQ(r.ReadText().value, "q");
    EXPECT_EQ(r.ReadText().value, "next");
    EXPECT_EQ(r.ReadText().value, "");  // a line of blanks
    EXPECT_EQ(r.ReadText().status, FileStatus::EndOfFile);
}

TEST(TextFileReader, SinglesKeepSingleRounding) {
    TextFileReader r = TextFileReader::FromBytes("0.1,16777217,3.4028235E+38\r\n");
    EXPECT_EQ(r.ReadSingle().value, 0.1f);
    EXPECT_EQ(r.ReadSingle().value, 16777216.0f);
    EXPECT_EQ(r.ReadSingle().value, std::numeric_limits<float>::max());
}

TEST(TextFileReader, Utf8AndWindows1252) {
    // UTF-8 with a byte-order mark
    TextFileReader utf8 = TextFileReader::FromBytes("\xEF\xBB\xBFW\xC3\xA4sser, 1\r\n");
    EXPECT_EQ(utf8.ReadText().value, "W\xC3\xA4sser");
    EXPECT_EQ(utf8.ReadDouble().value, 1.0);
    // an old file: "Wässer" and "€ 5" in Windows-1252
    TextFileReader old = TextFileReader::FromBytes("W\xE4sser\r\n\x80 5\r\n");
    EXPECT_EQ(old.ReadText().value, "W\xC3\xA4sser");
    EXPECT_EQ(old.ReadText().value, "\xE2\x82\xAC 5");
}

TEST(TextEncoding, Utf8ValidationAndFallback) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
    EXPECT_EQ(Windows1252ToUtf8("\x80\x81\x9F\xA0\xFF"), "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC2\xA0\xC3\xBF");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBFx"), "x");
    EXPECT_EQ(Utf8Length("W\xC3\xA4sser \xE2\x82\xAC"), 8u);
}

TEST_F(TextFileTest, MissingFileIsReported) {
    TextFileReader r = TextFileReader::Open(dir_ / "absent.spe");
    EXPECT_EQ(r.Status().status, FileStatus::CannotOpen);
    EXPECT_NE(r.Status().message.find("absent.spe"), std::string::npos) << r.Status().message;
    const Item<std::string> item = r.ReadText();
    EXPECT_EQ(item.status, FileStatus::CannotOpen);
    EXPECT_EQ(item.message, r.Status().message);
    EXPECT_EQ(r.ReadDouble().status, FileStatus::CannotOpen);
}

TEST_F(TextFileTest, FolderCannotBeRead) {
    TextFileReader r = TextFileReader::Open(dir_);
    EXPECT_FALSE(r.Status().ok());
    EXPECT_EQ(r.ReadText().status, r.Status().status);
}

// ---------------------------------------------------------------------------------------------
// Round trip

TEST_F(TextFileTest, MixedItemsReadBackAsWritten) {
    const fs::path target = dir_ / "round.tsy";
    const std::string material =
        "Glas \xE2\x80\x9C"
        "crown\xE2\x80\x9D \xC3\xA9";  // typed by the user
    const double doubles[] = {0.0, -0.25, 96.6643893412243, 1e-5, 1.5e20, -1.23456789012345e-100, 0.65};
    const float singles[] = {0.1f, 1.0f / 3.0f, 12345678.0f, -2.5e-8f};
    {
        TextFileWriter w = TextFileWriter::CreateOneGo(target);
        w.PrintLine("Tessary v3.4.11");
        w.PrintLine(material);
        w.EndLine();
        for (double d : doubles) w.Print(d, kZone);
        w.EndLine();
        for (float f : singles) w.PrintLine(f);
        w.PrintLine(std::int16_t{-32768}, kZone, std::int32_t{2147483647});
        w.PrintLine("Automatic");
        w.PrintLine(1, kTab, 2.5);
        ASSERT_TRUE(w.Close().ok());
    }
    TextFileReader r = TextFileReader::Open(target);
    ASSERT_TRUE(r.Status().ok());
    EXPECT_EQ(r.ReadText().value, "Tessary v3.4.11");
    EXPECT_EQ(r.ReadText().value, material);
    EXPECT_EQ(r.ReadText().value, "");
    for (double d : doubles) {
        const Item<double> item = r.ReadDouble();
        ASSERT_TRUE(item.ok()) << item.message;
        EXPECT_EQ(item.value, d) << item.text;  // these values need no more than 15 digits
    }
    for (float f : singles) {
        const Item<float> item = r.ReadSingle();
        ASSERT_TRUE(item.ok()) << item.message;
        EXPECT_EQ(item.value, CSng(Val(CStr(f))).value) << item.text;  // 7 digits, as Str shows them
        EXPECT_LE(std::fabs(item.value - f), 5e-7f * std::fabs(f)) << item.text;
    }
    EXPECT_EQ(r.ReadInteger().value, -32768);
    EXPECT_EQ(r.ReadLong().value, 2147483647);
    EXPECT_EQ(r.ReadText().value, "Automatic");
    EXPECT_EQ(r.ReadInteger().value, 1);
    EXPECT_EQ(r.ReadDouble().value, 2.5);
    EXPECT_TRUE(r.AtEnd());
}

}  // namespace
}  // namespace tessary
