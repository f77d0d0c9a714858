// What the window procedures of the series share around their pure kernels: the event pump that
// keeps the window alive (and Stop pressable) during a long series, throttled by time, the reading of
// a whole number from a label's caption or a list's text, and the copying of a kernel's amplitudes and
// per-order intensities into the window's tables.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/ui.h"

namespace tessary {

// Pumps the window's events at most once per interval (the runtime's, 30 ms). A series calls pumpIfDue()
// from its progress callback (per order or per block of angles) and tests runState afterwards: Stop is
// seen within about one interval, and a run that completes gives the same numbers however often it
// pumped.
class SeriesEventPump {
  public:
    using Clock = std::chrono::steady_clock;

    SeriesEventPump() = default;
    // A caller that calls pumpIfDue() rarely (every 64th series order, say) reads the clock more often.
    explicit SeriesEventPump(unsigned callsPerClockRead)
        : m_callsPerClockRead(callsPerClockRead < 1 ? 1 : callsPerClockRead),
          m_untilClockRead(m_callsPerClockRead) {}

    // Pumps now and starts the next interval.
    void pumpNow() {
        doEvents();
        m_last = Clock::now();
    }
    // Pumps when the interval since the last pump (or since construction) has passed. The clock is
    // read on every 64th call only (or as constructed): a series order takes far less than the
    // interval, and reading the clock per order costs as much as a short series itself.
    // True when it pumped.
    bool pumpIfDue() {
        if (--m_untilClockRead != 0) return false;
        m_untilClockRead = m_callsPerClockRead;
        if (Clock::now() - m_last < m_interval) return false;
        pumpNow();
        return true;
    }

  private:
    unsigned m_callsPerClockRead = 64;
    unsigned m_untilClockRead = 64;
    Clock::time_point m_last = Clock::now();
    std::chrono::milliseconds m_interval = Runtime::current().pumpInterval();
};

// Whether the run's loop pumps the events by time between the method calls it makes, so a method it
// calls per step does not pump at its start as well: a sweep (graph codes 10 to 19), and the size
// distribution of an angle graph at one wavelength (one call per sample).
inline bool PumpedBetweenSteps(const Form1& f) {
    return (f.codes.graphCode >= kFirstSweepGraph && f.codes.graphCode <= kLastSweepGraph) ||
           (f.codes.graphCode == kGraphAngle && f.optDisp.value() && f.calc.waveCount == 1);
}

// A label's caption or a list's text as a whole number (Integer); 0 when it is none or too large.
// Up to four plain digits (the usual "1" or "50") are read directly, with the same value.
inline int WholeNumberOf(const std::string& text) {
    if (!text.empty() && text.size() <= 4 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int value = 0;
        for (const char c : text) value = value * 10 + (c - '0');
        return value;
    }
    const Checked<std::int16_t> v = CInt(Val(text));
    return v.ok() ? v.value : 0;
}

// A kernel's amplitude table (real parts, imaginary parts) into the window's. An empty kernel table
// (the series refused before making its tables) leaves the window's as it was.
inline void CopyAmplitudes(const std::vector<double>& re, const std::vector<double>& im,
                           Form1::ComplexTable& S) {
    if (re.empty()) return;
    S[0].assign(re.begin(), re.end());
    S[1].assign(im.begin(), im.end());
}

// The amplitudes first..last of a kernel's table into the window's: the indices a series writes, all
// others being 0 in the kernel's table. A window table of the kernel's size keeps its other entries
// (a run re-creates its tables all 0 at set-up and keeps one window through its calls); a table of
// another size is re-created all 0 first. An empty kernel table leaves the window's as it was.
inline void CopyAmplitudes(const std::vector<double>& re, const std::vector<double>& im,
                           Form1::ComplexTable& S, int first, int last) {
    if (re.empty()) return;
    if (S[0].size() != re.size() || S[1].size() != im.size()) {
        S[0].assign(re.size(), 0.0);
        S[1].assign(im.size(), 0.0);
    }
    if (first > last) return;
    std::copy(re.begin() + first, re.begin() + last + 1, S[0].begin() + first);
    std::copy(im.begin() + first, im.begin() + last + 1, S[1].begin() + first);
}

// The first `orders` entries of the per-order intensities of the convergence graph into the window's
// curve arrays, which grow to the kernel's size when they are smaller.
inline void CopyConvergence(StoredResults& results, const std::vector<double>& perp,
                            const std::vector<double>& para, const std::vector<double>& unpol,
                            std::size_t orders) {
    if (perp.empty()) return;
    orders = std::min(orders, perp.size());
    for (auto* curve : {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol})
        if (curve->size() < perp.size()) curve->resize(perp.size(), 0.0);
    std::copy_n(perp.begin(), orders, results.intensityPerp.begin());
    std::copy_n(para.begin(), orders, results.intensityPara.begin());
    std::copy_n(unpol.begin(), orders, results.intensityUnpol.begin());
}

// Qext and Qback of the readout that the window of the run's last plane-wave Mie series left out, formed once at
// the end of a finished run from that series at 0 and 180 degrees (scattering/form1_bhmie.cpp).
void SettleReadoutEnds(Form1& f);

}  // namespace tessary
