// Relative refractive index and the band check of the chosen models; see refrel.h.
#include "media/refrel.h"

#include <cmath>

#include "media/lagrange_interp.h"
#include "numerics/complex.h"
#include "numerics/kernel_support.h"

namespace tessary {
namespace {

constexpr std::string_view kErrorTitle = "Error";

// The index of one material, or the reason there is none.
struct MaterialIndex {
    RefrelStatus status = RefrelStatus::Ok;
    Complex index;
};

MaterialIndex Real(double n) { return {RefrelStatus::Ok, {n, 0.0}}; }

// A table value, with its k only when the complex index is asked for.
MaterialIndex FromTable(const std::optional<Complex>& value, bool complex, RefrelStatus outside) {
    if (!value) return {outside, {}};
    return {RefrelStatus::Ok, {value->re, complex ? value->im : 0.0}};
}

MaterialIndex FromUser(const UserIndexPoints& u, double lambda) {
    const std::optional<double> n =
        LagrangeInterp4(u.wavelengths[0], u.indices[0], u.wavelengths[1], u.indices[1], u.wavelengths[2],
                        u.indices[2], u.wavelengths[3], u.indices[3], lambda);
    if (!n) return {RefrelStatus::UserWavelengthsEqual, {}};
    return Real(*n);
}

MaterialIndex FromFile(const std::vector<IndexFileRow>& rows, double lambda, RefrelStatus noFile,
                       RefrelStatus outside) {
    if (rows.empty()) return {noFile, {}};
    const std::optional<Complex> value = FileIndex(rows, lambda);
    if (!value) return {outside, {}};
    return {RefrelStatus::Ok, *value};
}

MaterialIndex SphereIndex(const IndexModels& m, double lambda) {
    constexpr RefrelStatus undefined = RefrelStatus::SphereUndefined;
    switch (m.sphere) {
        case SphereModel::IAPWS: {
            const std::optional<double> n = IapwsWaterRe(lambda, m.water);
            if (!n) return {undefined, {}};
            // the sphere's water is real outside the band of the built-in k table
            const bool complex = m.water.complex && 0.38 <= lambda && lambda <= 0.7;
            return {RefrelStatus::Ok, {*n, complex ? BuiltinWaterIm(lambda).k : 0.0}};
        }
        case SphereModel::Cowley:
            return Real(CowleyWaterRe(lambda));
        case SphereModel::Ray:
            return FromTable(RayWaterIndex(lambda), m.rayComplex, undefined);
        case SphereModel::Segelstein:
            return FromTable(SegelsteinWaterIndex(lambda), m.segelsteinComplex, undefined);
        case SphereModel::File:
            return FromFile(m.fileIndices1, lambda, RefrelStatus::NoSphereFile, undefined);
        case SphereModel::Au:
            return FromTable(MetalIndexAt(Metal::Gold, lambda), true, undefined);
        case SphereModel::Ag:
            return FromTable(MetalIndexAt(Metal::Silver, lambda), true, undefined);
        case SphereModel::Cu:
            return FromTable(MetalIndexAt(Metal::Copper, lambda), true, undefined);
        case SphereModel::KayeLaby:
            return Real(KayeLabyWaterRe(lambda));
        case SphereModel::Lynch:
            return Real(LynchWaterRe(lambda));
        case SphereModel::Gedzelman:
            return Real(GedzelmanWaterRe(lambda));
        case SphereModel::Air:
            return Real(AirRe(lambda, m.airTemp));
        case SphereModel::Vacuum:
            return Real(1.0);
        case SphereModel::User:
            return FromUser(m.user1, lambda);
    }
    return {undefined, {}};
}

MaterialIndex MediumIndex(const IndexModels& m, double lambda, IapwsMediumCaption& caption) {
    constexpr RefrelStatus undefined = RefrelStatus::MediumUndefined;
    switch (m.medium) {
        case MediumModel::Air:
            return Real(AirRe(lambda, m.airTemp));
        case MediumModel::Vacuum:
            return Real(1.0);
        case MediumModel::File:
            return FromFile(m.fileIndices2, lambda, RefrelStatus::NoMediumFile, undefined);
        case MediumModel::IAPWS: {
            const std::optional<double> n = IapwsWaterRe(lambda, m.water);
            if (!n) return {undefined, {}};
            if (!m.water.complex) {
                caption = IapwsMediumCaption::Plain;
                return Real(*n);
            }
            // the medium's water keeps the end values of the k table beyond its band
            const WaterIm k = BuiltinWaterIm(lambda);
            caption = k.insideTable ? IapwsMediumCaption::Complex : IapwsMediumCaption::Unchanged;
            return {RefrelStatus::Ok, {*n, k.k}};
        }
        case MediumModel::User:
            return FromUser(m.user2, lambda);
        case MediumModel::Segelstein:
            return FromTable(SegelsteinWaterIndex(lambda), m.segelsteinComplex, undefined);
    }
    return {undefined, {}};
}

RefrelResult WithStatus(RefrelResult r, RefrelStatus status) {
    r.status = status;
    switch (status) {
        case RefrelStatus::Ok:
        case RefrelStatus::KeepShown:
            break;
        case RefrelStatus::SphereUndefined:
            r.message = "Help! RI of sphere undefined";
            r.title = kErrorTitle;
            break;
        case RefrelStatus::MediumUndefined:
            r.message = "Help! RI of medium undefined";
            r.title = kErrorTitle;
            break;
        case RefrelStatus::NoSphereFile:
            r.message = "No refractive index file has been read for the sphere";
            r.title = kErrorTitle;
            break;
        case RefrelStatus::NoMediumFile:
            r.message = "No refractive index file has been read for the medium";
            r.title = kErrorTitle;
            break;
        case RefrelStatus::UserWavelengthsEqual:
            r.message = kLagrangeEqualXMessage;
            r.title = kLagrangeEqualXTitle;
            break;
    }
    return r;
}

}  // namespace

RefrelResult refrel(const IndexModels& models, double lambda) {
    RefrelResult r;
    // no wavelength to work with: the index shown stays
    if (!(lambda > 0.0) || !std::isfinite(lambda)) return WithStatus(r, RefrelStatus::KeepShown);
    // the IAPWS sphere is used only inside 0.15-2 um, away from the poles of the formula
    if (models.sphere == SphereModel::IAPWS && (lambda < 0.15 || lambda > 2.0))
        return WithStatus(r, RefrelStatus::KeepShown);

    const MaterialIndex sphere = SphereIndex(models, lambda);
    if (sphere.status != RefrelStatus::Ok) return WithStatus(r, sphere.status);
    r.sphereRe = sphere.index.re;
    r.sphereIm = sphere.index.im;
    if (sphere.index.re == 0.0 || !Finite(sphere.index)) return WithStatus(r, RefrelStatus::SphereUndefined);

    const MaterialIndex medium = MediumIndex(models, lambda, r.iapwsMediumCaption);
    if (medium.status != RefrelStatus::Ok) return WithStatus(r, medium.status);
    r.mediumRe = medium.index.re;
    r.mediumIm = medium.index.im;
    // a medium of real index 0 would divide by zero
    if (medium.index.re == 0.0 || !Finite(medium.index)) return WithStatus(r, RefrelStatus::MediumUndefined);

    if (sphere.index.im == 0.0 && medium.index.im == 0.0) {
        r.relIndexRe = sphere.index.re / medium.index.re;
        r.relIndexIm = 0.0;
    } else {
        const Complex m = ComplexDiv(sphere.index, medium.index);
        r.relIndexRe = m.re;
        r.relIndexIm = m.im;
    }
    // a medium index so small that the quotient overflows is as undefined as 0
    if (!std::isfinite(r.relIndexRe) || !std::isfinite(r.relIndexIm))
        return WithStatus(r, RefrelStatus::MediumUndefined);
    return r;
}

std::optional<Complex> MediumIndexAt(const IndexModels& models, double lambda) {
    if (!(lambda > 0.0) || !std::isfinite(lambda)) return std::nullopt;
    IapwsMediumCaption caption = IapwsMediumCaption::None;
    const MaterialIndex medium = MediumIndex(models, lambda, caption);
    if (medium.status != RefrelStatus::Ok || medium.index.re == 0.0 || !Finite(medium.index))
        return std::nullopt;
    return medium.index;
}

std::optional<BandMessage> CheckLambdaBand(const IndexModels& models, double wavelength) {
    const double w = wavelength;
    const auto outside = [w](double lo, double hi) { return !(lo <= w && w <= hi); };  // NaN is outside
    const SphereModel s = models.sphere;
    // the first matching row decides, so a metal sphere gets no water band and an IAPWS medium
    // gives its band to any sphere
    if (s == SphereModel::Au || s == SphereModel::Ag || s == SphereModel::Cu) {
        if (!outside(0.187878, 1.93479)) return std::nullopt;
        const std::string name(SphereMaterialWord(s));
        return BandMessage{
            "The values for refractive index of " + name + " are valid only for the 187 - 1935 nm band",
            "Refractive index of " + name};
    }
    if (s == SphereModel::IAPWS || models.medium == MediumModel::IAPWS) {
        if (!outside(0.01, 10.0)) return std::nullopt;
        return BandMessage{
            "IAPWS values for refractive index of water are valid only for the 0.01 - 10 um band",
            "Refractive index of water"};
    }
    if (s == SphereModel::Segelstein) {
        if (!outside(0.01, 10000000.0)) return std::nullopt;
        return BandMessage{
            "Segelstein's values for refractive index of water are valid only for the 0.01 um - 10 m band",
            "Refractive index of water"};
    }
    const char* prefix = s == SphereModel::Cowley      ? "Cowley's "
                         : s == SphereModel::Gedzelman ? "Gedzelman's "
                         : s == SphereModel::Lynch     ? "Lynch & Livingston's "
                         : s == SphereModel::KayeLaby  ? "Kaye & Laby's "
                                                       : nullptr;
    // Ray's table and the remaining models (air, vacuum, user values, files) need no band
    if (prefix == nullptr || !outside(0.38, 0.7)) return std::nullopt;
    return BandMessage{std::string(prefix) +
                           "Values for refractive index of water are valid only for the 0.38 - 0.7 um band",
                       "Complex values of refractive index of water"};
}

std::string_view WavelengthBandLabel(double wavelength) {
    if (wavelength < 0.38) return "U.V.";
    if (wavelength > 0.7) return "I.R.";
    return {};
}

std::string_view SphereMaterialWord(SphereModel model) {
    switch (model) {
        case SphereModel::IAPWS:
        case SphereModel::Cowley:
        case SphereModel::Ray:
        case SphereModel::Segelstein:
        case SphereModel::KayeLaby:
        case SphereModel::Lynch:
        case SphereModel::Gedzelman:
            return "Water";
        case SphereModel::Au:
            return "Gold";
        case SphereModel::Ag:
            return "Silver";
        case SphereModel::Cu:
            return "Copper";
        case SphereModel::Air:
            return "Air";
        case SphereModel::Vacuum:
            return "Vacuum";
        case SphereModel::User:
        case SphereModel::File:
            return {};
    }
    return {};
}

std::string_view MediumMaterialWord(MediumModel model) {
    switch (model) {
        case MediumModel::Vacuum:
            return "a vacuum";
        case MediumModel::Air:
            return "air";
        case MediumModel::IAPWS:
            return "water";
        case MediumModel::Segelstein:
            return "Water";
        case MediumModel::User:
        case MediumModel::File:
            return {};
    }
    return {};
}

}  // namespace tessary
