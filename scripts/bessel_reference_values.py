#!/usr/bin/env python3
"""Reference values of J0, J1, Y0, Y1, I0, I1, K0, K1 and J0..J4 for tests/numerics/bessel_real_test.cpp.

Computed with mpmath at 40 significant digits and printed to 17, as C++ table rows. Run:
    python3 scripts/bessel_reference_values.py
"""
import mpmath as mp

mp.mp.dps = 40

# Arguments are exactly representable, except the two on either side of the method switch at 11.0524084463714.
JY_ARGS = ["0.125", "0.5", "2", "4.75", "7.5", "10.5", "11.0524", "11.0525", "12", "20", "50", "100", "1000"]
IK_ARGS = ["0.125", "1.25", "2.5", "7.5", "11", "12", "50", "100", "700"]
TINY_ARGS = ["1e-200", "1e-308"]  # J0 = I0 = 1 and J1 = I1 = x/2 to double precision here
J0TO4_ARGS = ["0.5", "1", "5", "10", "50", "100", "1000", "10000", "20000"]


def row(x, values):
    return "    {%s, {%s}}," % (x, ", ".join(mp.nstr(v, 17, strip_zeros=False) for v in values))


def main():
    print("// J0, J1, Y0, Y1")
    for s in JY_ARGS:
        x = mp.mpf(s)
        print(row(s, [mp.besselj(0, x), mp.besselj(1, x), mp.bessely(0, x), mp.bessely(1, x)]))
    print("// I0, I1, K0, K1")
    for s in IK_ARGS:
        x = mp.mpf(s)
        print(row(s, [mp.besseli(0, x), mp.besseli(1, x), mp.besselk(0, x), mp.besselk(1, x)]))
    print("// Y0, Y1, K0, K1 of tiny arguments")
    for s in TINY_ARGS:
        x = mp.mpf(s)
        print(row(s, [mp.bessely(0, x), mp.bessely(1, x), mp.besselk(0, x), mp.besselk(1, x)]))
    print("// J0 .. J4")
    for s in J0TO4_ARGS:
        x = mp.mpf(s)
        print(row(s, [mp.besselj(k, x) for k in range(5)]))


if __name__ == "__main__":
    main()
