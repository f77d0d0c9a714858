// Rayleigh scattering, diffraction and the van de Hulst backward amplitudes as procedures of the main
// window: the closed-form kernels of approximations/ with the label and title and, for van de Hulst, the two
// coefficients read from the term lists. None of them reports progress or tests a stop; each leaves
// Qext, Qsca, Qback and g as they were.
#include <algorithm>
#include <cstdint>
#include <string>

#include "approximations/diffraction.h"
#include "approximations/form1_approx_window.h"
#include "approximations/rayleigh.h"
#include "approximations/van_de_hulst.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"

namespace tessary {

// Series form: Rayleigh scattering (code 3).
void Form1::Rayleigh(double& x, double& mRe, double& /*mIm*/, std::int32_t& NANG, ComplexTable& S1,
                     ComplexTable& S2, double& /*Qext*/, double& /*Qsca*/, double& /*Qback*/, double& /*g*/,
                     std::int32_t& first, std::int32_t& last) {
    ShowMethodCaption(*this, "Rayleigh", "Rayleigh scattering:  ");
    const AmplitudeTables S = WindowAmplitudes(S1, S2, NANG);
    RayleighAmplitudes(x, mRe, NANG, S, first, last);  // the imaginary part of m takes no part
    EndApproxMethod(codes, {}, S, first, last, "Rayleigh scattering");
}

// Diffraction form: diffraction (code 4).
void Form1::Diffraction(double& x, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& /*Qext*/,
                        double& /*Qsca*/, double& /*Qback*/, double& /*g*/, std::int32_t& first,
                        std::int32_t& last) {
    ShowMethodCaption(*this, "Diffraction", "Diffraction:  ");
    const AmplitudeTables S = WindowAmplitudes(S1, S2, NANG);
    DiffractionAmplitudes(x, NANG, S, first, last);
    EndApproxMethod(codes, {}, S, first, last, "Diffraction");
}

void Form1::vdH(double& /*x*/, double& sphereRadius, double& lightWavelength, double& /*mRe*/,
                double& /*mIm*/, std::int32_t& NANG, ComplexTable& S1, ComplexTable& S2, double& /*Qext*/,
                double& /*Qsca*/, double& /*Qback*/, double& /*g*/, std::int32_t& first, std::int32_t& last) {
    ShowMethodCaption(*this, "van de Hulst", "van de Hulst approximation:  ");
    // The coefficients a and b are Singles read from the term lists at every call.
    const Checked<float> a = CSng(Val(cboQmin.text()));
    const Checked<float> b = CSng(Val(cboQmax.text()));
    if (!a.ok() || !b.ok()) {
        msgBox("The van de Hulst coefficients must be numbers", mb::kOkOnly, std::string("Input error"));
        codes.runState = kRunStopped;
        return;
    }
    const std::int32_t N = std::max(NANG, 2);
    const AmplitudeTables S = WindowAmplitudes(S1, S2, N);
    const ApproxOutcome outcome =
        VanDeHulstAmplitudes(sphereRadius, lightWavelength, a.value, b.value, N, S, first, last);
    EndApproxMethod(codes, outcome, S, first, last, kVanDeHulstName);
}

}  // namespace tessary
