// Axis arithmetic of the graph frame, free of the window: the grid step of a linear axis, the line
// step of a linear y axis, the text of an axis number, a counted For loop that cannot run away, and
// the saturating conversion of a drawing position to a whole number.
#pragma once

#include <cmath>
#include <string>

namespace tessary::graphs {

// Grid step of a linear axis over [xMin, xMax]: steps of 1, 2 and 5 times a power of ten, about six
// to the range (only four for the step 5, whose threshold is 20), a tenth of the range above 3000
// and at most 0.00012. The label step is twice the step; a range of exactly 10 that does not start
// near an even number is stepped by 1 and labelled every 5.
// A range that is not above 0 or not finite gives step and label step 0 and usable false: no tick
// can be placed on it.
struct AxisStep {
    double range = 0.0;
    double step = 0.0;
    double labelStep = 0.0;
    bool usable = false;
};
AxisStep LinearAxisStep(double xMin, double xMax);

// Line step of a linear y axis from yMin to yMax: with the range h = m 10^k (1 <= m < 10) the step is
// 10^k for m >= 5, 0.5 10^k for m >= 2, else 0.2 10^k; 0 to 360 (degrees) gives 90.
// 0 when the range is not above 0 or not finite.
double LinearYStep(double yMin, double yMax);

// Text of an axis number rounded to n decimals: "0.5" for (0.5, 4), scientific notation for
// 0 < x <= 0.0001, "-0.25" for (-0.25, 4), "-1.5" for (-1.5, 2); no leading blank and a "0" before
// a leading point. 0, and a negative number that rounds to 0, give "0"; -1 gives "-1". Magnitudes
// too large to round at n decimals keep all their digits. NaN and infinities give "" (nothing shown).
std::string AxisNumberText(double x, int n);

// Most passes a counted loop makes: more ticks than this cannot be told apart on any screen.
inline constexpr int kMaxLoopPasses = 100000;

// For v = start To end Step step, the loop of the drawing code: v grows by repeated addition of step
// while v <= end, and body(v) runs once per pass. Only a positive finite step over finite ends runs;
// a step of 0 or NaN, or one too small to move v, runs nothing (it would never end), and at most
// kMaxLoopPasses passes run. Returns the number of passes.
template <class Body>
int ForStep(double start, double end, double step, Body&& body) {
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(start) || !std::isfinite(end)) return 0;
    int passes = 0;
    for (double v = start; v <= end && passes < kMaxLoopPasses; ++passes) {
        body(v);
        const double next = v + step;
        if (!(next > v)) return passes + 1;  // step below the spacing of doubles at v
        v = next;
    }
    return passes;
}

// A drawing position or size in twips as a whole number: rounded to nearest, halves to even, saturated to
// the int range; NaN gives 0.
int WholeTwips(double v);

}  // namespace tessary::graphs
