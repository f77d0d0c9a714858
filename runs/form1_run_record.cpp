// The record of a run: taken from the window's inputs when a run starts, completed with the labels the
// method leaves when it ends. The savers, the batch report, Replot and the readout read it afterwards.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "mainwindow/graph_presets.h"
#include "media/refrel.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/results_on_show.h"
#include "scattering/ray_orders.h"
#include "runs/run_record.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

UserPointsItems UserPoints(const UserIndexRows& rows, const std::string& material) {
    UserPointsItems u;
    u.material = material;
    const TextBox* w[] = {&rows.txtRI_lambda1_1, &rows.txtRI_lambda1_2, &rows.txtRI_lambda1_3,
                          &rows.txtRI_lambda1_4};
    const TextBox* n[] = {&rows.txtRI_1_1, &rows.txtRI_1_2, &rows.txtRI_1_3, &rows.txtRI_1_4};
    for (std::size_t i = 0; i < 4; ++i) {
        u.wavelengths[i] = static_cast<float>(Val(w[i]->text()));
        u.indices[i] = static_cast<float>(Val(n[i]->text()));
    }
    return u;
}

// The word of the checked sphere item as the data file names it.
std::string SphereWord(Form1& f) {
    const std::pair<const Menu*, const char*> items[] = {{&f.mnuRI_Vacuum1, "Vacuum1"},
                                                         {&f.mnuRI_IAPWS, "IAPWS"},
                                                         {&f.mnuRI_Air1, "Air1"},
                                                         {&f.mnuRI_Segelstein, "Segelstein"},
                                                         {&f.mnuRI_Lynch, "Lynch"},
                                                         {&f.mnuRI_KayeLaby, "KayeLaby"},
                                                         {&f.mnuRI_Gedzelman, "Gedzelman"},
                                                         {&f.mnuRI_Cowley, "Cowley"},
                                                         {&f.mnuRI_Ray, "Ray"},
                                                         {&f.mnuRI_Au, "Gold"},
                                                         {&f.mnuRI_Ag, "Silver"},
                                                         {&f.mnuRI_Cu, "Copper"},
                                                         {&f.mnuRI_File1, "File1"}};
    for (const auto& [item, word] : items)
        if (item->checked()) return word;
    return std::string();
}

ModelItems SphereModelItems(Form1& f) {
    ModelItems m;
    m.word = f.mnuRI_User1.checked() ? "User1" : SphereWord(f);
    if (m.word == "Air1") m.airTemp = f.dlogAir_->txtAirTemp.text();
    if (m.word == "IAPWS") {
        m.temp = f.dlogTemp_->txtTemp.text();
        m.density = f.dlogTemp_->txtDensity.text();
        m.complex = f.dlogTemp_->chkRI_Complex.value();
    }
    if (m.word == "Segelstein") m.complex = f.dlogSegelstein_->chkRI_Complex.value();
    if (m.word == "Ray") m.complex = f.dlogRay_->chkRI_Complex.value();
    return m;
}

ModelItems MediumModelItems(Form1& f) {
    ModelItems m;
    const std::pair<const Menu*, const char*> items[] = {
        {&f.mnuRI_Air2, "Air2"},   {&f.mnuRI_Vacuum2, "Vacuum2"},         {&f.mnuRI_IAPWS2, "Water2"},
        {&f.mnuRI_User2, "User2"}, {&f.mnuRI_Segelstein2, "Segelstein2"}, {&f.mnuRI_File2, "File2"}};
    for (const auto& [item, word] : items)
        if (item->checked()) {
            m.word = word;
            break;
        }
    if (m.word == "Air2") m.airTemp = f.dlogAir_->txtAirTemp.text();
    if (m.word == "Water2") {
        m.temp = f.dlogTemp_->txtTemp.text();
        m.density = f.dlogTemp_->txtDensity.text();
        m.complex = f.dlogTemp_->chkRI_Complex.value();
    }
    if (m.word == "Segelstein2") m.complex = f.dlogSegelstein_->chkRI_Complex.value();
    return m;
}

// The radius the size box stands for, as New plot reads it, in the box's own text when it is a radius, else
// with the digits that read back as the radius the run computed with.
std::string RadiusText(Form1& f) {
    if (!f.mnuDiameter.checked() && !f.mnuRadiusX.checked()) return f.txtRadius.text();
    return CStrExact(RadiusOfSizeBox(f.txtRadius.text(), f.mnuDiameter.checked(), f.mnuRadiusX.checked(),
                                     f.txtLambda.text()));
}

}  // namespace

// The record of the run on show (runs/run_record.h): taken here when a run starts, after its checks;
// completed with the method's label and title when it ends (FinishRunRecord); taken from the restored window
// when a data file is read. Whatever describes or stores the results reads it. A record taken so holds no
// finished point yet: a run settles the state of its results when it ends (SettleRunRecord), a data file
// read back sets it from the file.
void Form1::TakeRunRecord() {
    runRecord = RecordOfInputs();
    runRecord.serial = ++runRecordsTaken;
    FinishRunRecord();
}

// The record of a run of the inputs as they are now (the run record stays).
RunRecord Form1::RecordOfInputs() {
    RunRecord r;
    r.taken = true;
    r.graphCode = codes.graphCode;
    r.graphSubCode = codes.graphSubCode;
    r.graphText = cboGraph.text();

    r.calcMethod = codes.calcMethod;
    r.methodText = cboType.text();
    r.raysText = RayListText(cboRays.text());
    for (std::int32_t p = 0; p <= 50 && static_cast<std::size_t>(p) < series.rayflag.size(); ++p)
        if (series.rayflag[static_cast<std::size_t>(p)] == 1) r.rayOrders.push_back(p);
    r.methodLabel = lblDebyeRays.caption();
    r.title = caption();
    r.termsMin = cboQmin.text();
    r.termsMax = cboQmax.text();
    r.surfaceWavePaths = mnuSurfaceShort.checked() ? "Short" : mnuSurfaceLong.checked() ? "Long" : "Both";
    r.surfaceWaveModel = mnuLock.checked() ? "Lock" : mnuNussenzveig.checked() ? "Nussenzveig" : "Khare";
    r.surfaceWaveAmplitude = txtSWAmp.text();
    r.surfaceWavePhase = mnuSWPhase.checked();

    r.radiusText = RadiusText(*this);
    // A Lee diagram's: the radius its sweep starts from (the run's estimate has left its last in calc.radius),
    // the median of the distribution drawn beside it, as its data file gives it back.
    r.radius = codes.graphCode == kGraphLee ? RadiusOfSizeBox(txtRadius.text(), mnuDiameter.checked(),
                                                              mnuRadiusX.checked(), txtLambda.text())
                                            : calc.radius;
    if (!optMono.value()) r.disperse = {cboDistrib.text(), cboSD.text(), cboN.text()};
    r.amplitudesStored = !r.disperse;  // a distribution's S1 and S2 are its last sample radius's alone
    if (r.disperse && cboDistrib.text() == "Special" && dist.sizeHistogram.histLoaded == 1) {
        r.disperseFile = dist.sizeHistogram.inputFilePath;
        r.disperseClasses = static_cast<int>(dist.sizeHistogram.sizeFileCount);
    }

    r.lambdaText = txtLambda.text();
    r.waveText = cboWave.text();
    r.waveCount = calc.waveCount;
    const std::pair<const Menu*, const char*> spectra[] = {{&mnuSpectrumLee, "Sun (Lee)"},
                                                           {&mnuSpectrumWernand, "Sun (Wernand)"},
                                                           {&mnuSpectrumFlat, "Flat"},
                                                           {&mnuBlackBody, "Black body"},
                                                           {&mnuSpectrumFile, "Spectrum file"}};
    for (const auto& [item, word] : spectra)
        if (item->checked()) r.spectrumWord = word;
    if (r.spectrumWord == "Black body") r.blackBody = dlogBlackBody_->txtBlackBody.text();
    r.bandMinText = dlogSpectrumBand_->txtSpectrumMin.text();
    r.bandMaxText = dlogSpectrumBand_->txtSpectrumMax.text();

    r.refractReal = txtRefractReal.text();
    r.refractImag = txtRefractImag.text();
    r.sphereName = indexState.sphereName;
    r.mediumName = indexState.mediumName;
    if (mnuRI_User1.checked())
        r.user1 = UserPoints(*dlogRI_User1_, dlogRI_User1_->txtMaterial1.text());
    else
        r.sphereWord = SphereWord(*this);
    if (mnuRI_User2.checked()) r.user2 = UserPoints(*dlogRI_User2_, dlogRI_User2_->txtMaterial2.text());
    r.sphere = SphereModelItems(*this);
    r.medium = MediumModelItems(*this);
    ReadIndexModels();
    r.indexModels = indexState.indexModels;
    SetIndexUse(r);

    r.xMinText = txtXmin.text();
    r.xMaxText = txtXmax.text();
    r.stepText = cboStep.text();
    r.angleText = txtAngle.text();
    r.mapFixedText = txtF9_fixed.text();
    r.xStepLog = mnuXStepLog.checked() && SweepLogStepCode(codes.graphCode);
    r.amplitude = mnuAmplitude.checked();
    r.invWavelength = mnuInvWavelength.checked();
    r.lightSource = optSun.value() ? LightSource::Sun : LightSource::Point;
    r.peaksLight = r.lightSource;
    r.sunRectangular = mnuSun.checked();
    KeepYLimits(r);
    r.polarisation = cboPol.text();
    return r;
}

// The y limits of the boxes, as the drawing reads them, become those of the record's results.
void Form1::KeepYLimits(RunRecord& r) const {
    r.yMin = r.yMax = std::nullopt;
    if (cboYmin.text() != "Automatic") r.yMin = BoxValue(cboYmin.text());
    if (cboYmax.text() != "Automatic") r.yMax = BoxValue(cboYmax.text());
}

void Form1::FinishRunRecord() {
    RunRecord& r = runRecord;
    if (!r.taken) return;
    r.methodLabel = lblDebyeRays.caption();
    r.title = caption();
    r.xMax = graph.xMax;
    r.bandMinUm = light.bandMinUm;  // the run's wavelength set forms the band
    r.bandMaxUm = light.bandMaxUm;
    r.qSca = results.qSca;
    r.phaseNorm = r.disperse && r.graphCode == kGraphAngle && r.waveCount == 1 ? results.scatNorm : 0.0;
    // What the run's steps used (a file being read keeps the boxes' index it restored).
    if (!runFlags.dataFileLoading) r.absorbing = calc.absorbingFlag == 2;
    // The nominal sphere's at the wavelength the record names: a size distribution leaves sizeParam at its
    // last sample, a run of several wavelengths calc.wavelength and the medium's index at its last wavelength.
    double lambda = calc.wavelength, mediumRe = indexState.mediumRe;
    if (r.waveCount > 1) {
        lambda = BoxValue(r.lambdaText);
        if (const std::optional<Complex> medium = MediumIndexAt(r.indexModels, lambda)) mediumRe = medium->re;
    }
    r.sizeParam = lambda > 0 ? r.radius * kTwoPi / lambda * mediumRe : calc.sizeParam;
    r.lastSizeParam = calc.sizeParam;
    r.firstPoint = angleGrid.firstPoint;
    r.lastPoint = angleGrid.lastPoint;
    r.windowFirst = angleGrid.windowFirst;
    r.windowLast = angleGrid.windowLast;
    r.lightSource = optSun.value() ? LightSource::Sun : LightSource::Point;
}

// The end of a run that started: the labels it left, and the state of its results. A complete run
// finished every point (an angle graph its whole window; the sweeps, Lee diagrams and maps have
// counted theirs as they went), whatever Stop said while it was drawn. A run that ended early is
// stopped when Stop ended it or when it finished some points before its method or model refused the
// next; one that finished none after a refusal is refused, with the refusal's message.
void Form1::SettleRunRecord(bool stopAnswered, const std::string& lastMessage) {
    FinishRunRecord();
    RunRecord& r = runRecord;
    // The light and options the method calls used (runs/run_record.h): a beam menu whose beam no call took
    // is no illumination of the run, an option no call applied no option of it.
    r.illumination = beamUse.illumination;
    r.multipleBeams = beamUse.multipleBeams;
    r.centralBeam = beamUse.centralBeam;
    r.beam = r.illumination == RunIllumination::PlaneWave ? GaussianBeamInput{} : beamUse.beam;
    r.surfaceWaveSubtraction = beamUse.surfaceWaveSubtraction;
    r.diffractionAdded = beamUse.diffractionAdded;
    r.debyeTerms = beamUse.debyeTerms;
    r.sizeDivided = beamUse.sizeDivided;
    r.debyeRecursion = beamUse.debyeRecursion;
    if (r.graphCode < kFirstSweepGraph) r.plannedPoints = r.windowLast - r.windowFirst + 1;
    const bool everyPoint = r.graphCode >= kFirstSweepGraph && r.plannedPoints > 0 &&
                            std::int64_t{r.doneLast} - r.doneFirst + 1 >= r.plannedPoints;
    if (codes.runState != kRunStopped || everyPoint) {
        r.state = ResultsState::Complete;
        if (r.graphCode < kFirstSweepGraph) {
            r.doneFirst = r.windowFirst;
            r.doneLast = r.windowLast;
        }
        return;
    }
    if (r.graphCode < kFirstSweepGraph) r.doneLast = r.doneFirst - 1;  // sums of every angle are partial
    r.endMessage = stopAnswered ? std::string() : lastMessage;
    r.state = stopAnswered || r.doneLast >= r.doneFirst ? ResultsState::Stopped : ResultsState::Refused;
}

// The step (angle or x) and (RunLogSteps below) the logarithmic steps of the grid the stored results lie on:
// the record's once a run has been recorded (during a run the boxes say the same), else the boxes'.
double Form1::RunStep() const { return Val(runRecord.taken ? runRecord.stepText : cboStep.text()); }

// Whether the sphere of the run on show absorbed (Im m > 0 at a step): the record's once the run has
// ended, the run's own while it runs.
bool Form1::RunAbsorbs() const {
    return runRecord.taken && !runFlags.runUnderWay ? runRecord.absorbing : calc.absorbingFlag == 2;
}

// Whether the stored S1 and S2 are those of the results on show: not for results averaged over a size
// distribution, nor read from a data file without its S1 and S2 block, which hold the intensities (or
// moduli) alone.
bool Form1::AmplitudesOnShow() const {
    if (!runRecord.taken) return true;
    return runRecord.amplitudesStored || (runRecord.fromFile && runFlags.runUnderWay);
}

const RunRecord* SettledRecord(const Form1& f) {
    const RunRecord& r = f.runRecord;
    return r.taken && r.state != ResultsState::None ? &r : nullptr;
}

bool FinishedResultsOnShow(const Form1& f) {
    const RunRecord* r = SettledRecord(f);
    return r ? ResultsInUseOf(*r).any : true;
}

namespace {

// The graph types whose variants hold other values (the sub-code tells them apart); the others keep
// whatever sub-code the list last set.
bool VariantsDiffer(int graphCode) {
    return graphCode == kGraphAngle || graphCode == kGraphRadius || graphCode == kGraphEfficiency ||
           graphCode == kGraphEfficiencyWavelength || graphCode == kGraphAsymmetry;
}

// Whether the graph list names the record's graph in the variant on show.
bool ListNamesGraphOnShow(const Form1& f, const RunRecord& run) {
    return f.codes.graphCode == run.graphCode &&
           (!VariantsDiffer(run.graphCode) || f.codes.graphSubCode == VariantOnShow(run));
}

}  // namespace

std::optional<RedrawPlan> PlanRedraw(const Form1& f) {
    RedrawPlan plan;
    plan.lightSource = f.optSun.value() ? LightSource::Sun : LightSource::Point;
    const RunRecord* run = SettledRecord(f);
    if (!run) {  // a run drawing its own results, or a window that has recorded none
        plan.graphCode = f.codes.graphCode;
        plan.graphSubCode = f.codes.graphSubCode;
        plan.waveCount = f.calc.waveCount;
        plan.amplitude = f.mnuAmplitude.checked();
        if (!f.optMono.value()) plan.distribution = {f.cboDistrib.text(), f.cboSD.text(), f.cboN.text()};
        plan.radius = f.calc.radius;
        return plan;
    }
    if (!ResultsInUseOf(*run).any || f.codes.graphCode != run->graphCode) return std::nullopt;
    plan.run = run;
    plan.graphCode = run->graphCode;
    plan.graphSubCode = VariantOnShow(*run);
    if (!ListNamesGraphOnShow(f, *run)) {
        // The angle graphs of one wavelength share their results: the list's variant is drawn from them.
        if (run->graphCode != kGraphAngle || run->waveCount != 1) return std::nullopt;
        plan.graphSubCode = f.codes.graphSubCode;
    }
    plan.waveCount = run->waveCount;
    plan.amplitude = run->amplitude;
    plan.distribution = run->disperse;
    plan.radius = run->radius;
    return plan;
}

std::string GraphTextOnShow(const RunRecord& r) {
    if (VariantOnShow(r) != r.graphSubCode)
        for (const GraphTypeEntry& entry : GraphTypeTable())
            if (entry.code == r.graphCode && entry.subCode == VariantOnShow(r))
                return std::string(entry.text);
    return r.graphText;
}

namespace {

// Which of the wavelength list, the step list and the size box (0, 1, 2) Replot refuses the results on show
// for, or -1: one marked as changed since their run, or a wavelength count other than the run's (whose mark a
// refused New plot has cleared). A Lee diagram or map is redrawn from its stored colours on their own angle
// grid: only a step typed since (marked, or whose mark a refused New plot has cleared) needs New plot. Results
// read from a file are redrawn whatever the other boxes say.
int InputRefusedAtRedraw(const Form1& f) {
    if (f.codes.graphCode >= kGraphLee)
        return !f.runFlags.runUnderWay && (f.cboStep.backColor() == kYellow ||
                                           BoxValue(f.cboStep.text()) != f.leeStores.leeGridStep)
                   ? 1
                   : -1;
    if (f.runFlags.resultsFromFile == 1) return -1;
    const Control* inputs[] = {&f.cboWave, &f.cboStep, &f.txtRadius};
    for (int i = 0; i < 3; ++i)
        if (inputs[i]->backColor() == kYellow) return i;
    const RunRecord* run = SettledRecord(f);
    return run && Form1::WaveCountOf(run->waveText) != Form1::WaveCountOf(f.cboWave.text()) ? 0 : -1;
}

}  // namespace

Control* InputReplotRefuses(Form1& f) {
    Control* inputs[] = {&f.cboWave, &f.cboStep, &f.txtRadius};
    const int refused = InputRefusedAtRedraw(f);
    return refused < 0 ? nullptr : inputs[refused];
}

bool ResultsToRedraw(const Form1& f) {
    return f.runFlags.resultsStale == 0 && PlanRedraw(f).has_value() && InputRefusedAtRedraw(f) < 0;
}

bool DrawsOverGraphOnShow(const Form1& f) {
    return f.codes.runState == Form1::kRunOverplot ||
           (f.runFlags.resultsFromFile == 1 && f.mnuOverplot.checked());
}

void OfferLeeSizeRedraw(Form1& f) {
    const std::optional<RedrawPlan> plan = PlanRedraw(f);
    const bool drawn = f.optMono.value() || (f.cboDistrib.text() == "Log-normal" &&
                                             BoxNumber(f.cboSD.text(), true, 100).has_value());
    if (plan && plan->graphCode == kGraphLee && InputRefusedAtRedraw(f) < 0 && drawn) {
        f.offerReplot();
    } else {
        f.offerNewPlot(true);
    }
}

// The next run is drawn over the graph on show: both of one wavelength (a sweep computes at one whatever the
// wavelength list says), and points of the run on show finished to draw over (not an empty frame).
bool OverplotOffered(const Form1& f) {
    const RunRecord* run = SettledRecord(f);
    return run && run->graphCode < kGraphLee && run->waveCount == 1 && ListNamesGraphOnShow(f, *run) &&
           ResultsInUseOf(*run).any &&
           (run->graphCode >= kFirstSweepGraph || Form1::WaveCountOf(f.cboWave.text()) == 1);
}

bool ColoursOnShow(const Form1& f) {
    const RunRecord* r = SettledRecord(f);
    if (!r) return !f.runRecord.taken && f.codes.graphCode == kGraphAngle;
    return FinishedResultsOnShow(f) && r->graphCode == kGraphAngle && !(r->waveCount == 1 && r->disperse);
}

// Only the sweeps that offer logarithmic steps take them; the convergence graph steps through the
// orders one by one whatever the menu says.
bool Form1::RunLogSteps() const {
    return runRecord.taken ? runRecord.xStepLog : mnuXStepLog.checked() && SweepLogStepCode(codes.graphCode);
}

}  // namespace tessary
