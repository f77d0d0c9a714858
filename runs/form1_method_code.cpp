// The method code: calcMethod from the text of the method list cboType.
#include <array>
#include <string>
#include <string_view>

#include "mainwindow/form1.h"
#include "platform/ui/window_colours.h"
#include "runs/method_codes.h"

namespace tessary {

namespace {

// List texts of the method codes 1 to 12, compared exactly (case and blanks count).
constexpr std::array<std::string_view, 12> kMethodTexts{
    "Mie",   "Debye",     "Rayleigh", "Diffraction", "Airy",         "Descartes",
    "Young", "Young mod", "Huygens",  "Aperture",    "Surface wave", "van de Hulst"};

}  // namespace

// calcMethod from the text of cboType; 0, the list red and "Unknown calculation method" otherwise.
void Form1::TypeCalc() {
    if (cboType.backColor() == kRed) cboType.setBackColor(kWhite);
    codes.calcMethod = kMethodNone;
    for (std::size_t i = 0; i < kMethodTexts.size(); ++i)
        if (cboType.text() == kMethodTexts[i]) codes.calcMethod = static_cast<int>(i) + 1;
    if (codes.calcMethod == kMethodNone) {
        cboType.setBackColor(kRed);
        msgBox("Unknown calculation method", mb::kOkOnly, std::string("Error"));
    }
}

}  // namespace tessary
