// What the window procedures of Rayleigh, diffraction, van de Hulst, Huygens and aperture share: the
// window's S1 and S2 seen as a kernel's amplitude tables, the caption of the methods without ray orders,
// and the end of a call, where a refusal or amplitudes that are not finite numbers show their message and
// end the run.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "approximations/approx_common.h"
#include "mainwindow/form1.h"

namespace tessary {

// The window's tables as the kernels write them, grown to indices 0..2N - 1 when smaller.
inline AmplitudeTables WindowAmplitudes(Form1::ComplexTable& S1, Form1::ComplexTable& S2, std::int32_t N) {
    const auto size = static_cast<std::size_t>(2 * std::max(N, 1));
    for (Form1::ComplexTable* table : {&S1, &S2})
        for (std::vector<double>& part : *table)
            if (part.size() < size) part.resize(size, 0.0);
    return {S1[0], S1[1], S2[0], S2[1]};
}

// The label and title of a method without ray orders as its run names it: "Aperture" and "Aperture
// diffraction:  Water in a vacuum". Left alone when they read so already (a sweep calls once per step).
inline void ShowMethodCaption(Form1& f, const std::string& label, const std::string& titlePrefix) {
    if (f.lblDebyeRays.caption() != label) f.lblDebyeRays.setCaption(label);
    const std::string title = titlePrefix + f.indexState.sphereName + " in " + f.indexState.mediumName;
    if (f.caption() != title) f.setCaption(title);
}

// After the kernel: a refusal shows its message; amplitudes at first..last that are NaN or infinite
// are refused naming the method. Either sets runState 4. A stop has set it already.
inline void EndApproxMethod(WindowCodes& codes, const ApproxOutcome& outcome, const AmplitudeTables& S,
                            std::int32_t first, std::int32_t last, const std::string& method) {
    ApproxOutcome end = outcome;
    if (end.status == ApproxStatus::Done && !AmplitudesFinite(S, first, last)) end = NotFiniteOutcome(method);
    if (end.status != ApproxStatus::Refused) return;
    msgBox(end.message, mb::kOkOnly, end.title);
    codes.runState = Form1::kRunStopped;
}

}  // namespace tessary
