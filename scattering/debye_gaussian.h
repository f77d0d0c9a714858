// Debye series of a homogeneous sphere lit by a focused, possibly off-axis Gaussian beam: the
// scattering amplitudes S1 and S2 of the chosen ray orders p, for one beam or for a pair of beams
// centred at (xf, yf) and (-xf, -yf).
// [1] E. A. Hovenac, J. A. Lock, J. Opt. Soc. Am. A 9, 781 (1992): the Debye series of each partial wave.
// [2] G. Gouesbet, G. Grehan, Generalized Lorenz-Mie Theories (Springer, 2011): beam-shape coefficients.
//
// DebyeGaussianSeries is the numerical kernel of the window procedure Debye_Gaussian. It is pure: the
// beam dialog, the menus and the ray selection come in as arguments; refusals come back as a status
// with the text and title the window shows; a stop is asked for by the progress callback.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numerics/complex.h"
#include "scattering/beam_shape.h"
#include "scattering/beam_sums.h"
#include "scattering/debye.h"
#include "scattering/ray_orders.h"

namespace tessary {

struct DebyeGaussianInput {
    double x = 0.0;  // size parameter, finite and > 0
    Complex m{};     // relative refractive index
    int NANG = 2;    // angles from 0 to 90 degrees inclusive; below 2 is taken as 2
    int first = 1;   // amplitudes are summed for the angle indices first..last only
    int last = 3;
    double wavelength = 0.0;  // in the medium, micrometres, for the wave number of the beam
    GaussianBeamInput beam;   // the beam dialog
    DebyeGraph graph = DebyeGraph::Normal;
    std::string_view rayListText;    // "0" may hand over to the Mie series; "Multiple" may be empty
    bool mnuDebyeRecursion = false;  // j_n(m x) by upward recurrence instead of the continued fraction
    bool mnuMultBeams = false;       // add the beam centred at (-xf, -yf)
    bool mnuCentralBeam = false;     // geometric-optics central beam (added by the window procedure)
};

struct DebyeGaussianWorkspace {
    DebyeTables tables;                   // functions of x and m x, n = 0..termCount and on (see below)
    DebyeCoefficients coefficients;       // R11, R22, T21, T12 of both modes
    std::vector<Complex> an2, bn2;        // one ray order
    std::vector<Complex> an2Sum, bn2Sum;  // summed over the selected orders, n = 0..max(termCount, N)
    std::vector<double> fn;               // -(2n + 1)/(4n(n + 1))
    std::vector<Complex> beamOrderFactor;
    BeamShapeTables shape;
    BeamPartialWaves waves;
    std::vector<unsigned char> done;
};

struct DebyeGaussianResult {
    DebyeStatus status = DebyeStatus::Done;
    BeamRefusal refusal = BeamRefusal::None;
    std::string message;  // empty unless Refused
    std::string title;    // "Error" when Refused

    int NANG = 2;
    // S1 and S2 over the angle indices 0..2 NANG - 1, laid out as for the plane-wave series; with a
    // pair of beams the sum of both.
    std::vector<double> S1re, S1im, S2re, S2im;

    GaussianBeam beam;   // the beam quantities of the last pass (the second beam: centre negated)
    int beamNMax = 0;    // N = floor(max(|m x|, round(x + 4 x^0.3333 + 20))) + 20, or more (see below)
    int beamMMax = 0;    // M, from z_N
    Complex besselZ{};   // z_N = (N + 0.5)(2 s rho) Q
    int nStop = 0;       // round(x + 4 x^0.3333 + 2)
    int nMax = 0;        // floor(max(|m x|, nStop)) + 15, only compared with the limit
    int termCount = 0;   // nStop, or round(1.2 nStop) for the convergence graph
    int passes = 0;      // beams whose sums are complete (or stopped in)
    int pointsDone = 0;  // angle points summed, over both passes

    // Convergence graph: |an2(n)|^2, |bn2(n)|^2 and their mean for n = 0..termCount, of the highest
    // selected order. Empty for the normal graph.
    std::vector<double> intensityPerp, intensityPara, intensityUnpol;

    DebyeGaussianWorkspace work;
};

// Gaussian-beam Debye series.
//
// Counts: N and M as for the Gaussian-beam Mie series (z_N formed as (N + 0.5)(2 s rho) Q); nStop,
// nMax and termCount as for the plane-wave Debye series. The functions of x and m x, the coefficients
// R11, R22, T21, T12 and the partial waves come from the plane-wave Debye stages (debye.h), except that
// R22 of the magnetic mode is always -N22/D and R11^(p-1) is formed by p - 1 multiplications. The
// selected orders' partial waves an2, bn2 are summed over p first (the double sums are linear in
// them), so every angle and every (n, m) is visited once whatever the number of orders; the tables
// and partial waves reach past termCount to DebyeTableOrders (at most N), so that the series of each
// ray order converges, and higher orders contribute nothing. Where the selected waves of an absorbing
// sphere still count at that end (DebyeWavesCutShort: orders p >= 2 carried by the partial waves
// beyond |m x|, which pass the absorbing interior by), the tables reach as far as the plane-wave
// series takes them, and N is raised to the last order whose waves count (DebyeConvergedOrders).
// Then, with f(n) = -(2n + 1)/(4n(n + 1)), the sums of the Gaussian-beam Mie series (BeamAngleSums)
// with f(n) an2, f(n) bn2 in place of c_n a_n, c_n b_n, without the forward-beam correction. For a pair of beams the second beam's sums are added to the first's.
//
// Outcomes, in the order they are tested (title "Error" for every refusal):
// - Refused BadSize / BadIndex: x or m unusable.
// - HandOverToMie: list text exactly "0" and x Im m > 700: the caller runs the Gaussian-beam Mie series
//   with the same input. Nothing else is written.
// - Refused BadWavelength, BadWidth, BadBeam (MakeGaussianBeam).
// - Refused BadAngles (NANG > 9001).
//   (These refusals leave S1 and S2 at their former size, all 0.) From here S1 and S2 are sized
//   2 NANG and zero.
// - Refused TooLarge ("Reduce radius or increase wavelength"): |m x| > 200000 or nMax > 200000.
// - Refused NoRays ("No rays selected"): "Multiple" with rayCount 0. Reported once.
// - Refused TooAbsorbing, BesselRange, NotFinite, TooManyTerms, BeamRange: S1, S2 all 0.
// - Stopped (`onProgress` returned true): during the first beam's coefficients, S1, S2 all 0; during
//   its angle sums, the points summed keep their values (every selected order), the others are 0, and
//   the second beam is not computed; during the second beam, the first beam's sums stay and the second
//   beam's points summed so far are added.
// - Done.
// `onProgress` gets (Coefficients, n, N) once per order n of each beam's beam-shape coefficients and
// (Angles, points done, window points) after every angle point of each beam.
void DebyeGaussianSeries(const DebyeGaussianInput& input, const RaySelection& rays,
                         DebyeGaussianResult& result, BeamProgressCallback onProgress = {});

}  // namespace tessary
