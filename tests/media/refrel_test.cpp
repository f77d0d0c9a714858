// Relative refractive index: published values of every model family through refrel, the complex and
// real divisions, the failures with their messages, the band check with its messages, and the labels.
#include "media/refrel.h"

#include <gtest/gtest.h>

#include <limits>

#include "media/index_tables.h"
#include "rel_error.h"

namespace tessary {
namespace {

IndexModels Sphere(SphereModel s) {
    IndexModels m;
    m.sphere = s;
    return m;
}

IndexModels Medium(MediumModel medium) {
    IndexModels m;
    m.sphere = SphereModel::Vacuum;
    m.medium = medium;
    return m;
}

TEST(Refrel, StartUpModelsAt650nm) {
    const RefrelResult r = refrel(IndexModels{}, 0.65);  // IAPWS water at 5 C in a vacuum
    ASSERT_TRUE(r.ok());
    EXPECT_NEAR(r.relIndexRe, 1.33257035, 5e-9);  // the box shows "1.33257035"
    EXPECT_EQ(r.relIndexIm, 0.0);
    EXPECT_EQ(r.mediumRe, 1.0);
    EXPECT_TRUE(r.message.empty());
}

TEST(Refrel, SphereModelsInAVacuum) {
    const struct {
        const char* name;
        SphereModel model;
        double lambda, re, im, tol;
    } cases[] = {
        {"Cowley", SphereModel::Cowley, 0.65, 1.33195529, 0, 5e-9},
        {"Kaye + Laby", SphereModel::KayeLaby, 0.65, 1.3313009, 0, 5e-8},
        {"Lynch + Livingston", SphereModel::Lynch, 0.65, 1.3318214, 0, 5e-8},
        {"Gedzelman", SphereModel::Gedzelman, 0.65, 1.3315, 0, 1e-12},
        {"gold", SphereModel::Au, 0.5, 0.9728048, 1.8726771, 5e-8},
        {"vacuum", SphereModel::Vacuum, 0.65, 1.0, 0, 0},
        {"Ray, real", SphereModel::Ray, 0.6, 1.3323976, 0, 5e-8},
        {"Segelstein, real", SphereModel::Segelstein, 0.65, 1.3306874, 0, 5e-8},
    };
    for (const auto& c : cases) {
        const RefrelResult r = refrel(Sphere(c.model), c.lambda);
        ASSERT_TRUE(r.ok()) << c.name;
        EXPECT_NEAR(r.relIndexRe, c.re, c.tol) << c.name;
        EXPECT_NEAR(r.relIndexIm, c.im, c.tol) << c.name;
        EXPECT_EQ(r.sphereRe, r.relIndexRe) << c.name;  // a vacuum divides by 1
    }
}

TEST(Refrel, ComplexSwitchesOfTheWaterTables) {
    IndexModels ray = Sphere(SphereModel::Ray);
    EXPECT_EQ(refrel(ray, 0.55).relIndexIm, 0.0);
    ray.rayComplex = true;
    EXPECT_EQ(refrel(ray, 0.55).relIndexIm, 1.96e-09f);
    EXPECT_REL_NEAR(refrel(ray, 0.6).relIndexIm, 9.5745e-09, 3e-5);

    IndexModels segelstein = Sphere(SphereModel::Segelstein);
    EXPECT_EQ(refrel(segelstein, 0.5).relIndexIm, 0.0);
    segelstein.segelsteinComplex = true;
    EXPECT_EQ(refrel(segelstein, 0.5).relIndexIm, 9.243e-10f);
    EXPECT_REL_NEAR(refrel(segelstein, 0.65).relIndexIm, 1.6725e-08, 3e-5);
}

TEST(Refrel, IapwsTemperatureAndDensity) {
    IndexModels m;
    m.water = {20.0f, 0.9982f, false};
    EXPECT_NEAR(refrel(m, 0.589).relIndexRe, 1.3333561, 5e-8);
}

TEST(Refrel, IapwsComplexSphereAndMedium) {
    IndexModels sphere;
    sphere.water.complex = true;
    const struct {
        double lambda, k;
    } sphereCases[] = {
        {0.65, 1.75866e-08},  // t(108) + 3e-14 (t(109) - t(108))
        {0.70, riBuiltinTable[128]},
        {0.38, riBuiltinTable[0]},
        {0.72, 0.0},  // the sphere's water is real beyond the table
        {0.30, 0.0},
    };
    for (const auto& c : sphereCases) {
        const RefrelResult r = refrel(sphere, c.lambda);
        ASSERT_TRUE(r.ok()) << c.lambda;
        EXPECT_REL_NEAR(r.sphereIm, c.k, 1e-6) << c.lambda;
        EXPECT_REL_NEAR(r.relIndexIm, c.k, 1e-6) << c.lambda;  // in a vacuum
        EXPECT_EQ(r.iapwsMediumCaption, IapwsMediumCaption::None);
    }

    IndexModels medium = Medium(MediumModel::IAPWS);
    medium.water.complex = true;
    const struct {
        double lambda, k;
        IapwsMediumCaption caption;
    } mediumCases[] = {
        {0.65, 1.75866e-08, IapwsMediumCaption::Complex},
        {0.70, riBuiltinTable[128], IapwsMediumCaption::Complex},
        {0.72, riBuiltinTable[128], IapwsMediumCaption::Unchanged},  // the medium keeps the end values
        {0.30, riBuiltinTable[0], IapwsMediumCaption::Unchanged},
    };
    for (const auto& c : mediumCases) {
        const RefrelResult r = refrel(medium, c.lambda);
        ASSERT_TRUE(r.ok()) << c.lambda;
        EXPECT_REL_NEAR(r.mediumIm, c.k, 1e-6) << c.lambda;
        EXPECT_EQ(r.iapwsMediumCaption, c.caption) << c.lambda;
    }
    medium.water.complex = false;
    EXPECT_EQ(refrel(medium, 0.65).iapwsMediumCaption, IapwsMediumCaption::Plain);
    EXPECT_EQ(refrel(medium, 0.65).mediumIm, 0.0);
}

TEST(Refrel, DivisionByTheMedium) {
    // a complex sphere in a real medium: Im m = k / n of the medium
    IndexModels gold = Sphere(SphereModel::Au);
    gold.medium = MediumModel::Air;
    const RefrelResult r = refrel(gold, 0.5);
    ASSERT_TRUE(r.ok());
    EXPECT_REL_NEAR(r.relIndexRe, r.sphereRe / r.mediumRe, 1e-15);
    EXPECT_REL_NEAR(r.relIndexIm, r.sphereIm / r.mediumRe, 1e-15);

    // a real sphere in a real medium: the plain quotient
    IndexModels water;
    water.medium = MediumModel::Air;
    water.airTemp = 0.0f;
    const RefrelResult w = refrel(water, 0.65);
    EXPECT_NEAR(w.mediumRe, 1.00029096, 5e-9);
    EXPECT_EQ(w.relIndexRe, w.sphereRe / w.mediumRe);
    EXPECT_EQ(w.relIndexIm, 0.0);

    // both complex: the complex quotient (n1 + ik1) / (n2 + ik2)
    IndexModels both = Sphere(SphereModel::Segelstein);
    both.medium = MediumModel::Segelstein;
    both.segelsteinComplex = true;
    const RefrelResult b = refrel(both, 3.0);
    ASSERT_TRUE(b.ok());
    EXPECT_NEAR(b.relIndexRe, 1.0, 1e-15);
    EXPECT_NEAR(b.relIndexIm, 0.0, 1e-15);

    // vacuum in a vacuum
    const RefrelResult v = refrel(Sphere(SphereModel::Vacuum), 0.65);
    EXPECT_EQ(v.relIndexRe, 1.0);
    EXPECT_EQ(v.relIndexIm, 0.0);
}

TEST(Refrel, UserDefinedModels) {
    IndexModels m = Sphere(SphereModel::User);
    RefrelResult r = refrel(m, 0.58756);
    ASSERT_TRUE(r.ok());
    EXPECT_NEAR(r.relIndexRe, 1.5192, 1e-6);  // to the Single precision of the points
    r = refrel(m, 0.65);
    EXPECT_LT(r.relIndexRe, 1.5192);
    EXPECT_GT(r.relIndexRe, 1.515);

    // the user-defined medium divides: glass in glass at the point where both are 1.5192
    m.medium = MediumModel::User;
    r = refrel(m, 0.58756);
    EXPECT_NEAR(r.relIndexRe, 1.0, 1e-6);
}

TEST(Refrel, NoNewIndexWithoutAWavelength) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (SphereModel s : {SphereModel::IAPWS, SphereModel::Cowley, SphereModel::Vacuum, SphereModel::User}) {
        for (double lambda : {0.0, -0.65, nan, inf}) {
            const RefrelResult r = refrel(Sphere(s), lambda);
            EXPECT_EQ(r.status, RefrelStatus::KeepShown) << lambda;
            EXPECT_TRUE(r.message.empty());
        }
    }
    // the IAPWS sphere only inside 0.15-2 um, without a message
    for (double lambda : {0.1, 0.1499, 2.0001, 2.5}) {
        const RefrelResult r = refrel(IndexModels{}, lambda);
        EXPECT_EQ(r.status, RefrelStatus::KeepShown) << lambda;
        EXPECT_TRUE(r.message.empty());
    }
    EXPECT_TRUE(refrel(IndexModels{}, 0.15).ok());
    EXPECT_TRUE(refrel(IndexModels{}, 2.0).ok());
}

struct FailureCase {
    const char* name;
    IndexModels models;
    double lambda;
    RefrelStatus status;
    const char* message;
    const char* title;
};

IndexModels WithUser2Zero() {
    IndexModels m = Medium(MediumModel::User);
    m.user2.indices = {0.0f, 0.0f, 0.0f, 0.0f};
    return m;
}

IndexModels WithUser1Equal() {
    IndexModels m = Sphere(SphereModel::User);
    m.user1.wavelengths[2] = m.user1.wavelengths[0];
    return m;
}

IndexModels WithUser2Equal() {
    IndexModels m = Medium(MediumModel::User);
    m.user2.wavelengths[3] = m.user2.wavelengths[1];
    return m;
}

IndexModels WithUser1Zero() {
    IndexModels m = Sphere(SphereModel::User);
    m.user1.indices = {0.0f, 0.0f, 0.0f, 0.0f};
    return m;
}

IndexModels IapwsMedium() {
    IndexModels m = Sphere(SphereModel::Segelstein);
    m.medium = MediumModel::IAPWS;
    return m;
}

TEST(Refrel, FailuresCarryTheirMessage) {
    const char* sphereMsg = "Help! RI of sphere undefined";
    const char* mediumMsg = "Help! RI of medium undefined";
    const FailureCase cases[] = {
        {"Ray below", Sphere(SphereModel::Ray), 0.15, RefrelStatus::SphereUndefined, sphereMsg, "Error"},
        {"Ray above", Sphere(SphereModel::Ray), 40000, RefrelStatus::SphereUndefined, sphereMsg, "Error"},
        {"Segelstein below", Sphere(SphereModel::Segelstein), 0.005, RefrelStatus::SphereUndefined, sphereMsg,
         "Error"},
        {"gold below", Sphere(SphereModel::Au), 0.18, RefrelStatus::SphereUndefined, sphereMsg, "Error"},
        {"silver above", Sphere(SphereModel::Ag), 2.0, RefrelStatus::SphereUndefined, sphereMsg, "Error"},
        {"copper above", Sphere(SphereModel::Cu), 2.0, RefrelStatus::SphereUndefined, sphereMsg, "Error"},
        {"user sphere 0", WithUser1Zero(), 0.5, RefrelStatus::SphereUndefined, sphereMsg, "Error"},
        {"Cowley overflows", Sphere(SphereModel::Cowley), 1e100, RefrelStatus::SphereUndefined, sphereMsg,
         "Error"},
        {"user medium 0", WithUser2Zero(), 0.5, RefrelStatus::MediumUndefined, mediumMsg, "Error"},
        {"IAPWS medium, UV band", IapwsMedium(), 0.02, RefrelStatus::MediumUndefined, mediumMsg, "Error"},
        {"IAPWS medium, near 0.135", IapwsMedium(), 0.135, RefrelStatus::MediumUndefined, mediumMsg, "Error"},
        {"IAPWS medium, near 3.2", IapwsMedium(), 3.2, RefrelStatus::MediumUndefined, mediumMsg, "Error"},
        {"Segelstein medium below", Medium(MediumModel::Segelstein), 0.005, RefrelStatus::MediumUndefined,
         mediumMsg, "Error"},
        {"no sphere file", Sphere(SphereModel::File), 0.5, RefrelStatus::NoSphereFile,
         "No refractive index file has been read for the sphere", "Error"},
        {"no medium file", Medium(MediumModel::File), 0.5, RefrelStatus::NoMediumFile,
         "No refractive index file has been read for the medium", "Error"},
        {"equal user sphere wavelengths", WithUser1Equal(), 0.5, RefrelStatus::UserWavelengthsEqual,
         "All x values must be different", "Error in input data"},
        {"equal user medium wavelengths", WithUser2Equal(), 0.5, RefrelStatus::UserWavelengthsEqual,
         "All x values must be different", "Error in input data"},
    };
    for (const auto& c : cases) {
        const RefrelResult r = refrel(c.models, c.lambda);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_EQ(r.message, c.message) << c.name;
        EXPECT_EQ(r.title, c.title) << c.name;
        EXPECT_EQ(r.relIndexRe, 0.0) << c.name;  // never a value that looks like an index
    }
}

TEST(Refrel, IapwsMediumOutsideItsNarrowBandsAsTheFormulaGives) {
    // between the bands without a real value the medium takes the formula's value, whatever it is
    for (double lambda : {0.026, 0.13, 0.14, 3.13, 3.27, 10.0}) {
        const RefrelResult r = refrel(IapwsMedium(), lambda);
        EXPECT_NE(r.status, RefrelStatus::MediumUndefined) << lambda;
        if (r.ok()) {
            EXPECT_GT(r.mediumRe, 0.0) << lambda;
        }
    }
    IndexModels vacuumInWater = Medium(MediumModel::IAPWS);
    EXPECT_NEAR(refrel(vacuumInWater, 0.65).relIndexRe, 1.0 / 1.33257035, 5e-9);
}

TEST(Refrel, FileModels) {
    IndexModels m = Sphere(SphereModel::File);
    m.fileIndices1 = {{0.4f, 1.5f, 0.01f}, {0.8f, 1.3f, 0.03f}};
    RefrelResult r = refrel(m, 0.2);  // below the file: its first row, no message
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.sphereRe, 1.5f);
    EXPECT_EQ(r.sphereIm, 0.01f);
    r = refrel(m, 0.6);
    EXPECT_NEAR(r.relIndexRe, 1.4, 1e-6);
    EXPECT_NEAR(r.relIndexIm, 0.02, 1e-8);

    m.medium = MediumModel::File;
    m.fileIndices2 = {{0.4f, 1.0f, 0.0f}, {0.8f, 0.0f, 0.0f}};
    EXPECT_EQ(refrel(m, 0.8).status, RefrelStatus::MediumUndefined);  // a medium index of 0
    EXPECT_NEAR(refrel(m, 0.4).relIndexRe, 1.5, 1e-7);
}

TEST(CheckLambdaBand, PassesInsideAndNamesTheModelOutside) {
    const std::string iapws =
        "IAPWS values for refractive index of water are valid only for the 0.01 - 10 um band";
    const std::string water = "Refractive index of water";
    const std::string visible =
        "Values for refractive index of water are valid only for the 0.38 - 0.7 um band";
    const std::string complexTitle = "Complex values of refractive index of water";
    const struct {
        const char* name;
        IndexModels models;
        double wavelength;
        std::string prompt, title;  // empty: passes
    } cases[] = {
        {"IAPWS 0.65", IndexModels{}, 0.65, "", ""},
        {"IAPWS 10", IndexModels{}, 10.0, "", ""},
        {"IAPWS 0.01", IndexModels{}, 0.01, "", ""},
        {"IAPWS above 10", IndexModels{}, 10.0001, iapws, water},
        {"IAPWS below 0.01", IndexModels{}, 0.0099, iapws, water},
        {"IAPWS medium gives its band", IapwsMedium(), 20.0, iapws, water},
        {"gold lower end", Sphere(SphereModel::Au), 0.187878, "", ""},
        {"gold upper end", Sphere(SphereModel::Au), 1.93479, "", ""},
        {"gold at 2", Sphere(SphereModel::Au), 2.0,
         "The values for refractive index of Gold are valid only for the 187 - 1935 nm band",
         "Refractive index of Gold"},
        {"copper at 0.1", Sphere(SphereModel::Cu), 0.1,
         "The values for refractive index of Copper are valid only for the 187 - 1935 nm band",
         "Refractive index of Copper"},
        {"Segelstein at 0.005", Sphere(SphereModel::Segelstein), 0.005,
         "Segelstein's values for refractive index of water are valid only for the 0.01 um - 10 m band",
         water},
        {"Segelstein at 1e7", Sphere(SphereModel::Segelstein), 1e7, "", ""},
        {"Cowley 0.38", Sphere(SphereModel::Cowley), 0.38, "", ""},
        {"Cowley 0.7", Sphere(SphereModel::Cowley), 0.7, "", ""},
        {"Cowley 0.3799", Sphere(SphereModel::Cowley), 0.3799, "Cowley's " + visible, complexTitle},
        {"Gedzelman 0.8", Sphere(SphereModel::Gedzelman), 0.8, "Gedzelman's " + visible, complexTitle},
        {"Lynch 0.3", Sphere(SphereModel::Lynch), 0.3, "Lynch & Livingston's " + visible, complexTitle},
        {"Kaye + Laby 0.71", Sphere(SphereModel::KayeLaby), 0.71, "Kaye & Laby's " + visible, complexTitle},
        {"Ray 0.001", Sphere(SphereModel::Ray), 0.001, "", ""},
        {"Ray 1e6", Sphere(SphereModel::Ray), 1e6, "", ""},
        {"air", Sphere(SphereModel::Air), 50.0, "", ""},
        {"user", Sphere(SphereModel::User), 50.0, "", ""},
        {"file", Sphere(SphereModel::File), 50.0, "", ""},
        {"Segelstein medium", Medium(MediumModel::Segelstein), 1e9, "", ""},
    };
    for (const auto& c : cases) {
        const std::optional<BandMessage> m = CheckLambdaBand(c.models, c.wavelength);
        if (c.prompt.empty()) {
            EXPECT_FALSE(m.has_value()) << c.name << ": " << m->prompt;
            continue;
        }
        ASSERT_TRUE(m.has_value()) << c.name;
        EXPECT_EQ(m->prompt, c.prompt) << c.name;
        EXPECT_EQ(m->title, c.title) << c.name;
    }
}

TEST(CheckLambdaBand, OnlyTheFirstMatchingRowApplies) {
    // a metal sphere in IAPWS water: the metal band, not the water band
    IndexModels gold = Sphere(SphereModel::Au);
    gold.medium = MediumModel::IAPWS;
    EXPECT_FALSE(CheckLambdaBand(gold, 1.9).has_value());
    EXPECT_EQ(CheckLambdaBand(gold, 5.0)->title, "Refractive index of Gold");
    // a Cowley sphere in IAPWS water: the IAPWS band instead of the visible one
    IndexModels cowley = Sphere(SphereModel::Cowley);
    cowley.medium = MediumModel::IAPWS;
    EXPECT_FALSE(CheckLambdaBand(cowley, 5.0).has_value());
}

TEST(WavelengthBandLabel, UltravioletAndInfrared) {
    EXPECT_EQ(WavelengthBandLabel(0.3), "U.V.");
    EXPECT_EQ(WavelengthBandLabel(0.8), "I.R.");
    EXPECT_EQ(WavelengthBandLabel(0.38), "");
    EXPECT_EQ(WavelengthBandLabel(0.7), "");
    EXPECT_EQ(WavelengthBandLabel(0.55), "");
}

TEST(MaterialWords, TitlesOfTheStartUpModels) {
    // "Water in a vacuum": the sphere word, " in ", the medium word
    EXPECT_EQ(SphereMaterialWord(SphereModel::IAPWS), "Water");
    EXPECT_EQ(MediumMaterialWord(MediumModel::Vacuum), "a vacuum");
    EXPECT_EQ(SphereMaterialWord(SphereModel::Ag), "Silver");
    EXPECT_EQ(MediumMaterialWord(MediumModel::Air), "air");
    EXPECT_EQ(MediumMaterialWord(MediumModel::IAPWS), "water");
    EXPECT_EQ(MediumMaterialWord(MediumModel::Segelstein), "Water");
    EXPECT_EQ(SphereMaterialWord(SphereModel::User), "");
}

}  // namespace
}  // namespace tessary
