// The ray of order p that leaves a sphere at a given deviation: the impact parameter b (b = sin i
// relative to the radius) at which D(b) reaches a target, by bisection or by a safeguarded Newton
// iteration on one monotone branch of D.
// [1] H. C. van de Hulst, Light Scattering by Small Particles (1957), section 12.2: the deviation of
//     a ray of order p, D = 2i - 2p r + (p - 1) pi.
#pragma once

namespace tessary {

// The search ends once the deviation is this close to its target (radians).
inline constexpr double kRayDeviationTolerance = 1e-7;
// Largest number of midpoints (halvings) a search forms before it gives up.
inline constexpr int kRaySearchMaxHalvings = 200;

struct RaySearch {
    double b = 0.0;          // impact parameter of the last point formed
    double i = 0.0;          // its angle of incidence, ArcSin(b)
    double r = 0.0;          // its angle of refraction, ArcSin(b / m)
    double deviation = 0.0;  // D there (folded into 0..pi by GOAngleCalc's flag 1)
    int midpoints = 0;       // points formed
    bool found = false;      // |D - target| < kRayDeviationTolerance was met
};

// Unfolded deviation of the ray of order p with incidence i and refraction r ([1] 12.2):
// 2i - 2p r + (p - 1) pi for p > 0, pi - 2i for p <= 0 (external reflection).
double RayDeviation(int p, double i, double r);

// Bisection on b: the bracket (low, high) has the larger deviation at `low`; the midpoint replaces
// `low` while its deviation is at least the target, `high` otherwise. Flag 1 folds the deviation of
// p > 0 into 0..pi (ArcCos(Cos D)) before comparing. Ends at |D - target| < 1e-7 (found), or after
// kRaySearchMaxHalvings midpoints or at a deviation that is not finite (not found; b, i, r, D of the
// last midpoint are returned all the same). m is the real part of the index; b / m above 1 is
// clamped by ArcSin to a right angle.
RaySearch GOAngleCalc(int flag, int p, double m, double target, double low, double high);

// The same ray found faster on one branch of the deviation curve, where the unfolded D(b) is monotone
// between `low` (the end of the larger deviation, as for GOAngleCalc) and `high`: Newton steps from
// `start` (the neighbouring angle's ray, or any b of the branch), each replaced by a halving of the
// bracket when it would leave the bracket or shrink |D - target| by less than half. `target` is the
// unfolded deviation to reach. Found when |D - target| < 1e-7; at most kRaySearchMaxHalvings steps
// (counted in `midpoints`); a deviation that is not finite ends the search (not found).
RaySearch RayOnBranch(int p, double m, double target, double low, double high, double start);

}  // namespace tessary
