// Ray-order selection and method captions; see ray_orders.h.
#include "ray_orders.h"
#include "numerics/kernel_support.h"
#include "runs/method_codes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tessary {
namespace {

constexpr std::string_view kMultiple = "Multiple";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsBlank(std::string_view text) { return std::all_of(text.begin(), text.end(), IsBlankChar); }

// The number at the start of a text and where it ends: leading blanks skipped, an optional sign, digits
// with an optional decimal point, an optional exponent (e, E, d or D, an optional sign and digits).
struct LeadingNumber {
    double value = 0.0;
    std::size_t end = 0;        // index after the number (after the blanks when there is none)
    bool digits = false;        // the text begins with a number
    bool nonZeroDigit = false;  // its digits are not all 0
};

LeadingNumber ReadLeadingNumber(std::string_view text) {
    LeadingNumber n;
    std::size_t i = 0;
    while (i < text.size() && IsBlankChar(text[i])) ++i;
    std::string number;  // the number in the form from_chars reads: no '+', exponent letter 'e'
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') number += '-';
        ++i;
    }
    const auto digit = [&] {
        n.digits = true;
        n.nonZeroDigit = n.nonZeroDigit || text[i] != '0';
        number += text[i++];
    };
    while (i < text.size() && IsDigit(text[i])) digit();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && IsDigit(text[i])) digit();
    }
    if (!n.digits) return n;
    bool positiveExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t k = i + 1;
        std::string exponent = "e";
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) exponent += text[k++];
        if (k < text.size() && IsDigit(text[k])) {
            positiveExponent = exponent.size() == 1 || exponent[1] == '+';
            while (k < text.size() && IsDigit(text[k])) exponent += text[k++];
            number += exponent;
            i = k;
        }
    }
    n.end = i;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n.value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too large (a long digit string or a positive exponent) or too small to represent.
        const bool huge = positiveExponent || number.find('e') == std::string::npos;
        const double magnitude = huge ? std::numeric_limits<double>::infinity() : 0.0;
        n.value = number[0] == '-' ? -magnitude : magnitude;
    }
    return n;
}

// Caption prefix of the method: "Debye series (p = " and the like; empty for methods without orders.
std::string MethodPrefix(const RayChoice& c) {
    switch (c.calcMethod) {
        case kMethodDebye:
            return "Debye series (p = ";
        case kMethodAiry:
            return "Airy theory (p = ";
        case kMethodDescartes:
            return "Descartes (p = ";
        case kMethodYoung:
            return "Young (p = ";
        case kMethodYoungMod:
            return "Young mod. (p = ";
        case kMethodHuygens:
            return "Huygens (p = ";
        case kMethodSurfaceWave: {
            // Tested in this order: the last ticked menu wins.
            std::string prefix;
            if (c.mnuSurfaceBoth) prefix = "Surface wave: short + long paths (p = ";
            if (c.mnuSurfaceShort) prefix = "Surface wave: short path (p = ";
            if (c.mnuSurfaceLong) prefix = "Surface wave: long path (p = ";
            return prefix;
        }
        default:
            return {};
    }
}

// The flag table re-created with orders 0..upper, all cleared.
void Recreate(RaySelection& s, std::int32_t upper) {
    s.rayflag.assign(static_cast<std::size_t>(upper) + 1, 0);
}

// The list form of each selected order up to pMax (" 0", " 2"), ") " after the rayCount-th, ", " otherwise.
void AppendOrderList(std::string& text, const RaySelection& s, std::int32_t pMax) {
    std::int32_t listed = 0;
    const std::int32_t top = std::min<std::int32_t>(pMax, static_cast<std::int32_t>(s.rayflag.size()) - 1);
    for (std::int32_t p = 0; p <= top; ++p) {
        if (s.rayflag[static_cast<std::size_t>(p)] != 1) continue;
        ++listed;
        text += ' ';
        text += std::to_string(p);
        text += listed == s.rayCount ? ") " : ", ";
    }
}

void SetCaptions(RaysOutcome& out, std::string text, const RayChoice& c) {
    out.captionText = text + " " + std::string(c.sphereName) + " in " + std::string(c.mediumName);
    out.label = std::move(text);
}

// The list's value as an order, or false when it is absurd (the outcome then carries the refusal).
bool TypedOrder(const RayChoice& c, const RaySelection& current, RaysOutcome& out, std::int32_t& v) {
    if (RayListValue(c.listText, v) && v >= -kMaxRayOrder && v <= kMaxRayOrder) return true;
    out.status = RaysStatus::OrderTooLarge;
    out.title = "Input error";
    out.message = "The ray order must lie between -" + std::to_string(kMaxRayOrder) + " and " +
                  std::to_string(kMaxRayOrder);
    out.selection = current;
    return false;
}

}  // namespace

double RayListNumber(std::string_view text) {
    const LeadingNumber n = ReadLeadingNumber(text);
    return n.digits ? n.value : 0.0;
}

std::string RayListText(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlankChar);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankChar).base();
    return first < last ? std::string(first, last) : std::string();
}

bool RayListNamesOrders(std::string_view text) {
    if (text == kMultiple || IsBlank(text)) return true;
    const LeadingNumber n = ReadLeadingNumber(text);
    if (!n.digits || !IsBlank(text.substr(n.end))) return false;
    if (!std::isfinite(n.value)) return true;    // a whole number too large: refused as such
    if (n.value == 0.0) return !n.nonZeroDigit;  // "1e-999" is no whole number
    return n.value == std::floor(n.value);
}

bool RayListValue(std::string_view text, std::int32_t& value) {
    const double v = RayListNumber(text);
    if (!std::isfinite(v)) return false;
    const double r = RoundHalfEven(v);
    if (r < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        r > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return false;
    value = static_cast<std::int32_t>(r);
    return true;
}

void ClearRayFlags(RaySelection& selection) {
    if (selection.rayflag.size() < kRayBoxCount) selection.rayflag.resize(kRayBoxCount, 0);
    std::fill(selection.rayflag.begin(), selection.rayflag.begin() + kRayBoxCount, std::int16_t{0});
}

RaysOutcome RaysCheck(const RayChoice& choice, const RaySelection& current) {
    RaysOutcome out;
    const bool multiple = choice.listText == kMultiple;
    if (!RayListNamesOrders(choice.listText)) {
        out.status = RaysStatus::NotAnOrder;
        out.title = "Input error";
        out.message = kRayOrderForms;
        out.selection = current;
        return out;
    }
    std::int32_t v = 0;
    if (!multiple && !TypedOrder(choice, current, out, v)) return out;

    RaySelection& s = out.selection;
    s = current;
    if (s.rayflag.size() < kRayBoxCount) s.rayflag.resize(kRayBoxCount, 0);
    std::string text = MethodPrefix(choice);
    if (multiple) {
        // The ticked boxes; boxes not ticked leave their flags as they are.
        s.rayPMax = kRayBoxCount - 1;
        s.rayCount = 0;
        for (int k = 0; k < kRayBoxCount; ++k) {
            if (choice.chkp[static_cast<std::size_t>(k)] != 1) continue;
            s.rayflag[static_cast<std::size_t>(k)] = 1;
            ++s.rayCount;
        }
        AppendOrderList(text, s, kRayBoxCount - 1);
    } else if (v >= 0) {
        // A single order p, captioned by the text as typed without the blanks around it, which a data file
        // does not keep (an empty list by the order 0 it gives).
        s.rayCount = 1;
        s.rayPMax = v;
        const std::string typed = RayListText(choice.listText);
        text += typed.empty() ? std::to_string(v) : typed;
        text += ')';
        Recreate(s, std::max<std::int32_t>(v, kRayBoxCount - 1));
        s.rayflag[static_cast<std::size_t>(v)] = 1;
    } else {
        // The range 0..N; flags above N keep their values when N <= 50.
        const std::int32_t n = -v;
        s.rayPMax = n;
        text += "0 to " + std::to_string(n) + ")";
        if (n > kRayBoxCount - 1) Recreate(s, n);
        std::fill(s.rayflag.begin(), s.rayflag.begin() + n + 1, std::int16_t{1});
        s.rayCount = n + 1;
    }
    if (choice.chkDiffraction == 1) text += "+ Diffraction";
    SetCaptions(out, std::move(text), choice);
    return out;
}

RaysOutcome DebyeLabel(const RayChoice& choice, const RaySelection& current) {
    RaysOutcome out;
    if (choice.listText == kMultiple) {
        out = RaysCheck(choice, current);
        if (out.selection.rayCount == 0) {
            out.status = RaysStatus::NoRaysSelected;
            out.message = "No rays selected";
            out.title = "Error";
            return out;
        }
    } else {
        // The dialog's boxes are cleared first, so RaysCheck sees none ticked (no "+ Diffraction").
        RayChoice cleared = choice;
        cleared.chkp.fill(0);
        cleared.chkDiffraction = 0;
        out = RaysCheck(cleared, current);
        if (out.status != RaysStatus::Ok) return out;
        out.clearDialogBoxes = true;
        std::int32_t v = 0;
        RayListValue(choice.listText, v);  // in range: RaysCheck accepted it
        RaySelection& s = out.selection;
        s.rayPMax = v;  // stays negative (-N) for a range
        if (v < 0) {
            const std::int32_t n = -v;
            if (n > kRayBoxCount - 1) Recreate(s, n);
            std::fill(s.rayflag.begin(), s.rayflag.begin() + n + 1, std::int16_t{1});
            s.rayCount = 1 - v;
        } else {
            Recreate(s, std::max<std::int32_t>(v, kRayBoxCount - 1));
            s.rayflag[static_cast<std::size_t>(v)] = 1;
            s.rayCount = 1;
        }
    }

    const RaySelection& s = out.selection;
    std::string text = choice.mnuGaussian ? "Debye series (Gaussian beam) " : "Debye series ";
    if (RayListNumber(choice.listText) >= 0.0) {  // "Multiple" counts as 0
        text += "(p =";
        AppendOrderList(text, s, s.rayPMax);
    } else {
        text += "(p = 0 to " + std::to_string(-s.rayPMax) + ")";
    }
    SetCaptions(out, std::move(text), choice);
    out.writeTitleBar = true;
    return out;
}

std::string LabelWithOptions(std::string_view label, std::string_view options) {
    if (options.empty()) return std::string(label);
    std::string text(label.substr(0, label.find_last_not_of(' ') + 1));
    return text.append(" ").append(options);
}

std::string WithOptions(const std::vector<std::string>& options) {
    std::string text;
    for (std::size_t i = 0; i < options.size(); ++i) text += (i == 0 ? "with " : ", ") + options[i];
    return text;
}

}  // namespace tessary
