// Internal helpers of the number texts: a finite value as rounded decimal digits, and the parsing of
// a canonical decimal text, both locale-independent (std::to_chars / std::from_chars only).
// Not for use outside platform/text.
#pragma once

#include <string>
#include <string_view>

namespace tessary::detail {

// |v| rounded to a number of significant digits: digits d1 d2 ... dn (no trailing zeros, d1 != 0)
// and the decimal exponent of d1, so that |v| = d1.d2...dn x 10^exponent. Zero has count 0.
struct DecimalDigits {
    char digits[24] = {};
    int count = 0;
    int exponent = 0;
    bool negative = false;  // never set for zero, so -0 reads as 0
};

// v must be finite; significant is 1 to 17. Rounding is to nearest on the exact binary value.
DecimalDigits ToDecimalDigits(double v, int significant);
DecimalDigits ToDecimalDigits(float v, int significant);

// Rounds d to `keep` significant digits, halves away from zero (keep <= 0 may round to zero or up
// to one unit of the digit position `keep` stands for). Trailing zeros are dropped again.
void RoundDigitsHalfUp(DecimalDigits& d, int keep);

enum class ParseOutcome { Ok, Overflow };

// Converts a canonical text "[-]D+[.D+][e[-]D+]" (D a decimal digit) to the nearest double or float.
// Values too small for the type become 0 (Ok); values too large give Overflow and leave out at 0.
// A negative zero result is returned as +0.
ParseOutcome ParseCanonical(std::string_view canonical, double& out);
ParseOutcome ParseCanonical(std::string_view canonical, float& out);

// Checks that `token` is one whole decimal number: optional sign, digits with an optional point
// (".5", "5." and "0.5" all count), optional exponent E, e, D or d with optional sign and digits.
// On success writes its canonical form (see ParseCanonical) into `canonical` and returns true.
bool CanonicalFromStrictToken(std::string_view token, std::string& canonical);

}  // namespace tessary::detail
