// Numeric input parsing: the loose forms a user may type and the canonical text the box gets, exponent
// notation kept as typed, the range codes, and every rejection with the red box and the one message.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>
#include <system_error>
#include <vector>

#include "platform/text/conversions.h"
#include "runs/box_number.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

constexpr OleColor kWhite = 0xFFFFFF;
constexpr OleColor kRed = 255;
constexpr const char* kMessage = "    The red highlighted data entry is incorrect.    ";

struct Accepted {
    const char* typed;
    double valueIn;  // 1: no minus sign
    int rangeCode;
    const char* boxAfter;
    double value;
};

const Accepted kAccepted[] = {
    {"0.65", 1, 0, "0.65", 0.65},  // the leading zero is dropped only from the text compared
    {"+10", 1, 0, "10", 10},
    {"  10", 1, 0, "10", 10},
    {"007", 1, 0, "7", 7},
    {"12.50", 1, 0, "12.5", 12.5},
    {"10.0", 1, 0, "10", 10},
    {"5.", 1, 0, "5", 5},
    {"10", 1, 0, "10", 10},
    {"0", 1, 0, "0", 0},
    {"0.50", 1, 0, "0.5", 0.5},  // two passes
    {"1,5", 1, 0, "1.5", 1.5},
    {"0,5", 1, 0, ".5", 0.5},
    {"1e5", 1, 0, "1e5", 100000},
    {"2.5E-3", 1, 0, "2.5E-3", 0.0025},
    {"1E+20", 1, 0, "1E+20", 1e20},  // the canonical text of its value
    {"-3", 0, 0, "-3", -3},
    {"  -5", 0, 0, "-5", -5},
    {"+-5", 0, 0, "-5", -5},
    {"-0.5", 0, 0, "-0.5", -0.5},
    {"-1e-3", 0, 0, "-1e-3", -0.001},
    {"0", 1, 101, "0", 0},
    {"-2", 0, 102, "-2", -2},
    {"-2", 0, 103, "-2", -2},
    {"0.001", 1, 100, "0.001", 0.001},
    {"5", 0, 7, "5", 5},  // any other code: no range test
    // Plain decimals whose canonical text is E notation or rounded to 15 digits are still numbers.
    {"0.00001", 1, 100, "0.00001", 0.00001},
    {"0.000001", 1, 0, "0.000001", 0.000001},
    {"-0.00002", 0, 0, "-0.00002", -0.00002},
    {"1000000000000000", 1, 0, "1000000000000000", 1e15},
    {"0.1234567890123456", 1, 0, "0.1234567890123456", 0.1234567890123456},
};

struct Rejected {
    const char* typed;
    double valueIn;
    int rangeCode;
    const char* boxAfter;  // what the steps wrote before the rejection
};

const Rejected kRejected[] = {
    {"", 1, 0, ""},
    {"abc", 1, 0, "abc"},
    {"12a", 1, 0, "12a"},
    {"5 ", 1, 0, "5 "},
    {"00", 1, 0, "00"},
    {"000", 1, 0, "00"},
    {"00.0", 1, 0, "00"},
    {"e5", 1, 0, "e5"},
    {"5e", 1, 0, "5e"},
    {"1e5.5", 1, 0, "1e5.5"},
    {"-e5", 0, 0, "-e5"},
    {"1e+20", 1, 0, "1e+20"},
    {"1e5e", 1, 0, "1e5e"},
    {"1.2.3e4", 1, 0, "1.2.3e4"},
    {"-3", 1, 0, "-3"},
    {"0", 1, 100, "0"},
    {"0", 0, 103, "0"},
    {"2", 1, 102, "2"},
    {"-2", 0, 101, "-2"},
    {"-", 1, 0, "-"},
    {".", 1, 0, ""},
    // A minus sign before a number that begins with its point is refused too when no minus is allowed.
    {"-.5", 1, 0, "-.5"},
    {"-0.5", 1, 0, "-0.5"},
    {"-,5", 1, 0, "-,5"},
    // Beyond the Double range: refused instead of reading as 0.
    {"1e999", 1, 0, "1e999"},
    {"-1e999", 0, 0, "-1e999"},
};

constexpr auto npos = std::string::npos;

class GetvalTest : public Form1Test {
  protected:
    GetvalTest() : f(designed()) {}
    Form1& f;
};

TEST_F(GetvalTest, AcceptedEntriesAreRewrittenCanonically) {
    for (const Accepted& c : kAccepted) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        f.txtRadius.setText(c.typed);
        f.txtRadius.setBackColor(kRed);
        double value = c.valueIn;
        int error = c.rangeCode;
        f.getval(f.txtRadius, value, error);
        EXPECT_EQ(error, 0);
        EXPECT_EQ(f.txtRadius.text(), c.boxAfter);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(f.txtRadius.backColor(), kWhite);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(GetvalTest, RejectedEntriesTurnRedWithTheMessage) {
    for (const Rejected& c : kRejected) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        messages.clear();
        f.txtRadius.setText(c.typed);
        double value = c.valueIn;
        int error = c.rangeCode;
        f.getval(f.txtRadius, value, error);
        EXPECT_EQ(error, 1);
        EXPECT_EQ(f.txtRadius.text(), c.boxAfter);
        EXPECT_EQ(f.txtRadius.backColor(), kRed);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, kMessage);
        EXPECT_EQ(messages.last().title, "Input error");
        EXPECT_EQ(messages.last().style, 0);
    }
}

// The value is set once the syntax is accepted: a range rejection returns it, a syntax one does not.
TEST_F(GetvalTest, ValueIsSetOnlyOnceTheSyntaxIsAccepted) {
    f.txtRadius.setText("0");
    double value = 1;
    int error = 100;
    f.getval(f.txtRadius, value, error);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(value, 0);

    f.txtRadius.setText("12a");
    value = 1;
    error = 0;
    f.getval(f.txtRadius, value, error);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(value, 1);
}

TEST_F(GetvalTest, EditableListsAreParsedLikeTextBoxes) {
    f.cboStep.setText("02,5");
    double value = 1;
    int error = 100;
    f.getval(f.cboStep, value, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(f.cboStep.text(), "2.5");
    EXPECT_EQ(value, 2.5);

    f.cboYmax.setText("Automatic");
    error = 0;
    f.getval(f.cboYmax, value, error);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(f.cboYmax.backColor(), kRed);
}

// Generated texts built from parts of known meaning (sign, leading zero, whole part with a separator
// or sign inside, separator, fraction, exponent): getval on a text box (minus allowed) and a list takes
// the number each text means, or refuses it, and the box it rewrites reads back as that number.
TEST_F(GetvalTest, EveryTextGivesTheNumberItMeansOrIsRefused) {
    const std::vector<std::vector<std::string>> parts{
        {"", "-", "+"},
        {"", "0"},
        {"", "1", "12", "1,550", "0-5", "10"},
        {"", ".", ","},
        {"", "5", "50", "0000", "30"},
        {"", "E-10", "e5", "E+20", "e-0", "E-100", "E300", "e400", "E", "e-", "E--5", "e5-3"}};
    int accepted = 0;
    for (std::size_t n = 0; n < 3 * 2 * 6 * 3 * 5 * 12; ++n) {
        std::string p[6], text;
        for (std::size_t i = 6, k = n; i-- > 0; k /= parts[i].size()) p[i] = parts[i][k % parts[i].size()];
        for (const std::string& part : p) text += part;
        std::string plain = (p[0] == "-" ? "-" : "") + p[1] + p[2] + p[3] + p[4] + p[5];
        std::replace(plain.begin(), plain.end(), ',', '.');
        const bool number =
            std::count_if(text.begin(), text.end(), [](char c) { return c == '.' || c == ','; }) < 2 &&
            p[2].find('-') == npos && (p[1] + p[2] + p[4]).find_first_of("0123456789") != npos &&
            (p[5].empty() || (std::isdigit(p[5].back()) && p[5].find_first_of("+-", 2) == npos));
        double meant = 0;
        const bool inRange =
            std::from_chars(plain.data(), plain.data() + plain.size(), meant).ec == std::errc();
        SCOPED_TRACE("\"" + text + "\"");
        ASSERT_EQ(ParseTypedNumber(text).has_value(), number);
        // A "+" in the exponent passes only in the canonical text; "00" and "000" are refused.
        const bool mayRefuse = p[5].find('+') != npos || (p[1] + p[2] + p[4]).starts_with("00");
        const auto check = [&](auto& box, bool minusAllowed) {
            box.setText(text);
            double value = minusAllowed ? 0 : 1;
            int error = 0;
            f.getval(box, value, error);
            const bool refused = !number || !inRange || (p[0] == "-" && !minusAllowed);
            EXPECT_TRUE(error == 1 ? refused || mayRefuse : !refused);
            if (error == 0) {
                ++accepted;
                EXPECT_EQ(value, meant);
                EXPECT_EQ(BoxNumber(box.text(), minusAllowed), meant) << box.text();
            }
        };
        check(f.txtRadius, true);
        check(f.cboStep, false);
        messages.clear();
    }
    EXPECT_GT(accepted, 2000);
}

// Each write that changes the text raises the box's Change once; writes of the same text raise nothing.
TEST_F(Form1Test, GetvalWritesRaiseChangeOnlyWhenTheTextChanges) {
    Form1& f = started();
    std::vector<std::string> seen;
    f.txtRadius.onChange = [&] { seen.push_back(f.txtRadius.text()); };
    f.txtRadius.setText("+007");
    seen.clear();
    double value = 1;
    int error = 0;
    f.getval(f.txtRadius, value, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"007", "07", "7"}));

    seen.clear();
    f.getval(f.txtRadius, value, error);
    EXPECT_TRUE(seen.empty());
}

}  // namespace
}  // namespace tessary
