// Axis arithmetic of the graph frame: grid steps, line steps and axis number texts.
#include "graphs/axis_steps.h"

#include <array>
#include <limits>

#include "platform/text/conversions.h"

namespace tessary::graphs {

namespace {

// Steps of a linear axis: the first row whose threshold the range exceeds gives the step.
struct StepRow {
    double rangeAbove;
    double step;
};
constexpr std::array<StepRow, 22> kStepRows{{
    {1200, 200},      {600, 100},       {300, 50},         {120, 20},
    {60, 10},         {20, 5},  // four steps to the range here, six everywhere else
    {12, 2},          {6, 1},           {3, 0.5},          {1.2, 0.2},
    {0.6, 0.1},       {0.3, 0.05},      {0.12, 0.02},      {0.06, 0.01},
    {0.03, 0.005},    {0.012, 0.002},   {0.006, 0.001},    {0.003, 0.0005},
    {0.0012, 0.0002}, {0.0006, 0.0001}, {0.0003, 0.00005}, {0.00012, 0.00002},
}};

// Int(v 10^n + 0.5) / 10^n, or v itself when v 10^n is too large to carry a fraction.
double RoundedAt(double v, double scale) {
    const double scaled = v * scale;
    if (!(std::fabs(scaled) < 4503599627370496.0)) return v;  // 2^52: no fraction left to round
    return Int(scaled + 0.5) / scale;
}

std::string WithoutLeadingBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

AxisStep LinearAxisStep(double xMin, double xMax) {
    AxisStep result;
    result.range = xMax - xMin;
    const double range = result.range;
    if (!(range > 0.0) || !std::isfinite(range)) return result;  // a point or a reversed range: no ticks
    double step = range / 10;                                    // above 3000, and at most 0.00012
    if (range <= 3000) {
        for (const StepRow& row : kStepRows) {
            if (range > row.rangeAbove) {
                step = row.step;
                break;
            }
        }
    }
    double labelStep = 2 * step;
    // A range of 10 that starts between even numbers: units, labelled every 5.
    if (range == 10 && std::fabs(xMin / 2 - Int(xMin / 2)) > 0.1) {
        step = 1;
        labelStep = 5;
    }
    result.step = step;
    result.labelStep = labelStep;
    result.usable = step > 0.0;  // a subnormal range can give a step of 0
    return result;
}

double LinearYStep(double yMin, double yMax) {
    const double h = yMax - yMin;
    if (!(h > 0.0) || !std::isfinite(h)) return 0.0;
    if (yMin == 0 && yMax == 360) return 90;  // degrees: quarter turns
    // k with 1 <= h / 10^k < 10, counted up from 0 for h > 1 and down otherwise; a finite h needs
    // fewer than 330 counts either way.
    int k = 0;
    if (h > 1) {
        while (h / std::pow(10.0, k) >= 10 && k < 400) ++k;
    } else {
        while (h / std::pow(10.0, k) < 1 && k > -400) --k;
    }
    const double power = std::pow(10.0, k);
    const double m = h / power;
    if (m >= 5) return power;
    if (m >= 2) return 0.5 * power;
    return 0.2 * power;
}

std::string AxisNumberText(double x, int n) {
    if (!std::isfinite(x)) return {};
    const double scale = std::pow(10.0, n);
    std::string text;
    if (x > 0.0001) {
        text = Str(RoundedAt(x, scale));
    } else if (x > 0) {
        text = Format(x, "Scientific");
    } else if (x < 0) {
        const double a = RoundedAt(-x, scale);
        const std::string digits = WithoutLeadingBlanks(Str(a));
        const auto point = digits.find('.');
        if (a == 0) {
            text = "0";  // a negative number too small for n decimals
        } else if (x >= -1 && point != std::string::npos && digits.find('E') == std::string::npos) {
            text = "-0" + digits.substr(point);  // "-0.25": Str gives ".25"
        } else {
            text = "-" + digits;  // "-1.5", "-1", "-1E-05"
        }
    } else {
        text = "0";
    }
    text = WithoutLeadingBlanks(text);
    if (!text.empty() && text.front() == '.') text.insert(text.begin(), '0');
    return text;
}

int WholeTwips(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    const double rounded = std::nearbyint(v);  // to nearest, halves to even
    if (rounded <= kLow) return std::numeric_limits<int>::min();
    if (rounded >= kHigh) return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

}  // namespace tessary::graphs
