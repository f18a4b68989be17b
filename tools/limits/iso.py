"""ISO general-purpose metric threads (ISO 68-1, ISO 261, ISO 965-1:1998), millimetres.

Every limit is formed from the basic dimensions and the tolerance tables of ISO 965-1 (stored as
data in tests/data/iso965/, because the standard's tables carry hand adjustments its formulas do
not reproduce) and rounded half-up to 0.001 mm:
    d max = d + es, d min = d max - Td, d2 max = d2 + es, d2 min = d2 max - Td2,
    D1 min = D1, D1 max = D1 + TD1, D2 min = D2, D2 max = D2 + TD2, D min = D,
with d2 = D2 = d - 0.649519 P and D1 = d - 1.082532 P. The external minor "REF" column holds the
minimum minor diameter d3 min = d2 min - 0.616025 P (root radius 0.125 P), as ISO 965-2 does.

Each row carries exactly the classes its display captions name: 6g/6H in the first table
(5H where 6H is not tabulated), and in the second the closer pair: 4h or 4g6g outside, 5H or 4H
inside, or nothing where the series offers no closer class.
"""
from decimal import Decimal

from common import ZERO, iso965, r3


def _by_pitch(rows, column):
    return {Decimal(r["pitch_mm"]): Decimal(r[column]) for r in rows if r[column].strip()}


def _by_range(rows, column):
    out = []
    for r in rows:
        if r[column].strip():
            out.append((Decimal(r["d_over_mm"]), Decimal(r["d_upto_mm"]), Decimal(r["pitch_mm"]),
                        Decimal(r[column])))
    return out


class Tolerances:
    def __init__(self):
        dev = iso965("fundamental_deviations_um.csv")
        self.es_g = _by_pitch(dev, "es_g")
        td1 = iso965("TD1_internal_minor_um.csv")
        td = iso965("Td_external_major_um.csv")
        td2 = iso965("TD2_internal_pitch_um.csv")
        ed2 = iso965("Td2_external_pitch_um.csv")
        self.TD1 = {g: _by_pitch(td1, f"grade{g}") for g in (4, 5, 6)}
        self.Td = {g: _by_pitch(td, f"grade{g}") for g in (4, 6)}
        self.TD2 = {g: _by_range(td2, f"grade{g}") for g in (4, 5, 6)}
        self.Td2 = {g: _by_range(ed2, f"grade{g}") for g in (4, 6)}

    @staticmethod
    def _ranged(table, d, p):
        for lo, hi, pitch, value in table:
            if lo < d <= hi and pitch == p:
                return value
        raise SystemExit(f"ISO 965-1 gives no tolerance for d {d} P {p}")

    def td2(self, grade, d, p):
        return self._ranged(self.TD2[grade], d, p) / 1000

    def ed2(self, grade, d, p):
        return self._ranged(self.Td2[grade], d, p) / 1000

    def td1(self, grade, p):
        return self.TD1[grade][p] / 1000

    def ed(self, grade, p):
        return self.Td[grade][p] / 1000

    def es(self, position, p):
        return self.es_g[p] / 1000 if position == "g" else ZERO


def external(tol, d, p, pitch_grade, major_grade, position):
    """[d max, d min, d2 max, d2 min, d3 min (REF)], rounded to 0.001 mm."""
    d2 = d - Decimal("0.649519") * p
    es = tol.es(position, p)
    major_max = d + es
    major_min = major_max - tol.ed(major_grade, p)
    pitch_max = d2 + es
    pitch_min = pitch_max - tol.ed2(pitch_grade, d, p)
    ref = pitch_min - Decimal("0.616025") * p
    return [r3(major_max), r3(major_min), r3(pitch_max), r3(pitch_min), r3(ref)]


def internal(tol, d, p, grade):
    """{minor min, minor max, pitch min, pitch max, major min} of class <grade>H."""
    d2 = d - Decimal("0.649519") * p
    d1 = d - Decimal("1.082532") * p
    out = {"minor_min": r3(d1), "pitch_min": r3(d2), "major_min": r3(d)}
    if grade is not None:
        out["minor_max"] = r3(d1 + tol.td1(grade, p))
        out["pitch_max"] = r3(d2 + tol.td2(grade, d, p))
    return out


def nominal(designation):
    return Decimal(designation.lstrip("M"))


# ---------------------------------------------------------------------------------------------
# Which class each row holds, from the captions the display writes.

def coarse_classes(d):
    """ISO COARSE: (first internal grade, close external, close internal grade). The labels are
    chosen by the external major maximum, which lies just below d: above 41 mm 6g/4g6g/6H with no
    close internal class; down to 2.75 mm 6g/4h/6H/5H; above 1.2 mm 6g/4h/6H/4H; at or below
    1.2 mm 6g/4h/5H/4H."""
    if d > 41:
        return 6, "4g6g", None
    if d >= Decimal("2.75"):
        return 6, "4h", 5
    if d > Decimal("1.2"):
        return 6, "4h", 4
    return 5, "4h", 4


def fine_arrangement(d, p):
    """The ISO FINE display arrangement A-D of a size (N = C = the internal major minimum = d)."""
    if p <= Decimal("0.21"):
        return "A"
    if p == Decimal("1.5") and d in (12, 35):
        return "B"
    if (Decimal("0.24") < p < Decimal("0.6") or p == Decimal("1.25") or (d <= 33 and p == 2)
            or (d < 23 and p == Decimal("1.5")) or (d <= 9 and p <= 1)):
        return "C"
    return "D"


def fine_classes(d, p):
    """ISO FINE: (first internal grade or None, close external or None, close internal grade or
    None) by arrangement: A 6g/4h/-/4H; B 6g/-/6H/-; C 6g/4h and 5H/4H (P < 0.26), 6H/4H
    (0.35), 6H/5H (P > 0.49); D 6g/4g6g/6H/-."""
    arrangement = fine_arrangement(d, p)
    if arrangement == "A":
        return None, "4h", 4
    if arrangement == "B":
        return 6, None, None
    if arrangement == "C":
        if p < Decimal("0.26"):
            return 5, "4h", 4
        if Decimal("0.34") < p < Decimal("0.36"):
            return 6, "4h", 4
        return 6, "4h", 5
    return 6, "4g6g", None


CLOSE_EXTERNAL = {"4h": (4, 4, "h"), "4g6g": (4, 6, "g")}


def iso_tables(sizes, classes_of):
    """(UN10 rows, UN7 rows) of one ISO series."""
    tol = Tolerances()
    first, second = [], []
    for designation, pitch_text in sizes:
        d = nominal(designation)
        p = Decimal(pitch_text)
        normal_int, close_ext, close_int = classes_of(d, p)
        ext6g = external(tol, d, p, 6, 6, "g")
        inner = internal(tol, d, p, normal_int)
        first.append(ext6g + [inner["minor_min"], inner.get("minor_max", ZERO),
                              inner["pitch_min"], inner.get("pitch_max", ZERO),
                              inner["major_min"]])
        row = [ZERO] * 7
        if close_ext is not None:
            pitch_grade, major_grade, position = CLOSE_EXTERNAL[close_ext]
            row[0:5] = external(tol, d, p, pitch_grade, major_grade, position)
        if close_int is not None:
            close = internal(tol, d, p, close_int)
            row[5] = close["minor_max"]
            row[6] = close["pitch_max"]
        second.append(row)
    return first, second
