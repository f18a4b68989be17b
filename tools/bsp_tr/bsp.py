"""British Standard Pipe threads: parallel G (ISO 228-1) and taper R / Rc / Rp (ISO 7-1,
EN 10226-1, BS 21), millimetres, copied from tests/data/bsp/G_ISO228.csv and R_ISO7.csv.

The tables hold what the standards tabulate; the limits of size are formed from them by the
calculation (src/calc/british_pipe.cpp). The CSV columns of limits (int_D2_min ... ext_d1_max) are
not read here: the tests compare the calculation's limits with them.
"""
from decimal import Decimal

from emit import HEADER, comment_lines, fmt, provenance_lines, read_csv, wrap

G_COLUMNS = ["d_major_mm", "d2_pitch_mm", "d1_minor_mm", "pitch_mm", "h_mm", "TD2_internal_mm",
             "Td2_classA_mm", "Td2_classB_mm", "TD1_internal_mm", "Td_external_mm"]

R_COLUMNS = ["gauge_dia_d_mm", "pitch_dia_d2_mm", "minor_dia_d1_mm", "pitch_mm", "h_mm",
             "gauge_length_basic_mm", "gauge_length_T1half_mm", "gauge_length_T1half_turns",
             "gauge_length_max_mm", "gauge_length_min_mm", "gauge_plane_internal_T2half_mm",
             "gauge_plane_internal_T2half_turns", "Rp_diameter_tol_pm_mm",
             "useful_thread_min_basic_gauge_mm", "useful_thread_min_max_gauge_mm",
             "useful_thread_min_min_gauge_mm", "fitting_allowance_mm", "fitting_allowance_turns"]

# Cells a source marks unconfirmed: R column -> (the text of the row's notes that marks it, or
# None for every row, and why).
R_UNCONFIRMED = {
    10: ("T2/2 mm", "T2/2 in mm: only the two-decimal JIS B 0203 value was seen; the one-decimal "
                    "value is 1 1/4 or 1 1/2 turns x P rounded"),
    12: ("Rp tolerance", "Rp diameter tolerance: JIS B 0203 prints 0.181; 1 1/4 turns x P / 16 = "
                         "0.1804 gives 0.180; no printed ISO 7-1 value was seen"),
    15: ("useful length for min gauge length", "useful thread for the minimum gauge length: "
         "derived as minimum gauge length + fitting allowance, not seen printed in an ISO-valued "
         "source (JIS t = 0.8 x the minimum agrees)"),
    17: (None, "fitting allowance in turns: f / P, not printed in any source seen"),
}


def _rows(name, columns):
    rows = read_csv("bsp", name)
    for row in rows:
        row["cells"] = [Decimal(row[c]) for c in columns]
    return rows


def g_table():
    rows = _rows("G_ISO228.csv", G_COLUMNS)
    if len(rows) != 24:
        raise SystemExit(f"G_ISO228.csv: {len(rows)} sizes, ISO 228-1 has 24")
    return rows


def r_table():
    rows = _rows("R_ISO7.csv", R_COLUMNS)
    if len(rows) != 15:
        raise SystemExit(f"R_ISO7.csv: {len(rows)} sizes, ISO 7-1 has 15")
    for row in rows:
        row["unconfirmed"] = [c for c, (mark, _) in R_UNCONFIRMED.items()
                              if mark is None or mark in row["notes"]]
    return rows


def size_table_lines(g, r):
    lines = HEADER + [
        "//",
        "// The size tables of the British pipe threads G (ISO 228-1, 24 sizes) and R / Rc / Rp",
        "// (ISO 7-1, 15 sizes), from tests/data/bsp/, and of the metric trapezoidal threads Tr",
        "// (the ISO 2902 diameter/pitch combinations, from tests/data/trapezoidal/): designation",
        "// and pitch text as the user sees them (threads per inch for G and R, millimetres for Tr).",
        "// clang-format off",
        '#include "../size_tables.h"',
        "",
        "namespace torveld::size_tables {",
        "",
    ]
    for name, label, rows in (("kG", "G", g), ("kR", "R", r)):
        lines += ["namespace {", f"const SizeEntry {name}Rows[] = {{"]
        lines += [f'    {{"{row["size"]}", "{row["tpi"]}"}},' for row in rows]
        lines += ["};", "}  // namespace", f'const SizeTable {name}{{"{label}", {name}Rows, '
                  f'{len(rows)}}};', ""]
    return lines


G_STATEMENT = [
    "British Standard Pipe parallel threads G (ISO 228-1), millimetres: per size the basic",
    "major d = D, pitch d2 = D2 and minor d1 = D1 diameters, the pitch P (printed to 3 places;",
    "the exact pitch is 25.4 / n) and the thread height h, and the tolerances TD2 (internal",
    "pitch), Td2 of class A and of class B (external pitch), TD1 (internal minor) and Td",
    "(external major), as ISO 228-1 tabulates them. d is tabulated (historic inch values);",
    "h = 0.640327 P rounded to 0.001 mm, d2 = d - h, d1 = d - 2h. No tolerance is given for the",
    "internal major or the external minor diameter: only the basic profile limits them.",
    "Source: threadlib design/BSPP_thread.csv (commit 827723d1, the Maryland Metrics chart",
    "thddat7 of ISO 228-1 values), confirmed by the Autodesk Inventor thread.xls sheet \"ISO Pipe",
    "Threads\" and the FreeCAD Fasteners FsData/bspthreaddef.csv major diameters",
    "(tests/data/bsp/G_ISO228.csv). Every value is confirmed from two or more sources.",
    "Conflicts and the value chosen:",
    "  GOST 6357-81 G 1/8, 1/4: 9.729, 13.158 (and d2, d1 +0.001, another inch conversion);",
    "    ISO 9.728, 13.157 kept (ISO 228-1, JIS B 0202, threadlib, Inventor, FreeCAD agree).",
    "  GOST 6357-81 Table 2, G 3: 85.405, a misprint for the pitch diameter 86.405 (Rosstandart",
    "    letter 3086-OG/03).",
    "  FreeCAD minor diameters of 14 and 11 threads per inch are 0.001 high (d - 2h with",
    "    unrounded h); ISO's, with h rounded first, kept.",
    "  Inventor \"ISO Pipe Threads\" G 1/16 internal minor maximum 6.834: a typo for 6.843",
    "    (6.561 + 0.282).",
    "  Inventor \"BSP Pipe Threads\" sheet: class B pitch minimum equal to class A's; that sheet",
    "    is not used.",
]

R_STATEMENT_HEAD = [
    "British Standard Pipe taper threads R (external), Rc (internal taper) and Rp (internal",
    "parallel) (ISO 7-1, the same values as EN 10226-1 and BS 21), millimetres unless turns: per",
    "size the basic diameters d, d2, d1 at the gauge plane (equal to the G diameters of the size),",
    "P (3 places) and h, the gauge length (basic, tolerance +/-T1/2 in mm and turns, maximum,",
    "minimum), the tolerance +/-T2/2 of the position of the gauge plane of internal threads (mm",
    "and turns), the diametral tolerance +/- of Rp, the minimum useful thread length of the",
    "external thread for the basic, maximum and minimum gauge length, and the fitting allowance",
    "(mm and turns). Taper 1:16 on diameter.",
    "Sources: diameters threadlib BSPP + Inventor thread.xls \"ISO Taper\" + JIS B 0203 (Punch",
    "catalogue P6E p.1141); gauge length the Wikipedia BSP table + Inventor (useful - f); T1/2",
    "Inventor (useful at max - useful at basic) + JIS b; T2/2 and Rp JIS B 0203 only; useful",
    "lengths Inventor \"ISO Taper\" / \"ISO Taper Internal\"; f Inventor + JIS f",
    "(tests/data/bsp/R_ISO7.csv). Derived: maximum and minimum gauge length = basic +/- T1/2,",
    "useful thread = gauge length + f, Rp tolerance = T2/2 turns x P / 16, turns = mm / P.",
    "Conflicts and the value chosen:",
    "  R 4 gauge length: Wikipedia 25.5; 25.4 kept (Inventor useful - f = 35.8 - 10.4, JIS",
    "    a = 25.40).",
    "  JIS B 0203 writes gauge lengths and T1/2, T2/2 to 0.01 mm (inch-exact values); ISO 7-1",
    "    writes 0.1 mm: the JIS values are used only rounded.",
    "  JIS l' (useful thread at the maximum gauge length) of 2 1/2, 5, 6: 30.1, 43.5; ISO 30.2,",
    "    43.6 kept (summed from 0.1-mm values).",
    "  Inventor \"ISO Taper\" R 5 minor 135.742: a digit swap for 135.472 (Inventor DIN and JIS",
    "    sheets, JIS B 0203).",
]


def _r_unconfirmed_statement(rows):
    lines = ["UNCONFIRMED cells (not confirmed from two sources; the values stand as above):"]
    for column, (_, why) in R_UNCONFIRMED.items():
        sizes = [row["size"] for row in rows if column in row["unconfirmed"]]
        which = "every size" if len(sizes) == len(rows) else "sizes " + ", ".join(sizes)
        lines += wrap(f"  column {column}, {why}: {which}.")
    return lines


def _cell_rows(name, rows):
    out = [f"const float {name}[{len(rows)}][{len(rows[0]['cells'])}] = {{"]
    for row in rows:
        cells = ", ".join(fmt(v) for v in row["cells"])
        note = ""
        if row.get("unconfirmed"):
            note = "  UNCONFIRMED: columns " + ", ".join(str(c) for c in row["unconfirmed"])
        out.append(f"    {{{cells}}},  // {row['size']} - {row['tpi']}{note}")
    return out + ["};", ""]


def table_lines(g, r):
    r_statement = R_STATEMENT_HEAD + _r_unconfirmed_statement(r)
    lines = HEADER + ["//"] + comment_lines(__doc__.strip().splitlines()) + [
        "// clang-format off", '#include "bsp_tr_cells.h"', "", "namespace torveld::generated {",
        "", "// G (GPIPE10): d, d2, d1, P, h, TD2, Td2 class A, Td2 class B, TD1, Td; mm."]
    lines += _cell_rows("kGCells", g)
    lines += ["// Where the values of kGCells come from (LimitTable::provenance)."]
    lines += provenance_lines("kGProvenance", G_STATEMENT) + [""]
    lines += ["// R / Rc / Rp (RPIPE18): d, d2, d1, P, h, gauge length, T1/2, T1/2 turns, gauge",
              "// length max, min, T2/2, T2/2 turns, Rp tolerance, useful thread for basic, max, min",
              "// gauge length, fitting allowance, fitting allowance turns; mm except the turns."]
    lines += _cell_rows("kRCells", r)
    lines += ["// Where the values of kRCells come from (LimitTable::provenance)."]
    lines += provenance_lines("kRProvenance", r_statement)
    lines += ["", "}  // namespace torveld::generated", "// clang-format on"]
    return lines
