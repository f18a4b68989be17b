"""Unified miniature threads (ASME B1.10M), millimetres, to three places.

No allowance; external and internal pitch tolerances are equal. D basic major, P pitch, every
limit from the unrounded chain, rounded half-up once:
    pitch diameter D - 0.649519 P, tolerance 0.08 P + 0.008 (external down, internal up)
    external major max D, tolerance 0.12 P + 0.006
    external minor max D - 1.20 P (external thread height 0.60 P), tolerance 0.16 P + 0.008
    internal minor min D - 1.04 P (internal height 0.52 P), tolerance 0.32 P + 0.012
    internal major min D + 0.072 P, tolerance 0.168 P + 0.008
One published value differs from the formula and is kept as published: 0.35 UNM external pitch
minimum 0.277 (ASME B1.10M table as reprinted in Machinery's Handbook, 31st ed.; the formula
gives 0.276).
"""
from decimal import Decimal

from common import r3

PUBLISHED_EXCEPTIONS = {("0.35", 3): (Decimal("0.277"), "the B1.10M table value")}


def unm_table(sizes, notes):
    rows = []
    for designation, pitch_text in sizes:
        D = Decimal(designation)
        P = Decimal(pitch_text)
        pitch = D - Decimal("0.649519") * P
        pitch_tol = Decimal("0.08") * P + Decimal("0.008")
        minor = D - Decimal("1.20") * P
        int_minor = D - Decimal("1.04") * P
        int_major = D + Decimal("0.072") * P
        row = [r3(D), r3(D - (Decimal("0.12") * P + Decimal("0.006"))),
               r3(pitch), r3(pitch - pitch_tol),
               r3(minor), r3(minor - (Decimal("0.16") * P + Decimal("0.008"))),
               r3(int_minor), r3(int_minor + Decimal("0.32") * P + Decimal("0.012")),
               r3(pitch), r3(pitch + pitch_tol),
               r3(int_major), r3(int_major + Decimal("0.168") * P + Decimal("0.008"))]
        for (size, column), (value, reason) in PUBLISHED_EXCEPTIONS.items():
            if size == designation:
                notes.kept.append(("UNM", f"{designation}-{pitch_text}", "ext_pitch_min", value,
                                   row[column], reason))
                row[column] = value
        rows.append(row)
    return rows
