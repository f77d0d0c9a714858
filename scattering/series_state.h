// The main window's series state (members of Form1): the ray-order selection and the beam of the
// last Gaussian-beam run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

// The ray orders (flags for p = 0..50), the calculation title and the surface-wave terms.
struct SeriesState {
    std::vector<int> rayflag;
    std::string captionText;
    std::int32_t rayCount = 0;  // number of selected ray orders
    std::int32_t rayPMax = 0;   // highest order a loop over rayflag visits (-N after DebyeLabel's range)
    int swQmin = 0;
    int swQmax = 0;
};

// The beam of the last Gaussian-beam run: azimuth phi (radians), wave number k (per um), confinement
// factor s = 1/(w0 k), highest series order N and azimuthal order M; centre xf, yf, zf and
// half-width w0 in um, from the beam dialog.
struct BeamState {
    double beamPhi = 0.0;
    double beamWaveNumber = 0.0;
    float beamS = 0.0f;
    std::int32_t beamNMax = 0, beamMMax = 0;
    float beamXf = 0.0f, beamYf = 0.0f, beamZf = 0.0f, beamW0 = 0.0f;
};

// Whether RaysCheck clears the ray orders 0..50 before it applies the selection (as a change of the
// selection does) or keeps the flags already set.
enum class RayFlagsFirst { Keep, Clear };

}  // namespace tessary
