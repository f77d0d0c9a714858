#!/usr/bin/env python3
"""Reference values of Ai(x) and Ai'(x) for tests/numerics/airy_test.cpp.

Computed with mpmath at 40 significant digits and printed to 17, as C++ table rows {x, Ai, Ai'}. Every
argument is exactly representable in binary, so the rows test the function, not the rounding of x. Run:
    python3 scripts/airy_reference_values.py
"""
import mpmath as mp

mp.mp.dps = 40

# Each of the five ranges, both sides of x = 1.2 and of |x| = 7.5^(2/3) = 3.8315..., and far out.
ARGS = ["-1000", "-50", "-20.5", "-10", "-7.5", "-5", "-3.875", "-3.75", "-3", "-2", "-1", "-0.5", "-0.125",
        "0", "0.25", "0.5", "1", "1.1875", "1.25", "2", "3", "3.75", "3.875", "5", "7.5", "10", "20.5",
        "50", "100"]


def main():
    for s in ARGS:
        x = mp.mpf(s)
        ai, dai = mp.airyai(x), mp.airyai(x, derivative=1)
        print("    {%s, %s, %s}," % (s, mp.nstr(ai, 17, strip_zeros=False), mp.nstr(dai, 17, strip_zeros=False)))


if __name__ == "__main__":
    main()
