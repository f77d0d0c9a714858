// Number texts and conversions of the program's runtime layer: the value of a text (Val), the texts of
// a number (Str, CStr, the print form, Format with the program's patterns) and the conversions to whole
// numbers and Single (CInt, CLng, Int, CSng) and to a packed colour (RGB).
// Every text uses "." as the decimal point and "," as the thousands separator, whatever the process
// locale: numbers are converted with std::to_chars / std::from_chars only.
// A Double shows at most 15 significant digits and a Single at most 7, so 0.1 + 0.2 reads "0.3".
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace tessary {

// CR, the character 13 that messages and captions are joined with.
inline constexpr char kCR = '\r';

// Outcome of a conversion that can fail.
enum class NumberStatus {
    Ok,
    OutOfRange,  // the value does not fit the target type (after rounding)
    NotANumber,  // the input was NaN
};

// A converted value with its status; on failure `value` is 0.
template <class T>
struct Checked {
    T value{};
    NumberStatus status = NumberStatus::Ok;
    bool ok() const { return status == NumberStatus::Ok; }
};

// Whole-number C++ types that print as Integer or Long (bool and the character types excluded).
template <class T>
concept WholeNumber =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, signed char> &&
    !std::same_as<T, unsigned char> && !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> &&
    !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;

// ---------------------------------------------------------------------------------------------
// Value of a text

struct ValResult {
    double value = 0.0;
    NumberStatus status = NumberStatus::Ok;  // OutOfRange: the number is beyond the Double range
    std::size_t length = 0;                  // bytes of the text up to the end of the number; 0: none
};

// The number a text begins with. Blanks, tabs and line feeds are ignored everywhere in it (" 1 2"
// is 12); then an optional sign, digits with an optional "." (".5", "5.", "-.5"), and an optional
// exponent: E, e, D or d, an optional sign and digits ("1D3" is 1000; "1E" alone is 1). The number
// ends at the first other character ("1,5" is 1, "12a" is 12). A text that begins with no number
// gives 0 and length 0. A number too large for a Double gives status OutOfRange and value 0; one too
// small gives 0. The result is never -0.
ValResult ParseVal(std::string_view text);
// ParseVal(text).value: the leading number, 0 when there is none (or when it is out of range).
double Val(std::string_view text);
// The leading number as Val reads it, except that a number beyond the Double range is the infinity
// of its sign ("1e400" is +infinity, "-1e400" -infinity): for boxes whose range checks must refuse
// it as they refuse the largest numbers, where Val would read it as 0.
double ValOrInfinity(std::string_view text);

// The number a typed text means, the text read as a whole: leading blanks, an optional sign, digits
// with at most one decimal separator ("." or ","; so ".5", "5." and "1,5" are numbers) and an optional
// exponent (E or e, an optional sign, at least one digit), and nothing after it. Any other text means
// no number and gives nothing: two separators ("1,550.0"), a sign elsewhere ("0-5", "1e5-3", "1e--5"),
// an exponent without digits ("4.64e-"), no digit in the mantissa (".e5"), trailing characters ("5 ",
// "12a"). The value is ParseVal's of the text with "." for its separator: status OutOfRange beyond
// the Double range, 0 below it.
std::optional<ValResult> ParseTypedNumber(std::string_view text);
// The number ParseTypedNumber finds, nothing also for a number beyond the Double range.
std::optional<double> TypedNumber(std::string_view text);

// ---------------------------------------------------------------------------------------------
// Texts of a number

// The sign slot (a blank for v >= 0, "-" for v < 0), then the digits without a zero before the
// point (" .5", "-.25", " 12.5", " 0"): at most 15 significant digits for a Double and 7 for a
// Single, trailing zeros and a trailing point dropped; E notation ("1E-05", "1.5E+20",
// "1.234568E+07": mantissa, "E", exponent sign, at least two exponent digits) when the decimal
// exponent after rounding is below -4, or at least 15 for a Double, 7 for a Single. -0 gives " 0".
// Whole-number types give all their digits (" 32767", "-5").
// A NaN or infinity gives " NaN", " Infinity" or "-Infinity": callers check values before showing them.
std::string Str(double v);
std::string Str(float v);
template <WholeNumber T>
std::string Str(T v);

// The text code writes into a box or caption: the digits of Str without the sign slot and with the
// zero before the point ("0.5", "-0.25", "12", "1E-05", "0"). NaN and infinities as for Str, unpadded.
std::string CStr(double v);
std::string CStr(float v);
template <WholeNumber T>
std::string CStr(T v);

// A number item of the print statement: Str(v) followed by one blank (" 1 ", "-.25 ", " 1E-05 ").
std::string PrintText(double v);
std::string PrintText(float v);
template <WholeNumber T>
std::string PrintText(T v);
// The texts of a Single with the fewest significant digits, 7 to 9 (more only where reading as a Double
// and rounding to a Single needs them), whose value read back (CSng of Val) is v itself: the print form
// (PrintText where its 7 digits suffice, " 20 ", " 2.5 "; " 12.345678 " where they do not) and the text
// of a box (CStr's "12.345678").
std::string PrintTextExact(float v);
std::string CStrExact(float v);
// The text of a box for a Double with the fewest significant digits, 15 to 17, whose value read back (Val)
// is v itself: CStr's where its 15 digits suffice ("8.017430258254235" where they do not).
std::string CStrExact(double v);
// Its print form (" 33.333333333333336 ").
std::string PrintTextExact(double v);

// ---------------------------------------------------------------------------------------------
// Formatted numbers

// One of the number patterns the program formats with. Only these texts are accepted, checked when
// the program is compiled (Format(v, "0.0") does not build):
//   "0.00000000"         fixed, always eight decimals ("1.33000000", "-0.50000000")
//   "Scientific"         (also "scientific") two decimals and a signed exponent of at least two
//                        digits: "1.23E-05", "2.00E+04", "0.00E+00", "1.00E+100"
//   "#,##0.####"         thousands separators, up to 4 decimals: "12,345.6789", "1.33"
//   "#,##0.######"       the same with up to 6 decimals
//   "###,##0.#######"    the same with up to 7 decimals
//   "###,##0.#########"  the same with up to 9 decimals
//   "#0.##"              no separators, up to 2 decimals: "12.35", "1234.5"
//   "#0.######"          no separators, up to 6 decimals: "1407.775888", "96.664389"
// The "#" patterns drop trailing zeros of the decimals and the point itself when none remain ("12",
// not "12."), and always keep one digit before the point ("0.5").
class FormatPattern {
  public:
    enum class Kind { Fixed8, Scientific, Grouped4, Grouped6, Grouped7, Grouped9, Plain2, Plain6 };

    // Only from the literal texts above; any other text is a compile-time error.
    consteval FormatPattern(const char* text) : kind_(KindOf(text)) {}  // NOLINT: implicit by design
    constexpr explicit FormatPattern(Kind kind) : kind_(kind) {}
    constexpr Kind kind() const { return kind_; }

  private:
    static consteval Kind KindOf(std::string_view text) {
        if (text == "0.00000000") return Kind::Fixed8;
        if (text == "Scientific" || text == "scientific") return Kind::Scientific;
        if (text == "#,##0.####") return Kind::Grouped4;
        if (text == "#,##0.######") return Kind::Grouped6;
        if (text == "###,##0.#######") return Kind::Grouped7;
        if (text == "###,##0.#########") return Kind::Grouped9;
        if (text == "#0.##") return Kind::Plain2;
        if (text == "#0.######") return Kind::Plain6;
        throw "unsupported number format pattern";  // not a constant expression: compile error
    }
    Kind kind_;
};

// v in the pattern's form. The value is first taken to 15 significant digits (7 for a Single), the
// digits Str shows, and then rounded to the pattern's decimals with halves away from zero, so the
// result agrees with the number's own text: Format(2.675, "#0.##") is "2.68", as "2.675" reads
// (the binary value itself lies just below 2.675).
// A value that rounds to zero has no minus sign ("0.00000000", not "-0.00000000").
// A NaN or infinity gives "NaN", "Infinity" or "-Infinity".
std::string Format(double v, FormatPattern pattern);
std::string Format(float v, FormatPattern pattern);

// ---------------------------------------------------------------------------------------------
// Conversions

// v rounded to the nearest whole number, halves to the even neighbour (0.5 -> 0, 1.5 -> 2,
// 2.5 -> 2, -2.5 -> -2), as a 16-bit Integer (CInt) or a 32-bit Long (CLng). A rounded value
// outside the type's range (32767.5 for CInt) gives OutOfRange, NaN gives NotANumber.
Checked<std::int16_t> CInt(double v);
Checked<std::int32_t> CLng(double v);

// The largest whole number not above v (floor): Int(-2.5) is -3. NaN and infinities pass through.
double Int(double v);
float Int(float v);

// v rounded to the nearest Single. A finite v beyond the Single range gives OutOfRange, NaN gives
// NotANumber; values too small for a Single become 0.
Checked<float> CSng(double v);

// The packed colour r + 256 g + 65536 b. Each channel is rounded to the nearest whole number
// (halves to even) and clamped to 0..255, so a level above 255 counts as 255 and a negative one as
// 0. A NaN channel gives NotANumber (value 0).
Checked<std::int32_t> RGB(double r, double g, double b);

// ---------------------------------------------------------------------------------------------

namespace detail {
std::string WholeNumberText(long long v, bool signSlot);
std::string WholeNumberText(unsigned long long v, bool signSlot);
template <class T>
std::string WholeText(T v, bool signSlot) {
    if constexpr (std::is_signed_v<T>)
        return WholeNumberText(static_cast<long long>(v), signSlot);
    else
        return WholeNumberText(static_cast<unsigned long long>(v), signSlot);
}
}  // namespace detail

template <WholeNumber T>
std::string Str(T v) {
    return detail::WholeText(v, true);
}
template <WholeNumber T>
std::string CStr(T v) {
    return detail::WholeText(v, false);
}
template <WholeNumber T>
std::string PrintText(T v) {
    return detail::WholeText(v, true) + ' ';
}

}  // namespace tessary
