"""Metric trapezoidal threads Tr (ISO 2901 profile, ISO 2902 diameter/pitch series, ISO 2903
tolerances), millimetres.

The limits of classes 7e and 7H of every ISO 2902 size are formed from the basic profile and the
deviations and tolerances of tests/data/trapezoidal/ (fundamental deviations, Td and TD1 of grade
4, Td2 and TD2 by diameter range and pitch), exactly in decimal arithmetic:
    ac = 0.15 (P 1.5), 0.25 (P 2 to 5), 0.5 (P 6 to 12), 1 (P 14 to 44)       (ISO 2901)
    d2 = D2 = d - 0.5 P, d3 = d - P - 2 ac, D1 = d - P, D4 = d + 2 ac
    external (d and d3 position h, d2 position e):
        d max = d, d min = d - Td(4), d2 max = d2 + es, d2 min = d2 max - Td2,
        d3 max = d3, d3 min = d3 - Td3 with Td3 = 1.25 Td2 + |es| (ISO 2903)
    internal (position H, EI = 0):
        D1 min = D1, D1 max = D1 + TD1(4), D2 min = D2, D2 max = D2 + TD2, D4 min = D4
Td3 is rounded to whole micrometres, a half upward (212.5 -> 213 um): of the 64 published rows
whose Td3 ends in half a micrometre, 42 are rounded so and 22 the other way (0.001 mm higher);
no rule reproduces all of them.
"""
from decimal import Decimal, ROUND_HALF_UP

from emit import HEADER, comment_lines, fmt, provenance_lines, read_csv, wrap

CATEGORY_ORDER = {"normal": 0, "coarse": 1, "fine": 2}
GRADES = (7, 8, 9)


def crest_clearance(p):
    if p == Decimal("1.5"):
        return Decimal("0.15")
    if Decimal(2) <= p <= Decimal(5):
        return Decimal("0.25")
    if Decimal(6) <= p <= Decimal(12):
        return Decimal("0.5")
    if Decimal(14) <= p <= Decimal(44):
        return Decimal(1)
    raise SystemExit(f"ISO 2901 gives no crest clearance for P {p}")


def _um(text):
    return int(text) if text.strip() else 0


class Tolerances:
    def __init__(self):
        deviations = {r["pitch_mm"]: r for r in read_csv("trapezoidal",
                                                         "Tr_fundamental_deviations_um.csv")}
        crests = {r["pitch_mm"]: r for r in read_csv("trapezoidal",
                                                     "Tr_Td_major_TD1_minor_grade4_um.csv")}
        if deviations.keys() != crests.keys():
            raise SystemExit("deviation and crest tolerance files list different pitches")
        self.pitches = []
        for key, dev in deviations.items():
            crest = crests[key]
            p = Decimal(key)
            note = ""
            if "unconfirmed" in dev["status"].lower():
                note = (f"UNCONFIRMED: es(e) {dev['es_e_um']} um (the published d2 column implies "
                        f"{dev['es_e_from_d2max_um']}, the d3 column {dev['es_e_from_d3min_um']}; "
                        f"the d3 column chosen, as it is right for P 6)")
            elif dev["status"].startswith("conflict resolved"):
                note = (f"conflict resolved: es(e) {dev['es_e_um']}, Td {crest['Td_grade4_um']}, "
                        f"TD1 {crest['TD1_grade4_um']} um as ISO 965-1 and the same table's "
                        f"other rows of this pitch (the ISO 2902 rows of the published table "
                        f"carry the P 7 values {dev['es_e_from_d2max_um']}, "
                        f"{crest['Td_from_table_um']}, {crest['TD1_from_table_um']})")
            self.pitches.append({
                "p": p, "ac": crest_clearance(p), "es_e": _um(dev["es_e_um"]),
                "es_c": _um(dev["es_c_um"]), "td": _um(crest["Td_grade4_um"]),
                "td1": _um(crest["TD1_grade4_um"]), "note": note})
        self.ranges = []
        for r in read_csv("trapezoidal", "Tr_Td2_TD2_pitch_um.csv"):
            note = ""
            if r["Td2_grade8_um"].strip() or r["TD2_grade8_um"].strip():
                note = ("grades 8 and 9 copied from ISO 965-1 (the same tolerance system), not "
                        "confirmed against an ISO 2903 table")
            self.ranges.append({
                "over": Decimal(r["d_over_mm"]), "upto": Decimal(r["d_upto_mm"]),
                "p": Decimal(r["pitch_mm"]),
                "td2": [_um(r[f"Td2_grade{g}_um"]) for g in GRADES],
                "tD2": [_um(r[f"TD2_grade{g}_um"]) for g in GRADES], "note": note})

    def by_pitch(self, p):
        for row in self.pitches:
            if row["p"] == p:
                return row
        raise SystemExit(f"no deviations for P {p}")

    def by_range(self, d, p):
        for row in self.ranges:
            if row["over"] < d <= row["upto"] and row["p"] == p:
                return row
        raise SystemExit(f"no pitch-diameter tolerance for d {d} P {p}")


def sizes():
    """The ISO 2902 combinations of the published limits table, by diameter, the normal pitch
    first, then the coarse and the fine one."""
    rows = read_csv("trapezoidal", "Tr_limits_7H7e.csv")
    rows.sort(key=lambda r: (Decimal(r["d_mm"]), CATEGORY_ORDER[r["iso2902_pitch"]]))
    for r in rows:
        r["d"], r["p"] = Decimal(r["d_mm"]), Decimal(r["P_mm"])
    return rows


def td3(td2, es):
    """Td3 = 1.25 Td2 + |es| in whole micrometres, a half upward."""
    return (Decimal("1.25") * td2 + abs(es)).quantize(Decimal(1), rounding=ROUND_HALF_UP)


COLUMNS = ["ext7e_d_max", "ext7e_d_min", "ext7e_d2_max", "ext7e_d2_min", "ext7e_d3_max",
           "ext7e_d3_min", "int7H_D1_min", "int7H_D1_max", "int7H_D2_min", "int7H_D2_max",
           "int7H_D4_min"]


def limits_7e_7h(tol, d, p):
    by_pitch, by_range = tol.by_pitch(p), tol.by_range(d, p)
    ac, es = by_pitch["ac"], Decimal(by_pitch["es_e"]) / 1000
    td2, tD2 = Decimal(by_range["td2"][0]) / 1000, Decimal(by_range["tD2"][0]) / 1000
    d2, d3, big_d1, d4 = d - p / 2, d - p - 2 * ac, d - p, d + 2 * ac
    return [d, d - Decimal(by_pitch["td"]) / 1000, d2 + es, d2 + es - td2, d3,
            d3 - td3(by_range["td2"][0], by_pitch["es_e"]) / 1000, big_d1,
            big_d1 + Decimal(by_pitch["td1"]) / 1000, d2, d2 + tD2, d4]


def size_table_lines(rows):
    lines = ["namespace {", "const SizeEntry kTrRows[] = {"]
    lines += [f'    {{"Tr{r["d_mm"]}", "{r["P_mm"]}"}},' for r in rows]
    lines += ["};", "}  // namespace", f'const SizeTable kTr{{"Tr", kTrRows, {len(rows)}}};', "",
              "}  // namespace torveld::size_tables", "// clang-format on"]
    return lines


def _differences(rows, cells):
    """The published cells the rule does not give: (designation, column, published, ours, why)."""
    out = []
    for r, ours in zip(rows, cells):
        for column, (name, value) in enumerate(zip(COLUMNS, ours)):
            published = Decimal(r[name])
            if published == value:
                continue
            if r["notes"]:
                why = "flagged"
            elif column == 5 and abs(published - value) == Decimal("0.001"):
                why = "tie"
            else:
                raise SystemExit(f"{r['designation']} {name}: published {published}, rule {value}"
                                 " and the reference does not flag the row")
            out.append((r["designation"], name, published, value, why))
    return out


STATEMENT = [
    "Metric trapezoidal threads Tr, classes 7e (external) and 7H (internal), millimetres, for",
    "the ISO 2902 diameter/pitch combinations Tr8x1.5 to Tr300x44 (by diameter, the normal",
    "pitch first, then the coarse and the fine), by formula from the ISO 2901 profile and the",
    "ISO 2903 deviations and tolerances as held in tests/data/trapezoidal/ (sources there: the",
    "published limits table threadlib design/TR.csv, pull request 55, commit 1b7dcf6e = the",
    "Maryland Metrics chart thddat16 = the Autodesk Inventor thread.xls sheet \"ISO Metric",
    "Trapezoidal Threads\" = Engineers Edge, one source; ISO 965-1 for P 1.5 to 8 and grades 8,",
    "9; the F-M-S ISO 2902 sheet for the series). Columns (TR11): d max, d min, d2 max, d2 min,",
    "d3 max, d3 min; D1 min, D1 max, D2 min, D2 max, D4 min (D4 has no upper limit).",
]


def _mm(value):
    return format(value.quantize(Decimal("0.001")), "f")


def _statement(tol, rows, cells):
    lines = STATEMENT + [""] + __doc__.strip().split("\n\n", 1)[1].splitlines()
    lines += ["", "Deviations and tolerances the reference files resolve or do not confirm:"]
    for row in tol.pitches:
        if row["note"]:
            lines += wrap(f"  P {row['p']}: {row['note']}.")
    lines += ["", "Published cells the rule does not give (the rule's value stands, as the",
              "reference decides):"]
    diffs = _differences(rows, cells)
    flagged = {}
    for designation, name, published, value, why in diffs:
        if why == "flagged":
            flagged.setdefault(designation, []).append(f"{name} {published} (rule {_mm(value)})")
    notes = {r["designation"]: r["notes"] for r in rows}
    for designation, items in flagged.items():
        lines += wrap(f"  {designation}: " + "; ".join(items) + ".")
    ties = [f"{d} {p}" for d, _, p, _, why in diffs if why == "tie"]
    lines += wrap(f"  d3 min where Td3 ends in half a micrometre and the published table rounds "
                  f"it down ({len(ties)} rows, published 0.001 higher): " + ", ".join(ties) + ".")
    unconfirmed = [r["designation"] for r in rows if tol.by_pitch(r["p"])["note"].startswith(
        "UNCONFIRMED")]
    lines += ["", "UNCONFIRMED cells:"]
    lines += wrap(f"  d2 max, d2 min and d3 min of {len(unconfirmed)} sizes of P 12 rest on es(e) "
                  f"= -160 um: " + ", ".join(unconfirmed) + ".")
    if len(flagged) != sum(1 for r in rows if notes[r["designation"]]):
        raise SystemExit("a flagged row of the published table agrees with the rule")
    return lines


TOLERANCE_STATEMENT = [
    "ISO 2903 deviations and tolerances of the trapezoidal threads, micrometres, as the special",
    "engine reads them (tests/data/trapezoidal/): by pitch the crest clearance ac (ISO 2901), the",
    "fundamental deviations es of positions e and c (EI of H is 0; no source of es(c) was found,",
    "so it is 0 = not held), Td (major, grade 4) and TD1 (minor, grade 4); by diameter range",
    "(over, up to and including) and pitch, Td2 and TD2 of grades 7, 8 and 9 (0 = not held: grade",
    "7 exists for every range and pitch of an ISO 2902 size; grades 8 and 9 only where ISO 965-1",
    "tabulates the same range and pitch, and TD2 grade 9 nowhere). Each row's note says what a",
    "source leaves unconfirmed or which conflict it resolves.",
]


def _c_text(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"' if text else "nullptr"


def table_lines(tol, rows):
    cells = [limits_7e_7h(tol, r["d"], r["p"]) for r in rows]
    statement = _statement(tol, rows, cells)
    lines = HEADER + ["//"] + comment_lines(statement) + [
        "// clang-format off", '#include "bsp_tr_cells.h"', '#include "../trapezoidal_tolerances.h"',
        "", "namespace torveld::generated {", "",
        "// Tr classes 7e/7H (TR11), mm."]
    lines.append(f"const float kTrCells[{len(rows)}][{len(COLUMNS)}] = {{")
    for r, row in zip(rows, cells):
        note = ""
        if tol.by_pitch(r["p"])["note"].startswith("UNCONFIRMED"):
            note = "  UNCONFIRMED: columns 2, 3, 5 (es(e) of P 12)"
        lines.append(f"    {{{', '.join(fmt(v) for v in row)}}},  // Tr{r['d_mm']} - {r['P_mm']}"
                     f"{note}")
    lines += ["};", "", "// Where the values of kTrCells come from (LimitTable::provenance)."]
    lines += provenance_lines("kTrProvenance", statement)
    lines += ["", "}  // namespace torveld::generated", "", "namespace torveld::iso2903 {", "",
              "namespace {", "", "// pitch, ac, es(e), es(c), Td(4), TD1(4), note"]
    lines.append("const PitchRow kPitchRows[] = {")
    for row in tol.pitches:
        um = int(row["p"] * 1000)
        ac = int(row["ac"] * 1000)
        lines.append(f"    {{{um}, {ac}, {row['es_e']}, {row['es_c']}, {row['td']}, {row['td1']}, "
                     f"{_c_text(row['note'])}}},")
    lines += ["};", "", "// over, up to, pitch, {Td2 grades 7, 8, 9}, {TD2 grades 7, 8, 9}, note",
              "const RangeRow kRangeRows[] = {"]
    for row in tol.ranges:
        over, upto, p = (int(row[k] * 1000) for k in ("over", "upto", "p"))
        td2 = ", ".join(str(v) for v in row["td2"])
        tD2 = ", ".join(str(v) for v in row["tD2"])
        lines.append(f"    {{{over}, {upto}, {p}, {{{td2}}}, {{{tD2}}}, {_c_text(row['note'])}}},")
    lines += ["};", "", "}  // namespace", ""]
    lines += provenance_lines("kProvenance", TOLERANCE_STATEMENT)
    lines += ["", "std::span<const PitchRow> pitchRows() {", "    return kPitchRows;", "}", "",
              "std::span<const RangeRow> rangeRows() {", "    return kRangeRows;", "}", "",
              "}  // namespace torveld::iso2903", "// clang-format on"]
    return lines
