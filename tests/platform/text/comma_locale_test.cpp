// Number texts under a comma-decimal process locale: every text and file must stay exactly as in the
// "C" locale. With TESSARY_TEST_LOCALE set (the second CTest registration of this suite) the whole
// suite runs under that locale; the test below switches to one on its own in every run.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>

#include "platform/text/conversions.h"
#include "platform/text/text_file.h"

namespace tessary {
namespace {

// Makes `name` the global C and C++ locale; false when it is not installed or has no decimal comma.
bool UseCommaLocale(const std::string& name) {
    if (!std::setlocale(LC_ALL, name.c_str())) return false;
    if (std::string(std::localeconv()->decimal_point) != ",") {
        std::setlocale(LC_ALL, "C");
        return false;
    }
    try {
        std::locale::global(std::locale(name));
    } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, "C");
        return false;
    }
    return true;
}

class SuiteLocale : public ::testing::Environment {
  public:
    void SetUp() override {
        const char* name = std::getenv("TESSARY_TEST_LOCALE");
        if (!name || !*name) return;
        if (!UseCommaLocale(name))
            GTEST_SKIP()
                << "comma-decimal locale " << name
                << " is not installed (Debian: sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen"
                   " && locale-gen)";
    }
};

[[maybe_unused]] ::testing::Environment* const kSuiteLocale =
    ::testing::AddGlobalTestEnvironment(new SuiteLocale);

// Switches to the first comma-decimal locale found and restores the previous one at the end.
class CommaLocaleScope {
  public:
    CommaLocaleScope() : previousC_(std::setlocale(LC_ALL, nullptr)), previousCpp_() {
        for (const char* name :
             {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8", "it_IT.UTF-8"}) {
            if (UseCommaLocale(name)) {
                name_ = name;
                return;
            }
        }
    }
    ~CommaLocaleScope() {
        std::setlocale(LC_ALL, previousC_.c_str());
        std::locale::global(previousCpp_);
    }
    const std::string& name() const { return name_; }

  private:
    std::string previousC_;
    std::locale previousCpp_;
    std::string name_;
};

TEST(CommaLocale, NumberTextsIgnoreTheProcessLocale) {
    const CommaLocaleScope scope;
    if (scope.name().empty())
        GTEST_SKIP()
            << "no comma-decimal locale is installed (Debian: sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/'"
               " /etc/locale.gen && locale-gen)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    EXPECT_EQ(Str(1.5), " 1.5");
    EXPECT_EQ(Str(-0.25), "-.25");
    EXPECT_EQ(Str(1.234568e7f), " 1.234568E+07");
    EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(PrintText(1e-5), " 1E-05 ");
    EXPECT_EQ(Format(1234567.1234567, "#,##0.######"), "1,234,567.123457");
    EXPECT_EQ(Format(0.00001234, "Scientific"), "1.23E-05");
    EXPECT_EQ(Format(1.33, "0.00000000"), "1.33000000");
    EXPECT_EQ(Format(12.345, "#0.##"), "12.35");
    EXPECT_EQ(Val("1.5"), 1.5);
    EXPECT_EQ(Val("1,5"), 1.0);  // a comma never is a decimal point
    EXPECT_EQ(Val("2.5E-3"), 0.0025);

    TextFileReader r = TextFileReader::FromBytes(" 1.5           2,5E-3 \r\n");
    EXPECT_EQ(r.ReadDouble().value, 1.5);
    EXPECT_EQ(r.ReadDouble().value, 2.0);  // "2" then "5E-3": the comma separates items
    EXPECT_EQ(r.ReadSingle().value, 0.005f);
}

}  // namespace
}  // namespace tessary
