// Plane-wave Mie series for a homogeneous sphere: scattering amplitudes S1 and S2 over 0..180 degrees,
// the efficiencies Qext, Qsca, Qback and the asymmetry parameter g.
// [1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983),
//     chapter 4 and appendix A (BHMIE); equation numbers refer to [1].
// [2] W. J. Wiscombe, Improved Mie scattering algorithms, Appl. Opt. 19, 1505 (1980): downward
//     recurrence of D_n.
//
// MieSeries is the numerical kernel of the window procedure BHMIE, MieSeries2 that of its variant BHMIE2.
// Both are pure: no window state, no message boxes. A refusal comes back as a status with the message
// text and title the window shows; a stop is asked for by the per-order callback.
#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "numerics/complex.h"
#include "scattering/mie_coefficients.h"

namespace tessary {

// The largest NANG accepted: 9001 angles from 0 to 90 degrees, angle indices up to 18001.
inline constexpr int kMieMaxNang = 9001;
// Largest |m x| and largest start order NMX of the series.
inline constexpr int kMieTermLimit = 200000;

enum class MieGraph {
    Normal,       // amplitudes over the angle window only
    Convergence,  // also |S1|^2, |S2|^2 per order at one angle index, with more orders
};

struct MieInput {
    double x = 0.0;  // size parameter 2 pi r / lambda, finite and > 0
    Complex m{};     // relative refractive index; Im m == 0 exactly takes the real-arithmetic path
    int NANG = 2;    // angles from 0 to 90 degrees inclusive; below 2 is taken as 2
    int first = 1;   // amplitudes are summed for the angle indices first..last only
    int last = 3;
    MieGraph graph = MieGraph::Normal;
    int angleIndex = 1;    // convergence graph: the angle index whose intensities are kept per order
    bool mnuSize = false;  // divide S1 and S2 by x before Qext and Qback are formed
    // onOrder sees order 1, every ordersPerCallback-th order after it and the last; 1: every order.
    // A caller with nothing to do per order (a sweep's short series) saves the call.
    int ordersPerCallback = 1;
    // The angle loops of the baseline instruction set (SSE2) even where the processor has AVX2: the
    // same bits, for tests and benchmarks that compare the two.
    bool baselineVectors = false;
};

enum class MieStatus {
    Done,
    Refused,  // message and title say why; see MieRefusal
    Stopped,  // the callback asked for a stop: partial sums, see MieSeries
};

enum class MieRefusal {
    None,
    TooLarge,      // |m x| or NMX above kMieTermLimit: "Reduce radius or increase wavelength"
    BadSize,       // x not finite or not above 0
    BadIndex,      // m not finite, or m = 0
    BadAngles,     // NANG above kMieMaxNang, or a convergence angle index outside the table
    NoScattering,  // the Qsca sum is 0, so g = 2 g / Qsca cannot be formed
    NotFinite,     // a series term or a result overflowed
};

// Scratch tables of the series, kept in MieResult so that repeated calls reuse their memory.
struct MieWorkspace {
    std::vector<double> angleTables;  // per-angle tables (cos theta, pi_n, tau_n, partial sums), ~0.9 MB
    int muNang = 0;                   // the NANG whose cos theta the tables hold (0: none)
    MieOrderTables tables;            // what the coefficients need of m x and x, up to recurrenceStart
    std::vector<double> bandTerms;    // coefficients and factors of the bands of orders being summed
    std::vector<double> bandEnds;     // threaded runs: amplitudes at the ends of unreported bands
    std::vector<int> blockSteps;      // threaded runs: the band each block of angles has reached
    // The amplitude indices the previous call may have left non-zero (its window; none when
    // ampFirst > ampLast): the next call clears only these, not the whole grid.
    int ampFirst = 1, ampLast = 0;
};

// Everything one call leaves. Reuse one object across calls: its vectors keep their capacity, so a run
// of calls with the same NANG and similar x allocates nothing after the first.
struct MieResult {
    MieStatus status = MieStatus::Done;
    MieRefusal refusal = MieRefusal::None;
    std::string message;  // empty unless Refused
    std::string title;    // "Error in BHMIE sub-routine" when Refused

    int NANG = 2;  // the NANG used (the caller's NANG, raised to 2)
    // S1 and S2 over the angle indices 0..2 NANG - 1 (index J: theta = (J - 1) 90/(NANG - 1) degrees;
    // index 2 NANG - J: 180 degrees minus that). Index 0 and every index outside first..last are 0.
    // Read-only for the caller: the next call clears only the window this one wrote.
    std::vector<double> S1re, S1im, S2re, S2im;

    // Written only as MieSeries describes for each status; otherwise left as they were.
    double Qext = 0.0, Qsca = 0.0, Qback = 0.0, g = 0.0;

    int nStop = 0;            // NSTOP = round(x + 4 x^0.3333 + 20)
    int nMax = 0;             // NMX, the order the limit test applies to
    int termCount = 0;        // orders summed: NSTOP, or more for the convergence graph
    int recurrenceStart = 0;  // order at which the downward recurrence of D (or the ratios) starts
    int ordersDone = 0;       // orders whose sums are complete

    // Convergence graph only: |S1|^2, |S2|^2 and their mean at angleIndex with the partial sums up to
    // order n, for n = 1..termCount (termCount + 1 entries, entry 0 is 0). Empty for the normal graph.
    std::vector<double> intensityPerp, intensityPara, intensityUnpol;

    MieWorkspace work;
};

// Non-owning reference to the per-order callback: bool(int order, int termCount), true asks for a stop.
// The referenced callable must outlive the call it is passed to (a lambda argument always does).
class MieOrderCallback {
  public:
    MieOrderCallback() = default;  // never stops
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, MieOrderCallback>>>
    MieOrderCallback(F&& f)  // NOLINT(google-explicit-constructor): lets a lambda be passed directly
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* object, int order, int termCount) -> bool {
              return (*static_cast<std::remove_reference_t<F>*>(object))(order, termCount);
          }) {}

    bool operator()(int order, int termCount) const {
        return call_ != nullptr && call_(object_, order, termCount);
    }

  private:
    void* object_ = nullptr;
    bool (*call_)(void*, int, int) = nullptr;
};

// Plane-wave Mie series of [1] appendix A: downward recurrence of D_n(m x), upward Riccati-Bessel
// recurrences (below x = kMieRatioSize the ratios of MieOrders instead), angular functions pi_n and
// tau_n, and the amplitudes of theta and 180 - theta summed in one pass. Double precision throughout; the angle step is 1.570796326794895 / (NANG - 1) radians.
//
// Counts: NSTOP = round(x + 4 x^0.3333 + 20) (halves to even), NMX = floor(max(NSTOP, |m x|)) + 20,
// termCount = NSTOP. For the convergence graph termCount = round(1.1 NSTOP) and NMX = termCount.
// NMX is what the 200000 limit applies to. D_n (or the ratios) are started higher, at recurrenceStart =
// max(floor(max(NSTOP, |m x|)) + 20 + ceil(8 |m x|^(1/3)), termCount): from NMX it would be wrong for
// real or weakly absorbing spheres once |m x| nears NMX (1 % in S1(180) at x = 500, m = 1.33).
//
// Outcomes:
// - Done: S1, S2 over first..last (divided by x when mnuSize), Qsca = 2/x^2 sum (2n+1)(|a_n|^2+|b_n|^2),
//   g = 2 (sum) / (Qsca sum), Qext = 4/x^2 Re S1(1), Qback = |S1(2 NANG - 1)|^2 / (3.14159265358979 x^2).
//   Qext and Qback are full values only when the window holds the indices 1 and 2 NANG - 1 (else 0).
// - Stopped: `onOrder` returned true after order n: the orders up to ordersDone are complete and the
//   routine ends there (ordersDone = n for small runs; see the bands below). S1, S2 (and the convergence intensities up to n) hold the partial sums, not
//   divided by x; Qsca and g hold the raw partial sums (sum (2n+1)(|a_n|^2+|b_n|^2) and the g sum before
//   2/Qsca); Qext and Qback are not written.
// - Refused: `refusal`, `message` and `title` ("Error in BHMIE sub-routine") say why; S1 and S2 are all 0
//   (empty when NANG itself is refused) and Qext, Qsca, Qback and g are not written.
//   |m x| > 200000 or NMX > 200000: "Reduce radius or increase wavelength" (after the NMX test nStop, nMax
//   and termCount are set). Also refused: x not finite or not above 0; m not finite or 0; NANG above
//   kMieMaxNang; a convergence angleIndex outside 0..2 NANG - 1; a term that overflows (x below about
//   5e-14, where chi_n exceeds the double range); a Qsca sum of 0 (g undefined).
//
// `onOrder` is called on the calling thread once per order n = 1..termCount after the amplitudes of
// that order are summed (and, for the convergence graph, after its intensities are stored); never
// inside the angle loops. With ordersPerCallback k > 1 only for n = 1, 1 + k, 1 + 2k, ... and
// termCount. Runs of at least 200 angles in the window (J = 1..NANG whose index J or 2 NANG - J lies in
// first..last), 50 orders and 3e6 angle-order terms (angles times orders; below that the pool costs
// more than it saves) are summed in bands of 128 orders (runs of more than 3072 orders: about 24
// bands of a multiple of 128 orders, at most 4096), each band over blocks of at most about 256 angles,
// several per thread, that the threads of the worker pool take as they come free
// (numerics/worker_pool.h); a block goes on into the next bands without waiting for the others to finish
// theirs. `onOrder` sees the orders of a band after the whole band is summed: a stop ends the run at the
// end of the band (ordersDone), and the sums are those at its end. Every value is the same to the bit whatever the number of threads.
// No allocation happens once the tables are sized, and none at all when `result` already has the
// capacity (only a refusal builds its message). Every angle's values are bit-identical whatever the
// window. Accuracy: the published reference values of tests/scattering/mie_test.cpp to their last digit
// (10 to 13 digits), D_n to the last bit, and for small spheres (x = 1e-13 to 1, m = 1.33 and 10 + 10i)
// S1, S2, Qext, Qsca, Qback and g within 1e-12 of arbitrary-precision values.
void MieSeries(const MieInput& input, MieResult& result, MieOrderCallback onOrder = {});

// Whether MieSeries sums the angles of a run of `windowAngles` angle pairs and `orders` orders on the
// worker pool (as above); below that it sums them on the calling thread. The run-time estimate asks too.
bool MieSumsOnThePool(double windowAngles, double orders);

// The variant behind BHMIE2: the same series, but the convergence graph sums round(1.2 NSTOP) orders and
// its NMX (the limit test) is the larger of the normal NMX and termCount. Its other differences, the
// window title and the progress bar, belong to the window procedure.
void MieSeries2(const MieInput& input, MieResult& result, MieOrderCallback onOrder = {});

}  // namespace tessary
