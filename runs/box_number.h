// Whether the window's number entry (getval) accepts a text, without a box: for a reader that must know
// before it writes the text into a box whether the window will take it.
#pragma once

#include <optional>
#include <string>

#include "platform/text/conversions.h"

namespace tessary {

// The number getval reads from the text, or nothing when it refuses it: a minus sign only when
// minusAllowed; rangeCode 100 asks > 0, 101 >= 0, 102 <= 0, 103 < 0, any other none.
std::optional<double> BoxNumber(const std::string& text, bool minusAllowed, int rangeCode = 0);

// The number the input checks take from a box that goes through getval, for a check that reads the box
// before getval has tidied it: getval's number where it accepts the text ("0,5" is 0.5), else Val's
// reading (getval refuses that text before any run).
double BoxValue(const std::string& text);

// The radius (um) the size box's text stands for, as the runs read it: the radius itself, half a diameter, or
// the size parameter x at the wavelength box's wavelength.
double RadiusOfSizeBox(const std::string& sizeText, bool diameter, bool sizeParameter,
                       const std::string& lambdaText);

// The wavelength box's text as its change handler reads it: ParseVal's reading with the first decimal comma
// as the point.
ValResult WavelengthAsTyped(std::string text);
// The wavelength box's number for the checks that read it before getval has tidied it: getval's where it
// accepts the text, else WavelengthAsTyped's ("0,65.0" is 0.65, which no band refuses: the entry check
// refuses it as no number).
double TypedWavelength(std::string text);

// The index boxes' texts of an index the models give, as the wavelength box's handler writes them: the real
// part to eight decimals; the imaginary part in plain digits from 0.01 to 10000, else with two decimals and
// an exponent, exactly 0 as "0".
std::string RealIndexText(double n);
std::string ImagIndexText(double k);

}  // namespace tessary
