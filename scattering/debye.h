// Debye series of a homogeneous sphere lit by a plane wave: the scattering amplitudes S1 and S2 of
// chosen ray orders p (p = 0 external reflection and diffraction, p >= 1 two transmissions and p - 1
// internal reflections), term by term in the partial-wave order n.
// [1] E. A. Hovenac, J. A. Lock, J. Opt. Soc. Am. A 9, 781 (1992): the reflection and transmission
//     coefficients R11, R22, T12, T21 of each partial wave, built from the Riccati-Hankel functions
//     zeta1 = psi + i z y_n = z h1_n(z) and zeta2 = psi - i z y_n = z h2_n(z) of z = x and z = m x.
// [2] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983),
//     chapter 4: the angular functions pi_n, tau_n and the amplitude sums.
// [3] M. Abramowitz, I. A. Stegun, Handbook of Mathematical Functions (1964), chapter 10.
// Equation numbers refer to [2] and [3].
//
// DebyePlaneWave is the numerical kernel of the window procedure DebyeSeries: stage one builds the
// Riccati-Bessel tables of x and of m x (with a decimal rescaling of the m x tables for absorbing
// spheres), stage two forms the coefficients and sums the selected orders over the angle grid. For an
// absorbing sphere zeta1(m x), of size e^(-Im m x) against the e^(Im m x) of psi and z y_n, is not
// formed as their difference but by its own recurrence from e^(i m x) (DebyeFunctionsOfMx), so that
// R11 = -N11/D, which carries it, keeps its digits however small it is. SW is
// the stand-alone recomputation of some of these tables. Everything is pure: no window state, no
// message boxes; refusals come back as a status with the message and title the window shows.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "numerics/complex.h"
#include "scattering/ray_orders.h"

namespace tessary {

// Largest |m x| and largest nMax accepted (the limit of the Mie series as well).
inline constexpr int kDebyeTermLimit = 200000;
// Largest NANG accepted: angle indices up to 18001, as for the Mie series.
inline constexpr int kDebyeMaxNang = 9001;
// Above this x Im m the single order "0" is handed to the Mie series.
inline constexpr double kDebyeHandOverAbsorption = 700.0;

enum class DebyeGraph {
    Normal,       // amplitudes over the angle window
    Convergence,  // 1.2 NSTOP orders, and |an2|^2, |bn2|^2 per order of the last ray order summed
};

struct DebyeInput {
    double x = 0.0;  // size parameter, finite and > 0
    Complex m{};     // relative refractive index; Im m == 0 and Re m >= 1 take the real path
    int NANG = 2;    // angles from 0 to 90 degrees inclusive; below 2 is taken as 2
    int first = 1;   // amplitudes are summed for the angle indices first..last only
    int last = 3;
    DebyeGraph graph = DebyeGraph::Normal;
    std::string_view rayListText;    // text of the ray-order list: "0" may hand over, "Multiple" may be empty
    bool mnuDebyeRecursion = false;  // j_n(m x) by upward recurrence instead of the continued fraction
    bool mnuSWsub = false;  // surface-wave subtraction (made by the window procedure after the series)
    // The angle loops of the baseline instruction set (SSE2) even where the processor has AVX2: the
    // same bits, for tests and benchmarks that compare the two.
    bool baselineVectors = false;
};

enum class DebyeStatus {
    Done,
    Refused,        // message, title and refusal say why
    Stopped,        // the callback asked for a stop: partial amplitudes, see DebyePlaneWave
    HandOverToMie,  // list text "0" and x Im m > 700: the caller runs the Mie series with the same input
};

enum class DebyeRefusal {
    None,
    TooLarge,      // |m x| or nMax above kDebyeTermLimit: "Reduce radius or increase wavelength"
    BadSize,       // x not finite or not above 0
    BadIndex,      // m not finite, or m = 0
    BadAngles,     // NANG above kDebyeMaxNang
    NoRays,        // "Multiple" with no order selected: "No rays selected"
    TooAbsorbing,  // sin(m x) leaves the double range (|x Im m| above about 709.78)
    BesselRange,   // j_n(m x) below the double range or not found (very small |m| x against x)
    NotFinite,     // a coefficient or an amplitude overflowed
};

// Functions of x and of m x for the orders n = 0..termCount ([3] 10.1; psi_n = z j_n(z)).
// On the complex path every table of m x holds its function divided by debyeScale (zeta1nx and
// dzeta1nx of an absorbing sphere are 0 where that lies below the double range).
struct DebyeTables {
    int termCount = 0;
    double x = 0.0;            // the size parameter of the tables of x
    Complex mx{};              // m x (xp1, xp2)
    bool complexPath = false;  // Im m != 0 or Re m < 1
    int debyeScaleExp = 0;     // decimal exponent of the rescaling, 0 = none
    double debyeScale = 1.0;   // 10^debyeScaleExp, or 10^(debyeScaleExp / 2) from 150 up
    Complex debyeCplx{};       // 1/(m x)^2, complex path only

    std::vector<double> jnx, ynx, psiX, chiX;               // j_n, y_n, psi_n, psi'_n of x
    std::vector<Complex> zeta1x, dzeta1x, zeta2x, dzeta2x;  // zeta1,2 of x and derivatives
    std::vector<Complex> jnnx, ynnx, psiMx, chiMx;          // the same of m x
    std::vector<Complex> zeta1nx, dzeta1nx, zeta2nx, dzeta2nx;
};

// Reflection and transmission coefficients of each partial wave, magnetic (m) and electric (e) mode
// ([1]); T21 and T12 are divided by debyeScale, so they are the true values. w0m, w0e are R22 - 1,
// the partial wave of the order p = 0, formed on their own where R22 lies close to 1 (small spheres).
struct DebyeCoefficients {
    std::vector<Complex> r11m, r22m, t21m, t12m;
    std::vector<Complex> r11e, r22e, t21e, t12e;
    std::vector<Complex> w0m, w0e;
};

// Angle indices summed together; the progress callback runs once per block.
inline constexpr int kDebyeAngleBlock = 64;

// The eight running sums of a block of angles: S1 and S2 (real, imaginary) at theta and at 180 - theta.
struct DebyeBlockSums {
    double f1r[kDebyeAngleBlock], f1i[kDebyeAngleBlock], f2r[kDebyeAngleBlock], f2i[kDebyeAngleBlock];
    double b1r[kDebyeAngleBlock], b1i[kDebyeAngleBlock], b2r[kDebyeAngleBlock], b2i[kDebyeAngleBlock];
};

// Scratch of the amplitude stage, kept so that repeated calls reuse their memory.
struct DebyeWorkspace {
    std::vector<Complex> an2, bn2;       // minus twice the Debye partial-wave coefficients: one order p, or
                                         // the sum of the selected orders
    std::vector<int> waveOverflow;       // per block of orders n: the lowest p whose wave overflowed, or -1
    std::vector<double> piA, piB;        // recurrence factors (2k-1)/(k-1) and k/(k-1) of pi_k
    std::vector<double> fn;              // -(2n+1)/(2n(n+1))
    std::vector<double> mu;              // cos theta_J, J = 0..NANG
    std::vector<DebyeBlockSums> blocks;  // sums of the blocks of angles worked at once
};

struct DebyeResult {
    DebyeStatus status = DebyeStatus::Done;
    DebyeRefusal refusal = DebyeRefusal::None;
    std::string message;  // empty unless Refused
    std::string title;    // "Error" when Refused

    int NANG = 2;  // the NANG used (raised to 2)
    // S1 and S2 over the angle indices 0..2 NANG - 1 (index J: theta = (J - 1) 90/(NANG - 1) degrees;
    // index 2 NANG - J: 180 degrees minus that). Index 0 and every index outside first..last are 0.
    std::vector<double> S1re, S1im, S2re, S2im;

    int nStop = 0;            // round(x + 4 x^0.3333 + 2)
    int nMax = 0;             // floor(max(|m x|, nStop)) + 15, only compared with the limit
    int termCount = 0;        // nStop, or round(1.2 nStop) for the convergence graph
    int seriesOrders = 0;     // orders n = 0..seriesOrders summed (>= termCount; see DebyePlaneWave)
    double stepsDone = 0.0;   // angle sums stored
    double stepsTotal = 0.0;  // (last - first + 1) x rayCount
    int ordersDone = 0;       // ray orders whose every angle sum is stored

    // Convergence graph only: |an2(n)|^2, |bn2(n)|^2 and their mean for n = 0..termCount, of the last
    // ray order whose coefficients were formed. Empty for the normal graph.
    std::vector<double> intensityPerp, intensityPara, intensityUnpol;

    DebyeTables tables;
    DebyeCoefficients coefficients;
    DebyeWorkspace work;
};

// Non-owning reference to the progress callback: bool(double stepsDone, double stepsTotal), true asks
// for a stop. The referenced callable must outlive the call it is passed to.
class DebyeStepCallback {
  public:
    DebyeStepCallback() = default;  // never stops
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, DebyeStepCallback>>>
    DebyeStepCallback(F&& f)  // NOLINT(google-explicit-constructor): lets a lambda be passed directly
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* object, double done, double total) -> bool {
              return (*static_cast<std::remove_reference_t<F>*>(object))(done, total);
          }) {}

    bool operator()(double done, double total) const {
        return call_ != nullptr && call_(object_, done, total);
    }

  private:
    void* object_ = nullptr;
    bool (*call_)(void*, double, double) = nullptr;
};

// ---- Stages, for the Gaussian-beam Debye series and for tests -------------------------------------

// Functions of x for n = 0..termCount by the upward recurrences ([3] 10.1.19) in real arithmetic; the
// tables of x in `tables` are sized and filled. Accurate while termCount stays near x (the recurrence
// of j_n grows errors above x by the ratio y_n/j_n); below x = 1, where every order lies above x, j_n
// comes from the ratios j_n / j_(n-1) of the downward recurrence instead (to 1e-14).
void DebyeFunctionsOfX(double x, int termCount, DebyeTables& tables);

// Orders of the tables for sums that converge: max(termCount, nMax) + 32 at most, as far as
// |y_n(x)| stays below 1e100 (the terms of higher orders lie below the rounding of the sums, and
// their tables would overflow); never fewer than termCount. For an `absorbing` sphere (Im m > 0)
// 2 max(termCount, nMax) + 32 at most, as far as |y_n(x)| stays below 1e150: there the orders p >= 2
// can be carried by the partial waves beyond |m x|, which pass the absorbing interior by, and lie as
// far below the others as their internal paths are attenuated (e^(-4 x Im m) and less for p = 2).
int DebyeTableOrders(double x, int termCount, int nMax, bool absorbing = false);

// The orders to sum for the partial waves an2, bn2 of n = 0..top: at least `from`, and on while a
// later order's term bound (2n + 1)(|an2| + |bn2|) (|pi_n|, |tau_n| <= n (n + 1)/2) is not below
// 1e-16 of the running sum of the bounds (whatever their size: |an2| is formed without squaring it).
int DebyeConvergedOrders(const std::vector<Complex>& an2, const std::vector<Complex>& bn2, int from, int top);

// True when the term bound of the orders top - 1 or top is at least 1e-10 of the sum of the bounds
// of the orders below: the series of an2, bn2 would be cut short by tables that end at `top`.
bool DebyeWavesCutShort(const std::vector<Complex>& an2, const std::vector<Complex>& bn2, int top);

enum class DebyeTablesStatus { Done, Stopped, BesselRange, TooAbsorbing };

// Functions of m x for n = 0..termCount, with debyeScaleExp, debyeScale and debyeCplx. Complex path
// (Im m != 0 or Re m < 1): j_n(m x) = j_(n-1) rho_n upwards from j_1, the ratios rho_n = j_n/j_(n-1)
// by the downward recurrence rho_n = 1/((2n + 1)/z - rho_(n+1)) started from two ComplexContFrac at
// the top order (linear time; agrees with a continued fraction per order to 1e-12), or j_n by upward
// recurrence when `recursion`,
// y_n from the cross product j_n y_(n-1) - j_(n-1) y_n = (m x)^-2 ([3] 10.1); `onOrder` is called
// once per order from 2 up and may stop the stage. For Im m > 0, zeta1_n(m x) does not come from
// psi_n + i z y_n, two values about e^(2 x Im m) times larger than itself (it would keep 1e-16
// e^(2 x Im m) of its digits), but from zeta1_0 = -i e^(iz), zeta1_1 = zeta1_0 (1/z - i) by the upward
// recurrence ([3] 10.1.19), which is stable there: |zeta2_n / zeta1_n| falls with n, and zeta1_n =
// z h1_n(z) has no zeros above the real axis; its derivative is zeta1_(n-1) - n zeta1_n / z. Real
// path: the recurrences of DebyeFunctionsOfX with Re m x (the ratios below Re m x = 1), for every
// order (also above Re m x when Re m is near 1).
DebyeTablesStatus DebyeFunctionsOfMx(double x, Complex m, int termCount, bool recursion, DebyeTables& tables,
                                     DebyeStepCallback onOrder = {});

// R11, R22, T21, T12 and R22 - 1 of both modes for n = 0..termCount from the tables ([1]). With
// `nearOneRule` the magnetic R22 is exactly 1 where -N22 agrees with D to 1e-8 in both (positive)
// parts. Below x = 1 (every order above x) the leading terms of A and m B, of which D is the
// difference, cancel to O(x^2) in the magnetic mode, and R22 lies within O(x) of 1: there zeta'_n(z) =
// zeta_(n-1)(z) - n zeta_n(z) / z is taken into the products, whose terms n zeta zeta / x then cancel
// exactly, D = zeta1_(n-1)(x) zeta2_n(mx) - m zeta1_n(x) zeta2_(n-1)(mx) (and the same for N11, N22),
// and R22 - 1 = -2 (psi'(x) zeta2(mx) - m psi(x) zeta2'(mx)) / D from zeta1 + zeta2 = 2 psi; the
// near-one rule, which clears the rounding of R22 - 1, is not needed there. For m within 0.01 of 1 (and
// x Im m <= 1), D, N11 and N22, differences of values |y_n(x)|^2 / |m - 1| times larger in the orders above
// x, come from the ratios zeta_(n-1)/zeta_n of x and m x and recurrences for their differences instead.
// False if any is not finite.
bool DebyeReflectionTransmission(const DebyeTables& tables, Complex m, DebyeCoefficients& coefficients,
                                 bool nearOneRule = true);

// an2(n), bn2(n) of ray order p: R22 - 1 (w0) for p = 0, T21 T12 R11^(p-1) for p >= 1 (by
// DebyeOrderWaves); the Debye coefficients proper are -an2/2 (electric, like a_n) and -bn2/2 (magnetic,
// like b_n). False if any is not finite.
bool DebyePartialWaves(const DebyeCoefficients& coefficients, int p, std::vector<Complex>& an2,
                       std::vector<Complex>& bn2);

// an2(n), bn2(n) of ray orders p asked for in increasing order, n = 0..orders: R22 - 1 for p = 0,
// T21 T12 for p = 1, and for p >= 2 T21 T12 multiplied p - 1 times by R11, the products of the
// orders before carried on, so that a range of orders costs one multiplication per order step.
// Values below 1e-290 are taken as 0 (they would turn subnormal, and slow the products down; the
// orders p >= 2 of an absorbing sphere may lie as far as 1e-260 below the incident wave).
class DebyeOrderWaves {
  public:
    DebyeOrderWaves(const DebyeCoefficients& coefficients, int orders) : k_(coefficients), orders_(orders) {}
    // Writes an2, bn2 of order p (sized orders + 1); false if any value is not finite.
    bool Order(int p, std::vector<Complex>& an2, std::vector<Complex>& bn2);

  private:
    const DebyeCoefficients& k_;
    int orders_;
    int power_ = 0;  // the order whose products e_, h_ hold (0: none yet)
    std::vector<Complex> e_, h_;
};

// ---- The series ------------------------------------------------------------------------------------

// Debye series of the orders p = 0..rayPMax whose rayflag is 1, summed into S1 and S2.
//
// Counts: nStop = round(x + 4 x^0.3333 + 2) (halves to even), nMax = floor(max(|m x|, nStop)) + 15,
// termCount = nStop, or round(1.2 nStop) for the convergence graph; termCount is what the window shows.
// The series themselves are summed further, over n = 0..seriesOrders: at least max(termCount, nMax)
// and on while a term can still reach 1e-16 of the sums, as far as the tables of x stay in range
// (DebyeTableOrders), since the series of a single ray order converges later than that of Mie; for
// an absorbing sphere whose selected waves still count at the end of these tables (DebyeWavesCutShort)
// the tables are made again to the orders of an absorbing sphere and the sums go on as far.
// For the normal graph the partial waves an2, bn2 of the selected orders are added per n first (the
// powers of R11 as running products; parts below 1e-100 taken as 0, or below 1e-80 of the largest
// selected wave where this lies below 1e-20 for an absorbing sphere), then for each angle index J =
// 1..NANG in the window (and its mirror 2 NANG - J, J != NANG) S1 += sum_n fn (an2 pi_n + bn2 tau_n),
// S2 += sum_n fn (an2 tau_n + bn2 pi_n), fn = -(2n+1)/(2n(n+1)), with the alternating signs of [2]
// 4.74 at the mirrored angle. The convergence graph sums its orders one by one in the same way. The
// sums are exactly those of one angle at a time in order n; angles are worked in blocks of 64, runs
// of at least 200 angles and 50 orders 16 blocks at a time on the worker pool; the bits do not
// depend on the number of threads.
//
// Outcomes, in the order they are tested (a refusal sets S1 and S2 to 0 at whatever size they had):
// - Refused BadSize / BadIndex: x or m unusable.
// - HandOverToMie: list text exactly "0" and x Im m > 700. Nothing is written: the caller runs the
//   Mie series with the same x, m, NANG and window instead.
// - Refused TooLarge ("Reduce radius or increase wavelength", title "Error"): |m x| > 200000, or
//   nMax > 200000 (nStop and nMax then set).
// - Refused BadAngles (NANG > kDebyeMaxNang) or TooAbsorbing (sin and cos of m x overflow: the message
//   suggests the order 0, which the Mie series computes).
// From here S1 and S2 are sized 2 NANG and zero, and termCount is set:
// - Refused NoRays ("No rays selected", title "Error"): list text "Multiple" with rayCount 0.
// - Stopped during the tables of m x: S1, S2 all zero, no coefficients.
// - Refused BesselRange (j_n(m x) below 1e-290 or not found; the message starts with "Reduce radius
//   or increase wavelength") or NotFinite (a coefficient or amplitude overflowed).
// - Stopped during the sums: `onStep` returned true after a block of angle sums. The blocks stored
//   so far hold all selected orders (normal graph; ordersDone 0), or, for the convergence graph, the
//   orders before the current one are complete, the current one holds the blocks stored so far and
//   later orders are not summed (convergence values are those of the current order).
// - Done.
//
// `onStep` is called on the calling thread once per order n of the complex-path tables (with stepsDone
// 0) and once after every block of up to 64 angle indices stored, never per term; a block stored adds
// rayCount steps per index for the normal graph (all orders at once), one for the convergence graph.
// The hot loop allocates nothing; a reused `result` allocates nothing once its capacity suffices.
//
// Accuracy (tests/scattering/debye_test.cpp, debye_reference_test.cpp): single ray orders p = 0..5 at
// x = 100 to 1e-7 of arbitrary-precision sums; summed over p, the coefficients give the Mie a_n, b_n to
// 1e-12 absolute for x <= 400 (also rescaled, x Im m = 400) and 1e-10 at x = 1000; the orders 0..50 at
// x = 10, m = 1.5 + 0.1i give the Mie S1, S2 to 1e-6 relative; below x = 1 (down to x = 1e-10, real,
// absorbing and metallic m) single orders to 1e-9 of arbitrary-precision sums. Absorbing spheres,
// against arbitrary-precision sums on the grid of 1 degree, for x from 1e-6 to 1e4, x Im m up to 100
// and |m| up to 10 sqrt 2 (water, metals): the single orders p = 1, 2, 3 to 1e-9 of the largest |S1|,
// |S2| of the order (3e-10 at worst, at x = 1e4; also where they lie as far as 1e-260 below the
// incident wave), and below x = 1 to 1e-12 of each amplitude; spheres of index near 1 (m = 1 + 1e-8 +
// 1e-8 i, x = 0.5 to 100) to 1e-13 of the largest |S1|, |S2| of the order. Above n = x the
// upward recurrence of j_n(x) costs accuracy in the highest orders (relative 1e-6 in j_n(x) at n =
// termCount for x = 20); m x of |m| below 1 far below x (x = 1e4, m = 0.75 + 0.01i) is refused as
// BesselRange.
// Cost: one angle sum of seriesOrders terms per angle, whatever the number of selected orders, plus
// one complex product per order n and ray order p; the tables take linear time.
void DebyePlaneWave(const DebyeInput& input, const RaySelection& rays, DebyeResult& result,
                    DebyeStepCallback onStep = {});

// ---- Stand-alone recomputation of the tables --------------------------------------------------------

struct SWInput {
    double sizeParam = 0.0;  // x
    Complex m{};             // relative refractive index
    int termCount = 0;       // orders of the last Debye run (>= 1)
    int angleCount = 2;      // NANG of the last run (>= 2)
    double angleStepRad = 0.0;
    int firstPoint = 1;  // the calculation window
    int lastPoint = 3;
};

struct SWAngles {
    std::vector<double> muTable, piTable, tauTable;  // per angle index J = 0..NANG
    std::vector<double> pi0Table;                    // pi_k, k = 0..termCount, of the last angle worked
    double stepsDone = 0.0;                          // mirrored angles worked
};

enum class SWStatus { Done, Stopped, NoTables };

// Recomputes, from the tables of m x of the last Debye run, the tables of x, the transmission
// coefficients T21, T12 of both modes (not divided by debyeScale) and the angular functions: muTable
// for every J, and piTable(J), tauTable(J) = pi, tau of the highest order termCount for the forward
// angles in the window and for the J whose mirrored angle lies in the window. Forward angles outside
// the window are skipped. `onStep` is called after each forward angle worked and after each mirrored
// angle; true stops the recomputation there. NoTables: zeta2nx or dzeta2nx shorter than termCount + 1,
// termCount below 1 or angleCount below 2 (nothing written).
SWStatus SW(const SWInput& input, DebyeTables& tables, DebyeCoefficients& coefficients, SWAngles& angles,
            DebyeStepCallback onStep = {});

}  // namespace tessary
