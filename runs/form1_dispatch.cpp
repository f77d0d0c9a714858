// Method dispatch of the run driver: the routine of the method code, called with the argument list
// of its kind. The Mie series and the plane-wave Debye series are built; every other method is
// refused with its message until its routine exists, and the run then ends through the driver's stop
// exit.
#include <array>
#include <string>

#include "mainwindow/form1.h"

namespace tessary {

namespace {

// The methods of codes 3 to 12 as their refusal names them.
constexpr std::array<const char*, 10> kMethodNames{"Rayleigh scattering",
                                                   "Diffraction",
                                                   "Airy theory",
                                                   "Geometric optics (Descartes)",
                                                   "Geometric optics (Young)",
                                                   "Geometric optics (Young mod)",
                                                   "The Huygens wavefront method",
                                                   "Aperture diffraction",
                                                   "Surface waves",
                                                   "The van de Hulst approximation"};

}  // namespace

// The one-wavelength path: codes 1 to 12 are served, code 2 by its Gaussian-beam routine when the
// beam menu is checked. A code outside 1 to 12 calls nothing.
void Form1::DispatchMethod(std::int32_t& first, std::int32_t& last) {
    if (calcMethod == 1) {
        BHMIE(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack, asymmetryG,
              first, last);
        return;
    }
    if (calcMethod == 2 && mnuGaussian.checked()) {
        Debye_Gaussian(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack,
                       asymmetryG, first, last);
        return;
    }
    if (calcMethod == 2) {
        DebyeSeries(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack,
                    asymmetryG, first, last);
        return;
    }
    if (calcMethod == 5) {
        Airy(sizeParam, radius, wavelength, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca,
             qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod == 11) {
        SurfaceWave(sizeParam, radius, wavelength, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt,
                    qSca, qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod >= 3 && calcMethod <= 12)
        RefuseRun(kMethodNames[static_cast<std::size_t>(calcMethod - 3)]);
}

}  // namespace tessary
