// What the approximate methods share: the amplitude tables they write, how they report a refusal or a
// stop, and the angle grid of the series (index j = 1..N from 0 to 90 degrees, the mirrored index
// 2N - j for 180 degrees minus that angle).
//
// A method writes S1 and S2 only at the indices it computes (the window first..last); every other
// entry keeps what the caller left there. Kernels are pure: no window state, no message boxes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "scattering/debye.h"

namespace tessary {

// The caller's S1 and S2 (real and imaginary parts), indices 0..2N - 1 at least.
struct AmplitudeTables {
    std::span<double> S1re, S1im, S2re, S2im;
};

enum class ApproxStatus {
    Done,
    Refused,  // message and title say why; the run ends
    Stopped,  // the progress callback asked for a stop: the angles before are complete
};

struct ApproxOutcome {
    ApproxStatus status = ApproxStatus::Done;
    std::string message;  // empty unless Refused
    std::string title;
};

// Progress of a long method: bool(double done, double total), true asks for a stop. Called on the
// caller's thread; a method calls it at least once per angle or per ray order.
using ApproxProgress = DebyeStepCallback;

// The angle of grid index j (1..2N - 1) in radians for N points from 0 to 90 degrees.
double GridAngle(std::int32_t j, std::int32_t N);

// False when an amplitude at an index first..last is NaN or infinite: the run must not show it.
bool AmplitudesFinite(const AmplitudeTables& S, std::int32_t first, std::int32_t last);

// The refusal of a method whose amplitudes came out NaN or infinite, naming the method.
ApproxOutcome NotFiniteOutcome(const std::string& method);

}  // namespace tessary
