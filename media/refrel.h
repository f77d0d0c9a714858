// The relative refractive index m = (index of the sphere) / (index of the medium) at one vacuum
// wavelength, each index from the model chosen for it, and the wavelength band check of the chosen
// models. Pure code: the window keeps one IndexModels, sets its fields from the sphere and medium menus
// and the model dialogs, and calls refrel and CheckLambdaBand with it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "media/index_models.h"
#include "numerics/complex.h"

namespace tessary {

// One value per selectable item of the sphere menu and of the medium menu.
enum class SphereModel {
    IAPWS,
    Cowley,
    Ray,
    Segelstein,
    File,
    Au,
    Ag,
    Cu,
    KayeLaby,
    Lynch,
    Gedzelman,
    Air,
    Vacuum,
    User
};
enum class MediumModel { Air, Vacuum, File, IAPWS, User, Segelstein };

// Four (wavelength in um, real index) pairs of a user-defined material, as Singles.
struct UserIndexPoints {
    std::array<float, 4> wavelengths{};
    std::array<float, 4> indices{};
};
inline constexpr UserIndexPoints kUser1Start{{0.43584f, 0.47998f, 0.58756f, 0.70652f},
                                             {1.5301f, 1.5258f, 1.5192f, 1.515f}};
inline constexpr UserIndexPoints kUser2Start{{0.43584f, 0.47998f, 0.58756f, 0.70652f},
                                             {1.5301f, 1.5258f, 1.5192f, 1.514f}};

// Everything the index depends on besides the wavelength; the defaults are the start-up choice
// (IAPWS water at 5 C in a vacuum, real indices, the user dialogs' start values, no index files).
struct IndexModels {
    SphereModel sphere = SphereModel::IAPWS;
    MediumModel medium = MediumModel::Vacuum;
    WaterParams water;                       // IAPWS models (the water dialog)
    float airTemp = 5.0f;                    // air models, C (the air dialog)
    bool rayComplex = false;                 // Ray table with its k
    bool segelsteinComplex = false;          // Segelstein table (sphere and medium) with its k
    UserIndexPoints user1 = kUser1Start;     // user-defined sphere
    UserIndexPoints user2 = kUser2Start;     // user-defined medium
    std::vector<IndexFileRow> fileIndices1;  // sphere index file; empty until one is read
    std::vector<IndexFileRow> fileIndices2;  // medium index file; empty until one is read
    std::string fileName1, fileName2;        // the material each index file names
};

enum class RefrelStatus {
    Ok,
    KeepShown,             // no new index: a wavelength <= 0, or outside 0.15-2 um with the IAPWS sphere;
                           // the caller keeps the m it shows (no message)
    SphereUndefined,       // no sphere index at this wavelength (outside a table, a user cubic giving 0, ...)
    MediumUndefined,       // no medium index (outside a table, IAPWS without a real value, index 0, ...)
    NoSphereFile,          // the sphere's file model is chosen but no index file has been read
    NoMediumFile,          // the same for the medium
    UserWavelengthsEqual,  // two of the four user wavelengths are equal
};

// What the IAPWS medium model means for its menu caption: "Water <t>C" (Plain), "Water <t>C Complex"
// (Complex, the complex index inside the table's band) or the caption left as it is (Unchanged, the
// complex index clamped to an end of the table); None for the other media.
enum class IapwsMediumCaption { None, Plain, Complex, Unchanged };

struct RefrelResult {
    RefrelStatus status = RefrelStatus::Ok;
    // Failures: the message box text and title (empty for Ok and KeepShown).
    std::string_view message;
    std::string_view title;
    // Ok: the indices n + ik of sphere and medium and m. On a failure only the parts computed
    // before it are set; callers must not use them.
    double sphereRe = 0.0, sphereIm = 0.0;
    double mediumRe = 0.0, mediumIm = 0.0;
    double relIndexRe = 0.0, relIndexIm = 0.0;
    IapwsMediumCaption iapwsMediumCaption = IapwsMediumCaption::None;

    bool ok() const { return status == RefrelStatus::Ok; }
};

// m at the vacuum wavelength lambda (um). Never a zero, NaN or infinite m: every such case is a
// failure status with its message.
RefrelResult refrel(const IndexModels& models, double lambda);

// The medium's index n + ik at the vacuum wavelength lambda (um) by its model alone, whatever the sphere:
// the index a run at that wavelength places the sphere in. Nothing where the model gives none (a wavelength
// not above 0, no file read, outside its table, a real part of 0 or not finite).
std::optional<Complex> MediumIndexAt(const IndexModels& models, double lambda);

// The wavelength band check made before refrel when the wavelength or a model changes: nullopt when
// the chosen models accept the wavelength, else the message box prompt and title naming the model.
struct BandMessage {
    std::string prompt;
    std::string title;
};
std::optional<BandMessage> CheckLambdaBand(const IndexModels& models, double wavelength);

// "U.V." below 0.38 um, "I.R." above 0.7 um (shown instead of the wavelength's colour), else empty.
std::string_view WavelengthBandLabel(double wavelength);

// The material word of a model, used in titles and files: "Water", "Gold", "a vacuum", "air", ...
// Empty for the user-defined and file models, whose names come from their dialog or file.
std::string_view SphereMaterialWord(SphereModel model);
std::string_view MediumMaterialWord(MediumModel model);

}  // namespace tessary
