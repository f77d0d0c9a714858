// The input-file decoders: spectrum, refractive-index and size-distribution files, their numbers and
// their refusals (every file cut after each line, bad words, counts the file cannot hold).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "colour/wavelength_set.h"
#include "files/index_file.h"
#include "files/size_dist_file.h"
#include "files/spectrum_file.h"
#include "platform/text/conversions.h"

namespace tessary {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

const std::string kSkip11 = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk";

std::vector<std::string> IndexFile(const std::string& header, const std::string& unit,
                                   const std::string& type, const std::string& count,
                                   const std::vector<std::string>& rows) {
    std::vector<std::string> l = {header, kSkip11, "Glass", unit, type, count};
    l.insert(l.end(), rows.begin(), rows.end());
    return l;
}

const std::vector<std::string> kGlassRows = {"400,1.5,0.001", "600,1.49,0.0005", "800,1.48,0"};

IndexFileResult DecodeIndex(const std::string& bytes) {
    TextFileReader r = TextFileReader::FromBytes(bytes, "g.rix");
    return DecodeIndexFile(r, "g.rix");
}

TEST(IndexFileTest, ReadsTheGlassTable) {
    const IndexFileResult res =
        DecodeIndex(Lines(IndexFile("Tessary 300", "nm", "Complex", "3", kGlassRows)));
    ASSERT_TRUE(res.table);
    EXPECT_EQ(res.table->name, "Glass");
    ASSERT_EQ(res.table->rows.size(), 3u);
    const float w[] = {CSng(0.4).value, CSng(0.6).value, CSng(0.8).value};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(res.table->rows[i].wavelength, w[i]);
    EXPECT_EQ(res.table->rows[2].k, 0.0f);
}

struct UnitCase {
    const char* unit;
    const char* row;
};

TEST(IndexFileTest, UnitsGiveTheSameWavelength) {
    for (const UnitCase c : {UnitCase{"nm", "650,1.3"}, UnitCase{"m", "6.5E-07,1.3"},
                             UnitCase{"um", ".65,1.3"}, UnitCase{"mm", "0.00065,1.3"}}) {
        const IndexFileResult res =
            DecodeIndex(Lines(IndexFile("Tessary 300", c.unit, "Real", "1", {c.row})));
        ASSERT_TRUE(res.table) << c.unit;
        EXPECT_EQ(res.table->rows[0].wavelength, CSng(0.65).value) << c.unit;
        EXPECT_EQ(res.table->rows[0].k, 0.0f);
    }
}

TEST(IndexFileTest, ReadsFiveThousandRows) {
    std::vector<std::string> rows;
    for (int i = 0; i < 5000; ++i) rows.push_back(std::to_string(300 + i) + ",1.3");
    const IndexFileResult res = DecodeIndex(Lines(IndexFile("Tessary 300", "nm", "Real", "5000", rows)));
    ASSERT_TRUE(res.table);
    EXPECT_EQ(res.table->rows.size(), 5000u);
}

const std::string kComma = "(a comma ends a number: numbers take a decimal point))";

struct RefusedFile {
    std::string file;
    std::string message;
};

TEST(IndexFileTest, RefusesBadFilesWithTheLineAndTheReason) {
    const auto file = [](const char* count, const std::vector<std::string>& rows,
                         const char* type = "Complex", const char* unit = "nm",
                         const char* head = "Tessary 300") {
        return Lines(IndexFile(head, unit, type, count, rows));
    };
    // The reason after the file's name.
    const RefusedFile bad[] = {
        {file("3", kGlassRows, "Complex", "nm", "Tessary 301"),
         "(line 1: the header must be \"Tessary 300\")"},
        {file("3", kGlassRows, "complex"), "(line 15: the type must be \"Real\" or \"Complex\")"},
        {file("3", kGlassRows, "Complex", "inch"), "(line 14: the unit must be m, mm, um or nm)"},
        {file("0", kGlassRows), "(line 16: the row count must be at least 1)"},
        {file("32768", kGlassRows), "(line 16: 32768 is out of range)"},
        {file("32767", kGlassRows), "(line 20: the file ends before row 4 of 32767)"},
        {file("3", {"400,1.5,0.001", "600,abc,0.0005", "800,1.48,0"}), "(line 18: \"abc\" is not a number)"},
        {file("3", {"400,1.5,0.001", "600,1.49"}), "(line 19: the file ends before k of row 2 of 3)"},
        {Lines({"Tessary 300", kSkip11, std::string(101, 'n'), "nm", "Real", "1", "650,1.3"}),
         "(line 13: the material name is longer than 100 characters)"},
        {Lines({"Tessary 300", kSkip11, "\"a\x01b\"", "nm", "Real", "1", "650,1.3"}),
         "(line 13: the material name holds a control character)"},
        {"", "(line 1: the file ends before the header)"},
        // Rows out of order (here repeated) or with n <= 0 would only be refused by every later run.
        {file("2", {"600,1.49,0.0005", "600,1.48,0"}), "(line 18: wavelengths must increase)"},
        {file("3", {"400,1.5,0.001", "600,0,0.0005", "800,1.48,0"}), "(line 18: n must be greater than 0)"},
        // A line of more or fewer numbers than its row (a decimal comma), and text after the counted rows.
        {file("3", {"400,1.5,0.001", "600,1.49", "800,1.48,0"}),
         "(line 18: \"600,1.49\" holds less than a row's wavelength, n and k)"},
        {file("2", kGlassRows), "(line 19: \"800,1.48,0\" follows the last row (row 2 of 2))"},
        {file("3,0", kGlassRows), "(line 16: \"3,0\" holds more than the row count " + kComma},
    };
    for (const RefusedFile& b : bad) {
        const IndexFileResult res = DecodeIndex(b.file);
        EXPECT_FALSE(res.table) << b.message;
        EXPECT_EQ(res.message, "Error in refractive index data file: g.rix " + b.message);
    }
    // Cut after each line.
    const std::string whole = Lines(IndexFile("Tessary 300", "nm", "Complex", "3", kGlassRows));
    for (std::size_t at = whole.find('\n'); at + 1 < whole.size(); at = whole.find('\n', at + 1))
        EXPECT_FALSE(DecodeIndex(whole.substr(0, at + 1)).table) << at;
    EXPECT_TRUE(DecodeIndex(whole + " \r\n\t\r\n\r\n").table);
}

SpectrumFileResult DecodeSpectrum(const std::string& bytes) {
    TextFileReader r = TextFileReader::FromBytes(bytes, "s.spe");
    return DecodeSpectrumFile(r);
}

std::string Spectrum(const std::string& first, const std::string& kind, const std::string& range,
                     const std::vector<std::string>& rows) {
    std::vector<std::string> l = {first, "x", kind, "x", range, "x", "x"};
    l.insert(l.end(), rows.begin(), rows.end());
    return Lines(l);
}

TEST(SpectrumFileTest, RowCountsAndLimits) {
    std::vector<std::string> uniform;
    for (int w = 380; w <= 780; w += 5) uniform.push_back(std::to_string(w) + ",1");
    const SpectrumFileResult u = DecodeSpectrum(Spectrum("Tessary", "uniform", "380,780,5", uniform));
    ASSERT_TRUE(u.table);
    EXPECT_EQ(u.table->count(), 81);

    const SpectrumFileResult one = DecodeSpectrum(Spectrum("Tessary", "non-uniform", "500,500,1", {"500,2"}));
    ASSERT_TRUE(one.table);
    EXPECT_EQ(one.table->count(), 1);
    // A single row weighs every wavelength alike.
    for (double l : {0.4, 0.5, 0.7})
        EXPECT_EQ(SpectrumFileWeight(l, one.table->wave, one.table->value, true), 2.0f);

    EXPECT_TRUE(
        DecodeSpectrum(Spectrum("Tessary", "non-uniform", "380,400,2", {"380.00001,1", "400,1"})).table);
    EXPECT_TRUE(DecodeSpectrum(Spectrum("Tessary", "non-uniform", "380,400,2", {"380,0", "400,1"})).table);
    const auto spe = [](const char* range, const std::vector<std::string>& rows,
                        const char* kind = "non-uniform",
                        const char* head = "Tessary") { return Spectrum(head, kind, range, rows); };
    // What follows "Error in spectrum data file".
    const RefusedFile bad[] = {
        {spe("380,400,20", {"380,1", "400,1"}, "x", "tessary"), " (line 1: the header must be \"Tessary\")"},
        {spe("380,400,2", {"380.1,1", "400,1"}),
         ": minimum wavelength incorrect (line 8: 380.1 is not the minimum 380)"},
        {spe("380,400,2", {"380,1", "401,1"}),
         ": maximum wavelength incorrect (line 9: 401 is not the maximum 400)"},
        {spe("380,400,0", {"380,1"}, "uniform"), " (line 5: the step must be greater than 0)"},
        {spe("380,400,-5", {"380,1"}, "uniform"), " (line 5: the step must be greater than 0)"},
        {spe("380,400,0", {"380,1"}), " (line 5: the file must have at least one row)"},
        {spe("380,400,32767", {"380,1"}), " (line 9: the file ends before row 2 of 32767)"},
        {spe("380,400,40000", {"380,1"}),
         " (line 5: 40000 rows, more than the 32767 a spectrum file can hold)"},
        // 380 - 780 nm in steps of 0.0002 nm: two million rows.
        {spe("380,780,0.0002", {"380,1"}, "uniform"),
         " (line 5: 2000001 rows, more than the 32767 a spectrum file can hold)"},
        {spe("380,400,2", {"380,abc", "400,1"}), " (line 8: \"abc\" is not a number)"},
        {spe("380,400,2", {"380,1", "400,1e999"}), " (line 9: 1e999 is out of range)"},
        {spe("380,400,3", {"380,1", "390,-0.5", "400,1"}), " (line 9: spectral values must not be negative)"},
        {spe("380,400,3", {"380,1", "390,1", "390,1"}), " (line 10: wavelengths must increase)"},
        {"", " (line 1: the file ends before the header)"},
        {spe("700,700,1", {"700,0,5"}),
         " (line 8: \"700,0,5\" holds more than a row's wavelength and value " + kComma},
        {spe("380,400,2", {"380,1", "400,1", "401,1"}),
         " (line 10: \"401,1\" follows the last row (row 2 of 2))"},
        {spe("380,400,2,5", {"380,1", "400,1"}),
         " (line 5: \"380,400,2,5\" holds more than the minimum and maximum wavelength and the row count " +
             kComma},
        // Sums of a Lee diagram weighted below 1E-20 leave Single's normal range.
        {spe("380,400,2", {"380,1E-44", "400,9.9E-21"}),
         " (line 9: the largest spectral value must be at least 1E-20)"},
    };
    EXPECT_TRUE(
        DecodeSpectrum(Spectrum("Tessary", "x", "380,400,20", {"380,1E-20", "400,1E-44", "", " "})).table);
    for (const RefusedFile& b : bad) {
        const SpectrumFileResult r = DecodeSpectrum(b.file);
        EXPECT_FALSE(r.table) << b.message;
        EXPECT_EQ(r.message, "Error in spectrum data file" + b.message);
    }
}

TEST(SpectrumFileTest, UniformWeightFollowsTheStraightLineOverTheRows) {
    const std::vector<double> wave = {0, 400, 500, 700}, value = {0, 1, 3, 2};
    // x = (1000 lambda - 400) * 2 / 300; the value interpolated between rows i + 1 and i + 2; none
    // outside the rows.
    for (const double l : {0.3, 0.4, 0.475, 0.55, 0.69, 0.7, 0.9}) {
        const double x = (1000 * l - 400) * 2 / 300;
        std::optional<float> expected;
        if (x >= 0 && x < 2) {
            const int i = static_cast<int>(x);
            expected = static_cast<float>(value[i + 1] + (value[i + 2] - value[i + 1]) * (x - i));
        }
        if (x == 2) expected = 2.0f;
        EXPECT_EQ(SpectrumFileWeight(l, wave, value, false), expected) << l;
        EXPECT_EQ(SpectrumFileWeight(l, wave, value, true).has_value(), expected.has_value()) << l;
    }
    // Equal first and last wavelengths: the first value, not 0 / 0.
    EXPECT_EQ(SpectrumFileWeight(0.5, std::vector<double>{0, 500, 500}, std::vector<double>{0, 4, 5}, false),
              4.0f);
}

SizeDistResult DecodeSizes(const std::string& bytes) {
    TextFileReader r = TextFileReader::FromBytes(bytes, "d.dis");
    return DecodeSizeDistFile(r, "d.dis");
}

std::string Sizes(const std::string& version, const std::string& mode, const std::string& unit,
                  const std::string& type, const std::string& count, const std::vector<std::string>& rows) {
    std::vector<std::string> l = {version, kSkip11, "l"};
    if (!mode.empty()) l.push_back(mode);
    l.insert(l.end(), {unit, type, count});
    l.insert(l.end(), rows.begin(), rows.end());
    return Lines(l);
}

TEST(SizeDistFileTest, TheHistogramNumbers) {
    const SizeDistResult um =
        DecodeSizes(Sizes("Tessary 300", "", "um", "Uniform", "3", {"10,1", "20,2", "30,1"}));
    ASSERT_TRUE(um.table);
    EXPECT_EQ(um.table->histWeight, (std::vector<float>{0, 0.25f, 0.5f, 0.25f}));
    EXPECT_EQ(um.table->histRadiusMin, 5.0f);
    EXPECT_EQ(um.table->histRadiusMax, 35.0f);
    EXPECT_EQ(um.table->histWeightMax, 2.0f);
    const SizeDistResult nm =
        DecodeSizes(Sizes("Tessary 300", "", "nm", "Uniform", "3", {"10,1", "20,2", "30,1"}));
    ASSERT_TRUE(nm.table);
    EXPECT_EQ(nm.table->histRadius[1], CSng(0.01).value);
    EXPECT_EQ(nm.table->histRadius[3], CSng(0.03).value);
    const SizeDistResult d =
        DecodeSizes(Sizes("Tessary 301", "diameter", "um", "Non uniform", "1", {"10,20,1"}));
    ASSERT_TRUE(d.table);
    EXPECT_EQ(d.table->histRadius[1], 5.0f);
    EXPECT_EQ(d.table->histRadius2[1], 10.0f);
    EXPECT_EQ(d.table->histMidRadius[1], 7.5f);
    const SizeDistResult m =
        DecodeSizes(Sizes("Tessary 300", "", "m", "Non uniform", "1", {"1E-05,2E-05,1"}));
    ASSERT_TRUE(m.table);
    EXPECT_EQ(m.table->histRadius[1], 10.0f);
    const SizeDistResult w = DecodeSizes(Sizes("Tessary 301", "size", "um", "Non uniform", "1", {"10,20,1"}));
    ASSERT_TRUE(w.table);
    EXPECT_EQ(w.warning, "Error in radius distribution file: d.dis\rSpecify radius or diameter in line 14");
    EXPECT_EQ(w.table->histRadius[1], 10.0f);
}

TEST(SizeDistFileTest, RefusesBadFilesWithTheLineAndTheReason) {
    const std::string good = Sizes("Tessary 300", "", "um", "Uniform", "3", {"10,1", "20,2", "30,1"});
    const auto uniform = [](const char* count, const std::vector<std::string>& rows,
                            const char* type = "Uniform", const char* unit = "um") {
        return Sizes("Tessary 300", "", unit, type, count, rows);
    };
    // The reason after the file's name.
    const RefusedFile bad[] = {
        {Sizes("Tessary 302", "", "um", "Uniform", "3", {"10,1", "20,2", "30,1"}),
         "(line 1: the header must be \"Tessary 300\" or \"Tessary 301\")"},
        {uniform("1", {"10,1"}), "(line 16: a \"Uniform\" file needs at least two classes)"},
        {uniform("2.5", {"10,1", "20,2", "30,1"}),
         "(line 16: the class count must be a whole number from 1 to 32767)"},
        {uniform("32767", {"10,1", "20,2", "30,1"}), "(line 20: the file ends before class 4 of 32767)"},
        {uniform("0", {}), "(line 16: the class count must be a whole number from 1 to 32767)"},
        {uniform("2", {"10,0", "20,0"}), "(line 18: the weights sum to 0)"},
        {uniform("2", {"10,3E+38", "20,3E+38"}), "(line 18: the sum of the weights is out of range)"},
        {uniform("2", {"10,1", "20,1"}, "Uniform", "inch"), "(line 14: the unit must be m, mm, um or nm)"},
        {uniform("2", {"10,1", "20,1"}, "uniform"),
         "(line 15: the type must be \"Uniform\" or \"Non uniform\")"},
        {uniform("2", {"10,1", "x,1"}), "(line 18: \"x\" is not a number)"},
        {"", "(line 1: the file ends before the header)"},
        // Nonsense that would otherwise be run with: negative weights summing to a positive number,
        // radii of 0 or below, classes whose limits are not increasing (here equal).
        {uniform("3", {"10,-1", "20,2", "30,1"}), "(line 17: weights must not be negative)"},
        {uniform("2", {"0,1", "20,1"}), "(line 17: radii must be greater than 0)"},
        {Sizes("Tessary 301", "radius", "um", "Non uniform", "2", {"10,20,1", "20,20,1"}),
         "(line 19: r1 must be less than r2)"},
        {uniform("2", {"10,5,1", "20,1"}),
         "(line 17: \"10,5,1\" holds more than a row's radius and weight " + kComma},
        // Classes out of radius order: a range turned round (35 to 5) or cut short (20 to 20).
        {uniform("3", {"30,1", "20,1", "10,1"}), "(line 18: radii must increase)"},
        {uniform("2", {"10,1", "10,1"}), "(line 18: radii must increase)"},
        {Sizes("Tessary 300", "", "um", "Non uniform", "2", {"20,30,1", "10,20,1"}),
         "(line 18: a class must not start below the end of the one before)"},
    };
    for (const RefusedFile& b : bad) {
        const SizeDistResult r = DecodeSizes(b.file);
        EXPECT_FALSE(r.table) << b.message;
        EXPECT_EQ(r.message, "Error in radius distribution file: d.dis " + b.message);
    }
    for (std::size_t at = good.find('\n'); at + 1 < good.size(); at = good.find('\n', at + 1))
        EXPECT_FALSE(DecodeSizes(good.substr(0, at + 1)).table) << at;
    EXPECT_TRUE(DecodeSizes(good + "\r\n \r\n").table);
    // A zero weight among positive ones stays accepted.
    EXPECT_TRUE(DecodeSizes(uniform("3", {"10,0", "20,2", "30,1"})).table);
}

}  // namespace
}  // namespace tessary
