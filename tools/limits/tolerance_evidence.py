#!/usr/bin/env python3
"""The evidence for two rules of the Unified limit tables, from every published Unified row in
tests/data/published (classes 1A/1B, 2A/2B, 3A/3B; UNC, UNF, UNEF, UN, UNS up to 4 in):

1. The diameter term 0.0015 D^(1/3) of the pitch-diameter tolerance (unified.TOLERANCE_GROUPS).
   For each way of choosing the D of that term, the count of published cells that depend on the
   tolerance (external major and pitch limits, internal pitch maximum) reproduced exactly, and of
   rows reproduced in all of them. The rule must also reproduce the handbook's 5 3/4 in rows.
2. Ties when a four-place internal minor diameter is written to three places.

    python3 tools/limits/tolerance_evidence.py
"""
import math
import os
import sys
from decimal import Decimal, ROUND_HALF_EVEN, ROUND_HALF_UP

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import unified  # noqa: E402
from common import dec, published, r4  # noqa: E402

FILES = ["UNC_1A1B.csv", "UNC_2A2B.csv", "UNC_3A3B.csv", "UNF_1A1B.csv", "UNF_2A2B.csv",
         "UNF_3A3B.csv", "UNEF_2A2B.csv", "UNEF_3A3B.csv", "UN_2A2B.csv", "UN_3A3B.csv",
         "UNS_1A1B.csv", "UNS_2A2B.csv", "UNS_3A3B.csv"]
FACTOR = {"1A": 1.5, "2A": 1.0, "3A": 0.75, "1B": 1.95, "2B": 1.3, "3B": 0.975}
FIELDS = ("ext_major_max", "ext_major_min", "ext_pitch_max", "ext_pitch_min", "int_pitch_max")

# The handbook's 5 3/4 in cells quoted by the issue (series, tpi, class pair, field, value).
HANDBOOK = [
    ("UNS", 14, "2A", "2B", "ext_major_max", "5.7480"),
    ("UNS", 14, "2A", "2B", "ext_major_min", "5.7377"),
    ("UNS", 14, "2A", "2B", "ext_pitch_max", "5.7016"),
    ("UNS", 14, "2A", "2B", "ext_pitch_min", "5.6951"),
    ("UN", 12, "2A", "2B", "ext_pitch_min", "5.6869"),
    ("UNS", 10, "2A", "2B", "ext_pitch_min", "5.6754"),
    ("UN", 16, "3A", "3B", "ext_pitch_min", "5.7047"),
    ("UN", 16, "2A", "2B", "int_pitch_max", "5.7175"),
]


def cells(series, D, tpi, ext, inner, d_term):
    p = 1.0 / tpi
    T = unified.t2a(d_term, tpi, unified.length_of_engagement(series, D, tpi))
    allowance = r4(0.3 * T) if ext in ("1A", "2A") else Decimal(0)
    basic = r4(D - 0.649519 * p)
    major_tol = r4((0.090 if ext == "1A" else 0.060) * p ** (2.0 / 3.0))
    return {"ext_major_max": dec(D) - allowance,
            "ext_major_min": dec(D) - allowance - major_tol,
            "ext_pitch_max": basic - allowance,
            "ext_pitch_min": basic - allowance - r4(FACTOR[ext] * T),
            "int_pitch_max": basic + r4(FACTOR[inner] * T)}


def rows():
    for name in FILES:
        for row in published(name):
            yield name, row


def score(d_term, only=lambda series, tpi: True):
    matched = total = rows_matched = rows_total = 0
    for _, row in rows():
        series, tpi = row["series"], float(row["tpi"])
        if not only(series, tpi):
            continue
        D = float(row["basic_major_in"])
        got = cells(series, D, tpi, row["class_ext"], row["class_int"], d_term(series, D, tpi))
        ok = True
        for field in FIELDS:
            if row[field].strip():
                total += 1
                if Decimal(row[field]) == got[field]:
                    matched += 1
                else:
                    ok = False
        rows_total += 1
        rows_matched += ok
    return matched, total, rows_matched, rows_total


def handbook(d_term):
    hits = 0
    for series, tpi, ext, inner, field, value in HANDBOOK:
        hits += cells(series, 5.75, tpi, ext, inner, d_term(series, 5.75, tpi))[field] == \
            Decimal(value)
    return hits


def nearest(D, nominals):
    """The nearest nominal diameter, a size half way taking the smaller."""
    best = None
    for n in nominals:
        if best is None or abs(n - D) < abs(best - D) - 1e-12:
            best = n
    return best


RULE = [float(n) for _, n in unified.TOLERANCE_GROUPS]


def grouped(nominals, all_series=False, over_four=6.0):
    def d_term(series, D, tpi):
        if not all_series and not unified.on_nine_pitches(series, tpi):
            return D
        if D < nominals[0] - 1e-9:
            return D
        if D > 4 + 1e-9:
            return over_four if over_four else D
        return nearest(D, [n for n in nominals if n <= 4])
    return d_term


def upper_end(bounds):
    def d_term(series, D, tpi):
        if not unified.on_nine_pitches(series, tpi):
            return D
        return next((b for b in bounds if D <= b + 1e-9), D)
    return d_term


HYPOTHESES = [
    ("diameter term at the size itself (formula as written)", lambda s, D, t: D),
    ("RULE: LE = 9P series on their group's nominal diameter", grouped(RULE)),
    ("  same groups, a size half way taking the larger",
     lambda s, D, t: (min(RULE, key=lambda n: (abs(n - D), -n))
                      if unified.on_nine_pitches(s, t) and D >= 0.19 - 1e-9 and D <= 4 + 1e-9
                      else D)),
    ("  plus 7/8 as a nominal diameter (1/8 steps to 1)", grouped(sorted(RULE + [0.875]))),
    ("  plus 1/8 steps from 1 to 2", grouped(sorted(RULE + [1.125, 1.375, 1.625, 1.875]))),
    ("  plus 1/4 steps from 2 to 4", grouped(sorted(RULE + [2.25, 2.75, 3.25, 3.75]))),
    ("  without No. 10 (the size itself below 1/4)", grouped(RULE[1:])),
    ("  groups for every series (also LE = D)", grouped(RULE, all_series=True)),
    ("upper end of ranges 1/4, 3/8 ... 4 (LE = 9P)", upper_end(RULE[1:])),
    ("upper end of ranges 1/4, 1, 2, 4 (LE = 9P)", upper_end([0.25, 1, 2, 4, 6])),
    ("diameter term capped at 4 in", lambda s, D, t: min(D, 4.0)),
    ("6 in for sizes over 4 in only, the size below", lambda s, D, t: 6.0 if D > 4 else D),
    ("over 4 in: nearest of 4 1/2, 5, 5 1/2, 6 (ties smaller)",
     lambda s, D, t: nearest(D, [4.5, 5.0, 5.5, 6.0]) if D > 4 else grouped(RULE)(s, D, t)),
    ("over 4 in: nearest of 5, 6", lambda s, D, t: nearest(D, [5.0, 6.0]) if D > 4
     else grouped(RULE)(s, D, t)),
]


def minor_ties():
    """Published internal minor diameters written to three places whose four-place value ends
    in 5: how many each tie rule reproduces."""
    counts = {"half up": 0, "half to even": 0}
    ties = 0
    for _, row in rows():
        D = float(row["basic_major_in"])
        tpi = float(row["tpi"])
        cls = row["class_int"]
        if D < 0.138 or cls == "3B" or not row["int_minor_max"].strip():
            continue
        grade = "3B" if cls == "3B" else "2B"
        four = r4(D - 1.082532 / tpi + float(r4(unified.minor_tolerance(D, tpi, grade))))
        if four % Decimal("0.001") != Decimal("0.0005"):
            continue
        ties += 1
        value = Decimal(row["int_minor_max"])
        for name, mode in (("half up", ROUND_HALF_UP), ("half to even", ROUND_HALF_EVEN)):
            counts[name] += four.quantize(Decimal("0.001"), rounding=mode) == value
    return ties, counts


def main():
    print(f"{'diameter term of the pitch-diameter tolerance':58s} {'cells':>11s} {'rows':>9s} "
          f"{'5 3/4 in':>8s}")
    for name, d_term in HYPOTHESES:
        m, t, rm, rt = score(d_term)
        print(f"{name:58s} {m:5d}/{t:5d} {rm:4d}/{rt:4d} {handbook(d_term):4d}/{len(HANDBOOK)}")
    print("\nby series, size itself -> rule:")
    for label, only in (("UNEF", lambda s, t: s == "UNEF"),
                        ("UN 12 to 32 threads", lambda s, t: s == "UN" and t > 8),
                        ("UNS", lambda s, t: s == "UNS"),
                        ("UN 6 and 8 threads (LE = D)", lambda s, t: s == "UN" and t <= 8),
                        ("UNC, UNF (LE = D)", lambda s, t: s in ("UNC", "UNF"))):
        a = score(lambda s, D, t: D, only)
        b = score(grouped(RULE), only)
        c = score(grouped(RULE, all_series=True), only)
        print(f"  {label:30s} {a[0]:5d} -> {b[0]:5d} of {b[1]:5d} (groups applied here: {c[0]})")
    ties, counts = minor_ties()
    print(f"\ninternal minor maxima to 3 places from a 4-place value ending in 5: {ties}; "
          + ", ".join(f"{k} reproduces {v}" for k, v in counts.items()))


if __name__ == "__main__":
    main()
