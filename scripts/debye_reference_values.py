#!/usr/bin/env python3
"""Reference values for tests/scattering/debye_reference_test.cpp, computed with mpmath.

1. j_n(m x) of absorbing spheres, the table of the Debye series: x = 100, 1000, 10000 with
   m = 1.33 + 0.001i and 1.5 + 0.1i (not x = 10000 with 1.5 + 0.1i: x Im m = 1000 is refused), at
   the orders 2, round(x / 2) and nStop = round(x + 4 x^0.3333 + 2). The argument is m x as the
   program forms it in double precision; j_n(z) = sqrt(pi / (2 z)) J_(n+1/2)(z) from mpmath's own
   Bessel function.
2. S11 = (|S1|^2 + |S2|^2) / 2 of the single ray orders p = 0..5 of the Debye series at x = 100,
   m = 1.33 + 0.001i and 0, 90, 138, 180 degrees, the series of each order summed to convergence
   (250 orders, where the terms are below 1e-40 of the sums).
3. j_n(x) of real arguments below 1, where every order lies above x: x = 1e-3 and 0.5 at the orders
   1, 2, 10 and 20.
4. S1 at 0 and 90 degrees of single ray orders of spheres much smaller than the wavelength
   (x = 1e-10 to 0.01: real, absorbing and metallic m, a bubble), on the program's grid of NANG = 3
   (cos 90 degrees is the double cos(1.570796326794895)); m x is the exact product of the doubles x
   and m, as the program's tables take it, and the series is summed to 40 orders past nStop.

5. S1 and S2 of the single ray orders p = 2 and 3 of absorbing spheres (water, metals, m up to
   10 + 10i, x Im m up to 100), on the program's grid of NANG = 91 (1 degree): at the angle of the
   largest |S1|, |S2| of the order and at 143 degrees. The Debye coefficients of each partial wave
   come from its boundary conditions with the Riccati-Hankel functions zeta1 = z h1_n(z) and zeta2 =
   z h2_n(z) of x and m x, by their recurrences from e^(+-iz) at a working precision raised by the
   2 Im(m x) / ln 10 digits that zeta1(m x) = psi + i chi loses against its parts; every value is
   checked against a second evaluation at 20 more digits, and the functions against mpmath's Bessel
   functions at a few orders. m x is the exact product of the doubles, and the series of each order
   is summed until its last 20 terms lie below 1e-25 of its largest (for strong absorption the
   orders p >= 2 are carried by partial waves well beyond |m x|).

Printed as C++ table rows, 17 significant digits (11 in part 5, ample for the 1e-9 its test asks).
Run (takes a few minutes):
    python3 scripts/debye_reference_values.py
"""
import math

import mpmath as mp

mp.mp.dps = 40


def sph_j(n, z):
    return mp.sqrt(mp.pi / (2 * z)) * mp.besselj(n + mp.mpf(1) / 2, z, maxprec=200000, maxterms=10**7)


def sph_y(n, z):
    return mp.sqrt(mp.pi / (2 * z)) * mp.bessely(n + mp.mpf(1) / 2, z, maxprec=200000, maxterms=10**7)


def n_stop(x):
    v = x + 4 * x ** 0.3333 + 2
    f = int(v // 1)
    d = v - f
    return f + 1 if d > 0.5 or (d == 0.5 and f % 2 == 1) else f


def table_rows():
    print("// x, Re m, Im m, n, Re j_n(m x), Im j_n(m x)")
    for x in (100.0, 1000.0, 10000.0):
        for m in (complex(1.33, 0.001), complex(1.5, 0.1)):
            if x * m.imag > 709:
                continue
            z = mp.mpc(x * m.real, x * m.imag)  # m x as formed in double precision
            for n in (2, round(x / 2), n_stop(x)):
                j = sph_j(n, z)
                print("    {%s, %s, %s, %d, %s, %s}," % (repr(x), repr(m.real), repr(m.imag), n,
                                                       mp.nstr(j.real, 17, strip_zeros=False),
                                                       mp.nstr(j.imag, 17, strip_zeros=False)))


def riccati(N, z):
    """zeta1_n = z h1_n(z), zeta2_n = z h2_n(z) and their derivatives for n = 0..N."""
    j = [sph_j(n, z) for n in range(N + 1)]
    y = [sph_y(n, z) for n in range(N + 1)]
    z1 = [z * (j[n] + 1j * y[n]) for n in range(N + 1)]
    z2 = [z * (j[n] - 1j * y[n]) for n in range(N + 1)]
    # zeta'_n = zeta_(n-1) - n zeta_n / z; zeta1'_0 = i zeta1_0, zeta2'_0 = -i zeta2_0
    d1 = [1j * z1[0]] + [z1[n - 1] - n * z1[n] / z for n in range(1, N + 1)]
    d2 = [-1j * z2[0]] + [z2[n - 1] - n * z2[n] / z for n in range(1, N + 1)]
    return z1, d1, z2, d2


def angular(N, mu):
    pi = [mp.mpf(0), mp.mpf(1)]
    for k in range(2, N + 1):
        pi.append((2 * k - 1) * mu * pi[k - 1] / (k - 1) - k * pi[k - 2] / (k - 1))
    tau = [mp.mpf(0)] + [n * mu * pi[n] - (n + 1) * pi[n - 1] for n in range(1, N + 1)]
    return pi, tau


def order_rows():
    x = mp.mpf(100.0)
    m = mp.mpc(1.33, 0.001)
    N = 250
    z1x, d1x, z2x, d2x = riccati(N, x)
    z1m, d1m, z2m, d2m = riccati(N, mp.mpc(100.0 * 1.33, 100.0 * 0.001))
    waves = {p: ([0] * (N + 1), [0] * (N + 1)) for p in range(6)}
    for n in range(1, N + 1):
        A, B = d1x[n] * z2m[n], z1x[n] * d2m[n]
        C11, E11 = d1x[n] * z1m[n], z1x[n] * d1m[n]
        C22, E22 = d2x[n] * z2m[n], z2x[n] * d2m[n]
        for mode, f in ((1, m), (0, 1 / m)):  # magnetic (bn2), electric (an2)
            D = A - f * B
            R11 = -(C11 - f * E11) / D
            R22 = -(C22 - f * E22) / D
            T = (2j / D) * (2j * (m if mode else 1 / m) / D)
            for p in range(6):
                waves[p][mode][n] = R22 - 1 if p == 0 else T * R11 ** (p - 1)
    print("// p, theta, S11")
    for p in range(6):
        an2, bn2 = waves[p]
        for degrees in (0, 90, 138, 180):
            mu = mp.cos(mp.radians(degrees)) if degrees not in (0, 180) else mp.mpf(1 if degrees == 0 else -1)
            pi, tau = angular(N, mu)
            S1 = S2 = 0
            for n in range(1, N + 1):
                fn = -mp.mpf(2 * n + 1) / (2 * n * (n + 1))
                S1 += fn * (an2[n] * pi[n] + bn2[n] * tau[n])
                S2 += fn * (an2[n] * tau[n] + bn2[n] * pi[n])
            S11 = (abs(S1) ** 2 + abs(S2) ** 2) / 2
            print("    {%d, %d, %s}," % (p, degrees, mp.nstr(S11, 17, strip_zeros=False)))


def small_argument_rows():
    print("// x, n, j_n(x)")
    for x in (1e-3, 0.5):
        for n in (1, 2, 10, 20):
            print("    {%s, %d, %s}," % (repr(x), n, mp.nstr(sph_j(n, mp.mpf(x)), 17, strip_zeros=False)))


def small_sphere_rows():
    print("// x, Re m, Im m, p, S1(0), S1(90) (re, im)")
    cases = ((1e-10, complex(1.5, 0.01), 1), (1e-7, complex(1.33, 0.0), 0), (1e-6, complex(0.75, 0.0), 2),
             (1e-4, complex(1.5, 0.01), 0), (0.01, complex(10.0, 10.0), 0))
    for xd, md, p in cases:
        x, m = mp.mpf(xd), mp.mpc(md.real, md.imag)
        N = n_stop(xd) + 40
        z1x, d1x, z2x, d2x = riccati(N, x)
        z1m, d1m, z2m, d2m = riccati(N, m * x)
        an2, bn2 = [0] * (N + 1), [0] * (N + 1)
        for n in range(1, N + 1):
            A, B = d1x[n] * z2m[n], z1x[n] * d2m[n]
            C11, E11 = d1x[n] * z1m[n], z1x[n] * d1m[n]
            C22, E22 = d2x[n] * z2m[n], z2x[n] * d2m[n]
            for mode, f in ((1, m), (0, 1 / m)):
                D = A - f * B
                R11, R22 = -(C11 - f * E11) / D, -(C22 - f * E22) / D
                w = R22 - 1 if p == 0 else (2j / D) * (2j * (m if mode else 1 / m) / D) * R11 ** (p - 1)
                (bn2 if mode else an2)[n] = w
        values = []
        for mu in (mp.mpf(1), mp.mpf(math.cos(1.570796326794895))):
            pi, tau = angular(N, mu)
            S1 = sum(-mp.mpf(2 * n + 1) / (2 * n * (n + 1)) * (an2[n] * pi[n] + bn2[n] * tau[n])
                     for n in range(1, N + 1))
            values += [S1.real, S1.imag]
        text = ", ".join(mp.nstr(v, 17, strip_zeros=False) for v in values)
        print("    {%s, %s, %s, %d, %s}," % (repr(xd), repr(md.real), repr(md.imag), p, text))


def hankel_riccati(N, z):
    """zeta1_n, zeta1'_n, zeta2_n, zeta2'_n for n = 0..N by the upward recurrence from
    zeta1_0 = -i e^(iz), zeta1_1 = -e^(iz) (1 + i/z) and zeta2_0 = i e^(-iz), zeta2_1 = -e^(-iz) (1 - i/z)."""
    e, em = mp.expj(z), mp.expj(-z)
    z1, z2 = [-1j * e, -e * (1 + 1j / z)], [1j * em, -em * (1 - 1j / z)]
    for n in range(1, N):
        z1.append((2 * n + 1) / z * z1[n] - z1[n - 1])
        z2.append((2 * n + 1) / z * z2[n] - z2[n - 1])
    d1 = [1j * z1[0]] + [z1[n - 1] - n * z1[n] / z for n in range(1, N + 1)]
    d2 = [-1j * z2[0]] + [z2[n - 1] - n * z2[n] / z for n in range(1, N + 1)]
    return z1, d1, z2, d2


def absorbing_waves(x, m, N, extra):
    """{p: (an2, bn2)} of p = 2, 3, n = 0..N (electric an2, magnetic bn2)."""
    z = mp.mpf(x) * mp.mpc(m.real, m.imag)
    digits = 40 + extra + int(2 * abs(m.imag * x) / math.log(10)) + int(2 * max(0.0, -math.log10(x)))
    with mp.workdps(digits):
        mm, X = mp.mpc(m.real, m.imag), mp.mpf(x)
        z = X * mm
        z1x, d1x, z2x, d2x = hankel_riccati(N, X)
        z1m, d1m, z2m, d2m = hankel_riccati(N, z)
        for n in (1, N // 2, N):  # the recurrences against mpmath's Bessel functions
            for f, kind in ((z1m, 1), (z2m, -1)):
                h = sph_j(n, z) + kind * 1j * sph_y(n, z)
                assert abs(f[n] / (z * h) - 1) < mp.mpf(10) ** -20, (x, m, n)
        waves = {p: ([mp.mpc(0)] * (N + 1), [mp.mpc(0)] * (N + 1)) for p in (2, 3)}
        for n in range(1, N + 1):
            for mode, f in ((1, mm), (0, 1 / mm)):  # magnetic (bn2), electric (an2)
                D = d1x[n] * z2m[n] - f * z1x[n] * d2m[n]
                R11 = -(d1x[n] * z1m[n] - f * z1x[n] * d1m[n]) / D
                T = (2j / D) * (2j * (mm if mode else 1 / mm) / D)
                for p in (2, 3):
                    waves[p][mode][n] = +(T * R11 ** (p - 1))
    return waves


def converged_waves(x, m):
    N = max(n_stop(x), int(abs(x * m))) + 60
    while True:
        waves = absorbing_waves(x, m, N, 0)
        bounds = [[(2 * n + 1) * (abs(a) + abs(b)) for n, (a, b) in enumerate(zip(*waves[p]))] for p in waves]
        if all(max(b[N - 20:]) < 1e-25 * max(b) for b in bounds):
            return N, waves
        N += 100


def grid_mu(degrees):
    """cos theta as the program forms it on the grid of NANG = 91: -mu of 180 - theta past 90 degrees."""
    step = 1.570796326794895 / 90
    return math.cos(degrees * step) if degrees <= 90 else -math.cos((180 - degrees) * step)


def amplitudes(N, an2, bn2, mu):
    S1 = S2 = 0
    pi0, pi1 = 0, 1
    for n in range(1, N + 1):
        if n >= 2:
            pi0, pi1 = pi1, (mp.mpf(2 * n - 1) / (n - 1)) * mu * pi1 - (mp.mpf(n) / (n - 1)) * pi0
        tau = n * mu * pi1 - (n + 1) * pi0
        fn = -mp.mpf(2 * n + 1) / (2 * n * (n + 1))
        S1 += fn * (an2[n] * pi1 + bn2[n] * tau)
        S2 += fn * (an2[n] * tau + bn2[n] * pi1)
    return S1, S2


def largest_angle(N, an2, bn2):
    """The angle (whole degrees) of the largest |S1|, |S2|, from double-precision sums of the waves
    scaled to order one."""
    scale = max(abs(v) for v in an2 + bn2)
    a, b = [complex(v / scale) for v in an2], [complex(v / scale) for v in bn2]
    best, at = -1.0, 0
    for degrees in range(181):
        mu = grid_mu(degrees)
        pi0, pi1, S1, S2 = 0.0, 1.0, 0j, 0j
        for n in range(1, N + 1):
            if n >= 2:
                pi0, pi1 = pi1, ((2 * n - 1) / (n - 1)) * mu * pi1 - (n / (n - 1)) * pi0
            tau = n * mu * pi1 - (n + 1) * pi0
            fn = -(2 * n + 1) / (2 * n * (n + 1))
            S1 += fn * (a[n] * pi1 + b[n] * tau)
            S2 += fn * (a[n] * tau + b[n] * pi1)
        if max(abs(S1), abs(S2)) > best:
            best, at = max(abs(S1), abs(S2)), degrees
    return at


def absorbing_order_rows():
    print("// x, Re m, Im m, p, angle, S1 re, im, S2 re, im: the angle of the largest |S|, then 143 degrees")
    cases = ((1000.0, complex(1.33, 0.02)), (20.0, complex(2.0, 1.0)), (2.0, complex(10.0, 10.0)),
             (0.99, complex(10.0, 10.0)), (1.0, complex(10.0, 10.0)), (10000.0, complex(1.33, 0.001)),
             (100.0, complex(2.0, 1.0)), (25.0, complex(0.05, 4.0)), (10.0, complex(10.0, 10.0)))
    for x, m in cases:
        N, waves = converged_waves(x, m)
        check = absorbing_waves(x, m, N, 20)
        for p in (2, 3):
            an2, bn2 = waves[p]
            for degrees in (largest_angle(N, an2, bn2), 143):
                with mp.workdps(30):
                    mu = mp.mpf(grid_mu(degrees))
                    S = amplitudes(N, an2, bn2, mu)
                    T = amplitudes(N, check[p][0], check[p][1], mu)
                    assert all(abs(s - t) < mp.mpf(10) ** -20 * abs(s) for s, t in zip(S, T) if s != 0)
                parts = (S[0].real, S[0].imag, S[1].real, S[1].imag)
                text = ", ".join(mp.nstr(v, 11, strip_zeros=False) for v in parts)
                print("    {%g, %g, %g, %d, %d, %s}," % (x, m.real, m.imag, p, degrees, text))


if __name__ == "__main__":
    table_rows()
    order_rows()
    small_argument_rows()
    small_sphere_rows()
    absorbing_order_rows()
