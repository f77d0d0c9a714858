#!/usr/bin/env python3
"""Reference beam-shape coefficients of a Gaussian beam for tests/scattering/beam_shape_test.cpp.

Closed form of the coefficients through the modified Bessel functions I_nu(z_n) of complex argument,
evaluated with mpmath at 40 digits from the same Single-rounded beam quantities the program forms
(s, q, rho^2, x0, y0, the focus phase). Cases where |z_n| is far above the range of the power series
(a beam offset by 10 to 30 half-widths). Printed as C++ table rows. Run:
    python3 scripts/beam_shape_reference_values.py
"""
import struct

import mpmath as mp

mp.mp.dps = 40

TWO_PI = 6.28318530717958  # the program's constant


def single(v):
    return struct.unpack("f", struct.pack("f", v))[0]


# wavelength, xf, yf, zf, w0, orders n, azimuthal orders m
CASES = [
    (0.65, 60.0, 0.0, 0.0, 2.0, [560, 580, 600], [1, 2, 5]),
    (0.65, 48.0, -36.0, 5.0, 2.0, [570, 590], [1, 3, 6]),
    (0.65, 10.0, 0.0, 0.0, 1.0, [60, 96], [1, 3, 7]),
]


def coefficients(lam, xf, yf, zf, w0, n, m):
    k = TWO_PI / lam
    s = single(1.0 / (w0 * k))
    q = single(-2.0 * s * zf / w0)
    Q = 1 / mp.mpc(1, q)
    rho2 = single((xf * xf + yf * yf) / (w0 * w0))
    angle2 = single(-zf / (s * w0))
    u = mp.mpf(n + 0.5) * mp.mpf(s)
    F = Q * mp.exp(-Q * rho2) * mp.exp(mp.mpc(0, angle2)) * mp.exp(-Q * u * u)
    x0, y0 = single(xf / w0), single(yf / w0)
    rhoX = mp.sqrt(mp.mpf(x0) ** 2 + mp.mpf(y0) ** 2)
    phi0 = mp.atan2(y0, x0)
    z = 2 * u * Q * rhoX
    mu = abs(m)
    K = (mp.mpc(0, -1) / (n + 0.5)) ** (mu - 1) * F
    if m > 0:
        first = mp.exp(mp.mpc(0, -(mu - 1) * phi0)) * mp.besseli(mu - 1, z)
        second = mp.exp(mp.mpc(0, -(mu + 1) * phi0)) * mp.besseli(mu + 1, z)
    else:
        first = mp.exp(mp.mpc(0, (mu + 1) * phi0)) * mp.besseli(mu + 1, z)
        second = mp.exp(mp.mpc(0, (mu - 1) * phi0)) * mp.besseli(mu - 1, z)
    return K * (first + second), K / mp.mpc(0, 1) * (first - second)


def part(v):
    # Parts below the double range (the phases of a real beam factor leave some of order 1e-1500) print as 0.
    return "0.0" if abs(v) < mp.mpf("1e-300") else mp.nstr(v, 17, strip_zeros=False)


def fmt(v):
    return "%s, %s" % (part(v.real), part(v.imag))


def main():
    for lam, xf, yf, zf, w0, orders, azimuthal in CASES:
        print("// wavelength %g, xf %g, yf %g, zf %g, w0 %g: n, m, gPlusA, gPlusB, gMinusA, gMinusB" % (lam, xf, yf, zf, w0))
        for n in orders:
            for m in azimuthal:
                ap, bp = coefficients(lam, xf, yf, zf, w0, n, m)
                am, bm = coefficients(lam, xf, yf, zf, w0, n, -m)
                print("    {%d, %d, {%s}, {%s}, {%s}, {%s}}," % (n, m, fmt(ap), fmt(bp), fmt(am), fmt(bm)))


if __name__ == "__main__":
    main()
