// Axis steps of the Lee diagram and angle-map panels: the angle tick and label steps, the label step
// of a linear map sweep and the first of its labels, and the logarithmic radius position.
#pragma once

namespace tessary {

// The angle tick interval for an angle range r in degrees (a Single, as the axis loop steps by it).
float LeeAngleTickStep(double r);

// The angle label interval: every degree below 1° ticks (a tenth of a degree at 1° or less), two
// degrees with one-degree ticks.
double LeeAngleLabelStep(float tickStep, double r);

// The label step q of a linear map axis for the range R that GridxStep gives.
double MapLabelStep(double R);

// The first multiple of q at or above sweepMin (0 for a sweep from 0 or below).
double MapFirstLabel(double sweepMin, double q);

// x of v on a logarithmic axis from left (sweepMin) to right (sweepMax); left for an axis that
// cannot be placed.
double LeeLogPosition(double v, double sweepMin, double sweepMax, double left, double right);

}  // namespace tessary
