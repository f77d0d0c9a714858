// The hot angle loops of the plane-wave Mie series (mie.cpp) and of the Debye series (debye.cpp), built
// twice: for the baseline instruction set (SSE2, two angles per instruction) and for AVX2 (four), the
// AVX2 build chosen at run time where the processor has it. Both builds perform the same IEEE
// operations in the same order for every angle (no fused multiply-add, no sums across angles), so
// either gives the same bits. The recurrences are those of [1] 4.47 and the sums [1] 4.74.
// [1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983).
#pragma once

#include <cstddef>

#include "numerics/complex.h"
#include "scattering/debye.h"
#include "scattering/mie.h"

namespace tessary::angle_loops {

// ---- Plane-wave Mie: the angle buffer and one order over a range of angles ----------------------

// Fields of the Mie angle buffer, each kStride doubles long, indexed by J = 0..NANG.
enum Field : std::ptrdiff_t {
    kMu,    // cos theta_J
    kPi0,   // pi_(n-1); after the first pass of order n: pi_n
    kPi1,   // pi_n; after the first pass: pi_(n+1)
    kTau,   // tau_n
    kS1re,  // forward amplitudes, angle index J
    kS1im,
    kS2re,
    kS2im,
    kM1re,  // mirrored amplitudes, angle index 2 NANG - J
    kM1im,
    kM2re,
    kM2im,
    kFieldCount
};
// A whole number of cache lines, so that every field starts on a line (the buffer does, see
// AngleBuffer in mie.cpp); 9008 * 8 bytes is no multiple of 4 KiB, so the fields do not alias one
// another in the caches.
constexpr std::ptrdiff_t kStride = 9008;
static_assert(kStride >= kMieMaxNang + 1 && kStride * sizeof(double) % 64 == 0);

struct OrderTerms {
    double n, np1, n2p1;  // n, n + 1, 2n + 1
    double FN, FNP;       // (2n+1)/(n(n+1)) and FN times P = (-1)^(n-1)
    double ar, ai, br, bi;
};

// Runs of J with the same window membership (forward index J, mirrored index 2 NANG - J), fixed per call.
struct Segment {
    int begin = 0, end = 0;
    bool forward = false, mirror = false;
};

struct Segments {
    Segment list[6];
    int count = 0;
};

// One order over the angles J = begin..end - 1 that the window's segments need: the angular functions,
// then the amplitude sums. The buffer starts on a cache line.
using MieAngleSums = void (*)(const OrderTerms& t, double* tables, int begin, int end,
                              const Segments& segments);

// ---- Debye: all orders over one block of kDebyeAngleBlock angles --------------------------------

// The sums over n = 1..N of the partial waves an2, bn2 at the block's cosines mu into out, with the
// recurrence factors piA, piB and fn of DebyeWorkspace.
using DebyeSumBlock = void (*)(const double* mu, int N, const double* piA, const double* piB,
                               const double* fn, const Complex* an2, const Complex* bn2, DebyeBlockSums& out);

// ---- The two builds and the choice ---------------------------------------------------------------

void MieAngleSumsBaseline(const OrderTerms& t, double* tables, int begin, int end, const Segments& segments);
void MieAngleSumsAvx2(const OrderTerms& t, double* tables, int begin, int end, const Segments& segments);
void DebyeSumBlockBaseline(const double* mu, int N, const double* piA, const double* piB, const double* fn,
                           const Complex* an2, const Complex* bn2, DebyeBlockSums& out);
void DebyeSumBlockAvx2(const double* mu, int N, const double* piA, const double* piB, const double* fn,
                       const Complex* an2, const Complex* bn2, DebyeBlockSums& out);

// Whether this processor (and its operating system) runs AVX2 instructions.
bool CpuHasAvx2();

// The AVX2 build where the processor has it, unless baseline asks for the SSE2 build (tests and
// benchmarks compare the two).
MieAngleSums ChooseMieAngleSums(bool baseline);
DebyeSumBlock ChooseDebyeSumBlock(bool baseline);

}  // namespace tessary::angle_loops
