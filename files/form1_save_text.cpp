// save_text: the settings and results on show as a text file for spreadsheets, dated by the window's
// export clock. The rows asked for are checked against the stored results before anything is written;
// the file is written in one go, so a refused or failed export leaves the old file and the point range.
#include <optional>
#include <string>
#include <utility>

#include "files/text_export.h"
#include "mainwindow/form1.h"
#include "media/refrel.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

bool Refuse(const std::string& message) {
    msgBox(message, mb::kOkOnly | mb::kExclamation, std::string("Tessary"));
    return false;
}

template <class Table>
std::array<std::span<const double>, 8> Columns(const Table& table) {
    std::array<std::span<const double>, 8> out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = table[i];
    return out;
}

}  // namespace

bool Form1::save_text() {
    TextExportSnapshot s;
    s.dateTime = DateTimeText(exportClock);
    s.methodLabel = lblDebyeRays.caption();
    s.sphereName = sphereName;
    s.mediumName = mediumName;
    s.refractReal = txtRefractReal.text();
    s.refractImag = txtRefractImag.text();
    s.lambdaText = txtLambda.text();
    s.xMinText = txtXmin.text();
    s.xMaxText = txtXmax.text();
    s.angleText = txtAngle.text();
    s.stepText = cboStep.text();
    s.graphText = cboGraph.text();
    s.spectrumLabel = lblSpectrum.caption();
    s.amplitude = mnuAmplitude.checked();
    s.xStepLog = mnuXStepLog.checked();
    s.s1s2 = mnuS1S2.checked();
    s.pointSource = optPoint.value();
    s.graphCode = graphCode;
    s.graphSubCode = graphSubCode;
    s.waveCount = waveCount;
    s.calcMethod = calcMethod;
    s.radius = radius;
    s.sizeParam = sizeParam;
    s.xMax = xMax;
    s.bandMinUm = bandMinUm;
    s.bandMaxUm = bandMaxUm;
    s.firstPoint = firstPoint;
    s.lastPoint = lastPoint;
    s.intensityPerp = intensityPerp;
    s.intensityPara = intensityPara;
    s.intensityUnpol = intensityUnpol;
    s.avgPerp = avgPerp;
    s.avgPara = avgPara;
    s.avgUnpol = avgUnpol;
    s.s1 = {s1Amp[0], s1Amp[1]};
    s.s2 = {s2Amp[0], s2Amp[1]};
    s.waveList = waveList;
    s.colourSumPerp = Columns(colourSumPerp);
    s.colourSumPara = Columns(colourSumPara);

    const bool sweep = graphCode >= 10 && graphCode <= 19;
    if (sweep) {
        const auto range = ExportPointRange(s.xMinText, s.xMaxText, s.stepText, s.xStepLog);
        if (!range)
            return Refuse("The range of the boxes gives no points to save (step " + s.stepText +
                          "). Run New plot before saving.");
        s.firstPoint = range->first;
        s.lastPoint = range->second;
    }
    if (graphCode == 10 || graphCode == 15) {
        // The relative index of each row from the models, leaving the window's index variables alone.
        ReadIndexModels();
        const IndexModels models = indexModels;
        const double shownRe = Val(s.refractReal), shownIm = Val(s.refractImag);
        s.relativeIndex = [models, shownRe, shownIm](double lambda) -> std::optional<std::pair<double, double>> {
            const RefrelResult r = tessary::refrel(models, lambda);
            if (r.status == RefrelStatus::Ok) return std::make_pair(r.relIndexRe, r.relIndexIm);
            if (r.status == RefrelStatus::KeepShown) return std::make_pair(shownRe, shownIm);
            return std::nullopt;
        };
    }
    if (s.s1s2 && calcMethod == 2) {
        const DebyeTables& t = debyeWork.tables;
        const DebyeCoefficients& c = debyeWork.coefficients;
        const DebyeWorkspace& k = debyeWork.work;
        s.terms = DebyeTermsView{sizeParam, t.mx.re,    t.mx.im,     t.jnx,      t.ynx,      t.zeta1x,
                                 t.dzeta1x, t.zeta2x,   t.dzeta2x,   t.jnnx,     t.ynnx,     t.zeta1nx,
                                 t.dzeta1nx, t.zeta2nx, t.dzeta2nx,  c.r11e,     c.r22e,     c.r11m,
                                 c.r22m,    c.t12e,     c.t21e,      c.t12m,     c.t21m,     k.an2,
                                 k.bn2};
    }
    if (const std::optional<std::string> refused = CheckTextExportResults(s)) return Refuse(*refused);

    setMousePointer(11);
    TextFileWriter writer = TextFileWriter::CreateOneGo(chosenFilePath, &openWriters);
    WriteTextExportHeader(s, writer);
    WriteTextExportColumns(s, writer);
    const FileResult result = writer.Close();
    setMousePointer(1);
    if (!result.ok()) return Refuse(result.message);
    if (sweep) {
        firstPoint = s.firstPoint;
        lastPoint = s.lastPoint;
    }
    return true;
}

}  // namespace tessary
