// Angle sums of the Gaussian-beam series; see beam_sums.h.
// [1] Gouesbet & Grehan (2011). [2] Bohren & Huffman (1983), 4.74.
#include "beam_sums.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "numerics/worker_pool.h"

namespace tessary {
namespace {

// Angles worked together: the products of an (n, m) are loaded once for all of them. The lanes are
// independent; they are held in pairs of doubles (a GCC/Clang vector type: SSE2 on baseline x86-64),
// since the compiler does not vectorise these loops at -O2 by itself. A pair performs the same IEEE
// operations as two scalars, so every angle gets the same bits in whichever lane it lands.
using Pair = double __attribute__((vector_size(16)));
constexpr int kPairs = 4;
constexpr int kLanes = 2 * kPairs;

struct Block {
    double C[kLanes];  // cos theta_J of the forward angle
    double S[kLanes];  // sin theta_J
};

struct Accumulators {
    double f1re[kLanes], f1im[kLanes], f2re[kLanes], f2im[kLanes];  // S1, S2 at theta_J
    double m1re[kLanes], m1im[kLanes], m2re[kLanes], m2im[kLanes];  // S1, S2 at 180 - theta_J
};

// One block of lanes with its angle indices and its sums.
struct LaneBlock {
    Block block;
    int laneJ[kLanes];
    int lanes;
    bool anyMirror;
    Accumulators acc;
};

// Threads: windows of at least kThreadedPoints points with at least kThreadedOrders orders are summed
// kGroupBlocks blocks at a time on the worker pool.
constexpr int kThreadedPoints = 200;
constexpr int kThreadedOrders = 50;
constexpr int kGroupBlocks = 32;

inline Pair Load(const double* p) {
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void Store(double* p, Pair v) { std::memcpy(p, &v, sizeof v); }

template <bool kMirror>
void SumBlock(const BeamPartialWaves& w, const Block& block, Accumulators& out) {
    Pair C[kPairs];
    Pair f1re[kPairs] = {}, f1im[kPairs] = {}, f2re[kPairs] = {}, f2im[kPairs] = {};
    Pair m1re[kPairs] = {}, m1im[kPairs] = {}, m2re[kPairs] = {}, m2im[kPairs] = {};
    for (int q = 0; q < kPairs; ++q) C[q] = Load(block.C + 2 * q);
    for (int m = 1; m <= w.M; ++m) {
        const int last = w.lastOrder[static_cast<std::size_t>(m)];
        if (last < m) continue;
        const double start = Factorial2(2 * m - 1) * m;
        double first[kLanes];  // m pi_m^m = (2m - 1)!! m sin^(m-1) theta
        for (int b = 0; b < kLanes; ++b) {
            const double power = std::pow(block.S[b], m - 1);  // 0^0 = 1
            first[b] = power == 0.0 ? 0.0 : start * power;
        }
        Pair p0[kPairs] = {}, p1[kPairs];  // m pi_(n-1)^m, m pi_n^m
        for (int q = 0; q < kPairs; ++q) p1[q] = Load(first + 2 * q);
        const BeamTerm* t = &w.terms[w.offset[static_cast<std::size_t>(m)]];
        for (int n = m; n <= last; ++n, ++t) {
            const BeamTerm v = *t;
            const double r1 = static_cast<double>(n) / m;
            const double r2 = static_cast<double>(n + m) / (n + 1 - m);
            const double sigma = ((n + m) & 1) != 0 ? -1.0 : 1.0;  // (-1)^(n+m)
            for (int q = 0; q < kPairs; ++q) {
                const Pair pi = p1[q];
                const Pair c = pi * C[q];
                const Pair d = c - p0[q];
                const Pair tau = r1 * d - p0[q];
                p0[q] = pi;
                p1[q] = r2 * d + c;
                f1re[q] += pi * v.v1re + tau * v.v3re;
                f1im[q] += pi * v.v1im + tau * v.v3im;
                f2re[q] += tau * v.v2re + pi * v.v4re;
                f2im[q] += tau * v.v2im + pi * v.v4im;
                if constexpr (kMirror) {
                    const Pair sp = sigma * pi, st = -sigma * tau;  // pi, tau at 180 - theta
                    m1re[q] += sp * v.v1re + st * v.v3re;
                    m1im[q] += sp * v.v1im + st * v.v3im;
                    m2re[q] += st * v.v2re + sp * v.v4re;
                    m2im[q] += st * v.v2im + sp * v.v4im;
                }
            }
        }
    }
    for (int q = 0; q < kPairs; ++q) {
        Store(out.f1re + 2 * q, f1re[q]);
        Store(out.f1im + 2 * q, f1im[q]);
        Store(out.f2re + 2 * q, f2re[q]);
        Store(out.f2im + 2 * q, f2im[q]);
        Store(out.m1re + 2 * q, m1re[q]);
        Store(out.m1im + 2 * q, m1im[q]);
        Store(out.m2re + 2 * q, m2re[q]);
        Store(out.m2im + 2 * q, m2im[q]);
    }
}

bool IsZero(const BeamTerm& t) {
    return t.v1re == 0.0 && t.v1im == 0.0 && t.v2re == 0.0 && t.v2im == 0.0 && t.v3re == 0.0 &&
           t.v3im == 0.0 && t.v4re == 0.0 && t.v4im == 0.0;
}

}  // namespace

void BuildBeamPartialWaves(const BeamShapeTables& shape, double phi, const std::vector<Complex>& an,
                           const std::vector<Complex>& bn, const std::vector<double>& cn,
                           BeamPartialWaves& w) {
    const int N = shape.beamNMax, M = shape.beamMMax;
    w.N = N;
    w.M = M;
    w.offset.assign(static_cast<std::size_t>(M) + 1, 0);
    w.lastOrder.assign(static_cast<std::size_t>(M) + 1, 0);
    std::size_t size = 0;
    for (int m = 1; m <= M; ++m) {
        w.offset[static_cast<std::size_t>(m)] = size;
        size += static_cast<std::size_t>(std::max(N - m + 1, 0));
    }
    w.terms.resize(size);
    for (int m = 1; m <= M; ++m) {
        const Complex Eplus = ComplexExp({0.0, m * phi}), Eminus = ComplexExp({0.0, -m * phi});
        int last = m - 1;
        for (int n = m; n <= N; ++n) {
            const std::size_t i = shape.Index(n, m);
            const Complex Ap = shape.beamGPlusA[i], Am = shape.beamGMinusA[i];
            const Complex Bp = shape.beamGPlusB[i], Bm = shape.beamGMinusB[i];
            BeamTerm& t = w.terms[w.offset[static_cast<std::size_t>(m)] + static_cast<std::size_t>(n - m)];
            if (Ap == Complex{} && Am == Complex{} && Bp == Complex{} && Bm == Complex{}) {
                t = {};  // a centred beam above |m| = 1, or coefficients below the double range
                continue;
            }
            const Complex ApE = ComplexMult(Ap, Eplus), AmE = ComplexMult(Am, Eminus);
            const Complex BpE = ComplexMult(Bp, Eplus), BmE = ComplexMult(Bm, Eminus);
            const Complex HAminus = ComplexAdd(ComplexMult({-Ap.re, -Ap.im}, Eplus), AmE);
            const Complex HAplus = ComplexAdd(ApE, AmE);
            const Complex HBplus = ComplexAdd(BpE, BmE);
            const Complex HBminus = ComplexSub(BpE, BmE);
            const double c = cn[static_cast<std::size_t>(n)];
            const Complex a = an[static_cast<std::size_t>(n)], b = bn[static_cast<std::size_t>(n)];
            const Complex ica = ComplexMult(a, {0.0, c}), ca = ComplexMult(a, {c, 0.0});
            const Complex cb{b.re * c, b.im * c}, icb = ComplexMult(b, {0.0, c});
            const Complex V1 = ComplexMult(ica, HAminus), V2 = ComplexMult(ca, HAplus);
            const Complex V3 = ComplexMult(cb, HBplus), V4 = ComplexMult(icb, HBminus);
            t = {V1.re, V1.im, V3.re, V3.im, V2.re, V2.im, V4.re, V4.im};
            if (!IsZero(t)) last = n;
        }
        w.lastOrder[static_cast<std::size_t>(m)] = last;
    }
}

int BeamWindowPoints(int nang, int first, int last) {
    const long long lo = std::max(1, first), hi = std::min(2LL * nang - 1, static_cast<long long>(last));
    return hi < lo ? 0 : static_cast<int>(hi - lo + 1);
}

bool BeamAngleSums(const BeamPartialWaves& w, int nang, int first, int last, std::vector<double>& S1re,
                   std::vector<double>& S1im, std::vector<double>& S2re, std::vector<double>& S2im,
                   std::vector<unsigned char>& done, BeamProgressCallback onPoint) {
    const long long n2 = 2LL * nang;
    auto inWindow = [first, last, n2](long long k) {
        return k >= 1 && k <= n2 - 1 && k >= first && k <= last;
    };
    const int total = BeamWindowPoints(nang, first, last);
    const double dang = kHalfPi / (nang - 1);
    int pointsDone = 0;

    // Blocks of lanes are summed a group at a time (on the worker pool for large runs), then stored
    // in order, point by point; a stop drops the sums of the group not yet stored.
    const int group = total >= kThreadedPoints && w.N >= kThreadedOrders ? kGroupBlocks : 1;
    LaneBlock blocks[kGroupBlocks];
    int count = 0;  // blocks filled
    auto sum = [&](int i) {
        LaneBlock& b = blocks[i];
        for (int lane = b.lanes; lane < kLanes; ++lane) {  // idle lanes: any finite angle
            b.block.C[lane] = 1.0;
            b.block.S[lane] = 0.0;
        }
        if (b.anyMirror)
            SumBlock<true>(w, b.block, b.acc);
        else
            SumBlock<false>(w, b.block, b.acc);
    };
    // Sums and stores the blocks filled; false when the callback asks for a stop.
    auto flush = [&]() -> bool {
        SharedPool().ForEach(count, sum);
        for (int i = 0; i < count; ++i) {
            const LaneBlock& b = blocks[i];
            for (int lane = 0; lane < b.lanes; ++lane) {
                const int J = b.laneJ[lane];
                const Accumulators& acc = b.acc;
                const std::size_t targets[2] = {static_cast<std::size_t>(J),
                                                static_cast<std::size_t>(n2 - J)};
                const double values[2][4] = {
                    {acc.f1re[lane], acc.f1im[lane], acc.f2re[lane], acc.f2im[lane]},
                    {acc.m1re[lane], acc.m1im[lane], acc.m2re[lane], acc.m2im[lane]}};
                for (int side = 0; side < 2; ++side) {
                    const std::size_t k = targets[side];
                    if (side == 1 && (J == nang || !b.anyMirror)) continue;
                    if (!inWindow(static_cast<long long>(k))) continue;
                    S1re[k] += values[side][0];
                    S1im[k] += values[side][1];
                    S2re[k] += values[side][2];
                    S2im[k] += values[side][3];
                    done[k] = 1;
                    if (onPoint(BeamStage::Angles, ++pointsDone, total)) return false;
                }
            }
        }
        count = 0;
        blocks[0].lanes = 0;
        blocks[0].anyMirror = false;
        return true;
    };

    blocks[0].lanes = 0;
    blocks[0].anyMirror = false;
    for (int J = 1; J <= nang; ++J) {
        const bool forward = inWindow(J), mirror = J < nang && inWindow(n2 - J);
        if (!forward && !mirror) continue;
        LaneBlock& b = blocks[count];
        const double theta = (J - 1) * dang;
        b.block.C[b.lanes] = std::cos(theta);
        b.block.S[b.lanes] = std::sin(theta);
        b.laneJ[b.lanes] = J;
        b.anyMirror = b.anyMirror || mirror;
        if (++b.lanes < kLanes) continue;
        if (++count == group) {
            if (!flush()) return true;
        } else {
            blocks[count].lanes = 0;
            blocks[count].anyMirror = false;
        }
    }
    if (blocks[count].lanes > 0) ++count;
    if (count > 0 && !flush()) return true;
    return false;
}

}  // namespace tessary
