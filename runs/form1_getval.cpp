// Numeric input parsing of the input boxes: getval accepts a plain decimal number written loosely (a
// leading "+", leading blanks, superfluous leading and trailing zeros, a decimal comma) or exponent
// notation, rewrites the box in its canonical form (.65, 12.5, 5, -3) and applies a range rule. Any
// other entry turns the box red with the one input-error message, among them every text that means no
// number (both "," and ".", a sign other than first or after the exponent letter, an exponent without
// digits): the value taken is always the one the text means, and the rewritten box reads back as it.
// Texts are measured in characters from 1 as the steps below count them; numbers go through the
// runtime's Val and Str, so "." is the decimal point whatever the locale.
#include <optional>
#include <string>
#include <utility>

#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"

namespace tessary {

namespace {

bool StartsWith(const std::string& s, char c) { return !s.empty() && s.front() == c; }
bool EndsWith(const std::string& s, char c) { return !s.empty() && s.back() == c; }

// The first n characters (all of them when n is larger).
std::string Left(const std::string& s, std::size_t n) { return s.substr(0, n); }
// The last n characters (all of them when n is larger).
std::string Right(const std::string& s, std::size_t n) { return n >= s.size() ? s : s.substr(s.size() - n); }

// A leading zero that can go: one that leaves a digit in the mantissa (the zero of "0E-10" or "0,"
// is the number's only digit).
bool LeadingZero(const std::string& s) {
    if (s.size() < 2 || s[0] != '0') return false;
    return s.find_first_of("0123456789", 1) < s.find_first_of("eE");
}

// 1-based position of c in s, 0 when absent.
std::size_t Position(const std::string& s, char c) {
    const std::size_t at = s.find(c);
    return at == std::string::npos ? 0 : at + 1;
}

// The number's shortest text without the sign slot: .65, 12.5, -3, 1E+20.
std::string CanonicalText(double v) {
    std::string t = Str(v);
    if (StartsWith(t, ' ')) t.erase(0, 1);
    return t;
}

// Digits with at most one "." (and at least one digit), after an optional minus sign: a plain decimal
// number. Values below 1E-04 or with more than 15 significant digits have an E-notation or rounded
// canonical text, yet a plain decimal such as .00001 (an entry of the program's own lists) is a number.
bool IsPlainDecimal(const std::string& s) {
    std::size_t i = StartsWith(s, '-') ? 1 : 0;
    int points = 0, digits = 0;
    for (; i < s.size(); ++i) {
        if (s[i] == '.') {
            if (++points > 1) return false;
        } else if (s[i] >= '0' && s[i] <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

// A text that is not the canonical form of its value must be exponent notation: one exponent letter
// neither first nor last, digits with at most one "." before it, and digits after a sign.
bool IsExponentNotation(const std::string& s) {
    const std::size_t e = Position(s, 'e');
    const std::size_t E = Position(s, 'E');
    if (e + E == 0 || e + E == 1 || e + E == s.size()) return false;
    std::string mantissa = s;
    mantissa.erase((E != 0 ? E : e) - 1, 1);  // with both letters present only the "E" is cut out
    int points = 0;
    for (const char c : mantissa) {
        if (c == '.') {
            if (++points > 1) return false;
        } else if (!(c >= '0' && c <= '9') && c != '-') {
            return false;
        }
    }
    const std::size_t x = e != 0 ? e : E;
    const std::size_t point = s.rfind('.');
    if (point != std::string::npos && point + 1 > x) return false;  // a fractional exponent
    if (StartsWith(s, '-') && x == 2) return false;                 // a sign without digits
    return true;
}

// The steps of getval on a text, apart from the box: `show` writes each text the box shows on the way
// and returns the box's text afterwards. False when the entry is refused; else Value is its number.
template <class Show>
bool ParseNumberText(const std::string& text, double& Value, bool minusAllowed, int rangeCode, Show show) {
    std::string S = text;

    // A leading "+" and leading blanks go; a minus sign after them is the sign.
    if (StartsWith(S, '+')) S.erase(0, 1);
    S.erase(0, S.find_first_not_of(' '));  // all of it when it is only blanks
    std::string shown = show(S);
    // The number the text means. A text with digits that means none is refused as typed: the cuts
    // below would make another number of it ("1,550.0000" 1.55, "0-5" -5). A text without digits is
    // refused once the steps have tidied it.
    const std::optional<double> meant = TypedNumber(S);
    if (!meant && S.find_first_of("0123456789") != std::string::npos) return false;
    // The zeros ending exponent notation are digits of the exponent ("3.30E-10"), not trailing zeros.
    const bool exponent = S.find_first_of("eE") != std::string::npos;
    const bool negative = StartsWith(S, '-');
    if (negative) S.erase(0, 1);

    // Trailing zeros after the point, a trailing point and leading zeros are cut, one of each per
    // pass; every cut counts from the length measured at the start of the pass. A pass that cuts
    // nothing ends the loop, so there are at most as many passes as characters.
    for (;;) {
        if (S == "00") return false;
        const std::size_t L = S.size();
        const std::size_t P = exponent ? 0 : Position(S, '.');
        if (EndsWith(S, '0') && L > 1 && P > 1) {
            S = Left(S, L - 1);
            if (EndsWith(S, '.')) S = Left(S, L - 2);
        }
        if (EndsWith(S, '.')) S = Left(S, L - 1);
        if (LeadingZero(S)) S = Right(S, L - 1);
        if (!StartsWith(S, '.') && !StartsWith(S, ',')) {
            shown = show(negative ? "-" + S : S);
            if (negative && !minusAllowed) return false;
        }
        const bool again = (P > 1 && EndsWith(S, '0') && S.size() >= 2) || LeadingZero(S);
        if (!again) break;
    }
    if (negative) S = "-" + S;
    // A number that begins with its point ("-.5", "-0.5") skipped the minus test above.
    if (negative && !minusAllowed) return false;

    // A decimal comma becomes the point.
    if (const std::size_t comma = S.find(','); comma != std::string::npos) {
        S[comma] = '.';
        shown = show(S);
        S = shown;
    }

    const ValResult parsed = ParseVal(shown);
    if (S != CanonicalText(parsed.value) && !IsPlainDecimal(S) && !IsExponentNotation(S)) return false;
    // Only a number, and the one typed: the box must read back as the value the text means.
    if (!meant || parsed.status != NumberStatus::Ok || parsed.value != *meant) return false;

    Value = parsed.value;
    switch (rangeCode) {
        case 100:
            return Value > 0;
        case 101:
            return Value >= 0;
        case 102:
            return Value <= 0;
        case 103:
            return Value < 0;
        default:
            return true;
    }
}

// The steps shared by text boxes and editable lists: their text, background and Change event behave
// alike. Returns false on a rejection, after the red box and the message. Unless `rewrite`, the box's
// text stays as it is.
template <class Box>
bool ParseBox(Box& box, double& Value, int rangeCode, bool rewrite = true) {
    const bool minusAllowed = Value != 1.0;
    const std::string text = box.text();
    box.setBackColor(kWhite);
    const auto show = [&box, rewrite](const std::string& s) {
        if (!rewrite) return s;
        box.setText(s);
        return box.text();
    };
    if (ParseNumberText(text, Value, minusAllowed, rangeCode, show)) return true;
    box.setBackColor(kRed);
    msgBox("    The red highlighted data entry is incorrect.    ", mb::kOkOnly, std::string("Input error"));
    return false;
}

}  // namespace

std::optional<double> BoxNumber(const std::string& text, bool minusAllowed, int rangeCode) {
    double value = 0.0;
    const auto show = [](const std::string& s) { return s; };
    if (!ParseNumberText(text, value, minusAllowed, rangeCode, show)) return std::nullopt;
    return value;
}

double BoxValue(const std::string& text) { return BoxNumber(text, true).value_or(Val(text)); }

double RadiusOfSizeBox(const std::string& sizeText, bool diameter, bool sizeParameter,
                       const std::string& lambdaText) {
    const double value = BoxValue(sizeText);
    if (diameter) return value / 2;
    if (sizeParameter) return value * BoxValue(lambdaText) / kTwoPi;
    return value;
}

ValResult WavelengthAsTyped(std::string text) {
    if (const std::size_t comma = text.find(','); comma != std::string::npos) text[comma] = '.';
    return ParseVal(text);
}

double TypedWavelength(std::string text) {
    if (const std::optional<double> v = BoxNumber(text, true)) return *v;
    return WavelengthAsTyped(std::move(text)).value;
}

std::string RealIndexText(double n) { return Format(n, "0.00000000"); }

std::string ImagIndexText(double k) {
    if (k == 0.0) return "0";
    if (0.01 <= k && k <= 10000.0) return CStr(k);
    return Format(k, "Scientific");
}

// Validates and tidies the number in box (both overloads): Value in is 1 when a minus sign is not allowed,
// out the number; NError in is the range code (100 > 0, 101 >= 0, 102 <= 0, 103 < 0, others none), out 0 when
// accepted, 1 when rejected (the box red and the input-error message shown).
void Form1::getval(TextBox& box, double& Value, int& NError) {
    const int rangeCode = NError;
    // The wavelength box keeps what is being typed into it while its own change handler checks it.
    const bool rewrite = !(&box == &txtLambda && runFlags.lambdaAsTyped);
    NError = ParseBox(box, Value, rangeCode, rewrite) ? 0 : 1;
}

void Form1::getval(ComboBox& box, double& Value, int& NError) {
    const int rangeCode = NError;
    NError = ParseBox(box, Value, rangeCode) ? 0 : 1;
}

// A refused box is red with the input-error message; a number beyond the Double range passes.
bool Form1::DialogNumbers(std::initializer_list<TextBox*> boxes) {
    for (TextBox* box : boxes) {
        std::string text = box->text();
        if (!ParseTypedNumber(text)) {
            box->setBackColor(kRed);
            msgBox("    The red highlighted data entry is incorrect.    ", mb::kOkOnly,
                   std::string("Input error"));
            return false;
        }
        if (const std::size_t comma = text.find(','); comma != std::string::npos) {
            text[comma] = '.';
            box->setText(text);
        }
    }
    return true;
}

}  // namespace tessary
