#!/usr/bin/env python3
"""Reference values for spheres much smaller than the wavelength, computed with mpmath.

1. The small-sphere table of tests/scattering/mie_test.cpp: plane-wave Mie series at x = 1e-13 (near
   the smallest x the series takes), 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 0.1 and 1 with m = 1.33 and 10 + 10i.
2. a_n, b_n for n = 1, 2 at x = 1e-4, m = 1.33 and 10 + 10i, for tests/scattering/mie_gaussian_test.cpp.
 Inputs are the double values the test passes (x and m exactly
as doubles). a_n, b_n from [1] 4.53 with psi_n(z) = z j_n(z), xi_n(z) = z h1_n(z) and
j_n(z) = sqrt(pi / (2 z)) J_(n+1/2)(z) at 60 digits, summed to the program's NSTOP =
round(x + 4 x^0.3333 + 20) orders (the terms beyond are below 1e-40 of the sums). The angles are
those of a grid of NANG = 3 points from 0 to 90 degrees: cos theta is the double the program forms,
cos((J - 1) 1.570796326794895 / 2), so S2 at "90 degrees" keeps the a_1 cos theta term it has there.

Qext = 4/x^2 Re S1(0), Qsca = 2/x^2 sum (2n+1)(|a_n|^2 + |b_n|^2), Qback = |S1(180)|^2 / (pi x^2),
g from [1] 4.80; S1(0), S1(90), S2(90) and S1(180).
[1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983).

Printed as C++ table rows, 17 significant digits. Run (a second):
    python3 scripts/mie_small_reference_values.py
"""
import math

import mpmath as mp

mp.mp.dps = 60

NANG = 3
HALF_PI = 1.570796326794895  # the angle step of the program's grid times NANG - 1


def n_stop(x):
    v = x + 4 * x ** 0.3333 + 20
    f = int(v // 1)
    d = v - f
    return f + 1 if d > 0.5 or (d == 0.5 and f % 2 == 1) else f


def riccati_psi(n, z):
    return z * mp.sqrt(mp.pi / (2 * z)) * mp.besselj(n + mp.mpf(1) / 2, z)


def riccati_xi(n, z):
    h = mp.besselj(n + mp.mpf(1) / 2, z) + 1j * mp.bessely(n + mp.mpf(1) / 2, z)
    return z * mp.sqrt(mp.pi / (2 * z)) * h


def coefficients(x, m, N):
    """a_n, b_n for n = 1..N ([1] 4.53); derivatives from f'_n = f_(n-1) - n f_n / z."""
    mx = m * x
    psi = [riccati_psi(n, x) for n in range(N + 1)]
    xi = [riccati_xi(n, x) for n in range(N + 1)]
    psim = [riccati_psi(n, mx) for n in range(N + 1)]
    a, b = [0] * (N + 1), [0] * (N + 1)
    for n in range(1, N + 1):
        dpsi = psi[n - 1] - n * psi[n] / x
        dxi = xi[n - 1] - n * xi[n] / x
        dpsim = psim[n - 1] - n * psim[n] / mx
        a[n] = (m * psim[n] * dpsi - psi[n] * dpsim) / (m * psim[n] * dxi - xi[n] * dpsim)
        b[n] = (psim[n] * dpsi - m * psi[n] * dpsim) / (psim[n] * dxi - m * xi[n] * dpsim)
    return a, b


def amplitudes(a, b, N, mu):
    pi = [mp.mpf(0), mp.mpf(1)]
    for k in range(2, N + 1):
        pi.append((2 * k - 1) * mu * pi[k - 1] / (k - 1) - k * pi[k - 2] / (k - 1))
    tau = [mp.mpf(0)] + [n * mu * pi[n] - (n + 1) * pi[n - 1] for n in range(1, N + 1)]
    S1 = S2 = mp.mpc(0)
    for n in range(1, N + 1):
        f = mp.mpf(2 * n + 1) / (n * (n + 1))
        S1 += f * (a[n] * pi[n] + b[n] * tau[n])
        S2 += f * (a[n] * tau[n] + b[n] * pi[n])
    return S1, S2


def row(xd, md):
    x = mp.mpf(xd)
    m = mp.mpc(md.real, md.imag)
    N = n_stop(xd)
    a, b = coefficients(x, m, N)
    qsca_sum = sum((2 * n + 1) * (abs(a[n]) ** 2 + abs(b[n]) ** 2) for n in range(1, N + 1))
    g_sum = mp.mpf(0)
    for n in range(1, N + 1):
        g_sum += mp.mpf(2 * n + 1) / (n * (n + 1)) * (a[n] * mp.conj(b[n])).real
        if n < N:
            g_sum += mp.mpf(n * (n + 2)) / (n + 1) * (a[n] * mp.conj(a[n + 1]) + b[n] * mp.conj(b[n + 1])).real
    S1f, _ = amplitudes(a, b, N, mp.mpf(1))
    S190, S290 = amplitudes(a, b, N, mp.mpf(math.cos((NANG - 1) * (HALF_PI / (NANG - 1)))))
    S1b, _ = amplitudes(a, b, N, mp.mpf(-1))
    values = [4 / x ** 2 * S1f.real, 2 / x ** 2 * qsca_sum, abs(S1b) ** 2 / (mp.pi * x ** 2),
              2 * g_sum / qsca_sum]
    for s in (S1f, S190, S290, S1b):
        values += [s.real, s.imag]
    text = ", ".join(mp.nstr(v, 17, strip_zeros=False) for v in values)
    print("    {%s, {%s, %s}, %s}," % (repr(xd), repr(md.real), repr(md.imag), text))


def coefficient_rows():
    print("// m, n, a_n, b_n (re, im) at x = 1e-4")
    for md in (complex(1.33, 0.0), complex(10.0, 10.0)):
        a, b = coefficients(mp.mpf(1e-4), mp.mpc(md.real, md.imag), 2)
        for n in (1, 2):
            text = ", ".join(mp.nstr(v, 17, strip_zeros=False) for v in (a[n].real, a[n].imag, b[n].real, b[n].imag))
            print("    {{%s, %s}, %d, %s}," % (repr(md.real), repr(md.imag), n, text))


if __name__ == "__main__":
    print("// x, m, Qext, Qsca, Qback, g, S1(0), S1(90), S2(90), S1(180) (re, im)")
    for md in (complex(1.33, 0.0), complex(10.0, 10.0)):
        for xd in (1e-13, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 0.1, 1.0):
            row(xd, md)
    coefficient_rows()
