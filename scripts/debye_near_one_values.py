#!/usr/bin/env python3
"""Reference values of the Debye orders p >= 2 of spheres whose index lies near 1, for the table
kNearOne of tests/scattering/debye_reference_test.cpp, computed with mpmath.

Each partial wave's interface problems are solved from the Riccati-Hankel functions zeta1 = z h1_n(z)
and zeta2 = z h2_n(z) of x and of m x (the exact product of the doubles), made by their upward
recurrences from e^(+-iz) with as many digits as these lose, and 60 more:
    D = k zeta1(x) zeta2'(mx) - zeta1'(x) zeta2(mx),
    R11 = (zeta1'(x) zeta1(mx) - k zeta1(x) zeta1'(mx)) / D,  T21 T12 = -4k / D^2,
k = 1/m for the electric mode (a_n) and m for the magnetic mode (b_n); the Debye coefficient of order
p >= 1 is -T21 T12 R11^(p-1) / 2. Summed over p with R22 they give the Bohren-Huffman a_n, b_n (checked
to 1e-50). Every value is made again at 25 more digits and must agree. S1 and S2 are summed to
2 max(x, |m x|) + 4 x^(1/3) + 60 orders on the program's grid of NANG = 91 (cos of (J - 1) times
1.570796326794895 / 90 in double precision), at the angle of the largest |S1|, |S2| of the order and
at 143 degrees. Printed as C++ table rows, 11 significant digits.
Run (about a minute):
    python3 scripts/debye_near_one_values.py
"""
import math

import mpmath as mp

CASES = [  # x, Re m, Im m, p
    (10.0, 1.00000001, 1e-8, 2),
    (100.0, 1.00000001, 1e-8, 3),
    (1.0, 1.0000001, 1e-7, 2),
    (0.5, 1.00000001, 1e-8, 2),
    (10.0, 1.00000001, 0.0, 2),
]


def riccati(z, N, kind):
    s = 1 if kind == 1 else -1
    f = [-s * 1j * mp.exp(s * 1j * z), -mp.exp(s * 1j * z) * (1 + s * 1j / z)]
    for n in range(1, N):
        f.append((2 * n + 1) / z * f[n] - f[n - 1])
    d = [s * 1j * f[0]] + [f[n - 1] - n * f[n] / z for n in range(1, N + 1)]
    return f, d


def order_waves(x, m, p, N, digits):
    """Debye coefficients of order p (electric, magnetic) for n = 0..N; the Mie check's worst error."""
    mp.mp.dps = digits
    x, m = mp.mpf(x), mp.mpc(m)
    mx = x * m
    z1x, d1x = riccati(x, N, 1)
    z2x, d2x = riccati(x, N, 2)
    z1m, d1m = riccati(mx, N, 1)
    z2m, d2m = riccati(mx, N, 2)
    waves, worst = [], mp.mpf(0)
    for k in (1 / m, m):
        coefficient = []
        for n in range(N + 1):
            D = k * z1x[n] * d2m[n] - d1x[n] * z2m[n]
            R22 = (d2x[n] * z2m[n] - k * z2x[n] * d2m[n]) / D
            R11 = (d1x[n] * z1m[n] - k * z1x[n] * d1m[n]) / D
            T = -4 * k / D**2
            coefficient.append(-T * R11 ** (p - 1) / 2)
            if 1 <= n <= 20:  # the sum over p against Bohren & Huffman (4.53), psi = (zeta1 + zeta2) / 2
                ps, dps_ = (z1x[n] + z2x[n]) / 2, (d1x[n] + d2x[n]) / 2
                pm, dpm = (z1m[n] + z2m[n]) / 2, (d1m[n] + d2m[n]) / 2
                mie = (pm * dps_ - k * ps * dpm) / (pm * d1x[n] - k * z1x[n] * dpm)
                worst = max(worst, abs((1 - R22 - T / (1 - R11)) / 2 - mie) / abs(mie))
        waves.append(coefficient)
    return waves, worst


def amplitudes(waves, N, mu):
    a, b = waves
    S1 = S2 = mp.mpc(0)
    p1 = p2 = mp.mpf(0)
    for n in range(1, N + 1):
        pi = mp.mpf(1) if n == 1 else ((2 * n - 1) * mu * p1 - n * p2) / (n - 1)
        tau = n * mu * pi - (n + 1) * p1
        p2, p1 = p1, pi
        c = mp.mpf(2 * n + 1) / (n * (n + 1))
        S1 += c * (a[n] * pi + b[n] * tau)
        S2 += c * (a[n] * tau + b[n] * pi)
    return S1, S2


def mu_of(degrees):
    step = 1.570796326794895 / 90
    return mp.mpf(math.cos(degrees * step)) if degrees <= 90 else -mp.mpf(math.cos((180 - degrees) * step))


def main():
    print("// x, Re m, Im m, p, angle, S1 re, im, S2 re, im: the angle of the largest |S|, then 143 degrees")
    for x, re, im, p in CASES:
        m = complex(re, im)
        N = int(2 * max(x, abs(m) * x) + 4 * x ** (1 / 3) + 60)
        # digits that the upward recurrences lose in psi_n(x) = (zeta1 + zeta2) / 2: |y_N / j_N| at most
        # (2N + 1)!!^2 / x^(2N + 1)
        double_factorial = math.lgamma(2 * N + 2) - N * math.log(2) - math.lgamma(N + 1)
        digits = int(60 + max(0.0, (2 * double_factorial - (2 * N + 1) * math.log(x)) / math.log(10)))
        waves, worst = order_waves(x, m, p, N, digits)
        again, _ = order_waves(x, m, p, N, digits + 25)
        agree = max(abs(u - v) for w, w2 in zip(waves, again) for u, v in zip(w, w2))
        assert worst < 1e-50 and agree < mp.mpf(10) ** -40 * max(abs(u) for w in waves for u in w), (worst, agree)
        mp.mp.dps = 30
        grid = {d: amplitudes(waves, N, mu_of(d)) for d in range(181)}
        top = max(grid, key=lambda d: max(abs(grid[d][0]), abs(grid[d][1])))
        for d in (top, 143):
            S1, S2 = grid[d]
            parts = [S1.real, S1.imag, S2.real, S2.imag]
            print("    {%g, %.9g, %g, %d, %d, %s}," % (x, re, im, p, d, ", ".join(mp.nstr(v, 11) for v in parts)))


if __name__ == "__main__":
    main()
