// The plane-wave Debye series as a procedure of the main window: the pure series of
// scattering/debye.h with the window's part around it (ray-order selection, captions, progress, the
// stop, messages, and the hand-over of the order "0" at strong absorption to the Mie series).
//
// The series reports after every order of its m x tables and after every block of angle sums; the
// progress display follows and, at most every 30 ms, the window's events are pumped so that Stop can
// be pressed. A stop (runState 4) ends the series at its next report: the orders before are complete,
// the one in hand partial, later ones not summed. Pumping by time changes when a stop is seen, never
// the numbers of a run that completes.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/method_codes.h"
#include "scattering/debye.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

// Refusals that come before the amplitude tables are made: the caller's S1 and S2 stay as they were.
bool RefusedBeforeTables(const DebyeResult& r) {
    if (r.status != DebyeStatus::Refused) return false;
    switch (r.refusal) {
        case DebyeRefusal::NoRays:
        case DebyeRefusal::BesselRange:
        case DebyeRefusal::NotFinite:
            return false;
        default:
            return true;
    }
}

// With "Visible data" checked, the ray order in hand is printed under the graph on a red patch. The
// steps of the series count each selected order over the same angle window, so the order in hand
// follows from the steps done; orders passed since the last report (the series sums its orders
// together, a block of angles counting once for each) are printed in turn.
class RayOrderDisplay {
  public:
    RayOrderDisplay(Form1& f, const RaySelection& rays) : m_form(f) {
        if (!f.mnuDataVisible.checked()) return;
        const std::int64_t top =
            std::min<std::int64_t>(rays.rayPMax, static_cast<std::int64_t>(rays.rayflag.size()) - 1);
        for (std::int64_t p = 0; p <= top; ++p)
            if (rays.rayflag[static_cast<std::size_t>(p)] == 1)
                m_orders.push_back(static_cast<std::int32_t>(p));
    }

    void update(double stepsDone, double stepsTotal) {
        if (m_orders.empty() || !(stepsTotal > 0)) return;
        const double perOrder = stepsTotal / static_cast<double>(m_orders.size());
        const double ordinal = std::floor(stepsDone / perOrder);
        if (!(ordinal >= 0) || ordinal >= static_cast<double>(m_orders.size())) return;
        const auto k = static_cast<std::ptrdiff_t>(ordinal);
        while (m_shown < k) show(m_orders[static_cast<std::size_t>(++m_shown)]);
    }

  private:
    void show(std::int32_t p) {
        Form1& f = m_form;
        const double y = f.graph.graphBottom + 1200.0;
        f.setForeColor(kRed);
        f.boxFilled(4000, y, 5000, f.graph.graphBottom + 1400.0);
        f.setForeColor(kBlack);
        f.setCurrentX(4000);
        f.setCurrentY(y);
        f.printLine(p);
    }

    Form1& m_form;
    std::vector<std::int32_t> m_orders;
    std::ptrdiff_t m_shown = -1;
};

// Surface-wave subtraction: the ray-optics amplitudes of the same orders (GO2 as modified Young, with
// the forward caustic values) subtracted from the series at the indices it computed, so that the
// surface waves and the corrections to ray optics remain. Made after a stop too; the caption and
// label of the series stay.
void SubtractRays(Form1& f, double& x, std::int32_t& NANG, Form1::ComplexTable& S1, Form1::ComplexTable& S2,
                  double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first,
                  std::int32_t& last) {
    const auto size = 2 * static_cast<std::size_t>(NANG);
    Form1::ComplexTable goS1{std::vector<double>(size, 0.0), std::vector<double>(size, 0.0)};
    Form1::ComplexTable goS2 = goS1;
    const std::string title = f.caption();
    const std::string label = f.lblDebyeRays.caption();
    const std::string text = f.series.captionText;
    f.codes.calcMethod = kMethodYoungMod;
    f.GO2(x, NANG, goS1, goS2, Qext, Qsca, Qback, g, first, last);
    f.codes.calcMethod = kMethodDebye;
    f.setCaption(title);
    f.lblDebyeRays.setCaption(label);
    f.series.captionText = text;
    const std::int32_t top = std::min<std::int32_t>(last, static_cast<std::int32_t>(size) - 1);
    for (std::int32_t j = std::max(first, 1); j <= top; ++j)  // a refused GO2 has shown why: keep S
        for (std::size_t part = 0; part < 2; ++part)
            if (!std::isfinite(goS1[part][static_cast<std::size_t>(j)]) ||
                !std::isfinite(goS2[part][static_cast<std::size_t>(j)]))
                return;
    for (std::int32_t j = std::max(first, 1); j <= top; ++j) {
        const auto k = static_cast<std::size_t>(j);
        for (std::size_t part = 0; part < 2; ++part) {
            S1[part][k] -= goS1[part][k];
            S2[part][k] -= goS2[part][k];
        }
    }
}

}  // namespace

// Plane-wave Debye series of the selected ray orders (scattering/debye.h) with the window's part: selection,
// label and title, the progress display and a time-throttled event pump, the stop, refusal messages (runState
// 4), the convergence graph's txtXmax and intensities. The order "0" at x Im m > 700 is handed to BHMIE with
// calcMethod 1 for the call (2 again afterwards). mnuSWsub subtracts the rays of GO2 (calcMethod 8 for the
// call) after the series, also after a stop, and is named in the label and title. All twelve by reference;
// NANG below 2 becomes 2; no efficiency is written.
void Form1::DebyeSeries(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                        ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                        std::int32_t& first, std::int32_t& last) {
    if (NANG < 2) NANG = 2;
    // The inputs are locked during a run; the series keeps its own copy of the list text all the same.
    const std::string listText = cboRays.text();
    if (!RaysCheck()) {  // an absurd typed order, refused with its message
        codes.runState = kRunStopped;
        return;
    }
    const RaySelection rays{std::vector<std::int16_t>(series.rayflag.begin(), series.rayflag.end()),
                            series.rayCount, series.rayPMax};
    setCaption(series.captionText);
    const std::string orderLabel = lblDebyeRays.caption(), orderTitle = series.captionText;
    // Named after the orders: the surface-wave subtraction, and j_n(m x) by recurrence where the complex path
    // takes them.
    const bool recursion = mnuDebyeRecursion.checked() && (mIm != 0.0 || mRe < 1.0);
    RunRecord named;
    named.calcMethod = kMethodDebye;
    named.surfaceWaveSubtraction = mnuSWsub.checked();
    named.debyeRecursion = beamUse.debyeRecursion || recursion;
    ShowRunOptions(RunOptionsOf(named));

    DebyeInput in;
    in.x = x;
    in.m = {mRe, mIm};
    in.NANG = NANG;
    in.first = first;
    in.last = last;
    in.graph = codes.graphCode == kGraphConvergence ? DebyeGraph::Convergence : DebyeGraph::Normal;
    in.rayListText = listText;
    in.mnuDebyeRecursion = mnuDebyeRecursion.checked();
    in.mnuSWsub = mnuSWsub.checked();

    if (codes.graphCode < kFirstSweepGraph || codes.graphCode == kGraphLee) {  // an empty progress bar
        setForeColor(kWhite);
        boxFilled(12000, 1900, 15000, 2000);
        setForeColor(kBlack);
        runProgress.progressShown = 0;
        runProgress.progressPercent = 0;
    }
    sweepState.loopK = WholeNumberOf(Label15.caption());
    runProgress.outerCount = WholeNumberOf(Label14.caption());
    dist.sampleCount = WholeNumberOf(cboN.text());

    SeriesEventPump pump;
    if (!PumpedBetweenSteps(*this)) pump.pumpNow();
    RayOrderDisplay orderDisplay(*this, rays);
    const auto onStep = [&](double done, double total) {
        runProgress.stepsDone = done;
        runProgress.stepsTotal = total;
        Progress();
        orderDisplay.update(done, total);
        pump.pumpIfDue();
        return codes.runState == kRunStopped;
    };
    DebyeResult& r = debyeWork;
    DebyePlaneWave(in, rays, r, onStep);
    // The terms the text export lists are this call's (the run's last call's, at its end).
    beamUse.debyeTerms = r.status != DebyeStatus::HandOverToMie && !RefusedBeforeTables(r);

    if (r.status != DebyeStatus::HandOverToMie && recursion) beamUse.debyeRecursion = true;
    if (r.status == DebyeStatus::HandOverToMie) {
        // The single order 0 of a strongly absorbing sphere is its external reflection and diffraction,
        // which the Mie series gives without the overflowing internal functions: the plane-wave one, as
        // this series is (the Gaussian-beam Debye series hands over to the Gaussian-beam Mie series). What
        // it computes is this order, the run's whatever x its other calls have: the label and title stay
        // the order's, with the options the run used (no ray optics subtracted here).
        codes.calcMethod = kMethodMie;
        BHMIEPlaneWave(x, mRe, mIm, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
        codes.calcMethod = kMethodDebye;
        named.surfaceWaveSubtraction = beamUse.surfaceWaveSubtraction;
        named.debyeRecursion = beamUse.debyeRecursion;
        named.sizeDivided = beamUse.sizeDivided;
        ShowOrderCaptions(orderLabel, orderTitle, named);
        return;
    }
    if (!RefusedBeforeTables(r)) {
        runProgress.termCount = r.termCount;
        angleGrid.angleTotal = 2 * r.NANG - 1;
        angleGrid.angleStepRad = kHalfPi / (r.NANG - 1);
        runProgress.stepsDone = r.stepsDone;
        runProgress.stepsTotal = r.stepsTotal;
        CopyAmplitudes(r.S1re, r.S1im, S1);
        CopyAmplitudes(r.S2re, r.S2im, S2);
        if (codes.graphCode == kGraphConvergence) {
            txtXmax.setText(CStr(runProgress.termCount));
            CopyConvergence(results, r.intensityPerp, r.intensityPara, r.intensityUnpol,
                            r.intensityPerp.size());
        }
    }
    if (r.status == DebyeStatus::Refused) {
        msgBox(r.message, mb::kOkOnly, r.title);
        codes.runState = kRunStopped;
        return;
    }
    if (mnuSWsub.checked()) {
        SubtractRays(*this, x, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
        beamUse.surfaceWaveSubtraction = true;
    }
}

}  // namespace tessary
