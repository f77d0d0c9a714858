#!/usr/bin/env python3
"""Reference values for tests/files/batch_test.cpp, SpectrumFileColoursTheLight: the colour of the
light itself under a spectrum read from a file, with the "Med." wavelength set of a 10 um sphere
(300 wavelengths at the centres of equal sub-bands of 380 - 700 nm).

The colour is the sum over the wavelengths of weight x (red, green, blue) of the wavelength, scaled
so that its largest channel is 255 and rounded: the colour sums of a run over several wavelengths
with every intensity 1. The weight at a wavelength is the spectrum interpolated linearly between
the two rows that hold it, on the wavelengths the rows list, and the end rows' values outside them,
independently of the program's own placing of the rows. Single-precision steps are followed where
the program keeps Singles (the band limits, the wavelengths, the weights).

Run: python3 scripts/spectrum_colour_reference_values.py
"""
import bisect
import struct


def f32(x):
    return struct.unpack("f", struct.pack("f", float(x)))[0]


def wavelength_colour(lam_um):
    l = 1000.0 * lam_um
    if l <= 440:
        c = (1.25 * (440 - l) * 0.016666, 0.0, 1.0)
    elif l <= 490:
        c = (0.0, (l - 440) * 0.02, 1.0)
    elif l < 510:
        c = (0.0, 1.0, (510 - l) * 0.05)
    elif l < 580:
        c = ((l - 510) * 0.0142857, 1.0, 0.0)
    elif l < 645:
        c = (1.0, (645 - l) * 0.015384, 0.0)
    else:
        c = (1.0, 0.0, 0.0)
    return [v * 255 / 255 for v in c]


def band_centres(count, lo_nm=380, hi_nm=700):
    lo, hi = f32(lo_nm / 1000), f32(hi_nm / 1000)
    delta = f32(f32(hi - lo) / count)
    return [f32(f32(lo + f32(delta / 2)) + f32((k - 1) * delta)) for k in range(1, count + 1)]


def weight(lam_um, rows):
    nm = 1000.0 * lam_um
    waves = [w for w, _ in rows]
    if nm <= waves[0]:
        return rows[0][1]
    if nm >= waves[-1]:
        return rows[-1][1]
    k = bisect.bisect_right(waves, nm)
    (w0, v0), (w1, v1) = rows[k - 1], rows[k]
    return v0 + (v1 - v0) * (nm - w0) / (w1 - w0)


def light_colour(rows, count=300):
    total = [0.0, 0.0, 0.0]
    for lam in band_centres(count):
        w = f32(weight(lam, rows))
        c = wavelength_colour(lam)
        total = [t + w * ci for t, ci in zip(total, c)]
    peak = max(total)
    return [round(t * 255 / peak) for t in total]


def rising(nm):  # 0.1 at 380 nm to 1.0 at 700 nm, the double nearest to the exact value
    return (3200 + 90 * (nm - 380)) / 32000


FILES = {
    "uniform, 5 nm steps": [(w, rising(w)) for w in range(380, 701, 5)],
    "non-uniform, dense below 480 nm": [(w, rising(w)) for w in list(range(380, 481, 10)) + [550, 600, 650, 700]],
    "non-uniform, 1 to 480 nm, 0 from 500 nm": [(w, 1.0 if w <= 480 else 0.0)
                                                 for w in (380, 400, 420, 440, 460, 480, 500, 600, 700)],
}

if __name__ == "__main__":
    for name, rows in FILES.items():
        print(f"{name}: {len(rows)} rows, colour {tuple(light_colour(rows))}")
        print("    " + ", ".join(f"{w},{v!r}" for w, v in rows[:16]) + (", ..." if len(rows) > 16 else ""))
