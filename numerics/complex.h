// Complex arithmetic on (real, imaginary) pairs, as the series, Bessel and ray routines use it.
// The polar form puts the angle in [-pi/2, 3pi/2) with the program's own constant for pi, so the
// branch cut of ComplexPower lies along the negative imaginary axis (not std::arg's negative real axis).
// Every function returns its result by value, so an output can never alias an input.
#pragma once

namespace tessary {

struct Complex {
    double re = 0.0;
    double im = 0.0;
};

inline bool operator==(const Complex& a, const Complex& b) { return a.re == b.re && a.im == b.im; }

struct Polar {
    double r = 0.0;
    double angle = 0.0;  // radians, in [-pi/2, 3pi/2)
};

// sqrt(re^2 + im^2), formed without rescaling.
double ComplexAbs(Complex a);
// The four arithmetic operations are inline: the series sums call them millions of times per run.
// a * b
inline Complex ComplexMult(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
// a / b: the dividend times the conjugate of b over |b|^2 (no rescaling, no test of b; 0 divisor gives inf/NaN).
inline Complex ComplexDiv(Complex a, Complex b) {
    const double d = b.re * b.re + b.im * b.im;
    return ComplexMult(a, {b.re / d, -b.im / d});
}
// exp(a)
Complex ComplexExp(Complex a);
// a^p for any real p, through the polar form of RectangularPolar.
Complex ComplexPower(Complex a, double p);
// sin(x + iy), cos(x + iy) from exponentials of y.
Complex ComplexSin(Complex z);
Complex ComplexCos(Complex z);
// Phase of re + i im in degrees, in [0, 360); (0, 0) gives 90.
double PhaseDegrees(double re, double im);
inline Complex ComplexAdd(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
// a - b (the first minus the second)
inline Complex ComplexSub(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
// Modulus and angle; x = 0 gives +pi/2 for y > 0 and -pi/2 otherwise.
Polar RectangularPolar(double x, double y);
// (r cos angle, r sin angle)
Complex PolarRectangular(double r, double angle);

}  // namespace tessary
