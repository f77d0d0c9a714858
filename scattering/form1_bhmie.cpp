// The plane-wave Mie series as a procedure of the main window: the pure series of scattering/mie.h
// with the window's part around it. [1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of
// Light by Small Particles (1983), appendix A (BHMIE).
//
// The progress display is updated at each series order that can move it and, at most every 30 ms,
// the window's events are pumped so that Stop can be pressed (also once at the start, except in a
// sweep or for a sample of a size distribution, whose loops pump by time between their calls; in a
// sweep the series reports every 64th order only, since the display follows the step); a stop
// (runState 4) ends the series after the order in hand with partial sums.
// Pumping by time changes when a stop is seen, never the numbers of a run that completes.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/vector_state.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/run_record.h"
#include "scattering/form1_series_common.h"
#include "scattering/ray_orders.h"

namespace tessary {

namespace {

enum class MieEntry { BHMIE, BHMIE2 };

constexpr int kOrdersPerReportInSweeps = 64;

// The result computed ahead for exactly this input (a later row of a Lee diagram, a later step of a
// sweep or sample of a distribution) into `r`, its orders reported as the series reports them. A stop
// among them leaves it unused: the series itself then stops at once with its partial sums.
template <class OnOrder>
bool TakeComputedAhead(MieAhead& ahead, const MieInput& in, MieResult& r, const OnOrder& onOrder) {
    if (!ahead.Held()) return false;
    const MieResult* ready = ahead.Take(in);
    if (ready == nullptr) return false;
    // The orders the series reports: 1, 1 + k, 1 + 2k, ... and the last.
    const int terms = ready->termCount, every = std::max(in.ordersPerCallback, 1);
    for (int n = 1; n <= terms; n = n == terms ? terms + 1 : std::min(n + every, terms))
        if (onOrder(n, terms)) return false;
    MieAhead::Restore(*ready, r);
    return true;
}

// The efficiencies the readout shows of a whole series: Qsca, and Qext and Qback when the amplitudes are not
// divided by x, from S1 at 0 and 180 degrees. Where the window of an angle graph leaves out an end, the run's end
// forms them from the series over the two ends alone (SettleReadoutEnds). Sweeps and size distributions, which
// show no readout, do without them.
void KeepReadout(Form1& f, const MieInput& in, const MieResult& r) {
    RunReadout& readout = f.readout;
    readout.qSca = r.Qsca;
    if (in.mnuSize) return;
    const bool forward = in.first <= 1, backward = in.last >= 2 * r.NANG - 1;
    if (forward) readout.qExt = r.Qext;
    if (backward) readout.qBack = r.Qback;
    if ((forward && backward) || f.codes.graphCode != kGraphAngle || f.optDisp.value()) return;
    readout.endsOf = {in.x, in.m.re, in.m.im};
}

void MieWindowSeries(Form1& f, MieEntry entry, double& x, double& mRe, double& mIm, std::int32_t& NANG,
                     Form1::ComplexTable& S1, Form1::ComplexTable& S2, double& Qext, double& Qsca,
                     double& Qback, double& g, std::int32_t& first, std::int32_t& last) {
    if (NANG < 2) NANG = 2;
    const bool convergence = f.codes.graphCode == kGraphConvergence;
    MieInput in;
    in.x = x;
    in.m = {mRe, mIm};
    in.NANG = NANG;
    in.first = first;
    in.last = last;
    in.graph = convergence ? MieGraph::Convergence : MieGraph::Normal;
    in.angleIndex = f.angleGrid.angleIndex;
    in.mnuSize = f.mnuSize.checked();
    if (in.mnuSize && entry == MieEntry::BHMIE) f.beamUse.sizeDivided = true;  // the run's S1, S2 are per x
    // In a sweep the progress display follows the step, so the orders after the first have only the
    // pump to serve: the series reports every 64th order, the pump reads the clock every 8th report.
    // A sample of a size distribution is a fiftieth or so of the bar: every 64th order moves it by
    // less than a pixel, so its series reports as often.
    const bool sweep = PumpedBetweenSteps(f);
    if (sweep) in.ordersPerCallback = kOrdersPerReportInSweeps;

    SeriesEventPump pump(sweep ? 8 : 64);
    if (!sweep) pump.pumpNow();  // a sweep or a distribution pumps by time between its calls
    if (entry == MieEntry::BHMIE2 || f.codes.graphCode < kFirstSweepGraph ||
        f.codes.graphCode > kLastSweepGraph) {  // clear the progress bar
        f.setForeColor(kWhite);
        f.boxFilled(12000, 1900, 15000, 2000);
        f.setForeColor(kBlack);
    }
    if (entry == MieEntry::BHMIE2) f.runProgress.progressShown = 0;
    f.sweepState.loopK = WholeNumberOf(f.Label15.caption());
    f.runProgress.outerCount = WholeNumberOf(f.Label14.caption());
    f.dist.sampleCount = WholeNumberOf(f.cboN.text());

    // Progress is shown the orders at which it can move the display, and the last; after a pump (whose
    // handlers may change what it shows) the next order again.
    std::int32_t nextShown = 1;
    const auto onOrder = [&](int order, int total) {
        f.runProgress.loopN = order;
        f.runProgress.termCount = total;
        if (order >= nextShown || order == total) {
            f.Progress();
            nextShown = f.ProgressNextOrder(order + 1, total);
        }
        if (pump.pumpIfDue()) nextShown = order + 1;
        ClearUpperVectorState();  // the display's Qt code before the next orders' sums
        return f.codes.runState == Form1::kRunStopped;
    };
    MieResult& r = f.mieWork;
    if (entry == MieEntry::BHMIE) {
        if (!TakeComputedAhead(f.mieAhead, in, r, onOrder)) MieSeries(in, r, onOrder);
    } else
        MieSeries2(in, r, onOrder);

    f.runProgress.termCount = r.termCount;
    f.runProgress.loopN = r.ordersDone;
    if (r.status == MieStatus::Refused) {  // all 0
        CopyAmplitudes(r.S1re, r.S1im, S1);
        CopyAmplitudes(r.S2re, r.S2im, S2);
    } else {  // only the window holds sums
        CopyAmplitudes(r.S1re, r.S1im, S1, r.work.ampFirst, r.work.ampLast);
        CopyAmplitudes(r.S2re, r.S2im, S2, r.work.ampFirst, r.work.ampLast);
    }
    if (convergence && r.termCount > 0) {
        f.txtXmax.setText(CStr(r.termCount));
        CopyConvergence(f.results, r.intensityPerp, r.intensityPara, r.intensityUnpol,
                        static_cast<std::size_t>(r.ordersDone) + 1);
    }
    switch (r.status) {
        case MieStatus::Done:
            Qext = r.Qext;
            Qsca = r.Qsca;
            Qback = r.Qback;
            g = r.g;
            KeepReadout(f, in, r);
            break;
        case MieStatus::Stopped:  // partial sums; Qext and Qback stay
            Qsca = r.Qsca;
            g = r.g;
            break;
        case MieStatus::Refused:
            msgBox(r.message, mb::kOkOnly, r.title);
            f.codes.runState = Form1::kRunStopped;
            break;
    }
}

// Whether text is the parts one after another.
bool IsJoined(std::string_view text, std::initializer_list<std::string_view> parts) {
    for (const std::string_view part : parts) {
        if (text.substr(0, part.size()) != part) return false;
        text.remove_prefix(part.size());
    }
    return text.empty();
}

// Sets the caption made of the parts only when it changes: a sweep calls the series a thousand times
// with the same one, and the parts are joined only then.
template <class Captioned>
void ShowCaption(Captioned& target, std::initializer_list<std::string_view> parts) {
    if (IsJoined(target.caption(), parts)) return;
    std::string caption;
    for (const std::string_view part : parts) caption += part;
    target.setCaption(std::move(caption));
}

}  // namespace

// The run's last series again over 0, 90 and 180 degrees alone (its coefficients, whose S1(0) and S1(180) are
// those a window holding them gives), for the Qext and Qback its window left out.
void SettleReadoutEnds(Form1& f) {
    RunReadout& readout = f.readout;
    if (!readout.endsOf) return;
    const auto [x, re, im] = *readout.endsOf;
    readout.endsOf.reset();
    MieResult ends;
    MieSeries({.x = x, .m = {re, im}, .NANG = 2, .first = 1, .last = 3}, ends);
    if (ends.status != MieStatus::Done) return;
    if (!readout.qExt) readout.qExt = ends.Qext;
    if (!readout.qBack) readout.qBack = ends.Qback;
}

// Plane-wave Mie series (scattering/mie.h) with the window's part: the method label and title, the progress
// display and the event pump once per order, the stop, the convergence graph's txtXmax and intensities, and
// the refusal message (runState 4). All twelve by reference; NANG below 2 becomes 2. BHMIE2 is the variant no
// caller uses.
void Form1::BHMIE(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2,
                  double& Qext, double& Qsca, double& Qback, double& g, std::int32_t& first,
                  std::int32_t& last) {
    if (mnuGaussian.checked()) {
        lblDebyeRays.setCaption("Mie (Gaussian beam)");
        MIE_Gaussian(x, mRe, mIm, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
        return;
    }
    BHMIEPlaneWave(x, mRe, mIm, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
}

// The plane-wave part of BHMIE, whatever the beam menu says: also the series that the plane-wave Debye
// series hands its order 0 of a strongly absorbing sphere to.
void Form1::BHMIEPlaneWave(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                           ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                           std::int32_t& first, std::int32_t& last) {
    // Plot > Size divides S1 and S2 by x: the label says so.
    static const std::string sizeOption = " " + WithOptions({kSizeDividedOption});
    ShowCaption(lblDebyeRays, {"Mie (plane wave)", mnuSize.checked() ? std::string_view(sizeOption) : ""});
    if (codes.runState == kRunStopped) return;
    if (cboType.text() == "Mie")
        ShowCaption(*this, {"Mie scattering:  ", indexState.sphereName, " in ", indexState.mediumName});
    if (cboType.text() == "Debye" && cboRays.text() == "0")
        ShowCaption(*this, {"Debye series (p = 0):  ", indexState.sphereName, " in ", indexState.mediumName});
    MieWindowSeries(*this, MieEntry::BHMIE, x, mRe, mIm, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
}

void Form1::BHMIE2(double& x, double& mRe, double& mIm, std::int32_t& NANG, ComplexTable& S1,
                   ComplexTable& S2, double& Qext, double& Qsca, double& Qback, double& g,
                   std::int32_t& first, std::int32_t& last) {
    if (codes.runState == kRunStopped) return;
    ShowCaption(*this, {"Mie scattering:  ", indexState.sphereName, " in ", indexState.mediumName});
    MieWindowSeries(*this, MieEntry::BHMIE2, x, mRe, mIm, NANG, S1, S2, Qext, Qsca, Qback, g, first, last);
}

}  // namespace tessary
