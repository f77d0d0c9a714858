// The settings lines that the text export and the batch report write between a header's opening and
// its "Graph type:" line, by graph code: one table for both documents.
#pragma once

#include <vector>

namespace tessary {

// The document whose header is written; the two differ only on the angle graph (code 1).
enum class HeaderForm { TextExport, BatchReport };

enum class HeaderLine {
    RefractiveIndex,         // the relative index typed, or that it comes from the models
    Wavelength,              // "Wavelength: " and the box's text
    Spectrum,                // the spectrum caption, its band and the number of wavelengths (three lines)
    Radius,                  // "Radius: " alone
    RadiusAndSizeParameter,  // "Radius: " followed by the size parameter
    Blank,                   // an empty line
};

// The settings lines of a graph in order; none for codes without fixed settings (10, 13, 15 ...).
std::vector<HeaderLine> GraphHeaderLines(HeaderForm form, int graphCode, int graphSubCode, int waveCount);

}  // namespace tessary
