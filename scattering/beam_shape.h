// Focused, off-axis Gaussian beam in the generalised Lorenz-Mie description: the beam quantities
// (confinement factor s, focus factor Q, beam factor G) and the beam-shape coefficients of every
// series order n and azimuthal order m = +-1 .. +-M.
// [1] G. Gouesbet, G. Grehan, Generalized Lorenz-Mie Theories (Springer, 2011): localized beam-shape
//     coefficients of a Gaussian beam, series in the displacement of the beam centre.
// [2] M. Abramowitz, I. A. Stegun, Handbook of Mathematical Functions (1964), 9.6.10: the power
//     series of I_nu(z), which those sums are.
//
// Pure kernels for the window procedures MIE_Gaussian and Debye_Gaussian: plain values in, results and
// a status out, no window state.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "numerics/complex.h"

namespace tessary {

// The beam dialog's five boxes as the window stores them (the positions and the width as Single).
// The defaults are the dialog's initial texts.
struct GaussianBeamInput {
    float xf = -40.0f;        // beam centre, micrometres (txtBeamXF)
    float yf = 0.0f;          // (txtBeamYF)
    float zf = 0.0f;          // focus position along the axis, micrometres (txtBeamZF)
    float w0 = 20.0f;         // beam half-width, micrometres (txtBeamWo)
    double phiDegrees = 0.0;  // beam azimuth, degrees (txtPhi)
};

// The derived beam quantities, named as in the window's state.
struct GaussianBeam {
    float beamXf = 0.0f, beamYf = 0.0f, beamZf = 0.0f, beamW0 = 0.0f;
    double beamPhi = 0.0;         // azimuth phi = phiDegrees x 3.14159265358979 / 180, radians
    double beamWaveNumber = 0.0;  // k = 6.28318530717958 / wavelength, per micrometre
    float beamS = 0.0f;           // confinement factor s = 1 / (w0 k)
    Complex beamFocusTerm{};      // Q = 1 / (1 - 2i s zf / w0), the imaginary part rounded to Single
    double rho = 0.0;             // sqrt((xf^2 + yf^2) / w0^2)
    float rho2 = 0.0f;            // (xf^2 + yf^2) / w0^2 rounded to Single
    Complex gaussCplx{};          // G = e^(-Q rho^2) Q e^(-i zf / (s w0)), the angle rounded to Single
};

// Why a Gaussian-beam series refuses its input. Messages name the bad value.
enum class BeamRefusal {
    None,
    TooLarge,       // |m x| or nMax above 200000: "Reduce radius or increase wavelength"
    BadSize,        // x not finite or not above 0
    BadIndex,       // m not finite, or m x = 0
    BadAngles,      // NANG above 9001, or a convergence angle index outside the table
    BadWavelength,  // wavelength not finite or not above 0
    BadWidth,       // w0 not finite or not above 0, or s = 1/(w0 k) outside the Single range
    BadBeam,        // beam centre, focus or azimuth not finite
    TooManyTerms,   // the (n, m) tables would exceed kBeamMaxTableEntries
    BeamRange,      // a beam-shape coefficient cannot be formed (|z_n| beyond the range of I_nu)
    NotFinite,      // a coefficient or an amplitude overflowed
    NoRays,         // Debye: "Multiple" with no order selected: "No rays selected"
    TooAbsorbing,   // Debye: sin(m x) leaves the double range
    BesselRange,    // Debye: j_n(m x) below the double range or not found
};

// Largest (N + 1)(M + 2) accepted for the tables of beam-shape coefficients (about 64 bytes each).
inline constexpr double kBeamMaxTableEntries = 4.0e6;
// Above this |z_n| the beam-shape coefficients come from I_nu(z_n) instead of the power series.
inline constexpr double kBeamSeriesMaxArgument = 60.0;

// Why the beam dialog refuses five values as typed (xf, yf, zf, w0 in um, the azimuth in degrees): the
// index of the first it refuses (0 to 4) and the message. The centre, focus and width are Singles, so each
// must lie within the Single range; the width, as that Single, above 0; the azimuth finite. Nothing when
// the beam can be run.
struct BeamEntryRefusal {
    int value = 0;
    std::string message;
};
std::optional<BeamEntryRefusal> RefuseBeamEntry(const std::array<double, 5>& typed);

// Checks the dialog values and the wavelength and forms the beam quantities. On refusal returns the
// reason (BadWavelength, BadWidth, BadBeam) with `message` set; `beam` is then unspecified.
BeamRefusal MakeGaussianBeam(const GaussianBeamInput& input, double wavelength, GaussianBeam& beam,
                             std::string& message);

// z_n = ((n + 0.5) 2 s rho) Q, the argument of I_nu in the coefficients of order n.
Complex BeamBesselZ(int n, const GaussianBeam& beam);

// Azimuthal bound M from z = z_N: 7 when Re z < 6.5, else round((2 |Im z| / Re z + 6.5) sqrt(Re z))
// (halves to even). A double, so that the caller can test it against its limits before converting.
double BeamAzimuthalBound(Complex z);

// F(n) = G e^(-Q ((n + 0.5) s)^2) for n = 1..N (entry 0 is 0): the per-order beam factor.
void BeamOrderFactors(const GaussianBeam& beam, int N, std::vector<Complex>& beamOrderFactor);

// Which stage a progress report comes from.
enum class BeamStage {
    Coefficients,  // done = series order n of the beam-shape coefficients, total = N
    Angles,        // done = points summed so far, total = points of the window
};

// Non-owning reference to the progress callback: bool(BeamStage, int done, int total), true asks for
// a stop. The referenced callable must outlive the call it is passed to (a lambda argument does).
class BeamProgressCallback {
  public:
    BeamProgressCallback() = default;  // never stops
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, BeamProgressCallback>>>
    BeamProgressCallback(F&& f)  // NOLINT(google-explicit-constructor): lets a lambda be passed directly
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* object, BeamStage stage, int done, int total) -> bool {
              return (*static_cast<std::remove_reference_t<F>*>(object))(stage, done, total);
          }) {}

    bool operator()(BeamStage stage, int done, int total) const {
        return call_ != nullptr && call_(object_, stage, done, total);
    }

  private:
    void* object_ = nullptr;
    bool (*call_)(void*, BeamStage, int, int) = nullptr;
};

// The four families of beam-shape coefficients over n = 0..N, m = 0..M + 1. Only n = 1..N, m = 1..M
// are written; the order -m is stored at index m of the Minus tables.
struct BeamShapeTables {
    int beamNMax = 0;
    int beamMMax = 0;
    std::vector<Complex> beamGPlusA, beamGPlusB, beamGMinusA, beamGMinusB;
    int besselOrders = 0;  // orders n whose coefficients came from I_nu(z_n) instead of the power series
    std::vector<unsigned char> orderKind;  // scratch: how each order n was formed

    std::size_t Index(int n, int m) const {
        return static_cast<std::size_t>(n) * static_cast<std::size_t>(beamMMax + 2) +
               static_cast<std::size_t>(m);
    }
};

enum class BeamShapeStatus {
    Done,
    Stopped,     // the callback asked for a stop after an order n: orders above it are 0
    OutOfRange,  // I_nu(z_n) could not be formed (|z_n| above 1e7): the tables are unusable
};

// Beam-shape coefficients of orders n = 1..N, m = +-1..+-M. With a = ((n + 0.5) s) Q, the displacement
// X+- = x0 +- i y0 (x0 = xf/w0, y0 = yf/w0 in Single) and the sums over j = 0..1000 of
//   T1 = a^j (X-)^(j-t) (X+)^t / (t! (j-t)!), t = (j - m + 1)/2, and T2 the same with t = (j - m - 1)/2
// (a term exists where t is a whole number in 0..j; terms with t or j - t of 70 or more are 0;
// the sum stops at the first j with a second term where |parts of T1, T2| <= 1e-30):
//   Sum1 = sum (T1 + T2), Sum2 = sum (T1 - T2), K = (-i/(n + 0.5))^(|m| - 1) F(n),
//   gPlusA(n, m) = K Sum1, gPlusB(n, m) = (K / i) Sum2, and the same for -m into the Minus tables.
// The sums are the power series of Bessel functions ([2] 9.6.10): with z_n = 2 a |X|, phi0 = arg X+,
//   m >= 1: Sum1,2 = e^(-i(m-1)phi0) I_(m-1)(z_n) +- e^(-i(m+1)phi0) I_(m+1)(z_n),
//   m = -mu: Sum1,2 = e^(i(mu+1)phi0) I_(mu+1)(z_n) +- e^(i(mu-1)phi0) I_(mu-1)(z_n).
// Where the power series cannot give the sums, the order n takes this closed form instead: where
// |z_n| > kBeamSeriesMaxArgument, where a sum reaches the cut at 70 while its terms are still above
// both 1e-30 and 1e-18 of the sum (|m| near 60 with |z_n| near 20 already), or where a sum leaves the
// double range. It uses e^(-Re z) I_nu(z_n) from BesselIScaled with e^(Re z) folded into the exponent
// of F(n), so that neither overflows: the beam is still found when G = e^(-Q rho^2) underflows (an
// offset of 30 w0 and more, for a sphere larger than that).
// A centred beam (xf = yf = 0) gives gPlusA = F, gPlusB = -iF, gMinusA = F, gMinusB = iF at |m| = 1
// and 0 for every |m| >= 2. `onOrder` is called on the calling thread once per order n
// (Coefficients, n, N). From N = 50 up the orders are formed 128 at a time on the worker pool
// (numerics/worker_pool.h) before they are reported; a stop after order n clears the orders above
// it, so the tables are the same, to the bit, whatever the number of threads.
// `beamOrderFactor` must hold F(n) for n = 1..N (BeamOrderFactors).
BeamShapeStatus BeamShapeCoeff1(const GaussianBeam& beam, int N, int M,
                                const std::vector<Complex>& beamOrderFactor, BeamShapeTables& tables,
                                BeamProgressCallback onOrder = {});

}  // namespace tessary
