// Gaussian-beam Mie series; see mie_gaussian.h for the interface and the outcomes.
// [1] Gouesbet & Grehan (2011). [2] Bohren & Huffman (1983), chapter 4.
#include "mie_gaussian.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "scattering/mie_coefficients.h"
#include "numerics/kernel_support.h"

namespace tessary {
namespace {

constexpr char kErrorTitle[] = "Error in MIE_Gaussian sub-routine";
constexpr char kTooLarge[] = "Reduce radius or increase wavelength";

void ClearAmplitudes(MieGaussianResult& r) {
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) std::fill(s->begin(), s->end(), 0.0);
}

void Refuse(MieGaussianResult& r, BeamRefusal why, std::string message) {
    r.status = MieStatus::Refused;
    r.refusal = why;
    r.message = std::move(message);
    r.title = kErrorTitle;
    r.pointsDone = 0;
    r.convergenceOrder = 0;
    ClearAmplitudes(r);
}

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// The forward-beam correction of one point at scattering angle theta (radians).
void ForwardBeamCorrection(const GaussianBeam& b, double theta, double& s1re, double& s1im, double& s2re,
                           double& s2im) {
    const double s = b.beamS;
    if (!(static_cast<float>(theta) <= static_cast<float>(10.0 * s))) return;
    const double xf = b.beamXf, yf = b.beamYf, zf = b.beamZf, w0 = b.beamW0;
    const double x0 = xf / w0, y0 = yf / w0;
    const double cosPhi = std::cos(b.beamPhi), sinPhi = std::sin(b.beamPhi);
    const double A = std::exp(-(theta * theta) / (4.0 * s * s)) / (2.0 * s * s);
    const Complex B = ComplexExp({0.0, -(theta / s) * (x0 * cosPhi + y0 * sinPhi)});
    const Complex C = ComplexExp({0.0, static_cast<double>(static_cast<float>(-zf / (s * w0)))});
    const Complex D = ComplexExp({0.0, theta * theta * zf / (2.0 * s * w0)});
    const Complex H = ComplexMult(ComplexMult({A * B.re, A * B.im}, C), D);
    s1re -= sinPhi * H.re;
    s1im -= sinPhi * H.im;
    s2re -= cosPhi * H.re;
    s2im -= cosPhi * H.im;
}

// Checks that need no series counts; true when the input is refused.
bool RefuseBadInput(const MieGaussianInput& in, MieGaussianResult& r, double& mxAbs) {
    if (!std::isfinite(in.x) || !(in.x > 0.0)) {
        Refuse(r, BeamRefusal::BadSize,
               "Size parameter x = " + MessageNumber(in.x) + " is not a finite number above 0");
        return true;
    }
    if (!std::isfinite(in.m.re) || !std::isfinite(in.m.im) || (in.m.re == 0.0 && in.m.im == 0.0)) {
        Refuse(r, BeamRefusal::BadIndex,
               "Refractive index m = " + MessageNumber(in.m.re) + " + " + MessageNumber(in.m.im) +
                   "i is not finite and nonzero");
        return true;
    }
    mxAbs = ComplexAbs({in.x * in.m.re, in.x * in.m.im});
    if (mxAbs > kMieTermLimit) {
        Refuse(r, BeamRefusal::TooLarge, kTooLarge);
        return true;
    }
    std::string message;
    const BeamRefusal beam = MakeGaussianBeam(in.beam, in.wavelength, r.beam, message);
    if (beam != BeamRefusal::None) {
        Refuse(r, beam, std::move(message));
        return true;
    }
    if (in.graph == MieGraph::Convergence && (in.angleIndex < 0 || in.angleIndex > 2 * r.NANG - 1)) {
        Refuse(r, BeamRefusal::BadAngles,
               "Angle index " + MessageNumber(in.angleIndex) + " lies outside 0 to " +
                   MessageNumber(2 * r.NANG - 1));
        return true;
    }
    return false;
}

void RefuseNotFinite(MieGaussianResult& r, const MieGaussianInput& in, const std::string& what) {
    Refuse(r, BeamRefusal::NotFinite,
           "The Gaussian-beam series overflowed in " + what + " (x = " + MessageNumber(in.x) +
               ", N = " + MessageNumber(r.beamNMax) + ", M = " + MessageNumber(r.beamMMax) + ")");
}

}  // namespace

void MieGaussianSeries(const MieGaussianInput& in, MieGaussianResult& r, BeamProgressCallback onProgress) {
    r.status = MieStatus::Done;
    r.refusal = BeamRefusal::None;
    r.message.clear();
    r.title.clear();
    r.nStop = r.beamNMax = r.beamMMax = r.recurrenceStart = r.pointsDone = r.convergenceOrder = 0;
    r.besselZ = {};
    r.intensityPerp = r.intensityPara = r.intensityUnpol = 0.0;

    const int nang = std::max(in.NANG, 2);
    r.NANG = nang;
    if (nang > kMieMaxNang) {
        for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) s->clear();
        Refuse(r, BeamRefusal::BadAngles,
               "Number of angles NANG = " + MessageNumber(nang) + " is above " + MessageNumber(kMieMaxNang));
        return;
    }
    const std::size_t tableSize = 2 * static_cast<std::size_t>(nang);
    for (auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) s->assign(tableSize, 0.0);
    double mxAbs = 0.0;
    if (RefuseBadInput(in, r, mxAbs)) return;

    const double x = in.x;
    const Complex m = in.m;
    // Term counts; the exponent is 0.3333 as published, not 1/3.
    const double nStop = RoundHalfEven(x + 4.0 * std::pow(x, 0.3333) + 20.0);
    const double N = std::floor(AMAX(mxAbs, nStop)) + 20.0;
    const Complex z = BeamBesselZ(static_cast<int>(std::min(N, 1e9)), r.beam);
    const double M = BeamAzimuthalBound(z);
    if (!((N + 1.0) * (M + 2.0) <= kBeamMaxTableEntries)) {
        Refuse(r, BeamRefusal::TooManyTerms,
               "The Gaussian beam needs " + MessageNumber(N) + " series orders and " + MessageNumber(M) +
                   " azimuthal orders, too many: reduce radius, beam offset or focus distance");
        return;
    }
    r.nStop = static_cast<int>(nStop);
    r.beamNMax = static_cast<int>(N);
    r.beamMMax = static_cast<int>(M);
    r.besselZ = z;
    MieGaussianWorkspace& w = r.work;

    BeamOrderFactors(r.beam, r.beamNMax, w.beamOrderFactor);
    const BeamShapeStatus shape =
        BeamShapeCoeff1(r.beam, r.beamNMax, r.beamMMax, w.beamOrderFactor, w.shape, onProgress);
    if (shape == BeamShapeStatus::Stopped) {
        r.status = MieStatus::Stopped;
        return;
    }
    if (shape == BeamShapeStatus::OutOfRange) {
        Refuse(r, BeamRefusal::BeamRange,
               "The beam-shape coefficients cannot be formed: |z_N| = " + MessageNumber(ComplexAbs(z)) +
                   " is out of range");
        return;
    }

    r.recurrenceStart = MieLogDerivativeStart(r.beamNMax, mxAbs);
    MieOrderTablesOf(x, m, r.recurrenceStart, w.tables);
    if (MieAnBn(x, m, r.beamNMax, w.tables, w.an, w.bn) != 0)
        return RefuseNotFinite(r, in, "the Mie coefficients");
    w.cn.assign(static_cast<std::size_t>(r.beamNMax) + 1, 0.0);
    for (int n = 1; n <= r.beamNMax; ++n) {
        const double en = n;
        w.cn[static_cast<std::size_t>(n)] = (2.0 * en + 1.0) / (2.0 * en * (en + 1.0));
    }
    BuildBeamPartialWaves(w.shape, r.beam.beamPhi, w.an, w.bn, w.cn, w.waves);

    w.done.assign(tableSize, 0);
    const bool stopped =
        BeamAngleSums(w.waves, nang, in.first, in.last, r.S1re, r.S1im, r.S2re, r.S2im, w.done, onProgress);
    const double dang = kHalfPi / (nang - 1);
    for (std::size_t J = 1; J < tableSize; ++J) {
        if (!w.done[J]) continue;
        ++r.pointsDone;
        ForwardBeamCorrection(r.beam, static_cast<double>(J - 1) * dang, r.S1re[J], r.S1im[J], r.S2re[J],
                              r.S2im[J]);
    }
    if (!AllFinite(r.S1re) || !AllFinite(r.S1im) || !AllFinite(r.S2re) || !AllFinite(r.S2im))
        return RefuseNotFinite(r, in, "the angle sums");
    if (stopped) r.status = MieStatus::Stopped;

    if (in.graph == MieGraph::Convergence) {
        const std::size_t k = static_cast<std::size_t>(in.angleIndex);
        const double s1 = ComplexAbs({r.S1re[k], r.S1im[k]}), s2 = ComplexAbs({r.S2re[k], r.S2im[k]});
        r.convergenceOrder = r.beamNMax + 1;
        r.intensityPerp = s1 * s1;
        r.intensityPara = s2 * s2;
        r.intensityUnpol = (r.intensityPerp + r.intensityPara) / 2;
    }
}

}  // namespace tessary
