// The loop bodies of angle_loops.h, included by angle_loops.cpp (baseline build) and
// angle_loops_avx2.cpp (AVX2 build) only; see angle_loops.h for the references.
//
// Everything here has internal linkage and calls no library function that is not a builtin, so the
// two builds share no out-of-line code: a function compiled for AVX2 can never be picked by the linker
// for the baseline build.
#pragma once

#include <cstring>

#include "scattering/angle_loops.h"

namespace tessary::angle_loops {
namespace {

// ---- Plane-wave Mie -------------------------------------------------------------------------------
//
// Amplitudes of theta_J and of 180 - theta_J come from the same pi_n(mu), tau_n(mu) ([1] 4.74:
// pi_n(-mu) = (-1)^(n-1) pi_n, tau_n(-mu) = (-1)^n tau_n). Per order two passes over the angles: the
// angular functions, then the amplitude sums; short dependency chains keep the floating-point units
// busy. Every per-angle table is a separate array of doubles (structure of arrays) inside one buffer
// at a fixed stride, so the loops address all of them from one base register.
//
// The loop bodies are written once for a scalar and once for a vector of doubles (a GCC/Clang vector
// type: a pair on SSE2, four on AVX2), since at -O2 the compiler does not vectorise loops of unknown
// trip count by itself. Every form performs the same IEEE operations in the same order (no
// contraction), so every angle gets bit-identical values whichever form handles it.

using Pair = double __attribute__((vector_size(16)));

// Loads and stores of a field at angle J. A vector of k doubles always starts at a J divisible by k,
// hence on 8k bytes.
template <class V>
inline V Load(const double* row, Field f) {
    V v;
    std::memcpy(&v, __builtin_assume_aligned(row + f * kStride, sizeof(V)), sizeof v);
    return v;
}
template <class V>
inline void Store(double* row, Field f, V v) {
    std::memcpy(__builtin_assume_aligned(row + f * kStride, sizeof(V)), &v, sizeof v);
}

// Calls step(V{}, j) for j in [begin, end): vectors of Wide from a j divisible by their length on,
// pairs and single values at the ends.
template <class Wide, class Step>
inline void ForAngles(int begin, int end, Step step) {
    constexpr int kLanes = sizeof(Wide) / sizeof(double);
    static_assert(kLanes == 2 || kLanes == 4);
    int j = begin;
    if (j % 2 != 0 && j < end) step(0.0, j++);
    if constexpr (kLanes == 4)
        if (j % 4 != 0 && j + 2 <= end) {
            step(Pair{}, j);
            j += 2;
        }
    for (; j + kLanes <= end; j += kLanes) step(Wide{}, j);
    if constexpr (kLanes == 4)
        if (j + 2 <= end) {
            step(Pair{}, j);
            j += 2;
        }
    if (j < end) step(0.0, j);
}

// The terms come by value: stores into the buffer then cannot alias them, so they stay in registers.
// Angles J in [begin, end) only: each angle's recurrence stands alone, so a window gets the same bits.
template <class Wide>
void AngularFunctions(const OrderTerms t, double* tables, int begin, int end) {
    ForAngles<Wide>(begin, end, [t, tables](auto v, int j) {
        using V = decltype(v);
        double* row = tables + j;
        const V mu = Load<V>(row, kMu), pi = Load<V>(row, kPi1), pi0 = Load<V>(row, kPi0);
        Store(row, kTau, t.n * mu * pi - t.np1 * pi0);             // [1] 4.47
        Store(row, kPi1, (t.n2p1 * mu * pi - t.np1 * pi0) / t.n);  // [1] 4.47, upward in n
        Store(row, kPi0, pi);
    });
}

template <class Wide, bool kForward, bool kMirror>
void AmplitudeSums(const OrderTerms t, double* tables, int begin, int end) {
    ForAngles<Wide>(begin, end, [t, tables](auto v, int j) {
        using V = decltype(v);
        double* row = tables + j;
        const V pi = Load<V>(row, kPi0), tau = Load<V>(row, kTau);
        if constexpr (kForward) {  // [1] 4.74
            Store(row, kS1re, Load<V>(row, kS1re) + t.FN * (t.ar * pi + t.br * tau));
            Store(row, kS1im, Load<V>(row, kS1im) + t.FN * (t.ai * pi + t.bi * tau));
            Store(row, kS2re, Load<V>(row, kS2re) + t.FN * (t.ar * tau + t.br * pi));
            Store(row, kS2im, Load<V>(row, kS2im) + t.FN * (t.ai * tau + t.bi * pi));
        }
        if constexpr (kMirror) {
            Store(row, kM1re, Load<V>(row, kM1re) + t.FNP * (t.ar * pi - t.br * tau));
            Store(row, kM1im, Load<V>(row, kM1im) + t.FNP * (t.ai * pi - t.bi * tau));
            Store(row, kM2re, Load<V>(row, kM2re) + t.FNP * (t.br * pi - t.ar * tau));
            Store(row, kM2im, Load<V>(row, kM2im) + t.FNP * (t.bi * pi - t.ai * tau));
        }
    });
}

template <class Wide>
void MieAngleSumsOf(const OrderTerms& t, double* tables, int begin, int end, const Segments& segments) {
    for (int i = 0; i < segments.count; ++i) {
        const Segment& s = segments.list[i];
        const int b = s.begin > begin ? s.begin : begin, e = s.end < end ? s.end : end;
        if (b >= e || !(s.forward || s.mirror)) continue;
        AngularFunctions<Wide>(t, tables, b, e);
        if (s.forward && s.mirror)
            AmplitudeSums<Wide, true, true>(t, tables, b, e);
        else if (s.forward)
            AmplitudeSums<Wide, true, false>(t, tables, b, e);
        else if (s.mirror)
            AmplitudeSums<Wide, false, true>(t, tables, b, e);
    }
}

// ---- Debye ------------------------------------------------------------------------------------------
//
// For each mu of the block: pi_n by pi_k = ((2k-1)/(k-1)) mu pi_(k-1) - (k/(k-1)) pi_(k-2) ([1] 4.47),
// tau_n = n mu pi_n - (n+1) pi_(n-1), and the sums over n = 1..N in order, forward with fn and mirrored
// with (-1)^n fn ([1] 4.74). The n = 0 term is zero (pi_0 = tau_0 = 0). Each angle's arithmetic is that
// of a sum taken alone; the angles of the block only run side by side (local arrays, fixed trip count,
// so the compiler vectorises over them at the width of the build).
constexpr int kBlock = kDebyeAngleBlock;

inline void DebyeSumBlockOf(const double* muIn, int N, const double* piA, const double* piB, const double* fn,
                            const Complex* an2, const Complex* bn2, DebyeBlockSums& out) {
    double mu[kBlock], p1[kBlock], p2[kBlock];  // mu, pi_n, pi_(n-1)
    double f1r[kBlock], f1i[kBlock], f2r[kBlock], f2i[kBlock];
    double b1r[kBlock], b1i[kBlock], b2r[kBlock], b2i[kBlock];
    for (int k = 0; k < kBlock; ++k) {
        mu[k] = muIn[k];
        p1[k] = 1.0;
        p2[k] = 0.0;
        f1r[k] = f1i[k] = f2r[k] = f2i[k] = b1r[k] = b1i[k] = b2r[k] = b2i[k] = 0.0;
    }
    for (int n = 1; n <= N; ++n) {
        const double a = piA[n], b = piB[n];
        const double dn = n, dn1 = n + 1.0;
        const double f = fn[n], pf = (n % 2 == 0) ? f : -f;
        const double ar = an2[n].re, ai = an2[n].im, br = bn2[n].re, bi = bn2[n].im;
        if (n >= 2) {
            for (int k = 0; k < kBlock; ++k) {
                const double pin = a * mu[k] * p1[k] - b * p2[k];
                p2[k] = p1[k];
                p1[k] = pin;
            }
        }
        for (int k = 0; k < kBlock; ++k) {
            const double pin = p1[k];
            const double tau = dn * mu[k] * pin - dn1 * p2[k];
            f1r[k] += f * (ar * pin + br * tau);
            f1i[k] += f * (ai * pin + bi * tau);
            f2r[k] += f * (ar * tau + br * pin);
            f2i[k] += f * (ai * tau + bi * pin);
            b1r[k] += pf * (br * tau - ar * pin);
            b1i[k] += pf * (bi * tau - ai * pin);
            b2r[k] += pf * (ar * tau - br * pin);
            b2i[k] += pf * (ai * tau - bi * pin);
        }
    }
    std::memcpy(out.f1r, f1r, sizeof f1r);
    std::memcpy(out.f1i, f1i, sizeof f1i);
    std::memcpy(out.f2r, f2r, sizeof f2r);
    std::memcpy(out.f2i, f2i, sizeof f2i);
    std::memcpy(out.b1r, b1r, sizeof b1r);
    std::memcpy(out.b1i, b1i, sizeof b1i);
    std::memcpy(out.b2r, b2r, sizeof b2r);
    std::memcpy(out.b2i, b2i, sizeof b2i);
}

}  // namespace
}  // namespace tessary::angle_loops
