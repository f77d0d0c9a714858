// Complex arithmetic on (real, imaginary) pairs; see complex.h for the conventions.
#include "complex.h"

#include <cmath>

#include "constants.h"

namespace tessary {

double ComplexAbs(Complex a) { return std::sqrt(a.re * a.re + a.im * a.im); }

Complex ComplexExp(Complex a) {
    const double e = std::exp(a.re);
    return {e * std::cos(a.im), e * std::sin(a.im)};
}

Complex ComplexPower(Complex a, double p) {
    const Polar polar = RectangularPolar(a.re, a.im);
    return PolarRectangular(std::pow(polar.r, p), p * polar.angle);
}

Complex ComplexSin(Complex z) {
    const double ep = std::exp(z.im), em = std::exp(-z.im);
    return {std::sin(z.re) * (ep + em) / 2, std::cos(z.re) * (ep - em) / 2};
}

Complex ComplexCos(Complex z) {
    const double ep = std::exp(z.im), em = std::exp(-z.im);
    return {std::cos(z.re) * (em + ep) / 2, -std::sin(z.re) * (ep - em) / 2};
}

double PhaseDegrees(double re, double im) {
    double angle;
    if (re == 0.0)
        angle = im >= 0.0 ? 90.0 : -90.0;
    else
        angle = std::atan(im / re) / kDegToRad;
    if (re < 0.0) angle += 180.0;
    if (angle < 0.0) angle += 360.0;
    return angle;
}

Polar RectangularPolar(double x, double y) {
    Polar p;
    p.r = std::sqrt(x * x + y * y);
    if (x != 0.0) {
        p.angle = std::atan(y / x);
        if (x < 0.0) p.angle += kPi;
    } else {
        // The constant's own half, not kHalfPi: the two differ in the last bit.
        p.angle = y > 0.0 ? kPi / 2 : -kPi / 2;
    }
    return p;
}

Complex PolarRectangular(double r, double angle) { return {r * std::cos(angle), r * std::sin(angle)}; }

}  // namespace tessary
