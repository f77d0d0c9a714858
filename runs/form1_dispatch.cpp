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
    double lambdaInMedium = indexState.mediumRe > 0 ? calc.wavelength / indexState.mediumRe : calc.wavelength;
    if (codes.calcMethod == kMethodMie) {
        BHMIE(calc.sizeParam, calc.calcIndexRe, calc.calcIndexIm, angleGrid.angleCount, results.s1Amp,
              results.s2Amp, results.qExt, results.qSca, results.qBack, results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodDebye && mnuGaussian.checked()) {
        Debye_Gaussian(calc.sizeParam, calc.calcIndexRe, calc.calcIndexIm, angleGrid.angleCount,
                       results.s1Amp, results.s2Amp, results.qExt, results.qSca, results.qBack,
                       results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodDebye) {
        DebyeSeries(calc.sizeParam, calc.calcIndexRe, calc.calcIndexIm, angleGrid.angleCount, results.s1Amp,
                    results.s2Amp, results.qExt, results.qSca, results.qBack, results.asymmetryG, first,
                    last);
        return;
    }
    if (codes.calcMethod == kMethodRayleigh) {
        Rayleigh(calc.sizeParam, calc.calcIndexRe, calc.calcIndexIm, angleGrid.angleCount, results.s1Amp,
                 results.s2Amp, results.qExt, results.qSca, results.qBack, results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodDiffraction) {
        Diffraction(calc.sizeParam, angleGrid.angleCount, results.s1Amp, results.s2Amp, results.qExt,
                    results.qSca, results.qBack, results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodHuygens) {
        Huygens(calc.sizeParam, calc.radius, lambdaInMedium, calc.calcIndexRe, calc.calcIndexIm,
                angleGrid.angleCount, results.s1Amp, results.s2Amp, results.qExt, results.qSca, results.qBack,
                results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodAperture) {
        Aperture(calc.sizeParam, calc.radius, lambdaInMedium, calc.calcIndexRe, calc.calcIndexIm,
                 angleGrid.angleCount, results.s1Amp, results.s2Amp, results.qExt, results.qSca,
                 results.qBack, results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodVanDeHulst) {
        vdH(calc.sizeParam, calc.radius, lambdaInMedium, calc.calcIndexRe, calc.calcIndexIm,
            angleGrid.angleCount, results.s1Amp, results.s2Amp, results.qExt, results.qSca, results.qBack,
            results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod >= kMethodDescartes &&
        codes.calcMethod <= kMethodYoungMod) {  // ray optics: Descartes, Young, Young mod.
        GO(calc.sizeParam, angleGrid.angleCount, results.s1Amp, results.s2Amp, results.qExt, results.qSca,
           results.qBack, results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodAiry) {
        Airy(calc.sizeParam, calc.radius, lambdaInMedium, calc.calcIndexRe, calc.calcIndexIm,
             angleGrid.angleCount, results.s1Amp, results.s2Amp, results.qExt, results.qSca, results.qBack,
             results.asymmetryG, first, last);
        return;
    }
    if (codes.calcMethod == kMethodSurfaceWave) {
        SurfaceWave(calc.sizeParam, calc.radius, lambdaInMedium, calc.calcIndexRe, calc.calcIndexIm,
                    angleGrid.angleCount, results.s1Amp, results.s2Amp, results.qExt, results.qSca,
                    results.qBack, results.asymmetryG, first, last);
    }
}

}  // namespace tessary
