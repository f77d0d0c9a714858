// The method rules of the input checks: what each method needs of the refractive index and the ray orders (a
// real index for Rayleigh, diffraction and Airy theory; a Debye series not swamped by absorption; an index
// above 1 for the ray methods' rainbows and the surface waves; Airy theory's 1 < m < p: each at every index
// the run takes, the boxes' or its models' at each wavelength, a map's rows or an index sweep's steps, the
// Debye series at the largest size parameter the run reaches with each; diffraction, which does not depend
// on m, asks the boxes' real part only; ray orders the list names), the ray or sample count of Huygens and
// the aperture, the coefficients of van de Hulst and the surface waves' terms; and the index the models
// refuse at the wavelength. CheckInput applies them to the boxes, the data file's reader to the
// values a file holds, before anything changes. Pure: values in, the first refusal out.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "media/refrel.h"
#include "media/size_distribution.h"
#include "runs/input_rules.h"
#include "scattering/ray_orders.h"

namespace tessary {

inline constexpr const char* kComplexIndexNotValid =
    "Complex values of refractive index are not valid for this calculation method";

// An index a run computes with other than the index boxes', and the largest size parameter 2 pi r n / lambda
// it meets (n the medium's real index).
struct RunIndex {
    double real = 0.0, imag = 0.0;
    double sizeParam = 0.0;
};

struct MethodInputs {
    int calcMethod = 0;
    int graphCode = 0, graphSubCode = 0;
    double real = 0.0, imag = 0.0;  // the index boxes
    // The largest size parameter the run reaches with the boxes' index (TakeRunIndices).
    double sizeParam = 0.0;
    // The indices the run takes where it does not take the boxes' (TakeRunIndices); nothing: the boxes'.
    std::optional<std::vector<RunIndex>> runIndices;
    // The inputs that hold or lead to those indices, red when one of them is refused.
    std::vector<RuleInput> runIndexInputs{RuleInput::RefractImag};
    // The radius the run takes (the size box read as the radius, diameter or size parameter it holds; a Lee
    // diagram's first row) and the wavelength.
    double radius = 0.0, lambda = 0.0;
    // A size distribution a run below the Lee diagram averages over: its largest sample radius over the radius
    // it draws the samples around (LargestSampleScale).
    double sampleScale = 1.0;
    std::string rays;                // the ray-order list
    std::string angle;               // the angle box: Huygens' rays, the aperture's samples (angle graphs)
    std::string termsMin, termsMax;  // van de Hulst's coefficients or the surface waves' terms
    std::string amplitude;           // the surface waves' amplitude factor
    double xMin = 0.0, xMax = 0.0, step = 0.0;          // a sweep over an x variable
    bool logSteps = false;                              // its steps logarithmic
    double leeMax = 0.0, leeSteps = 0.0;                // a Lee diagram's last radius and its steps
    double mapMin = 0.0, mapMax = 0.0, mapFixed = 0.0;  // an angle map, the imaginary map's real part
    // A redraw of stored points: the counts and coefficients a run computes with (which no data file holds)
    // are not asked.
    bool redraw = false;
};

// The indices that a run of a method whose index the rules judge (all but Mie) takes where it does not take
// the index boxes': its models' at each of `wavelengths` (ModelIndexWavelengths; a wavelength the models
// refuse refuses the run by itself), or each row of a map over the real or the imaginary index, at the radius
// `mapRadius` of a map's rows and its `mapSteps` steps. With each, and with the boxes' (sizeParam), the
// largest size parameter the run reaches: at the last step of a sweep over the radius or the size parameter,
// the last row of a Lee diagram or of a map over the radius, else at the run's radius, each at its largest
// sample with a size distribution; in the medium of `models` at the wavelength of the step.
void TakeRunIndices(MethodInputs& in, const IndexModels& models, const std::vector<double>& wavelengths,
                    double mapRadius, double mapSteps);

// The orders the ray-order list selects (RaysCheck), asked for where a rule needs them; nothing when the
// list is refused, whose refusal is then written (an empty prompt: its message has been shown).
using RayOrdersOf = std::function<std::optional<RaySelection>(InputRefusal& refusal)>;

// The index, the orders and the counts each method needs, surface waves aside.
std::optional<InputRefusal> MethodParameterRule(const MethodInputs& in, const RayOrdersOf& orders);
// The surface waves' index: above 1 at every index the run takes.
std::optional<InputRefusal> SurfaceWaveIndexRule(const MethodInputs& in);
// The surface waves: their index, then terms from 1 to 25 (rounded as the method rounds them) and an
// order above 0. The window checks its boxes' entries between the index and the terms.
std::optional<InputRefusal> SurfaceWaveRule(const MethodInputs& in);
// The largest sample radius over r0 of the size distribution whose kind, deviation (percent) and sample count
// the list texts name, as the runs draw its samples (MethodInputs::sampleScale).
double SampleScaleOf(const std::string& kind, const std::string& deviation, const std::string& samples,
                     const SizeHistogram& histogram, double r0);
// An index the models refuse at the wavelength (the index boxes still show an earlier one).
std::optional<InputRefusal> ModelIndexRule(const RefrelResult& m);

}  // namespace tessary
