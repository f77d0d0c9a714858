// Ray-order selection for the Debye series and the ray methods: which orders p (p = 0 external
// reflection and diffraction, p = 1 two refractions, p >= 2 with p - 1 internal reflections) a run
// computes, and the caption that names the method and the orders.
//
// Pure functions: the text of the ray-order list, the dialog's check boxes and the menus come in as
// plain values; the new selection and the caption texts come back, and the window code writes them to
// its state and controls. A refusal (a typed text that names no order, or an absurd order) leaves the
// selection as it was.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runs/method_codes.h"

namespace tessary {

// Orders 0..50 have their own check box in the dialog of ray paths.
inline constexpr int kRayBoxCount = 51;
// Largest order a typed order or range may name (|p| above it is refused before anything changes).
inline constexpr std::int32_t kMaxRayOrder = 100000;

// The selection state: rayflag(p) = 1 selects order p (any other value does not).
struct RaySelection {
    std::vector<std::int16_t> rayflag = std::vector<std::int16_t>(kRayBoxCount, 0);  // 0 .. >= 50
    std::int32_t rayCount = 0;  // number of selected orders
    std::int32_t rayPMax = 0;   // highest order a loop over the flags visits
};

// What the selection and the caption are made from.
struct RayChoice {
    std::string_view listText;  // text of the ray-order list: "p", "-N" or "Multiple"
    // Method code: 2 Debye, 5 Airy, 6 Descartes, 7 Young, 8 Young mod., 9 Huygens, 11 Surface wave.
    int calcMethod = kMethodDebye;
    std::array<int, kRayBoxCount> chkp{};  // values of the dialog boxes "p = 0" .. "p = 50"; 1 = ticked
    int chkDiffraction = 0;                // value of the dialog box "Diffraction"; 1 = ticked
    bool mnuSurfaceBoth = false;           // surface-wave path menus (method 11)
    bool mnuSurfaceShort = false;
    bool mnuSurfaceLong = false;
    bool mnuGaussian = false;  // Gaussian beam (read by DebyeLabel only)
    std::string_view sphereName;
    std::string_view mediumName;
};

enum class RaysStatus {
    Ok,
    NotAnOrder,      // typed text that is no whole number ("0-3", "2,3", "2.5"): message and title set
    OrderTooLarge,   // typed order or range beyond kMaxRayOrder: message and title set, nothing changed
    NoRaysSelected,  // DebyeLabel only: "Multiple" with no order ticked ("No rays selected" / "Error")
};

struct RaysOutcome {
    RaysStatus status = RaysStatus::Ok;
    std::string message;  // set unless Ok
    std::string title;
    RaySelection selection;         // the selection after the call (the one passed in when refused)
    std::string label;              // caption of lblDebyeRays (empty and not to be written when refused)
    std::string captionText;        // label & " " & sphere & " in " & medium (likewise)
    bool writeTitleBar = false;     // DebyeLabel on success: the window title becomes captionText
    bool clearDialogBoxes = false;  // DebyeLabel for a number: every box of the dialog is to be cleared
};

// The methods that compute the selected orders: Debye, Airy, Descartes, Young, Young mod., Huygens and the
// surface waves.
constexpr bool UsesRayOrders(int calcMethod) {
    return calcMethod == kMethodDebye || (calcMethod >= kMethodAiry && calcMethod <= kMethodHuygens) ||
           calcMethod == kMethodSurfaceWave;
}

// The refusal of a typed text that names no order: what the list accepts, and how to choose others.
inline constexpr const char* kRayOrderForms =
    "Type a whole number p for the ray order p, or -N for the orders 0 to N. To choose any other set of "
    "orders, select Multiple in the list.";

// True when the list text names orders: "Multiple", an empty list (order 0), or a whole number alone,
// blanks around it allowed ("3", " 7", "3.0", "-4", "1e3"; also one too large, which RaysCheck refuses
// as such). "0-3", "2,3", "3 4", "2.5" and "abc" name no order.
bool RayListNamesOrders(std::string_view text);

// The list text without the blanks around it, as a run records it and a data file keeps it (" 2 " is "2").
std::string RayListText(std::string_view text);

// The number at the start of the list text, as the list's value: leading blanks skipped, an optional
// sign, digits with an optional decimal point and exponent ("1e3", "2.5d1"); no number gives 0.
double RayListNumber(std::string_view text);

// RayListNumber rounded to the nearest whole number (halves to the even neighbour). False when the
// value is not finite or does not fit a 32-bit signed whole number.
bool RayListValue(std::string_view text, std::int32_t& value);

// Clears the flags of orders 0..50, as every handler that changes the selection does before RaysCheck.
void ClearRayFlags(RaySelection& selection);

// The general selection: sets rayflag, rayCount and rayPMax from the list text ("Multiple": the ticked
// boxes, rayPMax 50; a number p >= 0: order p alone; -N: orders 0..N, rayPMax N) and builds the caption,
// e.g. "Debye series (p =  0,  2) ", "Descartes (p = 3)+ Diffraction", "Airy theory (p = 0 to 4)". A
// single order is captioned as typed, an empty list as the order 0 it computes. A text that names no
// order (RayListNamesOrders) is refused with kRayOrderForms.
// Flags already 1 are never cleared except when the flag table is re-created for a number (p or N above
// 50 enlarges it). An empty "Multiple" selection is not reported here (rayCount 0).
RaysOutcome RaysCheck(const RayChoice& choice, const RaySelection& current);

// The caption of the Gaussian-beam Debye series, e.g. "Debye series (Gaussian beam) (p = 0,  2) ".
// For a number it asks for the dialog boxes to be cleared and reads them as cleared; for a range it
// leaves rayPMax = -N. "Multiple" with nothing ticked gives NoRaysSelected (label and captionText as
// RaysCheck made them, the title bar unchanged).
RaysOutcome DebyeLabel(const RayChoice& choice, const RaySelection& current);

// A method label followed by what its run did beyond the method and its orders, e.g. "Debye series (p = 2)
// minus ray optics", "Young mod. (p = 2) with Gaussian beam, central beam" (blanks at the label's end
// dropped); the label as it is when there is nothing to add.
std::string LabelWithOptions(std::string_view label, std::string_view options);
// "with " and the options joined by ", " ("with Gaussian beam, central beam"); empty for none.
std::string WithOptions(const std::vector<std::string>& options);

}  // namespace tessary
