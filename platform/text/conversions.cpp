// Number texts and conversions: Val, Str, CStr, the print form, Format, CInt, CLng, Int, CSng, RGB.
// Digits come from std::to_chars at 15 (Double) or 7 (Single) significant digits; texts are parsed
// with std::from_chars. Nothing here depends on the process locale.
#include "platform/text/conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

#include "platform/text/decimal_digits.h"

namespace tessary {
namespace {

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AppendInt(std::string& s, int v) {
    char buf[16];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    s.append(buf, end);
}

std::string NonFiniteText(double v, bool signSlot) {
    if (std::isnan(v)) return signSlot ? " NaN" : "NaN";
    if (v > 0) return signSlot ? " Infinity" : "Infinity";
    return "-Infinity";
}

// The digits of Str and CStr. `significant` also sets where E notation begins.
std::string NumberText(const detail::DecimalDigits& d, int significant, bool signSlot, bool leadingZero) {
    std::string s;
    if (d.negative)
        s += '-';
    else if (signSlot)
        s += ' ';
    if (d.count == 0) {
        s += '0';
        return s;
    }
    if (d.exponent < -4 || d.exponent >= significant) {
        s += d.digits[0];
        if (d.count > 1) {
            s += '.';
            s.append(d.digits + 1, d.count - 1);
        }
        s += 'E';
        s += d.exponent < 0 ? '-' : '+';
        const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
        if (magnitude < 10) s += '0';
        AppendInt(s, magnitude);
    } else if (d.exponent < 0) {
        if (leadingZero) s += '0';
        s += '.';
        s.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        s.append(d.digits, d.count);
    } else {
        const int intDigits = d.exponent + 1;
        if (d.count <= intDigits) {
            s.append(d.digits, d.count);
            s.append(static_cast<std::size_t>(intDigits - d.count), '0');
        } else {
            s.append(d.digits, intDigits);
            s += '.';
            s.append(d.digits + intDigits, d.count - intDigits);
        }
    }
    return s;
}

template <class F>
std::string StrOf(F v, int significant, bool signSlot, bool leadingZero) {
    if (!std::isfinite(v)) return NonFiniteText(v, signSlot);
    return NumberText(detail::ToDecimalDigits(v, significant), significant, signSlot, leadingZero);
}

struct FixedPattern {
    bool grouping;
    int minDecimals;
    int maxDecimals;
};

FixedPattern FixedPatternOf(FormatPattern::Kind kind) {
    switch (kind) {
        case FormatPattern::Kind::Fixed8:
            return {false, 8, 8};
        case FormatPattern::Kind::Grouped4:
            return {true, 0, 4};
        case FormatPattern::Kind::Grouped6:
            return {true, 0, 6};
        case FormatPattern::Kind::Grouped7:
            return {true, 0, 7};
        case FormatPattern::Kind::Grouped9:
            return {true, 0, 9};
        case FormatPattern::Kind::Plain2:
            return {false, 0, 2};
        case FormatPattern::Kind::Plain6:
            return {false, 0, 6};
        case FormatPattern::Kind::Scientific:
            break;
    }
    return {false, 0, 0};
}

// "0.00E+00": three significant digits, halves away from zero.
std::string ScientificText(detail::DecimalDigits d) {
    detail::RoundDigitsHalfUp(d, 3);
    std::string s;
    if (d.negative && d.count > 0) s += '-';
    char mantissa[3] = {'0', '0', '0'};
    for (int i = 0; i < d.count && i < 3; ++i) mantissa[i] = d.digits[i];
    const int exponent = d.count > 0 ? d.exponent : 0;
    s += mantissa[0];
    s += '.';
    s += mantissa[1];
    s += mantissa[2];
    s += 'E';
    s += exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) s += '0';
    AppendInt(s, magnitude);
    return s;
}

// Fixed-point text with `maxDecimals` decimals rounded halves away from zero, trailing zeros trimmed
// down to `minDecimals`, one digit at least before the point, optional thousands separators.
std::string FixedText(detail::DecimalDigits d, FixedPattern p) {
    detail::RoundDigitsHalfUp(d, d.exponent + 1 + p.maxDecimals);
    // digits[i] stands for 10^(exponent - i)
    auto digitAt = [&d](int i) { return (i >= 0 && i < d.count) ? d.digits[i] : '0'; };
    std::string whole;
    if (d.count > 0 && d.exponent >= 0)
        for (int i = 0; i <= d.exponent; ++i) whole += digitAt(i);
    else
        whole = "0";
    std::string decimals;
    for (int j = 1; j <= p.maxDecimals; ++j) decimals += digitAt(d.count > 0 ? d.exponent + j : -1);
    while (static_cast<int>(decimals.size()) > p.minDecimals && decimals.back() == '0') decimals.pop_back();

    std::string s;
    if (d.negative && d.count > 0) s += '-';
    if (p.grouping) {
        const std::size_t n = whole.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0) s += ',';
            s += whole[i];
        }
    } else {
        s += whole;
    }
    if (!decimals.empty()) {
        s += '.';
        s += decimals;
    }
    return s;
}

template <class F>
std::string FormatOf(F v, int significant, FormatPattern pattern) {
    if (!std::isfinite(v)) return NonFiniteText(v, false);
    const detail::DecimalDigits d = detail::ToDecimalDigits(v, significant);
    if (pattern.kind() == FormatPattern::Kind::Scientific) return ScientificText(d);
    return FixedText(d, FixedPatternOf(pattern.kind()));
}

double RoundHalfEven(double v) {
    const double f = std::floor(v);
    const double diff = v - f;  // exact for every finite double
    if (diff > 0.5) return f + 1.0;
    if (diff < 0.5) return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

template <class I>
Checked<I> RoundToWhole(double v) {
    if (std::isnan(v)) return {0, NumberStatus::NotANumber};
    if (std::isinf(v)) return {0, NumberStatus::OutOfRange};
    const double r = RoundHalfEven(v);
    if (r < static_cast<double>(std::numeric_limits<I>::min()) ||
        r > static_cast<double>(std::numeric_limits<I>::max()))
        return {0, NumberStatus::OutOfRange};
    return {static_cast<I>(r), NumberStatus::Ok};
}

// Blanks, tabs and line feeds are ignored anywhere inside a number.
void SkipIgnored(std::string_view t, std::size_t& i) {
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n')) ++i;
}

// Appends the digits that start at i (ignored characters between them skipped) to `digits`;
// `end` becomes the position after the last digit taken.
void TakeDigits(std::string_view t, std::size_t& i, std::string& digits, std::size_t& end) {
    for (SkipIgnored(t, i); i < t.size() && IsDigit(t[i]); SkipIgnored(t, i)) {
        digits += t[i++];
        end = i;
    }
}

// The exponent at i ("E", "e", "D" or "d", optional sign, digits) appended to `canonical` as
// "e[-]digits"; nothing when there is no letter or no digit after it.
void TakeExponent(std::string_view t, std::size_t i, std::string& canonical, std::size_t& end) {
    if (i >= t.size() || !(t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) return;
    ++i;
    SkipIgnored(t, i);
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = (t[i++] == '-');
    std::string digits;
    std::size_t digitsEnd = 0;
    TakeDigits(t, i, digits, digitsEnd);
    if (digits.empty()) return;
    end = digitsEnd;
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size() - 1);
    digits.erase(0, first);
    // Beyond six digits the exponent only decides overflow or underflow.
    canonical += negative ? "e-" : "e";
    canonical += digits.size() > 6 ? std::string("999999") : digits;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

ValResult ParseVal(std::string_view t) {
    std::size_t i = 0;
    SkipIgnored(t, i);
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = (t[i++] == '-');

    std::string wholeDigits, decimals;
    std::size_t end = 0;
    TakeDigits(t, i, wholeDigits, end);
    if (i < t.size() && t[i] == '.') {
        ++i;
        if (!wholeDigits.empty()) end = i;
        TakeDigits(t, i, decimals, end);
    }
    if (wholeDigits.empty() && decimals.empty()) return {};  // no number: 0

    std::string canonical = negative ? "-" : "";
    canonical += wholeDigits.empty() ? std::string("0") : wholeDigits;
    if (!decimals.empty()) canonical += '.' + decimals;
    TakeExponent(t, i, canonical, end);

    double value = 0.0;
    if (detail::ParseCanonical(canonical, value) == detail::ParseOutcome::Overflow)
        return {0.0, NumberStatus::OutOfRange, end};
    return {value, NumberStatus::Ok, end};
}

double Val(std::string_view text) { return ParseVal(text).value; }

double ValOrInfinity(std::string_view text) {
    const ValResult r = ParseVal(text);
    if (r.status != NumberStatus::OutOfRange) return r.value;
    const std::size_t first = text.find_first_not_of(" \t\n");  // the characters Val ignores
    const bool negative = first != std::string_view::npos && text[first] == '-';
    constexpr double kInf = std::numeric_limits<double>::infinity();
    return negative ? -kInf : kInf;
}

std::optional<ValResult> ParseTypedNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) return std::nullopt;
    std::string number;  // the text with "." for its separator, as ParseVal reads it
    number.reserve(text.size() - i);
    const auto takeSign = [&] {
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    };
    const auto takeDigits = [&] {
        const std::size_t from = i;
        while (i < text.size() && IsDigit(text[i])) number += text[i++];
        return i - from;
    };
    takeSign();
    std::size_t digits = takeDigits();
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        number += '.';
        ++i;
        digits += takeDigits();
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        number += 'e';
        ++i;
        takeSign();
        if (takeDigits() == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return ParseVal(number);
}

std::optional<double> TypedNumber(std::string_view text) {
    const std::optional<ValResult> r = ParseTypedNumber(text);
    if (!r || r->status != NumberStatus::Ok) return std::nullopt;
    return r->value;
}

// ---------------------------------------------------------------------------------------------

std::string Str(double v) { return StrOf(v, kDoubleDigits, true, false); }
std::string Str(float v) { return StrOf(v, kSingleDigits, true, false); }
std::string CStr(double v) { return StrOf(v, kDoubleDigits, false, true); }
std::string CStr(float v) { return StrOf(v, kSingleDigits, false, true); }
std::string PrintText(double v) { return Str(v) + ' '; }
std::string PrintText(float v) { return Str(v) + ' '; }

namespace {

// Whether a text reads back as v: a Single through CSng of Val, a Double through Val.
bool ReadsBackAs(const std::string& text, float v) {
    const Checked<float> back = CSng(Val(text));
    return back.ok() && back.value == v;
}
bool ReadsBackAs(const std::string& text, double v) { return Val(text) == v; }

// The digits of Str or CStr, from their own count (7 for a Single, 15 for a Double) up to 17, as many as
// reading them back needs.
template <class F>
std::string ExactText(F v, bool signSlot, bool leadingZero) {
    if (!std::isfinite(v)) return NonFiniteText(v, signSlot);
    constexpr int kMostDigits = 17;
    int digits = std::is_same_v<F, float> ? kSingleDigits : kDoubleDigits;
    for (; digits < kMostDigits; ++digits)
        if (ReadsBackAs(NumberText(detail::ToDecimalDigits(v, digits), digits, false, true), v)) break;
    return NumberText(detail::ToDecimalDigits(v, digits), digits, signSlot, leadingZero);
}

}  // namespace

std::string PrintTextExact(float v) { return ExactText(v, true, false) + ' '; }
std::string CStrExact(float v) { return ExactText(v, false, true); }
std::string PrintTextExact(double v) { return ExactText(v, true, false) + ' '; }
std::string CStrExact(double v) { return ExactText(v, false, true); }

namespace detail {
std::string WholeNumberText(long long v, bool signSlot) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    std::string s = (signSlot && v >= 0) ? " " : "";
    s.append(buf, end);
    return s;
}
std::string WholeNumberText(unsigned long long v, bool signSlot) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    std::string s = signSlot ? " " : "";
    s.append(buf, end);
    return s;
}
}  // namespace detail

std::string Format(double v, FormatPattern pattern) { return FormatOf(v, kDoubleDigits, pattern); }
std::string Format(float v, FormatPattern pattern) { return FormatOf(v, kSingleDigits, pattern); }

// ---------------------------------------------------------------------------------------------

Checked<std::int16_t> CInt(double v) { return RoundToWhole<std::int16_t>(v); }
Checked<std::int32_t> CLng(double v) { return RoundToWhole<std::int32_t>(v); }

double Int(double v) { return std::floor(v); }
float Int(float v) { return std::floor(v); }

Checked<float> CSng(double v) {
    if (std::isnan(v)) return {0.0f, NumberStatus::NotANumber};
    constexpr double kMax = std::numeric_limits<float>::max();
    // FLT_MAX plus half a unit in its last place: from here on the nearest Single is infinity.
    constexpr double kOverflow = 0x1.ffffffp127;
    const double magnitude = std::fabs(v);
    if (magnitude >= kOverflow) return {0.0f, NumberStatus::OutOfRange};
    if (magnitude > kMax) return {static_cast<float>(v < 0 ? -kMax : kMax), NumberStatus::Ok};
    const float f = static_cast<float>(v);
    return {f == 0.0f ? 0.0f : f, NumberStatus::Ok};
}

Checked<std::int32_t> RGB(double r, double g, double b) {
    if (std::isnan(r) || std::isnan(g) || std::isnan(b)) return {0, NumberStatus::NotANumber};
    auto channel = [](double c) {
        if (c > 255.0) c = 255.0;
        if (c < 0.0) c = 0.0;
        return static_cast<std::int32_t>(RoundHalfEven(c));
    };
    return {channel(r) + 256 * channel(g) + 65536 * channel(b), NumberStatus::Ok};
}

}  // namespace tessary
