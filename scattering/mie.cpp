// Plane-wave Mie series (BHMIE scheme of [1] appendix A); see mie.h for the interface and the outcomes.
// [1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983).
// [2] W. J. Wiscombe, Appl. Opt. 19, 1505 (1980).
// Equation numbers refer to [1].
#include "mie.h"
#include "mie_coefficients.h"
#include "angle_loops.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "numerics/kernel_support.h"
#include "numerics/worker_pool.h"

namespace tessary {
namespace {

constexpr char kErrorTitle[] = "Error in BHMIE sub-routine";
constexpr char kTooLarge[] = "Reduce radius or increase wavelength";

// Threads: runs of at least kThreadedAngles window angles, kThreadedOrders orders and kThreadedTerms
// angle-order terms (window angles x orders) are summed in bands of orders over blocks of angles (their
// tables stay in the level-1 cache through a band), the blocks spread over the worker pool; see
// AngleBlocks and BandSize. Smaller runs stay on the calling thread, with the same bits.
constexpr int kThreadedAngles = 200;
constexpr int kThreadedOrders = 50;
// A term costs about 0.8 ns on one thread. Handing a run's blocks to the pool and waiting for threads
// that have lost their core costs about 0.4 to 0.6 ms at the median, 0.05 ms at best. Median time on
// the pool (8 threads) over one thread, on a busy and on a quieter machine: 4.7 to 6 at 1.3e5 terms
// (x = 100, 1801 angles), 1.7 to 1.9 at 9.6e5 (x = 1000), 1.1 to 1.3 at 1.9e6, 0.8 to 1.2 from 2.8e6
// to 3.7e6 and 0.5 to 0.8 from 5.5e6 on, every run on the pool (BM_RatioMieThreads shows the limit).
constexpr double kThreadedTerms = 3e6;
constexpr int kOrderBand = 128;      // orders in a band: a multiple of this
constexpr int kMaxOrderBand = 4096;  // at most (the band's terms stay in the level-2 cache)
constexpr int kBands = 24;           // bands in a run, where that gives bands of kOrderBand or more
constexpr int kAngleBlock = 256;     // angles in a block at most (its tables in the level-1 cache)
constexpr int kBlocksPerThread = 4;  // blocks of a band per thread of the pool, up to ...
constexpr int kMinAngleBlock = 32;   // ... where that leaves at least this many angles in a block
// Bands formed ahead of the slowest block at most: about half a long run, so that a thread that loses
// its core for a while holds up the others only once they have summed that far (4 kept 8 threads at
// x = 1e5 with 1801 angles 1.3-1.5x slower than the machine allowed, 12 about 1.15x).
constexpr int kRingBands = 12;
constexpr std::size_t kCacheLine = 64;

enum class Variant { BHMIE, BHMIE2 };

// Nearest whole number, halves to the even neighbour.

int SaturatedInt(double v) {
    return v >= static_cast<double>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                     : static_cast<int>(v);
}

std::string IndexText(Complex m) {
    return MessageNumber(m.re) +
           (std::signbit(m.im) ? " - " + MessageNumber(-m.im) : " + " + MessageNumber(m.im)) + "i";
}

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Whether the values at indices first..last (a range inside the table, or empty) are finite.
bool AllFinite(const std::vector<double>& values, int first, int last) {
    return first > last || std::all_of(values.begin() + first, values.begin() + last + 1,
                                       [](double v) { return std::isfinite(v); });
}

void Refuse(MieResult& r, MieRefusal why, std::string message) {
    r.status = MieStatus::Refused;
    r.refusal = why;
    r.message = std::move(message);
    r.title = kErrorTitle;
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) std::fill(s->begin(), s->end(), 0.0);
}

// ---- The angle buffer and its blocks --------------------------------------------------------------
//
// The loops over the angles live in angle_loops.h (a baseline and an AVX2 build).

using namespace angle_loops;

static_assert(kStride * sizeof(double) % kCacheLine == 0);
constexpr int kLineDoubles = static_cast<int>(kCacheLine / sizeof(double));

// The angle buffer inside the workspace's table, from its first cache-line boundary on.
double* AngleBuffer(std::vector<double>& table) {
    void* p = table.data();
    std::size_t space = table.size() * sizeof(double);
    return static_cast<double*>(std::align(kCacheLine, kFieldCount * kStride * sizeof(double), p, space));
}

// The cut of the angles J = 1..NANG into the blocks of a band: blocks of nearly equal size, a whole
// number of rounds of the pool's threads, several rounds where the blocks stay large enough, so that a thread that is slow (another program took its core) holds up the end of a
// band by a small block only, while the others take the blocks left as they come free. Each block
// starts on a cache line of every field, so that two threads never write to one line (a line shared
// at a block edge costs more than the sums of the block). The cut follows the thread count, the
// values do not: every angle gets the same operations in any block.
struct AngleBlocks {
    int nang = 0, count = 1;

    explicit AngleBlocks(int nang_) : nang(nang_) {}  // one block
    AngleBlocks(int nang_, int threads) : nang(nang_) {
        const int angles = nang + 1;  // J = 0..NANG
        const int rounds = std::max((angles + threads * kAngleBlock - 1) / (threads * kAngleBlock),
                                    std::min(kBlocksPerThread, angles / (threads * kMinAngleBlock)));
        count = threads * std::max(rounds, 1);
    }
    // The first J of block b = 0..count; block b holds J in [Edge(b), Edge(b + 1)), maybe none.
    int Edge(int b) const {
        if (b == count) return nang + 1;
        const long long edge = static_cast<long long>(b) * (nang + 1) / count;
        return std::max(1, static_cast<int>(edge) / kLineDoubles * kLineDoubles);
    }
};

// Orders in each band of a threaded run of `terms` orders: each band costs a hand-over per block and a
// report, so a long run takes about kBands bands, each a multiple of kOrderBand orders. Runs of up to
// kBands * kOrderBand orders keep bands of kOrderBand, and with them the callbacks and stops that
// follow each band.
int BandSize(int terms) {
    const int wanted = (terms + kBands - 1) / kBands;
    return std::min(kMaxOrderBand, std::max(kOrderBand, (wanted + kOrderBand - 1) / kOrderBand * kOrderBand));
}

// The terms of a band of orders, kept as doubles in the workspace (no allocation once sized): bands
// side by side, `part` 0..kRingBands. Parts 0..kRingBands - 1 are the ring of bands being summed or
// copied in (BandSchedule); part kRingBands is where a thread forms the next band, on lines no other
// thread holds: forming
// straight into lines the workers have read took several times as long (each store waits for its line
// to be taken back from their caches), a copy of the whole band takes them back in one stream.
class OrderBand {
  public:
    static constexpr std::size_t kDoubles = sizeof(OrderTerms) / sizeof(double);
    static_assert(sizeof(OrderTerms) == kDoubles * sizeof(double));
    static constexpr int kParts = kRingBands + 1;

    OrderBand() = default;
    OrderBand(std::vector<double>& storage, int size, int part) {
        const std::size_t doubles = static_cast<std::size_t>(size) * kDoubles;
        if (storage.size() < kParts * doubles) storage.resize(kParts * doubles);
        terms_ = storage.data() + static_cast<std::size_t>(part) * doubles;
    }
    // The first `count` terms of `other`.
    void CopyFrom(const OrderBand& other, int count) {
        std::memcpy(terms_, other.terms_, static_cast<std::size_t>(count) * kDoubles * sizeof(double));
    }
    OrderTerms operator[](int i) const {
        OrderTerms t;
        std::memcpy(&t, terms_ + static_cast<std::size_t>(i) * kDoubles, sizeof t);
        return t;
    }
    void Set(int i, const OrderTerms& t) {
        std::memcpy(terms_ + static_cast<std::size_t>(i) * kDoubles, &t, sizeof t);
    }

  private:
    double* terms_ = nullptr;
};

Segments WindowSegments(int nang, int first, int last) {
    const long long n = nang;
    const long long fLo = std::max<long long>(1, first), fHi = std::min<long long>(n, last);
    const long long mLo = std::max<long long>(1, 2 * n - last),
                    mHi = std::min<long long>(n - 1, 2 * n - first);
    long long cuts[] = {1, n + 1, fLo, fHi + 1, mLo, mHi + 1};
    for (auto& c : cuts) c = std::clamp<long long>(c, 1, n + 1);
    std::sort(std::begin(cuts), std::end(cuts));
    Segments s;
    for (int i = 0; i + 1 < 6; ++i) {
        if (cuts[i] == cuts[i + 1]) continue;
        const long long b = cuts[i];
        s.list[s.count++] = {static_cast<int>(b), static_cast<int>(cuts[i + 1]), fLo <= b && b <= fHi,
                             mLo <= b && b <= mHi};
    }
    return s;
}

// The angles J whose functions the window needs (forward, mirrored or both).
int WindowAngles(const Segments& segments) {
    int count = 0;
    for (int i = 0; i < segments.count; ++i)
        if (segments.list[i].forward || segments.list[i].mirror)
            count += segments.list[i].end - segments.list[i].begin;
    return count;
}

// ---- Series coefficients, once per order --------------------------------------------------------

// Input checks that the series itself does not make; true when the input is refused.
bool RefuseBadInput(const MieInput& in, MieResult& r) {
    if (!std::isfinite(in.x) || !(in.x > 0.0)) {
        Refuse(r, MieRefusal::BadSize,
               "Size parameter x = " + MessageNumber(in.x) + " is not a finite number above 0");
        return true;
    }
    if (!std::isfinite(in.m.re) || !std::isfinite(in.m.im) || (in.m.re == 0.0 && in.m.im == 0.0)) {
        Refuse(r, MieRefusal::BadIndex,
               "Refractive index m = " + IndexText(in.m) + " must be finite and not 0");
        return true;
    }
    if (in.graph == MieGraph::Convergence && (in.angleIndex < 0 || in.angleIndex > 2 * r.NANG - 1)) {
        Refuse(r, MieRefusal::BadAngles,
               "Angle index " + MessageNumber(in.angleIndex) + " lies outside 0 to " +
                   MessageNumber(2 * r.NANG - 1));
        return true;
    }
    return false;
}

// S1 (or S2 with the S2 fields) at angle index k, read from the angle buffer.
Complex Amplitude(const double* tables, int nang, int k, Field forwardRe, Field mirrorRe) {
    if (k == 0) return {};
    const bool forward = k <= nang;
    const double* row = tables + (forward ? k : 2 * nang - k);
    const Field re = forward ? forwardRe : mirrorRe;
    return {row[re * kStride], row[(re + 1) * kStride]};
}

void StoreConvergence(MieResult& r, int angleIndex, int n) {
    const double* tables = AngleBuffer(r.work.angleTables);
    const double s1 = ComplexAbs(Amplitude(tables, r.NANG, angleIndex, kS1re, kM1re));
    const double s2 = ComplexAbs(Amplitude(tables, r.NANG, angleIndex, kS2re, kM2re));
    r.intensityPerp[n] = s1 * s1;
    r.intensityPara[n] = s2 * s2;
    r.intensityUnpol[n] = (r.intensityPerp[n] + r.intensityPara[n]) / 2;
}

// Copies the sums of the window's segments out of the angle buffer: J forward, and J to 2 NANG - J
// mirrored; the other amplitudes stay 0.
void CopyAmplitudes(MieResult& r, const Segments& segments) {
    const int nang = r.NANG;
    const double* t = AngleBuffer(r.work.angleTables);
    for (int i = 0; i < segments.count; ++i) {
        const Segment& s = segments.list[i];
        for (int j = s.begin; s.forward && j < s.end; ++j) {
            r.S1re[j] = t[kS1re * kStride + j];
            r.S1im[j] = t[kS1im * kStride + j];
            r.S2re[j] = t[kS2re * kStride + j];
            r.S2im[j] = t[kS2im * kStride + j];
        }
        for (int j = s.begin; s.mirror && j < s.end; ++j) {
            const int jj = 2 * nang - j;
            r.S1re[jj] = t[kM1re * kStride + j];
            r.S1im[jj] = t[kM1im * kStride + j];
            r.S2re[jj] = t[kM2re * kStride + j];
            r.S2im[jj] = t[kM2im * kStride + j];
        }
    }
}

// Clears the angle buffer over the window's segments and sets up the grid: theta_J = (J - 1) DANG for
// J = 1..NANG, pi_0 = 0, pi_1 = 1. The cosines depend on NANG only and are kept from the previous call.
void InitAngleTables(MieWorkspace& w, int nang, const Segments& segments) {
    const size_t size = static_cast<size_t>(kFieldCount * kStride) + kLineDoubles;  // room to align
    if (w.angleTables.size() != size) {
        w.angleTables.assign(size, 0.0);
        w.muNang = 0;
    }
    double* t = AngleBuffer(w.angleTables);
    if (w.muNang != nang) {
        std::fill_n(t + kMu * kStride, nang + 1, 0.0);
        const double dang = kHalfPi / (nang - 1);
        for (int j = 1; j <= nang; ++j) t[kMu * kStride + j] = std::cos((j - 1) * dang);
        w.muNang = nang;
    }
    for (int i = 0; i < segments.count; ++i) {
        const Segment& s = segments.list[i];
        if (!s.forward && !s.mirror) continue;
        for (std::ptrdiff_t f = 0; f < kFieldCount; ++f)
            if (f != kMu) std::fill(t + f * kStride + s.begin, t + f * kStride + s.end, 0.0);
        std::fill(t + kPi1 * kStride + s.begin, t + kPi1 * kStride + s.end, 1.0);
    }
}

// Outside the window the amplitudes are 0, so only the window is checked.
bool OutputsFinite(const MieResult& r) {
    const int a = r.work.ampFirst, b = r.work.ampLast;
    return AllFinite(r.S1re, a, b) && AllFinite(r.S1im, a, b) && AllFinite(r.S2re, a, b) &&
           AllFinite(r.S2im, a, b) && AllFinite(r.intensityPerp) && AllFinite(r.intensityPara) &&
           AllFinite(r.intensityUnpol);
}

void RefuseNotFinite(MieResult& r, const MieInput& in, int order) {
    Refuse(r, MieRefusal::NotFinite,
           "The Mie series overflowed at order " + MessageNumber(order) + " (x = " + MessageNumber(in.x) +
               ", m = " + IndexText(in.m) + ")");
}

// Term counts ([1] appendix A; the exponent is 0.3333 as published, not 1/3) and the limit tests.
// False when the input is refused.
bool SetCounts(const MieInput& in, double mxAbs, Variant variant, MieResult& r) {
    if (mxAbs > kMieTermLimit) {
        Refuse(r, MieRefusal::TooLarge, kTooLarge);
        return false;
    }
    const double x = in.x;
    const double nStop = RoundHalfEven(x + 4.0 * std::pow(x, 0.3333) + 20.0);
    const double nMaxNormal = std::floor(AMAX(nStop, mxAbs)) + 20.0;
    double termCount = nStop, nMax = nMaxNormal;
    if (in.graph == MieGraph::Convergence) {
        termCount = RoundHalfEven((variant == Variant::BHMIE ? 1.1 : 1.2) * nStop);
        nMax = variant == Variant::BHMIE ? termCount : AMAX(nMaxNormal, termCount);
    }
    r.nStop = SaturatedInt(nStop);
    r.nMax = SaturatedInt(nMax);
    r.termCount = SaturatedInt(termCount);
    if (nMax > kMieTermLimit) {
        Refuse(r, MieRefusal::TooLarge, kTooLarge);
        return false;
    }
    // D_n exact to machine precision for every order summed, also for the convergence graph.
    r.recurrenceStart = std::max(MieLogDerivativeStart(nMaxNormal, mxAbs), r.termCount);
    return true;
}

// Running values of the series over n: the coefficients (MieOrders) and the efficiency sums.
struct Series {
    MieOrders orders;
    Complex an{}, bn{}, anPrev{}, bnPrev{};
    double qscaSum = 0.0, gSum = 0.0;

    Series(double x, Complex m, const MieOrderTables& tables) : orders(x, m, tables) {}

    // Order n: a_n and b_n ([1] 4.88), and their terms of Qsca and g. False when they overflow.
    bool Advance(int n) {
        const double en = n;
        anPrev = an;
        bnPrev = bn;
        orders.Next(n, an, bn);
        if (!std::isfinite(an.re) || !std::isfinite(an.im) || !std::isfinite(bn.re) || !std::isfinite(bn.im))
            return false;
        const double anAbs = ComplexAbs(an), bnAbs = ComplexAbs(bn);
        qscaSum += (2.0 * en + 1.0) * (anAbs * anAbs + bnAbs * bnAbs);  // [1] 4.61
        gSum += FN(en) * (an.re * bn.re + an.im * bn.im);               // [1] p. 120
        if (n > 1)
            gSum += ((en - 1.0) * (en + 1.0) / en) *
                    (anPrev.re * an.re + anPrev.im * an.im + bnPrev.re * bn.re + bnPrev.im * bn.im);
        return true;
    }

    static double FN(double en) { return (2.0 * en + 1.0) / (en * (en + 1.0)); }
};

// Normal end: size normalisation, then the efficiencies and g from the sums ([1] 4.61, 4.76).
void Finish(const MieInput& in, const Series& series, MieResult& r, const Segments& segments) {
    const double x = in.x;
    CopyAmplitudes(r, segments);
    if (in.mnuSize)  // outside the window the amplitudes are 0 and stay 0
        for (int j = r.work.ampFirst; j <= r.work.ampLast; ++j) {
            r.S1re[j] /= x;
            r.S1im[j] /= x;
            r.S2re[j] /= x;
            r.S2im[j] /= x;
        }
    if (!OutputsFinite(r)) return RefuseNotFinite(r, in, r.termCount);
    if (series.qscaSum == 0.0)
        return Refuse(r, MieRefusal::NoScattering,
                      "No scattering at x = " + MessageNumber(x) + ": the asymmetry parameter is undefined");
    const double g = 2.0 * series.gSum / series.qscaSum;
    const double qsca = series.qscaSum * 2.0 / (x * x);
    const double qext = (4.0 / (x * x)) * r.S1re[1];
    const int back = 2 * r.NANG - 1;
    const double s1Back = ComplexAbs({r.S1re[back], r.S1im[back]});
    const double qback = s1Back * s1Back / (x * x * kPi);
    if (!std::isfinite(g) || !std::isfinite(qsca) || !std::isfinite(qext) || !std::isfinite(qback))
        return RefuseNotFinite(r, in, r.termCount);
    r.g = g;
    r.Qsca = qsca;
    r.Qext = qext;
    r.Qback = qback;
}

// S1 and S2 all 0 over 2 NANG indices: tables of that size are cleared over the previous call's
// window only (the rest is 0 already), others are re-created.
void ClearAmplitudes(MieResult& r) {
    const size_t size = 2 * static_cast<size_t>(r.NANG);
    MieWorkspace& w = r.work;
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) {
        if (s->size() != size)
            s->assign(size, 0.0);
        else if (w.ampFirst <= w.ampLast)
            std::fill(s->begin() + w.ampFirst, s->begin() + w.ampLast + 1, 0.0);
    }
    w.ampFirst = 1;
    w.ampLast = 0;
}

// The amplitude indices the window first..last can write: 1..2 NANG - 1 at most.
void SetWindow(MieWorkspace& w, int nang, int first, int last) {
    w.ampFirst = std::max(first, 1);
    w.ampLast = static_cast<int>(std::min<long long>(last, 2LL * nang - 1));
}

// Sizes S1 and S2 (all 0) and checks the input; false when it is refused.
bool Start(const MieInput& in, MieResult& r) {
    r.status = MieStatus::Done;
    r.refusal = MieRefusal::None;
    r.message.clear();
    r.title.clear();
    r.nStop = r.nMax = r.termCount = r.recurrenceStart = r.ordersDone = 0;
    for (auto* v : {&r.intensityPerp, &r.intensityPara, &r.intensityUnpol}) v->clear();
    r.NANG = std::max(in.NANG, 2);
    if (r.NANG > kMieMaxNang) {
        for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) s->clear();
        Refuse(
            r, MieRefusal::BadAngles,
            "Number of angles NANG = " + MessageNumber(r.NANG) + " is above " + MessageNumber(kMieMaxNang));
        return false;
    }
    ClearAmplitudes(r);
    if (RefuseBadInput(in, r)) return false;
    SetWindow(r.work, r.NANG, in.first, in.last);
    return true;
}

// ---- The run: bands of orders over blocks of angles ---------------------------------------------

// The order of work of a threaded run. The bands of orders are formed into a ring of kRingBands slots;
// every block of angles sums the bands in turn, each as soon as it is formed, whatever band the other
// blocks have reached: a thread that is slow (another program took its core) holds up its own block
// only, while the others run up to kRingBands bands ahead. A slot is formed again once every block has
// passed its band and the calling thread has reported the band's orders. A block saves its amplitudes
// at the end of each band, so that a stop reported after a band finds the sums of that band however far
// the blocks went on.
class BandSchedule {
  public:
    enum Kind { kDone, kForm, kSum, kReport };
    struct Step {
        Kind kind = kDone;
        int band = 0, block = 0;
    };

    // `bands` bands over `blocks` blocks; band 0 formed. `storage` keeps the state of the blocks.
    BandSchedule(std::vector<int>& storage, int blocks, int bands) : blocks_(blocks), total_(bands) {
        storage.assign(2 * static_cast<std::size_t>(blocks), 0);
        next_ = storage.data();
        held_ = next_ + blocks;
    }

    // The next step for a thread (`caller`: the calling thread, the only one that reports), waiting
    // until there is one: reporting a summed band, forming the next band, summing the next band of the
    // block that is furthest behind, or nothing left (all reported, or a stop).
    Step Next(bool caller) {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (stopped_ || reported_ == total_ || (!caller && complete_ == total_)) return {};
            if (caller && reported_ < complete_) return {kReport, reported_};
            if (!forming_ && formed_ < total_ && formed_ - reported_ < kRingBands) {
                forming_ = true;
                return {kForm, formed_};
            }
            int best = -1;
            for (int j = 0; j < blocks_; ++j)
                if (!held_[j] && next_[j] < formed_ && (best < 0 || next_[j] < next_[best])) best = j;
            if (best >= 0) {
                held_[best] = 1;
                return {kSum, next_[best], best};
            }
            ++waiting_;
            wake_.wait(lock);
            --waiting_;
        }
    }
    // The band of a kForm step is formed; `overflow`: it overflowed, and the run ends before it.
    void Formed(bool overflow) {
        const std::lock_guard lock(mutex_);
        forming_ = false;
        if (overflow)
            total_ = formed_;
        else
            ++formed_;
        Wake();
    }
    void Summed(int block) {
        const std::lock_guard lock(mutex_);
        held_[block] = 0;
        const int band = next_[block]++;
        if (++passed_[band % kRingBands] == blocks_) {
            passed_[band % kRingBands] = 0;
            complete_ = band + 1;  // the bands complete in turn: a block passes them in turn
        }
        Wake();
    }
    void Reported(bool stop) {
        const std::lock_guard lock(mutex_);
        if (stop)
            stopped_ = true;
        else
            ++reported_;
        Wake();
    }

  private:
    void Wake() {
        if (waiting_ > 0) wake_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    const int blocks_;
    int total_;                    // bands in the run (fewer once a band overflows)
    int* next_;                    // per block: the next band it sums
    int* held_;                    // per block: 1 while a thread sums it
    int passed_[kRingBands] = {};  // per slot: blocks that have summed its band
    int formed_ = 1, complete_ = 0, reported_ = 0, waiting_ = 0;
    bool forming_ = false, stopped_ = false;
};

// One call's series over its angle buffer: forms the bands of orders, sums them over blocks of angles
// and reports the orders to the callback.
class SeriesRun {
  public:
    SeriesRun(const MieInput& in, MieResult& r, MieOrderCallback onOrder, const Segments& segments)
        : in_(in),
          r_(r),
          onOrder_(onOrder),
          segments_(segments),
          tables_(AngleBuffer(r.work.angleTables)),
          terms_(r.termCount),
          angleSums_(ChooseMieAngleSums(in.baselineVectors)),
          series_(in.x, in.m, r.work.tables) {
        const int k = in.angleIndex, nang = r.NANG;
        convergenceJ_ = in.graph != MieGraph::Convergence || k == 0 ? 0 : (k <= nang ? k : 2 * nang - k);
        ordersPerCallback_ = std::max(in.ordersPerCallback, 1);
    }

    // Small runs: bands of one order and one block, on the calling thread.
    void OneByOne() {
        const AngleBlocks blocks(r_.NANG);
        OrderBand band(r_.work.bandTerms, 1, 0), forming(r_.work.bandTerms, 1, kRingBands);
        for (int n = 1; n <= terms_; ++n) {
            if (const int overflow = Form(band, forming, n, 1)) return RefuseNotFinite(r_, in_, overflow);
            SumBlock(band, n, 1, blocks.Edge(0), blocks.Edge(1));
            if (Report(n, 1)) return Stop(series_.qscaSum, series_.gSum);
        }
        Finish(in_, series_, r_, segments_);
    }

    // Large runs: bands of BandSize orders over blocks of angles on the pool (BandSchedule).
    void Threaded() {
        const int bandSize = BandSize(terms_), threads = SharedPool().ThreadsHere();
        const AngleBlocks blocks(r_.NANG, threads);
        const int bands = (terms_ + bandSize - 1) / bandSize;
        OrderBand forming(r_.work.bandTerms, bandSize, kRingBands);
        OrderBand ring[kRingBands];
        for (int s = 0; s < kRingBands; ++s) ring[s] = OrderBand(r_.work.bandTerms, bandSize, s);
        const int nang = r_.NANG, rowSize = nang + 1;
        std::vector<double>& saved = r_.work.bandEnds;
        saved.resize(static_cast<std::size_t>(kRingBands) * kAmplitudeFields * rowSize);
        double qsca[kRingBands], g[kRingBands];  // the series sums at the end of each slot's band
        const auto first = [&](int band) { return 1 + band * bandSize; };
        const auto count = [&](int band) { return std::min(bandSize, terms_ - first(band) + 1); };
        // Field f of slot s's saved amplitudes, J = 0..NANG.
        const auto row = [&](int s, int f) {
            return saved.data() + (static_cast<std::size_t>(s) * kAmplitudeFields + f) * rowSize;
        };

        int overflow = Form(ring[0], forming, 1, count(0));
        if (overflow != 0) return RefuseNotFinite(r_, in_, overflow);
        qsca[0] = series_.qscaSum;
        g[0] = series_.gSum;
        BandSchedule schedule(r_.work.blockSteps, blocks.count, bands);
        int stoppedBand = -1;
        const auto work = [&](bool caller) {
            for (;;) {
                const BandSchedule::Step step = schedule.Next(caller);
                const int s = step.band % kRingBands;
                switch (step.kind) {
                    case BandSchedule::kDone:
                        return;
                    case BandSchedule::kForm:
                        overflow = Form(ring[s], forming, first(step.band), count(step.band));
                        qsca[s] = series_.qscaSum;
                        g[s] = series_.gSum;
                        schedule.Formed(overflow != 0);
                        break;
                    case BandSchedule::kSum: {
                        const int begin = blocks.Edge(step.block), end = blocks.Edge(step.block + 1);
                        SumBlock(ring[s], first(step.band), count(step.band), begin, end);
                        for (int f = 0; f < kAmplitudeFields; ++f)
                            std::copy(tables_ + (kS1re + f) * kStride + begin,
                                      tables_ + (kS1re + f) * kStride + end, row(s, f) + begin);
                        schedule.Summed(step.block);
                        break;
                    }
                    case BandSchedule::kReport: {
                        const bool stop = Report(first(step.band), count(step.band));
                        if (stop) stoppedBand = step.band;
                        schedule.Reported(stop);
                        break;
                    }
                }
            }
        };
        SharedPool().ForEachMeanwhile(
            threads, [&](int) { work(false); }, [&] { work(true); });
        if (stoppedBand >= 0) {
            // The blocks may have summed bands after the stopped one: back to the sums at its end.
            const int s = stoppedBand % kRingBands;
            for (int f = 0; f < kAmplitudeFields; ++f)
                std::copy(row(s, f) + 1, row(s, f) + rowSize, tables_ + (kS1re + f) * kStride + 1);
            for (auto* v : {&r_.intensityPerp, &r_.intensityPara, &r_.intensityUnpol})
                if (!v->empty()) std::fill(v->begin() + r_.ordersDone + 1, v->end(), 0.0);
            return Stop(qsca[s], g[s]);
        }
        if (overflow != 0) return RefuseNotFinite(r_, in_, overflow);
        Finish(in_, series_, r_, segments_);
    }

  private:
    static constexpr int kAmplitudeFields = kM2im - kS1re + 1;

    // Forms orders first..first + count - 1 into `band` (through `forming`); the first order that
    // overflows, or 0.
    int Form(OrderBand& band, OrderBand& forming, int first, int count) {
        for (int i = 0; i < count; ++i) {
            const int n = first + i;
            if (!series_.Advance(n)) return n;
            P_ = -P_;
            const double en = n, FN = Series::FN(en);
            forming.Set(i, {en, en + 1.0, 2.0 * en + 1.0, FN, FN * P_, series_.an.re, series_.an.im,
                            series_.bn.re, series_.bn.im});
        }
        band.CopyFrom(forming, count);
        return 0;
    }

    // Sums orders first..first + count - 1 of `band` over the angles J in [begin, end).
    void SumBlock(const OrderBand& band, int first, int count, int begin, int end) const {
        // Copies, read once per order, of what lies in the calling thread's frame: it forms other
        // bands meanwhile, and its writes there must not pull those lines away from the workers.
        const Segments blockSegments = segments_;
        const OrderBand blockBand = band;
        const MieAngleSums sums = angleSums_;
        double* const blockTables = tables_;
        const bool convergence = begin <= convergenceJ_ && convergenceJ_ < end;
        for (int i = 0; i < count; ++i) {
            sums(blockBand[i], blockTables, begin, end, blockSegments);
            if (convergence) StoreConvergence(r_, in_.angleIndex, first + i);
        }
    }

    // Passes orders first..first + count - 1, now summed, to the callback; true when it asks for a stop.
    bool Report(int first, int count) {
        r_.ordersDone = first + count - 1;
        for (int n = first; n <= r_.ordersDone; ++n) {
            if (--untilCallback_ > 0 && n != terms_) continue;
            untilCallback_ = ordersPerCallback_;
            if (onOrder_(n, terms_)) return true;
        }
        return false;
    }

    // Stop: the orders up to ordersDone are complete; raw sums, no efficiencies.
    void Stop(double qscaSum, double gSum) {
        CopyAmplitudes(r_, segments_);
        if (!OutputsFinite(r_)) return RefuseNotFinite(r_, in_, r_.ordersDone);
        r_.status = MieStatus::Stopped;
        r_.Qsca = qscaSum;
        r_.g = gSum;
    }

    const MieInput& in_;
    MieResult& r_;
    MieOrderCallback onOrder_;
    const Segments& segments_;
    double* const tables_;
    const int terms_;
    const MieAngleSums angleSums_;
    Series series_;
    double P_ = -1.0;       // (-1)^(n-1) after the sign change of each order
    int convergenceJ_ = 0;  // the convergence intensities are read at this J after each order (0: none)
    int ordersPerCallback_ = 1, untilCallback_ = 1;  // order 1 is reported
};

void RunSeries(const MieInput& in, MieResult& r, MieOrderCallback onOrder, Variant variant) {
    if (!Start(in, r)) return;
    const Complex mx{in.x * in.m.re, in.x * in.m.im};
    if (!SetCounts(in, ComplexAbs(mx), variant, r)) return;

    const int nang = r.NANG, terms = r.termCount;
    if (in.graph == MieGraph::Convergence)
        for (auto* v : {&r.intensityPerp, &r.intensityPara, &r.intensityUnpol})
            v->assign(static_cast<size_t>(terms) + 1, 0.0);
    MieWorkspace& w = r.work;
    const Segments segments = WindowSegments(nang, in.first, in.last);
    InitAngleTables(w, nang, segments);
    MieOrderTablesOf(in.x, in.m, r.recurrenceStart, w.tables);
    // A run is as large as the angles its window makes: one angle of a fine grid is a small run.
    SeriesRun run(in, r, onOrder, segments);
    const int angles = WindowAngles(segments);
    if (MieSumsOnThePool(angles, terms))
        run.Threaded();
    else
        run.OneByOne();
}

}  // namespace

void MieSeries(const MieInput& input, MieResult& result, MieOrderCallback onOrder) {
    RunSeries(input, result, onOrder, Variant::BHMIE);
}

void MieSeries2(const MieInput& input, MieResult& result, MieOrderCallback onOrder) {
    RunSeries(input, result, onOrder, Variant::BHMIE2);
}

bool MieSumsOnThePool(double windowAngles, double orders) {
    return windowAngles >= kThreadedAngles && orders >= kThreadedOrders &&
           windowAngles * orders >= kThreadedTerms;
}

}  // namespace tessary
