// Method dispatch of the run driver: the routine of the method code, called with the argument list
// of its kind (the series form, the diffraction form or the extended form).
#include "mainwindow/form1.h"
#include "numerics/vector_state.h"
#include "runs/method_codes.h"

namespace tessary {

// The one-wavelength path: codes 1 to 12 are served, code 2 by its Gaussian-beam routine when the
// beam menu is checked. A code outside 1 to 12 calls nothing. The methods that scale with the
// wavelength get the wavelength in the medium, so that S1 and S2 depend on the size parameter and the
// relative index only.
void Form1::DispatchMethod(std::int32_t& first, std::int32_t& last) {
    ClearUpperVectorState();  // whatever ran since the last call (captions, drawing) may have set them
    double lambdaInMedium = mediumRe > 0 ? wavelength / mediumRe : wavelength;
    if (calcMethod == kMethodMie) {
        BHMIE(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack, asymmetryG,
              first, last);
        return;
    }
    if (calcMethod == kMethodDebye && mnuGaussian.checked()) {
        Debye_Gaussian(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack,
                       asymmetryG, first, last);
        return;
    }
    if (calcMethod == kMethodDebye) {
        DebyeSeries(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack,
                    asymmetryG, first, last);
        return;
    }
    if (calcMethod == kMethodRayleigh) {
        Rayleigh(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack, asymmetryG,
                 first, last);
        return;
    }
    if (calcMethod == kMethodDiffraction) {
        Diffraction(sizeParam, angleCount, s1Amp, s2Amp, qExt, qSca, qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod == kMethodHuygens) {
        Huygens(sizeParam, radius, lambdaInMedium, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt,
                qSca, qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod == kMethodAperture) {
        Aperture(sizeParam, radius, lambdaInMedium, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt,
                 qSca, qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod == kMethodVanDeHulst) {
        vdH(sizeParam, radius, lambdaInMedium, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca,
            qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod >= kMethodDescartes && calcMethod <= kMethodYoungMod) {  // ray optics: Descartes, Young, Young mod.
        GO(sizeParam, angleCount, s1Amp, s2Amp, qExt, qSca, qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod == kMethodAiry) {
        Airy(sizeParam, radius, lambdaInMedium, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt,
             qSca, qBack, asymmetryG, first, last);
        return;
    }
    if (calcMethod == kMethodSurfaceWave) {
        SurfaceWave(sizeParam, radius, lambdaInMedium, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp,
                    qExt, qSca, qBack, asymmetryG, first, last);
    }
}

}  // namespace tessary
