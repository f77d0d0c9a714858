// Mie series of a homogeneous sphere lit by a focused Gaussian beam whose waist may be displaced in all
// three directions (generalised Lorenz-Mie theory): scattering amplitudes S1 and S2 over 0..180 degrees.
// [1] G. Gouesbet, G. Grehan, Generalized Lorenz-Mie Theories (Springer, 2011).
// [2] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983),
//     chapter 4: the Mie coefficients a_n, b_n.
//
// MieGaussianSeries is the numerical kernel of the window procedure MIE_Gaussian (reached through
// BHMIE when "Gaussian beam" is checked). It is pure: the beam dialog's values and the wavelength come
// in as arguments, refusals come back as a status with the text and title the window shows, and a
// stop is asked for by the progress callback. It never produces Qext, Qsca, Qback or g: the window
// procedure leaves the caller's variables as they are.
#pragma once

#include <string>
#include <vector>

#include "numerics/complex.h"
#include "scattering/beam_shape.h"
#include "scattering/beam_sums.h"
#include "scattering/mie.h"

namespace tessary {

struct MieGaussianInput {
    double x = 0.0;  // size parameter, finite and > 0
    Complex m{};     // relative refractive index; Im m == 0 exactly takes the real path
    int NANG = 2;    // angles from 0 to 90 degrees inclusive; below 2 is taken as 2
    int first = 1;   // amplitudes are summed for the angle indices first..last only
    int last = 3;
    double wavelength = 0.0;            // in the medium, micrometres, for the wave number of the beam
    GaussianBeamInput beam;             // the beam dialog
    MieGraph graph = MieGraph::Normal;  // Convergence: record |S1|^2, |S2|^2 at angleIndex
    int angleIndex = 1;
};

// Scratch of one call, kept in the result so that repeated calls reuse the memory.
struct MieGaussianWorkspace {
    MieOrderTables tables;                 // what a_n, b_n need of m x and x (MieOrderTablesOf)
    std::vector<Complex> an, bn;           // a_n, b_n, n = 0..N
    std::vector<double> cn;                // (2n + 1)/(2n(n + 1))
    std::vector<Complex> beamOrderFactor;  // F(n)
    BeamShapeTables shape;
    BeamPartialWaves waves;
    std::vector<unsigned char> done;  // angle indices summed
};

struct MieGaussianResult {
    MieStatus status = MieStatus::Done;
    BeamRefusal refusal = BeamRefusal::None;
    std::string message;  // empty unless Refused
    std::string title;    // "Error in MIE_Gaussian sub-routine" when Refused

    int NANG = 2;  // the NANG used (the caller's NANG, raised to 2)
    // S1 and S2 over the angle indices 0..2 NANG - 1, laid out as for the plane-wave series; index 0
    // and every index outside first..last (or not reached before a stop) are 0.
    std::vector<double> S1re, S1im, S2re, S2im;

    GaussianBeam beam;        // the beam quantities used
    int nStop = 0;            // round(x + 4 x^0.3333 + 20)
    int beamNMax = 0;         // N = floor(max(|m x|, nStop)) + 20: every sum runs to N
    int beamMMax = 0;         // M, from z_N
    Complex besselZ{};        // z_N = ((N + 0.5) 2 s rho) Q
    int recurrenceStart = 0;  // start order of the downward recurrence of D_n (or the ratios)
    int pointsDone = 0;       // angle indices summed

    // Convergence graph: |S1|^2, |S2|^2 and their mean at angleIndex, to be stored at position
    // convergenceOrder (N + 1); convergenceOrder is 0 when nothing is recorded (normal graph, refusal,
    // or a stop before the angle sums).
    int convergenceOrder = 0;
    double intensityPerp = 0.0, intensityPara = 0.0, intensityUnpol = 0.0;

    MieGaussianWorkspace work;
};

// Gaussian-beam Mie series.
//
// Counts: nStop = round(x + 4 x^0.3333 + 20) (halves to even), N = floor(max(|m x|, nStop)) + 20,
// M from z_N (BeamAzimuthalBound). a_n, b_n as in the plane-wave series for n = 1..N (MieOrders), with D_n
// (or the ratios) started at N + ceil(8 |m x|^(1/3)) (MieLogDerivativeStart), so that D_n is exact to
// machine precision.
// Beam-shape coefficients by BeamShapeCoeff1. Then for every angle index J of the window, with
// c_n = (2n + 1)/(2n(n + 1)), E+- = e^(+-i m phi) and the coefficients A+-, B+- of (n, m):
//   S1 = sum_(m=1..M) sum_(n=m..N) [ (i c_n a_n) m pi_n^m (A- E- - A+ E+) + (c_n b_n) tau_n^m (B+ E+ + B- E-) ]
//   S2 = sum_(m=1..M) sum_(n=m..N) [ (c_n a_n) tau_n^m (A+ E+ + A- E-) + (i c_n b_n) m pi_n^m (B+ E+ - B- E-) ]
// (BeamAngleSums), then the forward-beam correction at theta_J = (J - 1) DANG: where theta_J <= 10 s
// (both in Single), S1 -= sin phi H and S2 -= cos phi H with H = A B C D,
//   A = e^(-theta^2/(4 s^2))/(2 s^2), B = e^(-i (theta/s)(x0 cos phi + y0 sin phi)),
//   C = e^(-i zf/(s w0)) (angle in Single), D = e^(i theta^2 zf/(2 s w0)), x0 = xf/w0, y0 = yf/w0.
// Memory grows as N M (a few tables of that size), independent of the number of angles.
//
// Outcomes (title "Error in MIE_Gaussian sub-routine" for every refusal):
// - Refused BadAngles (NANG > 9001): S1, S2 empty. Otherwise S1, S2 are sized 2 NANG and zero first.
// - Refused BadSize, BadIndex: x not finite or <= 0; m not finite or m = 0 (so m x = 0).
// - Refused TooLarge: |m x| > 200000, "Reduce radius or increase wavelength".
// - Refused BadWavelength, BadWidth, BadBeam (MakeGaussianBeam), BadAngles (convergence angle index
//   outside 0..2 NANG - 1), TooManyTerms ((N + 1)(M + 2) > kBeamMaxTableEntries), BeamRange, NotFinite
//   (a coefficient or an amplitude overflowed): S1, S2 all 0.
// - Stopped during the coefficients (`onProgress` returned true at a Coefficients report): S1, S2 all 0.
// - Stopped during the angle sums: the points summed so far keep their values (with the correction),
//   the others are 0.
// - Done.
// `onProgress` gets (Coefficients, n, N) once per order n of the beam-shape coefficients and
// (Angles, points done, window points) once per angle index summed; never inside the double sums.
void MieGaussianSeries(const MieGaussianInput& input, MieGaussianResult& result,
                       BeamProgressCallback onProgress = {});

}  // namespace tessary
