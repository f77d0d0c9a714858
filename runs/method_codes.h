// The method codes (calcMethod): the calculation method chosen in the method list cboType, as TypeCalc
// sets it and the series routines switch it around their nested calls. A plain enum so the members
// that hold it stay int and compare with these names directly.
#pragma once

namespace tessary {

enum CalcMethod : int {
    kMethodNone = 0,          // the method list's text names no method
    kMethodMie = 1,           // "Mie"
    kMethodDebye = 2,         // "Debye"
    kMethodRayleigh = 3,      // "Rayleigh"
    kMethodDiffraction = 4,   // "Diffraction"
    kMethodAiry = 5,          // "Airy"
    kMethodDescartes = 6,     // "Descartes" (ray optics)
    kMethodYoung = 7,         // "Young" (ray optics with interference)
    kMethodYoungMod = 8,      // "Young mod" (modified Young)
    kMethodHuygens = 9,       // "Huygens"
    kMethodAperture = 10,     // "Aperture"
    kMethodSurfaceWave = 11,  // "Surface wave"
    kMethodVanDeHulst = 12,   // "van de Hulst"
};

}  // namespace tessary
