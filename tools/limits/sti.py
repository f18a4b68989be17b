"""Tapped holes for helical-coil screw-thread inserts (STI), UNC-STI and UNF-STI, inches.

DERIVED TABLES: no published table of these holes is at hand. The rules below reproduce the
UNC-STI 1/4-20 reference row exactly (0.31, 0.34, 0.2825, 0.2851, 0.2864, 0.2608, 0.2704,
0.3187) and the STI pitch-diameter minimums published for #10-24 (0.2170) and 3/8-24 (0.4020);
they are applied unchanged to every size of both series. D is the nominal
major diameter, P the pitch, T2A the B1.1 class 2A pitch-diameter tolerance of the nominal
thread (LE = D), D_STI = D + 1.299038 P the major diameter of the STI thread (the nominal thread
enlarged by twice the insert wire height 0.649519 P):
    countersink min  D_STI to two places; max = min + 0.03
    pitch min (2B and 3B)  round4(D - 0.649519 P) + round4(1.299038 P)
    pitch max  3B: min + round4(0.7 T2A);  2B: min + round4(1.05 T2A)  (ratio 1.5)
    minor min  round4(D + 0.216506 P)  (= D_STI - 1.082532 P)
    minor max  round4(D + 0.216506 P + B1.1 3B minor tolerance of D_STI and P, unrounded)
    major  round4(D_STI + 0.075 P)
"""
from decimal import Decimal

from common import pitch_number, r4, rnd, unified_size
from unified import minor_tolerance, t2a


def sti_table(series, sizes):
    rows = []
    for designation, pitch_text in sizes:
        tpi = pitch_number(pitch_text)
        D = float(unified_size(designation, tpi, series))
        p = 1.0 / float(tpi)
        T = t2a(D, tpi, D)
        d_sti = D + 1.299038 * p
        csink = rnd(d_sti, 2)
        pitch_min = r4(D - 0.649519 * p) + r4(1.299038 * p)
        minor_min = D + 0.216506 * p
        rows.append([
            csink, csink + Decimal("0.03"), pitch_min,
            pitch_min + r4(0.7 * T), pitch_min + r4(1.05 * T),
            r4(minor_min), r4(minor_min + minor_tolerance(d_sti, tpi, "3B")),
            r4(d_sti + 0.075 * p),
        ])
    return rows
