// Gaussian-beam Debye series; see debye_gaussian.h for the interface and the outcomes.
// [1] Hovenac & Lock, J. Opt. Soc. Am. A 9, 781 (1992). [2] Gouesbet & Grehan (2011).
#include "debye_gaussian.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "numerics/elementary.h"
#include "numerics/kernel_support.h"

namespace tessary {
namespace {

constexpr char kErrorTitle[] = "Error";
constexpr char kTooLarge[] = "Reduce radius or increase wavelength";

std::string IndexText(Complex m) { return MessageNumber(m.re) + " + " + MessageNumber(m.im) + "i"; }

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

void Refuse(DebyeGaussianResult& r, BeamRefusal why, std::string message) {
    r.status = DebyeStatus::Refused;
    r.refusal = why;
    r.message = std::move(message);
    r.title = kErrorTitle;
    r.pointsDone = 0;
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) std::fill(s->begin(), s->end(), 0.0);
}

// Checks before any table is built; false when the call ends here (refusal or hand-over).
bool CheckInput(const DebyeGaussianInput& in, DebyeGaussianResult& r, double& mxAbs) {
    if (!std::isfinite(in.x) || !(in.x > 0.0)) {
        Refuse(r, BeamRefusal::BadSize,
               "Size parameter x = " + MessageNumber(in.x) + " is not a finite number above 0");
        return false;
    }
    if (!Finite(in.m) || (in.m.re == 0.0 && in.m.im == 0.0)) {
        Refuse(r, BeamRefusal::BadIndex,
               "Refractive index m = " + IndexText(in.m) + " is not finite and nonzero");
        return false;
    }
    if (in.rayListText == "0" && in.x * in.m.im > kDebyeHandOverAbsorption) {
        r.status = DebyeStatus::HandOverToMie;
        return false;
    }
    std::string message;
    const BeamRefusal beam = MakeGaussianBeam(in.beam, in.wavelength, r.beam, message);
    if (beam != BeamRefusal::None) {
        Refuse(r, beam, std::move(message));
        return false;
    }
    r.NANG = std::max(in.NANG, 2);
    if (r.NANG > kDebyeMaxNang) {
        Refuse(
            r, BeamRefusal::BadAngles,
            "Number of angles NANG = " + MessageNumber(r.NANG) + " is above " + MessageNumber(kDebyeMaxNang));
        return false;
    }
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) s->assign(2 * static_cast<std::size_t>(r.NANG), 0.0);

    mxAbs = ComplexAbs({in.x * in.m.re, in.x * in.m.im});
    if (mxAbs > kDebyeTermLimit) {
        Refuse(r, BeamRefusal::TooLarge, kTooLarge);
        return false;
    }
    const double nStop = RoundHalfEven(in.x + 4.0 * std::pow(in.x, 0.3333) + 2.0);
    const double nMax = std::floor(AMAX(nStop, mxAbs)) + 15.0;
    r.nStop = static_cast<int>(std::fmin(nStop, kDebyeTermLimit + 1.0));
    r.nMax = static_cast<int>(std::fmin(nMax, kDebyeTermLimit + 16.0));
    if (nMax > kDebyeTermLimit) {
        Refuse(r, BeamRefusal::TooLarge, kTooLarge);
        return false;
    }
    r.termCount =
        in.graph == DebyeGraph::Convergence ? static_cast<int>(RoundHalfEven(1.2 * r.nStop)) : r.nStop;
    return true;
}

// The functions of x and m x and the coefficients to `orders`. Where these leave the number range, the
// tables are made again to `near`, then to termCount. False when the call ends (refusal).
bool MakeCoefficients(const DebyeGaussianInput& in, DebyeGaussianResult& r, int& orders, int near) {
    DebyeGaussianWorkspace& w = r.work;
    DebyeTables& t = w.tables;
    for (;;) {
        DebyeFunctionsOfX(in.x, orders, t);
        const DebyeTablesStatus tables = DebyeFunctionsOfMx(in.x, in.m, orders, in.mnuDebyeRecursion, t);
        const bool done =
            tables == DebyeTablesStatus::Done &&
            DebyeReflectionTransmission(t, in.m, w.coefficients, /*nearOneRule=*/false);  // R22 always -N22/D
        if (done) return true;
        if (orders > r.termCount) {
            orders = orders > near ? near : r.termCount;
            continue;
        }
        if (tables == DebyeTablesStatus::TooAbsorbing) {
            Refuse(r, BeamRefusal::TooAbsorbing,
                   "Absorption too strong for the Debye series (x Im m = " + MessageNumber(in.x * in.m.im) +
                       ", at most 709): reduce radius or absorption, or choose the ray order 0");
        } else if (tables != DebyeTablesStatus::Done) {
            Refuse(r, BeamRefusal::BesselRange,
                   std::string(kTooLarge) + " (the Bessel functions of m x = " + IndexText(t.mx) +
                       " leave the number range)");
        } else {
            Refuse(r, BeamRefusal::NotFinite,
                   "The Debye coefficients overflowed (x = " + MessageNumber(in.x) +
                       ", m = " + IndexText(in.m) + ")");
        }
        return false;
    }
}

// The partial waves summed over the selected orders into an2Sum, bn2Sum (n = 0..orders, and 0 above
// to the larger of termCount and N), and the convergence values. False when the call ends (refusal).
bool SumSelectedWaves(const DebyeGaussianInput& in, const RaySelection& rays, DebyeGaussianResult& r,
                      int orders) {
    DebyeGaussianWorkspace& w = r.work;
    w.an2Sum.assign(static_cast<std::size_t>(std::max({r.termCount, r.beamNMax, orders})) + 1, Complex{});
    w.bn2Sum.assign(w.an2Sum.size(), Complex{});
    const int pEnd = static_cast<int>(
        std::min<std::int64_t>(rays.rayPMax, static_cast<std::int64_t>(rays.rayflag.size()) - 1));
    DebyeOrderWaves waves(w.coefficients, orders);
    for (int p = 0; p <= pEnd; ++p) {
        if (rays.rayflag[static_cast<std::size_t>(p)] != 1) continue;
        if (!waves.Order(p, w.an2, w.bn2)) {
            Refuse(r, BeamRefusal::NotFinite,
                   "The Debye series overflowed at ray order p = " + MessageNumber(p) +
                       " (x = " + MessageNumber(in.x) + ", m = " + IndexText(in.m) + ")");
            return false;
        }
        for (int n = 0; n <= orders; ++n) {
            w.an2Sum[n] = ComplexAdd(w.an2Sum[n], w.an2[n]);
            w.bn2Sum[n] = ComplexAdd(w.bn2Sum[n], w.bn2[n]);
        }
        if (in.graph == DebyeGraph::Convergence)
            for (int n = 0; n <= r.termCount; ++n) {
                const double a = ComplexAbs(w.an2[n]), b = ComplexAbs(w.bn2[n]);
                r.intensityPerp[n] = a * a;
                r.intensityPara[n] = b * b;
                r.intensityUnpol[n] = (r.intensityPara[n] + r.intensityPerp[n]) / 2;
            }
    }
    return true;
}

// The functions of x and m x, the coefficients and the partial waves summed over the selected orders,
// to the orders past termCount that still count (as in the plane-wave series) within the N of the beam
// sums. Where the waves of an absorbing sphere still count at N (orders p >= 2 carried by the partial
// waves beyond |m x|), the tables reach as far as the plane-wave series takes them, and N is raised to
// the last order that counts.
bool SeriesCoefficients(const DebyeGaussianInput& in, const RaySelection& rays, DebyeGaussianResult& r) {
    DebyeGaussianWorkspace& w = r.work;
    const int near = std::max(r.termCount, std::min(DebyeTableOrders(in.x, r.termCount, r.nMax), r.beamNMax));
    int orders = near;
    if (!MakeCoefficients(in, r, orders, near) || !SumSelectedWaves(in, rays, r, orders)) return false;
    const int far = in.m.im > 0.0 ? DebyeTableOrders(in.x, r.termCount, r.nMax, true) : orders;
    if (far > orders && DebyeWavesCutShort(w.an2Sum, w.bn2Sum, orders)) {
        orders = far;
        if (!MakeCoefficients(in, r, orders, near) || !SumSelectedWaves(in, rays, r, orders)) return false;
        r.beamNMax = DebyeConvergedOrders(w.an2Sum, w.bn2Sum, r.beamNMax, orders);
    }
    const std::size_t size = static_cast<std::size_t>(std::max(r.termCount, r.beamNMax)) + 1;
    w.an2Sum.resize(size);
    w.bn2Sum.resize(size);
    w.fn.assign(size, 0.0);
    for (std::size_t n = 1; n < size; ++n) {
        const double en = static_cast<double>(n);
        w.fn[n] = -(2.0 * en + 1.0) / (2.0 * en * (en + 1.0)) / 2.0;
    }
    return true;
}

// Beam-shape coefficients and angle sums of one beam; false when the call ends (refusal or stop).
bool SumBeam(const DebyeGaussianInput& in, DebyeGaussianResult& r, BeamProgressCallback onProgress) {
    DebyeGaussianWorkspace& w = r.work;
    const int N = r.beamNMax;
    const double t = 2.0 * static_cast<double>(r.beam.beamS) * r.beam.rho;
    r.besselZ = ComplexMult({(N + 0.5) * t, 0.0}, r.beam.beamFocusTerm);
    const double M = BeamAzimuthalBound(r.besselZ);
    if (!((N + 1.0) * (M + 2.0) <= kBeamMaxTableEntries)) {
        Refuse(r, BeamRefusal::TooManyTerms,
               "The Gaussian beam needs " + MessageNumber(N) + " series orders and " + MessageNumber(M) +
                   " azimuthal orders, too many: reduce radius, beam offset or focus distance");
        return false;
    }
    r.beamMMax = static_cast<int>(M);
    BeamOrderFactors(r.beam, N, w.beamOrderFactor);
    switch (BeamShapeCoeff1(r.beam, N, r.beamMMax, w.beamOrderFactor, w.shape, onProgress)) {
        case BeamShapeStatus::Done:
            break;
        case BeamShapeStatus::Stopped:
            r.status = DebyeStatus::Stopped;
            return false;
        case BeamShapeStatus::OutOfRange:
            Refuse(r, BeamRefusal::BeamRange,
                   "The beam-shape coefficients cannot be formed: |z_N| = " +
                       MessageNumber(ComplexAbs(r.besselZ)) + " is out of range");
            return false;
    }
    BuildBeamPartialWaves(w.shape, r.beam.beamPhi, w.an2Sum, w.bn2Sum, w.fn, w.waves);
    w.done.assign(r.S1re.size(), 0);
    const bool stopped =
        BeamAngleSums(w.waves, r.NANG, in.first, in.last, r.S1re, r.S1im, r.S2re, r.S2im, w.done, onProgress);
    r.pointsDone += static_cast<int>(std::count(w.done.begin(), w.done.end(), 1));
    ++r.passes;
    if (stopped) r.status = DebyeStatus::Stopped;
    return !stopped;
}

}  // namespace

void DebyeGaussianSeries(const DebyeGaussianInput& in, const RaySelection& rays, DebyeGaussianResult& r,
                         BeamProgressCallback onProgress) {
    r.status = DebyeStatus::Done;
    r.refusal = BeamRefusal::None;
    r.message.clear();
    r.title.clear();
    r.beamNMax = r.beamMMax = r.nStop = r.nMax = r.termCount = r.passes = r.pointsDone = 0;
    r.besselZ = {};
    r.intensityPerp.clear();
    r.intensityPara.clear();
    r.intensityUnpol.clear();
    double mxAbs = 0.0;
    if (!CheckInput(in, r, mxAbs)) return;
    if (in.rayListText == "Multiple" && rays.rayCount == 0) {
        Refuse(r, BeamRefusal::NoRays, "No rays selected");
        return;
    }
    const double c = RoundHalfEven(in.x + 4.0 * std::pow(in.x, 0.3333) + 20.0);
    r.beamNMax = static_cast<int>(std::floor(AMAX(c, mxAbs)) + 20.0);  // |m x| <= 200000 bounds it
    if (in.graph == DebyeGraph::Convergence)
        for (auto* v : {&r.intensityPerp, &r.intensityPara, &r.intensityUnpol})
            v->assign(static_cast<std::size_t>(r.termCount) + 1, 0.0);
    if (!SeriesCoefficients(in, rays, r)) return;

    if (!SumBeam(in, r, onProgress)) return;
    if (in.mnuMultBeams) {
        r.beam.beamXf = -r.beam.beamXf;
        r.beam.beamYf = -r.beam.beamYf;
        if (!SumBeam(in, r, onProgress)) return;
    }
    if (!AllFinite(r.S1re) || !AllFinite(r.S1im) || !AllFinite(r.S2re) || !AllFinite(r.S2im))
        Refuse(r, BeamRefusal::NotFinite,
               "The Gaussian-beam Debye series overflowed (x = " + MessageNumber(in.x) +
                   ", m = " + IndexText(in.m) + ")");
}

}  // namespace tessary
