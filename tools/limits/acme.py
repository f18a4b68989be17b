"""General-purpose Acme (ASME B1.5) classes 2G and 4G, and Stub Acme (ASME B1.8), inches.

ACME: the published 2G and 4G limits (tests/data/published/ACME_2G.csv, ACME_4G.csv) for every
size, except the transcription errors listed below, which are derived by the formulas below.
STUB ACME: no published table is at hand; every cell follows the B1.8 formulas below.

B1.5 (2G/4G), D basic major, P pitch, all unrounded until the limit is rounded to 4 places:
    pitch-diameter allowance (external only): 2G 0.008 sqrt(D), 4G 0.004 sqrt(D), tabulated by
    B1.5 per range of sizes (the published values are those of the table)
    pitch-diameter tolerance: 2G 3 x (0.010 sqrt(P) + 0.002 sqrt(D)), 4G 1 x (same)
    basic pitch diameter D - 0.5 P; external major D, minus 0.05 P (at least 0.005)
    clearance 0.020 for 10 threads per inch and coarser, 0.010 finer
    external minor max D - P - clearance, min = max - 1.5 x pitch tolerance
    internal minor D - P, plus 0.05 P (at least 0.005); internal major D + clearance, plus the
    clearance again for the maximum
    internal minor max = round4(D - P) + round4(0.05 P): the sum of the rounded terms, as the
    published tables give it (3/4-6: 0.5833 + 0.0083 = 0.5916)
B1.8 Stub Acme (basic height 0.3 P): as 2G, with the 2G allowance as published for the size
(4-place basic 2G pitch diameter less the published maximum), basic pitch diameter D - 0.3 P
(maximum: the 4-place basic less the allowance, minimum from that maximum), external minor max
D - 0.6 P - clearance with a tolerance equal to the pitch tolerance, internal minor D - 0.6 P
(maximum: round4(D - 0.6 P) + round4(0.05 P)), internal major max = min + pitch tolerance.
"""
import math
from decimal import Decimal

from common import dec, pitch_number, published, r4, rnd

TYPOS = {
    ("1 3/8-4 Acme", "2G", "ext_pitch_min"):
        "2G external and internal pitch tolerances are equal, 0.0220 as published for the "
        "internal thread and used by the published external minor minimum 1.072",
    ("2 3/4-3 Acme", "2G", "int_minor_min"):
        "the minimum is D - P = 2.4167; the published maximum 2.4334 is 2.4167 + 0.0167",
    ("2 3/4-3 Acme", "4G", "int_minor_min"):
        "the minimum is D - P = 2.4167; the published maximum 2.4334 is 2.4167 + 0.0167",
}


def _clearance(tpi):
    return 0.020 if tpi <= 10 else 0.010


def _tol05(p):
    return max(0.05 * p, 0.005)


def acme_expected(diameter, tpi, cls, pitch_max):
    """The cells of one class as the formulas give them. The pitch-diameter allowance is
    tabulated by B1.5 per size range, so the published maximum external pitch diameter is taken
    as given and the other pitch limits are checked from it."""
    D = float(diameter)
    p = 1.0 / float(tpi)
    tol = {"2G": 3.0, "4G": 1.0}[cls] * (0.010 * math.sqrt(p) + 0.002 * math.sqrt(D))
    c = _clearance(float(tpi))
    basic_pd = D - 0.5 * p
    minor_max = D - p - c
    return {
        "ext_major_max": r4(D),
        "ext_major_min": r4(D - _tol05(p)),
        "ext_pitch_max": pitch_max,
        "ext_pitch_min": r4(float(pitch_max) - tol),
        "ext_minor_max": r4(minor_max),
        "ext_minor_min": r4(minor_max - 1.5 * tol),
        "int_minor_min": r4(D - p),
        "int_minor_max": r4(D - p) + r4(_tol05(p)),
        "int_pitch_min": r4(basic_pd),
        "int_pitch_max": r4(basic_pd + tol),
        "int_major_min": r4(D + c),
        "int_major_max": r4(D + 2 * c),
    }


def _expected(row, D, tpi, cls):
    return acme_expected(D, tpi, cls, Decimal(row["ext_pitch_max"]))


def _published_class(name, row, formula, cls, notes):
    """The published cells of one class, and the fields derived instead (TYPOS)."""
    out = {}
    derived = set()
    for field, calc in formula.items():
        pub = Decimal(row[field])
        if (name, cls, field) in TYPOS:
            notes.typos.append((f"ACME {cls}", name, field, pub, calc, TYPOS[(name, cls, field)]))
            out[field] = calc
            derived.add(field)
            continue
        if abs(pub - calc) > Decimal("0.0001"):
            raise SystemExit(f"unclassified Acme difference {name} {cls} {field}: {pub} {calc}")
        if pub != calc:
            notes.one_unit += 1
        out[field] = pub
    return out, derived


FIRST_FIELDS = ("ext_major_max", "ext_major_min", "ext_pitch_max", "ext_pitch_min",
                "ext_minor_max", "int_minor_min", "int_minor_max", "int_pitch_min",
                "int_pitch_max", "int_major_min", "ext_minor_min", "int_major_max")
SECOND_FIELDS = ("ext_pitch_max", "ext_pitch_min", "int_pitch_max", "ext_minor_min")


def _register(notes, table, index, fields, derived):
    """Sources of one row: copied cells are published; a derived external pitch minimum follows
    from the published maximum."""
    for column, field in enumerate(fields):
        if field not in derived:
            notes.published(table, index, [column])
        elif field == "ext_pitch_min":
            notes.published_input(table, index, column, "ext_pitch_max")


def acme_tables(sizes, notes):
    g2 = {r["designation"]: r for r in published("ACME_2G.csv")}
    g4 = {r["designation"]: r for r in published("ACME_4G.csv")}
    first, second = [], []
    for index, (designation, pitch_text) in enumerate(sizes):
        tpi = pitch_number(pitch_text)
        D = _size(designation)
        name = f"{designation}-{pitch_text} Acme"
        a, derived_a = _published_class(name, g2[name], _expected(g2[name], D, tpi, "2G"), "2G",
                                        notes)
        b, derived_b = _published_class(name, g4[name], _expected(g4[name], D, tpi, "4G"), "4G",
                                        notes)
        first.append([a[f] for f in FIRST_FIELDS])
        second.append([b[f] for f in SECOND_FIELDS])
        _register(notes, "ACME 2G", index, FIRST_FIELDS, derived_a)
        _register(notes, "ACME 4G", index, SECOND_FIELDS, derived_b)
    return first, second


def stub_acme_table(sizes):
    g2 = {r["designation"]: r for r in published("ACME_2G.csv")}
    rows = []
    for designation, pitch_text in sizes:
        tpi = pitch_number(pitch_text)
        D = float(_size(designation))
        p = 1.0 / float(tpi)
        # The 2G allowance as B1.5 tabulates it: 4-place basic 2G pitch diameter less the
        # published 2G maximum external pitch diameter.
        pitch_max_2g = Decimal(g2[f"{designation}-{pitch_text} Acme"]["ext_pitch_max"])
        allowance = r4(D - 0.5 * p) - pitch_max_2g
        tol = 0.030 * math.sqrt(p) + 0.006 * math.sqrt(D)
        c = _clearance(float(tpi))
        basic_pd = D - 0.3 * p
        pitch_max = r4(basic_pd) - allowance
        minor_max = D - 0.6 * p - c
        rows.append([
            r4(D), r4(D - _tol05(p)), pitch_max, r4(float(pitch_max) - tol),
            r4(minor_max), r4(D - 0.6 * p), r4(D - 0.6 * p) + r4(_tol05(p)), r4(basic_pd),
            r4(basic_pd + tol), r4(D + c), r4(minor_max - tol), r4(D + c + tol),
            # Not read by the program; carried over as 0.6506 P, the value the table holds for
            # 1-5 (0.13012), to five places.
            rnd(0.6506 * p, 5),
        ])
    return rows


def _size(designation):
    total = Decimal(0)
    for part in designation.split(" "):
        if "/" in part:
            num, den = part.split("/")
            total += Decimal(num) / Decimal(den)
        else:
            total += Decimal(part)
    return dec(total)
