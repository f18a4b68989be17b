"""American straight pipe threads (ASME B1.20.1), inches: NPSM and NPSL.

NPSM: the published B1.20.1 limits (tests/data/published/NPSM_NPSL_B1.20.1.csv) for all 15
sizes; the last column is the pipe outside diameter of the NPT table.

NPSL: the published B1.20.1 limits for 1/8; the other sizes by the rule that reproduces the
published 1/8 row and the reference 1/2 row exactly:
    E0 = D - (0.05 D + 1.1) P, E1 = E0 + 0.0625 L1   (NPT pitch diameters, D the pipe OD)
    external pitch max = E1 + 0.25 P (four turns of the 1:16 taper beyond the gauge plane),
    allowance = 0.0625 P (one turn of taper), pitch tolerance = 0.09375 P (one and a half),
    each rounded to 4 places and the limits formed from the rounded values;
    external major max = pitch max + 0.666025 P (the depth of the truncated thread) and
    internal minor min = internal pitch min - 0.666025 P, both to 3 places.
The NPSL table was computed from the hand-tight engagements L1 of the older pipe-thread table
(1/8: 0.180, 1/4: 0.200; B1.20.1 now gives 0.1615 and 0.2278): only L1 = 0.180 reproduces the
published 1/8 row (0.3840).
"""
from decimal import Decimal

from common import pitch_number, published, r3, r4

OLD_L1 = {"1/8": Decimal("0.180"), "1/4": Decimal("0.200")}


def npsm_table(sizes, npt_rows, npt_sizes):
    pub = {r["designation"]: r for r in published("NPSM_NPSL_B1.20.1.csv")}
    pipe_od = {des: Decimal(row.split()[0]) for (des, _), row in zip(npt_sizes, npt_rows)}
    rows = []
    for designation, pitch_text in sizes:
        r = pub[f"{designation}-{pitch_text} NPSM"]
        rows.append([Decimal(r[k]) for k in (
            "ext_major_max", "ext_major_min", "ext_pitch_max", "ext_pitch_min", "int_minor_min",
            "int_minor_max", "int_pitch_min", "int_pitch_max")] + [pipe_od[designation]])
    return rows


def npsl_formula(od, tpi, l1):
    p = 1.0 / float(tpi)
    e0 = float(od) - (0.05 * float(od) + 1.1) * p
    e1 = e0 + 0.0625 * float(l1)
    pitch_max = r4(e1 + 0.25 * p)
    allowance = r4(0.0625 * p)
    tol = r4(0.09375 * p)
    int_pitch_min = pitch_max + allowance
    return [r3(float(pitch_max) + 0.666025 * p), pitch_max, pitch_max - tol,
            r3(float(int_pitch_min) - 0.666025 * p), int_pitch_min, int_pitch_min + tol, od]


def npsl_table(sizes, npt_rows, npt_sizes, notes):
    pub = {r["designation"]: r for r in published("NPSM_NPSL_B1.20.1.csv")}
    npt = {des: [Decimal(v) for v in row.split()] for (des, _), row in zip(npt_sizes, npt_rows)}
    rows = []
    for designation, pitch_text in sizes:
        od, l1 = npt[designation][0], npt[designation][2]
        calc = npsl_formula(od, pitch_number(pitch_text), OLD_L1.get(designation, l1))
        r = pub.get(f"{designation}-{pitch_text} NPSL")
        if r is None:
            notes.derived_rows.append(("NPSL", f"{designation}-{pitch_text}"))
            rows.append(calc)
            continue
        row = [Decimal(r[k]) for k in ("ext_major_max", "ext_pitch_max", "ext_pitch_min",
                                       "int_minor_min", "int_pitch_min", "int_pitch_max")] + [od]
        if row != calc:
            raise SystemExit(f"NPSL rule does not reproduce the published {designation} row")
        rows.append(row)
    return rows
