// save_text: the settings and results on show as a text file for spreadsheets, dated by the window's
// export clock. The rows asked for are checked against the stored results before anything is written;
// the file is written in one go, so a refused or failed export leaves the old file and the point range.
#include <optional>
#include <string>
#include <utility>

#include "files/data_file_record.h"
#include "files/form1_export_snapshot.h"
#include "files/text_export.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/refrel.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"

namespace tessary {

namespace {

bool Refuse(const std::string& message) {
    msgBox(message, mb::kOkOnly | mb::kExclamation, std::string("Tessary"));
    return false;
}

// False for a file read back that names an index file whose table the window had not read (or had read
// of another material): its record's models hold the window's own model there, which gave the index of no
// row of the run.
bool IndexTablesOfRunHeld(const RunRecord& r) {
    const IndexModels& m = r.indexModels;
    return (r.sphere.word != "File1" ||
            (m.sphere == SphereModel::File && SphereFileOfRun(m, r.sphereName))) &&
           (r.medium.word != "File2" || (m.medium == MediumModel::File && MediumFileOfRun(m, r.mediumName)));
}

template <class Table>
std::array<std::span<const double>, 8> Columns(const Table& table) {
    std::array<std::span<const double>, 8> out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = table[i];
    return out;
}

}  // namespace

TextExportSnapshot ExportSnapshotOf(Form1& f) { return ExportSnapshotOf(f, f.runRecord); }

TextExportSnapshot ExportSnapshotOf(Form1& f, const RunRecord& r) {
    // The run's inputs and options from its record (the light source that of its last drawing),
    // amplitudes or intensities and the amplitudes it holds included; the amplitude block when the
    // window asks for it now.
    TextExportSnapshot s;
    s.dateTime = DateTimeText(f.fileState.exportClock);
    s.methodLabel = r.methodLabel;
    s.sphereName = r.sphereName;
    s.mediumName = r.mediumName;
    s.refractReal = r.refractReal;
    s.refractImag = r.refractImag;
    s.lambdaText = r.lambdaText;
    s.xMinText = r.xMinText;
    s.xMaxText = r.xMaxText;
    s.angleText = r.angleText;
    s.stepText = r.stepText;
    s.graphText = GraphTextOnShow(r);
    s.spectrumLabel = SpectrumLabelOf(r);  // the spectrum the run was weighted with
    s.amplitude = r.amplitude;
    s.amplitudesHeld = r.amplitudesStored;
    s.xStepLog = r.xStepLog;
    s.s1s2 = f.mnuS1S2.checked();
    s.pointSource = r.lightSource == LightSource::Point;
    s.indexPerWavelength = r.indexPerWavelength;
    s.indexTyped = r.indexTyped;
    s.graphCode = r.graphCode;
    s.graphSubCode = VariantOnShow(r);
    s.waveCount = r.waveCount;
    s.calcMethod = r.calcMethod;
    s.radius = r.radius;
    s.disperse = r.disperse;
    s.disperseFile = r.disperseFile;
    s.disperseClasses = r.disperseClasses;
    s.sizeParam = r.sizeParam;
    s.xMax = r.xMax;
    s.bandMinUm = r.bandMinUm;
    s.bandMaxUm = r.bandMaxUm;
    s.firstPoint = r.firstPoint;
    s.lastPoint = r.lastPoint;
    s.intensityPerp = f.results.intensityPerp;
    s.intensityPara = f.results.intensityPara;
    s.intensityUnpol = f.results.intensityUnpol;
    s.avgPerp = f.results.avgPerp;
    s.avgPara = f.results.avgPara;
    s.avgUnpol = f.results.avgUnpol;
    s.s1 = {f.results.s1Amp[0], f.results.s1Amp[1]};
    s.s2 = {f.results.s2Amp[0], f.results.s2Amp[1]};
    s.waveList = f.waveSet.waveList;
    s.colourSumPerp = Columns(f.colourSums.colourSumPerp);
    s.colourSumPara = Columns(f.colourSums.colourSumPara);
    if (s.graphCode == kGraphAngle && s.waveCount == 1) {  // the variant on show, as the graph draws it
        const AngleVariantScale scale = AngleVariantScaleOf(f, &r, s.graphSubCode, true);
        s.variantFactor = scale.factor;
        s.variantDivisor = scale.divisor;
    }
    return s;
}

void SetExportRelativeIndex(const RunRecord& record, TextExportSnapshot& s) {
    // The relative index of each row from the models the run used, leaving the window's index alone.
    const IndexModels models = record.indexModels;
    const double shownRe = Val(s.refractReal), shownIm = Val(s.refractImag);
    s.relativeIndex = [models, shownRe, shownIm](double lambda) -> std::optional<std::pair<double, double>> {
        const RefrelResult r = tessary::refrel(models, lambda);
        if (r.status == RefrelStatus::Ok) return std::make_pair(r.relIndexRe, r.relIndexIm);
        if (r.status == RefrelStatus::KeepShown) return std::make_pair(shownRe, shownIm);
        return std::nullopt;
    };
}

bool SweepRowsOfRun(const RunRecord& r, TextExportSnapshot& s) {
    const ResultsInUse use = ResultsInUseOf(r);
    if (r.graphCode == kGraphConvergence) {
        s.firstPoint = use.first;
        s.lastPoint = use.last;
    } else {
        const auto range = ExportPointRange(s.xMinText, s.xMaxText, s.stepText, s.xStepLog);
        if (!range) return false;
        s.firstPoint = range->first;
        s.lastPoint = range->second;
        s.rangeLastPoint = range->second;  // each x is the one the run computed over its whole range
        if (use.stopped && use.last < s.lastPoint) s.lastPoint = use.last;
    }
    if (use.stopped) s.stopLine = StoppedRunLine(StoppedRunOf(r, s.lastPoint - s.firstPoint + 1));
    return s.lastPoint >= s.firstPoint;
}

// The text export (save_data: the data file) is written to chosenFilePath in one go (the old file stays on
// any failure, which is shown); true when written. A state the file cannot hold, or rows the stored results
// do not hold, are refused with a message before anything is written.
bool Form1::save_text() {
    if (const ResultsInUse use = ResultsInUseOf(runRecord); !use.any) return Refuse(use.reason);
    TextExportSnapshot s = ExportSnapshotOf(*this);
    if (s.graphCode == kGraphAngle && s.waveCount == 1)
        if (const std::string refused = AngleVariantScaleOf(*this, &runRecord, s.graphSubCode, true).refusal;
            !refused.empty())
            return Refuse(refused);

    const bool sweep = s.graphCode >= kFirstSweepGraph && s.graphCode <= kLastSweepGraph;
    if (sweep && !SweepRowsOfRun(runRecord, s))
        return Refuse("The range of the run gives no points to save (step " + s.stepText +
                      "). Run New plot before saving.");
    if (s.graphCode == kGraphWavelength || s.graphCode == kGraphEfficiencyWavelength) {
        if (!IndexTablesOfRunHeld(runRecord))
            return Refuse(
                "The refractive index of each wavelength of this run comes from an index file this "
                "window has not read. Read that index file, then these results again, to save them "
                "as text.");
        SetExportRelativeIndex(runRecord, s);
    }
    // The series' terms of the run on show, at the x of its last call: only when its plane-wave Debye
    // series left them (never a file's, nor a Gaussian beam's, whose series keeps other terms).
    if (s.s1s2 && s.calcMethod == kMethodDebye && runRecord.debyeTerms && !runRecord.fromFile) {
        const DebyeTables& t = debyeWork.tables;
        const DebyeCoefficients& c = debyeWork.coefficients;
        const DebyeWorkspace& k = debyeWork.work;
        const double x = runRecord.lastSizeParam;
        s.terms = DebyeTermsView{x,          t.mx.re,   t.mx.im, t.jnx,  t.ynx,     t.zeta1x,   t.dzeta1x,
                                 t.zeta2x,   t.dzeta2x, t.jnnx,  t.ynnx, t.zeta1nx, t.dzeta1nx, t.zeta2nx,
                                 t.dzeta2nx, c.r11e,    c.r22e,  c.r11m, c.r22m,    c.t12e,     c.t21e,
                                 c.t12m,     c.t21m,    k.an2,   k.bn2};
    }
    if (const std::optional<std::string> refused = CheckTextExportResults(s)) return Refuse(*refused);

    setMousePointer(11);
    TextFileWriter writer = TextFileWriter::CreateOneGo(fileState.chosenFilePath, &openWriters);
    WriteTextExportHeader(s, writer);
    WriteTextExportColumns(s, writer);
    const FileResult result = writer.Close();
    setMousePointer(1);
    if (!result.ok()) return Refuse(result.message);
    if (sweep) {
        angleGrid.firstPoint = s.firstPoint;
        angleGrid.lastPoint = s.lastPoint;
    }
    return true;
}

}  // namespace tessary
