// The settings lines of the text export's and the batch report's headers by graph code.
#include <gtest/gtest.h>

#include <vector>

#include "files/graph_headers.h"

namespace tessary {
namespace {

using enum HeaderLine;

struct HeaderCase {
    HeaderForm form;
    int graphCode, graphSubCode, waveCount;
    std::vector<HeaderLine> lines;
};

TEST(GraphHeaders, LinesByGraphCodeAndDocument) {
    const HeaderForm text = HeaderForm::TextExport, batch = HeaderForm::BatchReport;
    const std::vector<HeaderCase> cases{
        {text, 1, 1, 1, {RefractiveIndex, Blank, Wavelength, Blank, RadiusAndSizeParameter, Blank}},
        {text, 1, 1, 3, {RefractiveIndex, Blank, Wavelength, Blank, Radius, Blank}},
        {text, 1, 2, 20, {RefractiveIndex, Blank, Spectrum, Blank, Radius, Blank}},
        {batch, 1, 1, 20, {RefractiveIndex, Blank, Wavelength, Blank, RadiusAndSizeParameter, Blank}},
        {text, 11, 1, 1, {RefractiveIndex, Blank, Wavelength, Blank}},
        {batch, 11, 3, 1, {RefractiveIndex, Blank, Blank}},
        {batch, 12, 1, 1, {Wavelength, Blank, RadiusAndSizeParameter, Blank}},
        {text, 14, 4, 1, {RefractiveIndex, Blank, Wavelength, Blank}},
        {text, 10, 1, 1, {}},
        {batch, 15, 2, 1, {}},
    };
    for (const HeaderCase& c : cases)
        EXPECT_EQ(GraphHeaderLines(c.form, c.graphCode, c.graphSubCode, c.waveCount), c.lines)
            << "code " << c.graphCode << " sub-code " << c.graphSubCode << " wavelengths " << c.waveCount;
}

TEST(GraphHeaders, SweepGraphsHaveTheSameLinesInBothDocuments) {
    for (const int code : {10, 11, 12, 13, 14, 15, 19})
        for (int sub = 1; sub <= 4; ++sub)
            EXPECT_EQ(GraphHeaderLines(HeaderForm::TextExport, code, sub, 1),
                      GraphHeaderLines(HeaderForm::BatchReport, code, sub, 1))
                << "code " << code << " sub-code " << sub;
}

}  // namespace
}  // namespace tessary
