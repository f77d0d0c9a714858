// Decimal digits of binary floating-point values and the parsing of canonical decimal texts.
// Uses std::to_chars and std::from_chars only, so the process locale never enters a number text.
#include "platform/text/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>
#include <type_traits>

namespace tessary::detail {
namespace {

template <class F>
DecimalDigits DigitsOf(F v, int significant) {
    DecimalDigits d;
    if (v == 0) return d;  // +0 and -0 alike
    d.negative = std::signbit(v);
    // "d.ddde+XX" with exactly `significant` digits, correctly rounded from the binary value.
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, significant - 1);
    (void)ec;  // 64 bytes always suffice for at most 17 digits and a three-digit exponent
    const char* p = buf;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.') d.digits[d.count++] = *p;
    ++p;  // 'e'
    const bool negativeExponent = (*p == '-');
    ++p;  // exponent sign, always written
    int e = 0;
    std::from_chars(p, end, e);
    d.exponent = negativeExponent ? -e : e;
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    return d;
}

// Decimal exponent of the first non-zero digit of a canonical text; `allZero` when there is none.
int LeadingExponent(std::string_view c, bool& allZero) {
    std::size_t i = (!c.empty() && c[0] == '-') ? 1 : 0;
    int position = 0;  // exponent of the digit at i
    std::size_t intEnd = i;
    while (intEnd < c.size() && c[intEnd] >= '0' && c[intEnd] <= '9') ++intEnd;
    position = static_cast<int>(intEnd - i) - 1;
    int exponent = 0;
    if (const std::size_t e = c.find('e'); e != std::string_view::npos) {
        std::from_chars(c.data() + e + 1, c.data() + c.size(), exponent);
    }
    allZero = true;
    for (; i < c.size() && c[i] != 'e'; ++i) {
        if (c[i] == '.') continue;
        if (c[i] != '0') {
            allZero = false;
            return position + exponent;
        }
        --position;
    }
    return 0;
}

// True when a canonical text with leading exponent 308 is at most 1.79769313486232E+308, the
// 15-digit text of the largest Double, which itself lies above that Double.
bool AtMostLargestDoubleText(std::string_view c) {
    static constexpr std::string_view kLargest = "179769313486232";
    std::string digits;  // significant digits of the mantissa
    for (const char ch : c) {
        if (ch == 'e') break;
        if (ch >= '0' && ch <= '9' && !(digits.empty() && ch == '0')) digits += ch;
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.size() <= kLargest.size()) {
        digits.append(kLargest.size() - digits.size(), '0');
        return digits <= kLargest;
    }
    return digits.compare(0, kLargest.size(), kLargest) < 0;
}

template <class F>
ParseOutcome Parse(std::string_view c, F& out) {
    out = 0;
    F value = 0;
    const auto [ptr, ec] = std::from_chars(c.data(), c.data() + c.size(), value, std::chars_format::general);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        bool allZero = true;
        const int lead = LeadingExponent(c, allZero);
        if (allZero || lead <= 0) return ParseOutcome::Ok;  // underflow: 0
        // Str writes the largest Double as 1.79769313486232E+308: read that text back as that Double.
        if constexpr (std::is_same_v<F, double>) {
            if (lead == 308 && AtMostLargestDoubleText(c)) {
                out = (c[0] == '-' ? -1.0 : 1.0) * std::numeric_limits<double>::max();
                return ParseOutcome::Ok;
            }
        }
        return ParseOutcome::Overflow;
    }
    if (ec != std::errc()) return ParseOutcome::Ok;  // not reached for canonical texts
    if (!std::isfinite(value)) return ParseOutcome::Overflow;
    out = (value == 0) ? F(0) : value;
    return ParseOutcome::Ok;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

DecimalDigits ToDecimalDigits(double v, int significant) { return DigitsOf(v, significant); }
DecimalDigits ToDecimalDigits(float v, int significant) { return DigitsOf(v, significant); }

void RoundDigitsHalfUp(DecimalDigits& d, int keep) {
    if (d.count == 0 || keep >= d.count) return;
    if (keep < 0) {  // below half a unit of the kept position
        d = DecimalDigits{};
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') --i;
        if (i < 0) {  // 9...9 (or nothing) carries into a new leading digit
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
        } else {
            ++d.digits[i];
            d.count = i + 1;
        }
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
    if (d.count == 0) d = DecimalDigits{};
}

ParseOutcome ParseCanonical(std::string_view canonical, double& out) { return Parse(canonical, out); }
ParseOutcome ParseCanonical(std::string_view canonical, float& out) { return Parse(canonical, out); }

bool CanonicalFromStrictToken(std::string_view t, std::string& canonical) {
    canonical.clear();
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') canonical += '-';
        ++i;
    }
    const std::size_t intStart = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    std::string_view intDigits = t.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < t.size() && t[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < t.size() && IsDigit(t[i])) ++i;
        fracDigits = t.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty()) return false;
    canonical += intDigits.empty() ? std::string_view("0") : intDigits;
    if (!fracDigits.empty()) {
        canonical += '.';
        canonical += fracDigits;
    }
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        ++i;
        bool negativeExponent = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativeExponent = (t[i++] == '-');
        const std::size_t expStart = i;
        while (i < t.size() && IsDigit(t[i])) ++i;
        std::string_view expDigits = t.substr(expStart, i - expStart);
        if (expDigits.empty()) return false;
        while (expDigits.size() > 1 && expDigits[0] == '0') expDigits.remove_prefix(1);
        canonical += negativeExponent ? "e-" : "e";
        // Beyond six digits the exponent only decides overflow or underflow; cap it so it fits an int.
        canonical += expDigits.size() > 6 ? std::string_view("999999") : expDigits;
    }
    return i == t.size();
}

}  // namespace tessary::detail
