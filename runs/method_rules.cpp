// The method rules of the input checks; see method_rules.h. The index rules judge every index a run takes, at
// the largest size parameter it meets there: the size parameter grows with the radius, so of the sizes a run
// steps through, the first or the last is the largest. Airy theory refuses an index m >= p for a selected
// order p, over the whole of an index sweep or map before it starts; the surface waves refuse an index <= 1
// whatever the order, and judge their typed term range after rounding. An index sweep or map steps its index
// one way, so its ends hold its lowest and highest real part.
#include "runs/method_rules.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "approximations/airy_theory.h"
#include "graphs/graph_codes.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

constexpr const char* kRefractive = "Refractive index must be greater than 1 for this calculation method";
constexpr const char* kAiryOrders = "Airy theory is valid only for p > 1";

InputRefusal Red(std::vector<RuleInput> red, std::string prompt, std::string title = "Input error") {
    InputRefusal r;
    r.prompt = std::move(prompt);
    r.title = std::move(title);
    r.about = red.front();
    r.red = std::move(red);
    return r;
}

// True when the whole text (blanks aside) is one number within the Double range; its value in v.
bool IsNumberText(const std::string& text, double& v) {
    const ValResult r = ParseVal(text);
    if (r.length == 0 || r.status != NumberStatus::Ok) return false;
    for (std::size_t i = r.length; i < text.size(); ++i)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n') return false;
    v = r.value;
    return true;
}

bool RealIndexMethod(int method) {
    return method == kMethodRayleigh || method == kMethodDiffraction || method == kMethodAiry;
}

// The index against the method, at every index the run takes: the boxes' (at the largest size parameter the
// run reaches with them), or each of its own.
std::optional<InputRefusal> IndexRule(const MethodInputs& in) {
    const int method = in.calcMethod;
    const std::vector<RunIndex> indices =
        in.runIndices ? *in.runIndices : std::vector<RunIndex>{{in.real, in.imag, in.sizeParam}};
    const std::vector<RuleInput> red =
        in.runIndices ? in.runIndexInputs : std::vector{RuleInput::RefractImag};
    const auto any = [&indices](auto holds) { return std::any_of(indices.begin(), indices.end(), holds); };
    if (RealIndexMethod(method) && any([](const RunIndex& m) { return m.imag != 0; }))
        return Red(red, kComplexIndexNotValid);
    if (method != kMethodDebye) return std::nullopt;
    if (any([](const RunIndex& m) { return m.imag < 0; }))
        return Red(red, "The imaginary part of the refractive index must be positive");
    if (!in.rays.empty() && in.rays != "0" &&
        any([](const RunIndex& m) { return m.imag * m.sizeParam > 100; }))
        return Red(red,
                   "Debye rays for p > 0 are suppressed by high absorption in the sphere due to the large "
                   "imaginary value of the refractive index",
                   "Debye series");
    return std::nullopt;
}

// A real part of the index a run takes, and the input that holds it.
struct RealPart {
    double m = 0.0;
    RuleInput box = RuleInput::RefractReal;
};

// The real parts of the index the run takes: both ends of an index sweep (its last step as the run makes it)
// or of a map over the real index, the fixed part of a map over the imaginary index, its models' at each
// wavelength (the real-part box red: the models give it), else the box's.
std::vector<RealPart> RealParts(const MethodInputs& in) {
    switch (in.graphCode) {
        case kGraphIndex: {
            double high = in.xMax;
            const std::optional<SweepPlan> plan =
                PlanSweep(kGraphIndex, in.xMin, in.xMax, in.xMin, in.xMax, in.step, false);
            if (plan) high = std::max(high, plan->x(plan->lastPoint));
            return {{in.xMin, RuleInput::XMin}, {high, RuleInput::XMax}};
        }
        case kGraphMapIndex:
            return {{in.mapMin, RuleInput::MapMin}, {in.mapMax, RuleInput::MapMax}};
        case kGraphMapImaginary:
            return {{in.mapFixed, RuleInput::MapFixed}};
        default:
            break;
    }
    if (!in.runIndices) return {{in.real, RuleInput::RefractReal}};
    std::vector<RealPart> parts;
    for (const RunIndex& m : *in.runIndices) parts.push_back({m.real, RuleInput::RefractReal});
    return parts;
}

// The lowest real part the run takes, for the rules that ask for an index above 1; nothing when it takes
// none. Airy theory's sweeps and maps over the index are left to its 1 < m < p, which judges their steps with
// its own message.
std::optional<RealPart> LowestRealPart(const MethodInputs& in) {
    if (in.calcMethod == kMethodAiry && (in.graphCode == kGraphIndex || in.graphCode == kGraphMapIndex))
        return std::nullopt;
    const std::vector<RealPart> parts = RealParts(in);
    const auto low = std::min_element(parts.begin(), parts.end(),
                                      [](const RealPart& a, const RealPart& b) { return a.m < b.m; });
    if (low == parts.end()) return std::nullopt;
    return *low;
}

// The index against the method, and the ray orders as the list names them.
std::optional<InputRefusal> IndexAndOrders(const MethodInputs& in) {
    const int method = in.calcMethod;
    if (std::optional<InputRefusal> r = IndexRule(in)) return r;
    if (method == kMethodDebye && in.rays.empty()) return Red({RuleInput::Rays}, "Specify a value for p");
    // A typed text that names no order ("0-3", "2,3", "2.5") would run with the number it begins with.
    if (UsesRayOrders(method) && !RayListNamesOrders(in.rays)) return Red({RuleInput::Rays}, kRayOrderForms);
    // The order as the ray-order list reads it: a number beyond the Double range is no order below 2.
    if (method == kMethodAiry && in.rays != "Multiple" && RayListNumber(in.rays) < 2)
        return Red({RuleInput::Rays}, kAiryOrders);
    return std::nullopt;
}

// The count of rays (Huygens) or samples (aperture) that angle graphs read from the angle box, and the two
// coefficients of van de Hulst, Singles read from the term lists: a run's, which a redraw does not use.
std::optional<InputRefusal> SamplesAndCoefficients(const MethodInputs& in) {
    if (in.redraw) return std::nullopt;
    const int method = in.calcMethod;
    double v = 0.0;
    if ((method == kMethodHuygens || method == kMethodAperture) && in.graphCode < kFirstSweepGraph &&
        (!IsNumberText(in.angle, v) || !(v >= 1 && v <= 1000000)))
        return Red({RuleInput::Angle}, method == kMethodHuygens
                                           ? "Number of rays must be between 1 and 1000000"
                                           : "Number of samples must be between 1 and 1000000");
    if (method != kMethodVanDeHulst) return std::nullopt;
    const auto bad = [&v](const std::string& text) { return !IsNumberText(text, v) || !CSng(v).ok(); };
    const bool badA = bad(in.termsMin);
    const bool badB = bad(in.termsMax);
    const char* prompt = "The van de Hulst coefficients must be numbers";
    if (badA && badB) return Red({RuleInput::TermsMin, RuleInput::TermsMax}, prompt);
    if (badA) return Red({RuleInput::TermsMin}, prompt);
    if (badB) return Red({RuleInput::TermsMax}, prompt);
    return std::nullopt;
}

// The highest order a loop over the selection visits.
std::int64_t TopOrder(const RaySelection& s) {
    return std::min<std::int64_t>(s.rayPMax, static_cast<std::int64_t>(s.rayflag.size()) - 1);
}

// Airy theory needs 1 < m < p for every selected order (its square roots of m^2 - 1 and p^2 - m^2) at every
// index the run takes (RealParts; a map over the imaginary index is complex, refused before). A sweep or map
// that would cross the limit is refused before its first step, with the end that crosses it red.
std::optional<InputRefusal> AiryBounds(const MethodInputs& in, const RaySelection& orders) {
    const std::int64_t top = TopOrder(orders);
    const auto holds = [&](double m) {
        for (std::int64_t p = 0; p <= top; ++p)
            if (orders.rayflag[static_cast<std::size_t>(p)] == 1 &&
                !AiryOrderValid(m, static_cast<std::int32_t>(p)))
                return false;
        return true;
    };
    std::vector<RuleInput> red;
    for (const RealPart& part : RealParts(in))
        if (!holds(part.m) && std::find(red.begin(), red.end(), part.box) == red.end())
            red.push_back(part.box);
    if (red.empty()) return std::nullopt;
    return Red(std::move(red), "Airy theory is valid only for 1 < m < p");
}

// The size parameter of radius r (um) at the vacuum wavelength lambda (um) in a medium of real index n, as the
// runs form it.
double SizeParameter(double r, double lambda, double n) { return r * kTwoPi / lambda * n; }

// The radii of the first and the last size a run of one radius per step takes: the rows of a Lee diagram (as
// its sweep forms them from Singles) or of a map over the radius; the one radius of the rows of a map over
// the index or the wavelength (`mapRadius`); else the radius the run takes. A count the sweep rules refuse
// gives the range as typed.
std::pair<double, double> RadiusEnds(const MethodInputs& in, double mapRadius, double mapSteps) {
    switch (in.graphCode) {
        case kGraphLee: {
            const Checked<float> start = CSng(in.radius), end = CSng(in.leeMax), steps = CSng(in.leeSteps);
            const Checked<std::int16_t> last = CInt(steps.value);
            if (!start.ok() || !end.ok() || !steps.ok() || !(steps.value > 0) || !last.ok())
                return {in.radius, in.leeMax};
            const double ratio = LeeRatio(start.value, end.value, steps.value);
            return {start.value, static_cast<double>(start.value) * std::pow(ratio, last.value)};
        }
        case kGraphMapRadius: {
            const Checked<std::int16_t> last = CInt(mapSteps);
            if (!(mapSteps > 0) || !last.ok()) return {in.mapMin, in.mapMax};
            return {in.mapMin, MapSweepValue(in.mapMin, in.mapMax, last.value, mapSteps)};
        }
        case kGraphMapIndex:
        case kGraphMapImaginary:
        case kGraphMapWavelength:
            return {mapRadius, mapRadius};
        default:
            return {in.radius, in.radius};
    }
}

// The largest size parameter of a sweep over an x variable at the wavelength box's wavelength in a medium of
// real index n: at its first or its last step as the run makes them (a last linear step past the typed
// maximum, logarithmic steps), of the radius or the size parameter it sweeps, else of the radius it takes.
double LargestSweptSize(const MethodInputs& in, double n) {
    const auto size = [&](double x) {
        return SweepStepFor(in.graphCode, in.graphSubCode, x, in.lambda, in.radius, n).sizeParam;
    };
    const std::optional<SweepPlan> plan =
        PlanSweep(in.graphCode, in.xMin, in.xMax, in.xMin, in.xMax, in.step, in.logSteps);
    if (!plan) return std::max(size(in.xMin), size(in.xMax));  // refused by the sweep rules
    return std::max(size(plan->x(plan->firstPoint)), size(plan->x(plan->lastPoint)));
}

}  // namespace

std::optional<InputRefusal> MethodParameterRule(const MethodInputs& in, const RayOrdersOf& orders) {
    if (std::optional<InputRefusal> r = IndexAndOrders(in)) return r;
    const int method = in.calcMethod;
    InputRefusal refused;
    if (method == kMethodAiry && in.rays == "Multiple") {
        const std::optional<RaySelection> s = orders(refused);  // "Multiple" reads the dialog's boxes
        if (!s) return refused;
        if (s->rayflag.at(0) == 1 || s->rayflag.at(1) == 1) return Red({RuleInput::Rays}, kAiryOrders);
    }
    // Diffraction does not depend on m: the boxes' real part only.
    if (method == kMethodDiffraction && in.real <= 1) return Red({RuleInput::RefractReal}, kRefractive);
    // The ray methods at the lowest real part the run takes.
    const std::optional<RealPart> low = method >= kMethodAiry ? LowestRealPart(in) : std::nullopt;
    const bool belowOne = low && low->m <= 1;
    if (belowOne && RayListNumber(in.rays) > 1) return Red({low->box}, kRefractive);
    // The ray methods with Re m <= 1: the selection ("Multiple" or a range -N, which pass the test of the
    // typed value) must hold no order p >= 2, whose rainbow formulas have no value there.
    if (belowOne && method <= kMethodHuygens) {
        const std::optional<RaySelection> s = orders(refused);
        if (!s) return refused;
        const auto top =
            std::min<std::size_t>(static_cast<std::size_t>(std::max(s->rayPMax, 0)), s->rayflag.size() - 1);
        for (std::size_t p = 2; p <= top; ++p)
            if (s->rayflag[p] == 1) return Red({low->box}, kRefractive);
    }
    if (std::optional<InputRefusal> r = SamplesAndCoefficients(in)) return r;
    if (method != kMethodAiry) return std::nullopt;
    const std::optional<RaySelection> s =
        orders(refused);  // an absurd typed order is refused with its message
    if (!s) return refused;
    return AiryBounds(in, *s);
}

void TakeRunIndices(MethodInputs& in, const IndexModels& models, const std::vector<double>& wavelengths,
                    double mapRadius, double mapSteps) {
    if (in.calcMethod < kMethodDebye) return;  // Mie takes any index
    const int code = in.graphCode;
    // The largest size parameter at a wavelength in a medium of real index n.
    const auto [firstRadius, lastRadius] = RadiusEnds(in, mapRadius, mapSteps);
    // A distribution's samples scale the sizes they are drawn around (a Lee diagram's rows are single sizes).
    const double scale = code < kGraphLee && in.sampleScale > 0 ? in.sampleScale : 1.0;
    const auto largest = [first = firstRadius, last = lastRadius, scale](double lambda, double n) {
        return scale * std::max(SizeParameter(first, lambda, n), SizeParameter(last, lambda, n));
    };
    // A run at the wavelength box's wavelength places the sphere in its medium's model there (a medium the
    // model gives none for there refuses the run by itself).
    const double mediumRe = MediumIndexAt(models, in.lambda).value_or(Complex{1.0, 0.0}).re;
    in.sizeParam = code >= kFirstSweepGraph && code <= kLastSweepGraph
                       ? scale * LargestSweptSize(in, mediumRe)
                       : largest(in.lambda, mediumRe);
    if (code == kGraphMapIndex || code == kGraphMapImaginary) {
        // Each row's index at the one wavelength: the swept part and the fixed one.
        const Checked<std::int16_t> last = CInt(mapSteps);
        if (!(mapSteps > 0) || !last.ok()) return;  // the map rules refuse such a count
        const double x = in.lambda > 0 ? in.sizeParam : 0.0;
        std::vector<RunIndex> rows;
        for (int k = 0; k <= last.value; ++k) {
            const double v = MapSweepValue(in.mapMin, in.mapMax, k, mapSteps);
            rows.push_back(code == kGraphMapIndex ? RunIndex{v, in.mapFixed, x}
                                                  : RunIndex{in.mapFixed, v, x});
        }
        in.runIndices = std::move(rows);
        in.runIndexInputs = code == kGraphMapIndex ? std::vector{RuleInput::MapFixed}
                                                   : std::vector{RuleInput::MapMin, RuleInput::MapMax};
        return;
    }
    if (wavelengths.empty()) return;
    std::vector<RunIndex> indices;
    for (const double lambda : wavelengths) {
        const RefrelResult m = refrel(models, lambda);
        if (m.ok()) indices.push_back({m.relIndexRe, m.relIndexIm, largest(lambda, m.mediumRe)});
    }
    in.runIndices = std::move(indices);
}

std::optional<InputRefusal> SurfaceWaveIndexRule(const MethodInputs& in) {
    const std::optional<RealPart> low = LowestRealPart(in);
    if (low && low->m <= 1) return Red({low->box}, kRefractive);
    return std::nullopt;
}

std::optional<InputRefusal> SurfaceWaveRule(const MethodInputs& in) {
    if (std::optional<InputRefusal> r = SurfaceWaveIndexRule(in)) return r;
    // The terms as the number entry reads them, rounded as the method rounds them (halves to even): "0.4"
    // and "-3" both ask for a term below 1.
    const double kMin = std::nearbyint(BoxValue(in.termsMin));
    const double kMax = std::nearbyint(BoxValue(in.termsMax));
    if (kMin < 1) return Red({RuleInput::TermsMin}, "Kmin must be >=1");
    if (kMax < 1) return Red({RuleInput::TermsMax}, "Kmax must be >=1");
    if (kMin > kMax) return Red({RuleInput::TermsMin, RuleInput::TermsMax}, "Kmin > Kmax");
    if (kMin > 25) return Red({RuleInput::TermsMin}, "Kmin must be <=25");
    if (kMax > 25) return Red({RuleInput::TermsMax}, "Kmax must be <=25");
    if (Val(in.rays) <= 0)
        return Red({RuleInput::Rays}, "Surface wave calculations are valid only for p > 0");
    return std::nullopt;
}

double SampleScaleOf(const std::string& kind, const std::string& deviation, const std::string& samples,
                     const SizeHistogram& histogram, double r0) {
    const Checked<std::int16_t> n = CInt(Val(samples));
    return LargestSampleScale(DistributionKindOf(kind), static_cast<float>(Val(deviation) / 100),
                              n.ok() ? n.value : 0, histogram, r0);
}

std::optional<InputRefusal> ModelIndexRule(const RefrelResult& m) {
    if (m.ok() || m.status == RefrelStatus::KeepShown) return std::nullopt;
    return Red({RuleInput::RefractReal}, std::string(m.message), std::string(m.title));
}

}  // namespace tessary
