// The settings lines of a header by graph code, shared by the text export and the batch report.
#include "files/graph_headers.h"
#include "graphs/graph_codes.h"

namespace tessary {

std::vector<HeaderLine> GraphHeaderLines(HeaderForm form, int graphCode, int graphSubCode, int waveCount) {
    using enum HeaderLine;
    switch (graphCode) {
        case kGraphAngle: {
            // The batch report keeps the single-wavelength form whatever the wavelength count.
            if (form == HeaderForm::BatchReport)
                return {RefractiveIndex, Blank, Wavelength, Blank, RadiusAndSizeParameter, Blank};
            std::vector<HeaderLine> lines{RefractiveIndex, Blank};
            if (waveCount >= 1 && waveCount <= 7) lines.push_back(Wavelength);
            if (waveCount > 7) lines.push_back(Spectrum);
            lines.push_back(Blank);
            if (waveCount == 1) lines.push_back(RadiusAndSizeParameter);
            if (waveCount > 1) lines.push_back(Radius);
            lines.push_back(Blank);
            return lines;
        }
        case kGraphRadius:  // against the radius or x (sub-codes 1, 2), holding the wavelength, or against the wavelength
            if (graphSubCode == kSubRadius || graphSubCode == kSubSize)
                return {RefractiveIndex, Blank, Wavelength, Blank};
            return {RefractiveIndex, Blank, Blank};
        case kGraphIndex:  // against the refractive index
            return {Wavelength, Blank, RadiusAndSizeParameter, Blank};
        case kGraphEfficiency:  // efficiencies or cross-sections against the radius or x
            return {RefractiveIndex, Blank, Wavelength, Blank};
        default:
            return {};
    }
}

}  // namespace tessary
