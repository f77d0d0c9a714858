// Run-time estimate of the Mie and Debye series from fitted polynomials and measured rates (see
// run_estimate.h).
#include "runs/run_estimate.h"

#include <cmath>

#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

bool Positive(double v) { return std::isfinite(v) && v > 0.0; }

// Step time of one Lee-diagram radius r with N angle-wavelength points.
double LeeStepTime(int calcMethod, double r, double points) {
    if (calcMethod == kMethodMie)
        return (5.56486 + 1.64131 * r + 6.9497e-05 * r * r - 7.10891e-08 * r * r * r) * points / 6000;
    if (calcMethod == kMethodDebye) return (7.76814 + 1.81405 * r + 1.369248e-05 * r * r) * points / 18000;
    return 0.0;  // no fit for the other methods
}

RunEstimate Undefined() {
    RunEstimate e;
    e.status = EstimateStatus::Undefined;
    return e;
}

}  // namespace

int EstimateWaveCount(std::string_view waveText, double r, int current) {
    if (waveText == "RGB") return 3;
    return WaveCountForRadius(waveText, r).value_or(current);
}

float SweepRatio(float sweepStart, float sweepEnd, float sweepSteps) {
    const float quotient = sweepEnd / sweepStart;
    const float exponent = 1.0f / sweepSteps;
    return static_cast<float>(std::pow(static_cast<double>(quotient), static_cast<double>(exponent)));
}

RunEstimate EstimateAngleRun(const AngleRunInput& in) {
    const double r = in.radius;
    const double s = in.step;
    if (!Positive(r) || !Positive(s) || !Positive(in.lambda) || !std::isfinite(in.range)) return Undefined();
    const double n = in.waveCount;
    double t = 0.0;
    if (in.calcMethod == kMethodMie) {
        const double c = 5.3394821 + 0.9759082 * r - 8.895773e-05 * r * r + 6.0300197e-08 * r * r * r;
        const double d = in.range;
        const double a = 0.2077 + 0.0061566 * d - 9.773e-06 * d * d;
        t = a * c * 0.01 / s;
        if (in.waveCount == 1)
            t = t * 0.65 / in.lambda;
        else
            t = t * n * 0.1 * (4.2380146 + 1.2130768 * std::log(r));
    } else if (in.calcMethod == kMethodDebye) {
        const double points = in.range / s * n;
        t = (7.76814 + 1.81405 * r + 1.369248e-05 * r * r) * points / 18000;
        t = in.waveCount == 1 ? t * 0.65 / in.lambda : t * 0.65 / 0.515;
    }
    if (in.disperse) t = t * in.samples;
    if (!std::isfinite(t)) return Undefined();
    RunEstimate e;
    e.seconds = t;
    e.waveCount = in.waveCount;
    return e;
}

RunEstimate EstimateLeeRun(const LeeRunInput& in) {
    const double s = in.step;
    const double d = in.range;
    if (!Positive(s) || !Positive(d) || !Positive(in.sweepStart) || !Positive(in.sweepEnd) ||
        !Positive(in.sweepSteps) || in.sweepSteps > kMaxLeeSteps)
        return Undefined();
    RunEstimate e;
    e.sweepRatio = SweepRatio(in.sweepStart, in.sweepEnd, in.sweepSteps);

    // log10(range / 10) with the constant of the fit, and the range factor F.
    const double l = std::log(d / 10) / kLn10;
    const double f =
        1.0016835 - 1.9335302 * l + 2.2664804 * l * l - 1.4962318 * l * l * l + 0.42613778 * l * l * l * l;
    const int last = CInt(in.sweepSteps).value;  // 1..400: always in range
    int waveCount = in.waveCount;
    double r = 0.0;
    double t = 0.0;
    for (int k = 0; k <= last; ++k) {
        r = static_cast<double>(in.sweepStart) * std::pow(static_cast<double>(e.sweepRatio), k);
        waveCount = EstimateWaveCount(in.waveText, r, waveCount);
        const double points = d / s * waveCount;
        t = t + f * LeeStepTime(in.calcMethod, r, points);
    }
    if (!std::isfinite(t)) return Undefined();
    e.seconds = t;
    e.waveCount = waveCount;
    e.lastRadius = r;
    e.stepsDone = last + 1;
    return e;
}

double ExpectedSeconds(int calcMethod, bool leeDiagram, double units) {
    if (calcMethod == kMethodMie)
        return units * (leeDiagram ? kMieLeeSecondsPerUnit : kMieAngleSecondsPerUnit);
    if (calcMethod == kMethodDebye)
        return units * (leeDiagram ? kDebyeLeeSecondsPerUnit : kDebyeAngleSecondsPerUnit);
    return 0.0;
}

std::optional<std::string> LongRunPrompt(double seconds) {
    if (!std::isfinite(seconds) || seconds <= kLongRunSeconds) return std::nullopt;
    const double hours = std::floor(seconds / 3600);
    // Minutes rounded half to even: 30.5 gives 30, 59.9 gives 60.
    const std::int32_t minutes = CLng((seconds - 3600 * hours) / 60).value;
    const std::string m = CStr(minutes);
    std::string line;
    if (hours < 1)
        line = "Expected duration is about " + m + " minutes";
    else if (hours == 1)
        line = "Expected duration is about 1 hour " + m + " minutes";
    else
        line = "Expected duration is about " + CStr(static_cast<double>(hours)) + " hours " + m + " minutes";
    return line + kCR + kCR + "Do you want to continue ?";
}

}  // namespace tessary
