#!/usr/bin/env python3
"""Generates the 30 limit tables (src/data/generated/limit_tables_*.cpp) and the manifest of where
their cells come from (src/data/generated/limit_cell_sources.csv).

Run from anywhere:
    python3 tools/limits/generate.py                 # writes into src/data/generated/
    python3 tools/limits/generate.py --out DIR       # writes the same files into DIR

Inputs, all inside the project: the size tables (src/data/generated/size_tables_data.cpp, so
that every limit table stays row for row with its size table), the published tables and the
ISO 965-1 tolerance tables in tests/data/ (listed with their provenance in tests/data/README.md),
and the standards' formulas in the modules beside this script. Python 3 standard library only;
the output depends on nothing but these inputs.
"""
import argparse
import os
import sys
from decimal import Decimal

sys.dont_write_bytecode = True  # keep the source tree clean when run by the tests
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import acme  # noqa: E402
import fixed  # noqa: E402
import iso  # noqa: E402
import manifest  # noqa: E402
import pipe  # noqa: E402
import sti  # noqa: E402
import unified  # noqa: E402
import unm  # noqa: E402
from common import ROOT, fmt, size_tables  # noqa: E402

# name -> (size-table array, rows, columns, millimetres)
SHAPES = {
    "UncFirst": ("kUnc", 33, 10, False), "UncSecond": ("kUnc", 33, 7, False),
    "UnfFirst": ("kUnf", 24, 10, False), "UnfSecond": ("kUnf", 24, 7, False),
    "UnefFirst": ("kUnef", 25, 10, False), "UnefSecond": ("kUnef", 25, 7, False),
    "UnFirst": ("kUn", 237, 10, False), "UnSecond": ("kUn", 237, 7, False),
    "Uns": ("kUns", 115, 10, False),
    "Unj": ("kUnj", 139, 9, False), "Unjc": ("kUnjc", 33, 9, False),
    "Unjf": ("kUnjf", 24, 9, False), "Unjef": ("kUnjef", 25, 9, False),
    "Npt": ("kNpt", 19, 7, False), "Nptf": ("kNpt", 19, 7, False),
    "Npsm": ("kNpsm", 15, 9, False), "Npsl": ("kNpsl", 18, 7, False),
    "AcmeFirst": ("kAcme", 23, 12, False), "AcmeSecond": ("kAcme", 23, 4, False),
    "StubAcme": ("kAcme", 23, 13, False),
    "IsoCoarseFirst": ("kIsoCoarse", 40, 10, True), "IsoCoarseSecond": ("kIsoCoarse", 40, 7, True),
    "IsoFineFirst": ("kIsoFine", 70, 10, True), "IsoFineSecond": ("kIsoFine", 70, 7, True),
    "Unm": ("kUnm", 14, 12, True),
    "Bsw": ("kBsw", 30, 3, False), "Bsf": ("kBsf", 30, 3, False), "Ba": ("kBa", 17, 3, True),
    "UncSti": ("kUncSti", 22, 8, False), "UnfSti": ("kUnfSti", 20, 8, False),
}


def split_rows(rows):
    return [[Decimal(v) for v in row.split()] for row in rows]


def build(sizes, notes):
    t = {}
    for series, prefix in (("UNC", "Unc"), ("UNF", "Unf"), ("UNEF", "Unef"), ("UN", "Un"),
                           ("UNS", "Uns")):
        first, second = unified.unified_tables(series, sizes["k" + prefix], notes)
        if series == "UNS":
            t["Uns"] = first
        else:
            t[prefix + "First"], t[prefix + "Second"] = first, second
    t["Bsw"], t["Bsf"], t["Ba"] = split_rows(fixed.BSW), split_rows(fixed.BSF), split_rows(fixed.BA)
    t["Npt"], t["Nptf"] = split_rows(fixed.NPT), split_rows(fixed.NPTF)
    t["Npsm"] = pipe.npsm_table(sizes["kNpsm"], fixed.NPT, sizes["kNpt"])
    t["Npsl"] = pipe.npsl_table(sizes["kNpsl"], fixed.NPT, sizes["kNpt"], notes)
    t["AcmeFirst"], t["AcmeSecond"] = acme.acme_tables(sizes["kAcme"], notes)
    t["StubAcme"] = acme.stub_acme_table(sizes["kAcme"])
    t["IsoCoarseFirst"], t["IsoCoarseSecond"] = iso.iso_tables(
        sizes["kIsoCoarse"], lambda d, p: iso.coarse_classes(d))
    t["IsoFineFirst"], t["IsoFineSecond"] = iso.iso_tables(sizes["kIsoFine"], iso.fine_classes)
    t["Unm"] = unm.unm_table(sizes["kUnm"], notes)
    t["UncSti"] = sti.sti_table("UNC-STI", sizes["kUncSti"])
    t["UnfSti"] = sti.sti_table("UNF-STI", sizes["kUnfSti"])
    apply_reference_rows(t, sizes, notes)
    # UNJ after the reference rows: it takes the class 3A/3B cells of the Unified tables.
    t["Unjc"] = [unified.unj_row(*_unified_size(des, pt, "UNC"), row)
                 for (des, pt), row in zip(sizes["kUnjc"], t["UncSecond"])]
    t["Unjf"] = [unified.unj_row(*_unified_size(des, pt, "UNF"), row)
                 for (des, pt), row in zip(sizes["kUnjf"], t["UnfSecond"])]
    t["Unjef"] = [unified.unj_row(*_unified_size(des, pt, "UNEF"), row)
                  for (des, pt), row in zip(sizes["kUnjef"], t["UnefSecond"])]
    un_rows = {_unified_size(des, pt, "UN"): row for (des, pt), row in zip(sizes["kUn"], t["UnSecond"])}
    t["Unj"] = [unified.unj_row(*_unified_size(des, pt, "UNJ"), un_rows[_unified_size(des, pt, "UNJ")])
                for des, pt in sizes["kUnj"]]
    apply_reference_rows(t, sizes, notes, only=("Unjc",))
    check_shapes(t, sizes)
    return t


def _unified_size(designation, pitch_text, series):
    from common import pitch_number, unified_size
    tpi = pitch_number(pitch_text)
    return unified_size(designation, tpi, series), tpi


def apply_reference_rows(t, sizes, notes, only=None):
    for name, rows in fixed.REFERENCE_ROWS.items():
        if name not in t or (only is not None and name not in only):
            continue
        millimetres = SHAPES[name][3]
        unit = Decimal("0.001") if millimetres else Decimal("0.0001")
        for index, text in rows.items():
            designation = "-".join(sizes[SHAPES[name][0]][index])
            for column, value in enumerate(Decimal(v) for v in text.split()):
                have = t[name][index][column]
                if have == value:
                    continue
                if abs(have - value) > unit:
                    raise SystemExit(f"{name} row {index} column {column}: rule gives {have}, "
                                     f"reference {value}")
                notes.stated.append((name, designation, column, have, value))
                notes.sources[(LABELS[name], index, column)] = ("stated", None)
                t[name][index][column] = value


def check_shapes(t, sizes):
    for name, (size_name, rows, columns, _) in SHAPES.items():
        table = t[name]
        if len(table) != rows or len(sizes[size_name]) != rows:
            raise SystemExit(f"{name}: {len(table)} rows, size table {len(sizes[size_name])}")
        if any(len(r) != columns for r in table):
            raise SystemExit(f"{name}: a row without {columns} columns")


# ---------------------------------------------------------------------------------------------
# Output

FILES = {
    "limit_tables_unified.cpp": ["UncFirst", "UncSecond", "UnfFirst", "UnfSecond", "UnefFirst",
                                 "UnefSecond", "UnFirst", "UnSecond", "Uns"],
    "limit_tables_unj.cpp": ["Unj", "Unjc", "Unjf", "Unjef"],
    "limit_tables_pipe.cpp": ["Npt", "Nptf", "Npsm", "Npsl"],
    "limit_tables_acme.cpp": ["AcmeFirst", "AcmeSecond", "StubAcme"],
    "limit_tables_iso.cpp": ["IsoCoarseFirst", "IsoCoarseSecond", "IsoFineFirst", "IsoFineSecond"],
    "limit_tables_unm.cpp": ["Unm"],
    "limit_tables_british.cpp": ["Bsw", "Bsf", "Ba"],
    "limit_tables_sti.cpp": ["UncSti", "UnfSti"],
}


# Where each cell of the formula-based tables comes from (read by the tests).
MANIFEST = "limit_cell_sources.csv"


def module_doc(module):
    return [line.rstrip() for line in (module.__doc__ or "").strip().splitlines()]


HEADERS = {
    "limit_tables_unified.cpp": module_doc(unified) + [
        "",
        "Edition followed: ASME B1.1 limits of size as tabulated (classes 2A/2B in the first",
        "table, 3A/3B in the second; internal minor limits to three places from No. 6 up). The",
        "external minor \"REF\" column is the maximum major diameter minus 1.226869 P (17/12 H,",
        "the minor diameter of the basic profile with rounded root), rounded to four places,",
        "for every row: UNC 1/4-20 2A 0.1876, UNS 10-28 0.1452. The CAD table's column holds the",
        "later B1.1 UNR minor (basic minor - allowance - H/8, 0.1894 for 1/4-20 2A) and is not",
        "used. Sizes the published table does not hold follow the formulas, on LE = D for UNC,",
        "UNF and the 4-, 6- and 8-thread UN series and LE = 9P for UNEF, the finer UN series",
        "and UNS. In the series on LE = 9P the diameter term 0.0015 D^(1/3) of the tolerance is",
        "taken at the nominal diameter of the size's group, as B1.1 tabulates them: 1/4, 3/8,",
        "1/2, 5/8, 3/4, 1, 1 1/4, 1 1/2, 1 3/4, 2, 2 1/2, 3, 3 1/2, 4 (nearest, a size half way",
        "on the smaller; No. 12 on No. 10), and 6 for every size over 4 in (tools/limits/",
        "unified.py, TOLERANCE_GROUPS, with the evidence). Values rounded to three places from",
        "four, and every other exact tie, go to the even digit (5.6885 -> 5.688).",
    ],
    "limit_tables_unj.cpp": [
        "UNJ, UNJC, UNJF and UNJEF (ASME B1.15), classes 3A/3B, inches. Derived by formula from",
        "the class 3A/3B limits of the same size in the UN, UNC, UNF and UNEF tables (major and",
        "pitch limits and internal pitch maximum, copied), with the controlled root radius",
        "0.15011 P to 0.18042 P and the internal minor diameter raised by H/8 over UN:",
        "    external minor max = round4(pitch max - 0.505182 P)   (root radius 0.18042 P)",
        "    external minor min = round4(pitch min - 0.565805 P)   (root radius 0.15011 P)",
        "    internal minor min = round4(D - 0.974279 P)           (D - 9H/8)",
        "    internal minor max = round4(D - 0.974279 P + round4(B1.1 3B minor tolerance))",
        "The pitch limits in these rules are the 4-place table values.",
    ],
    "limit_tables_pipe.cpp": [
        "American pipe threads (ASME B1.20.1), inches.",
        "NPT and NPTF: the product's own full tables of pipe OD, K0, L1, L3 or shoulder length,",
        "the per-pitch length of column 4, L4 or overall internal length (0 where not available)",
        "and the tap-depth addition. They agree with the B1.20.1 gauge table except the L4 of",
        "2 1/2, 5, 6 and 8 (1.5713, 1.8407, 1.9467, 2.1467 against 1.5712, 1.8400, 1.9462,",
        "2.1462), kept as the product's table gives them.",
        "",
    ] + module_doc(pipe),
    "limit_tables_acme.cpp": module_doc(acme),
    "limit_tables_iso.cpp": module_doc(iso),
    "limit_tables_unm.cpp": module_doc(unm),
    "limit_tables_british.cpp": [
        "Basic sizes of the British series: BSW and BSF (BS 84), inches, and BA (BS 93),",
        "millimetres; the limits are computed from them by the tolerance formulas of each",
        "standard. The values are the product's own full tables; BA agrees with the BS 93 basic",
        "sizes (tests/data/published/BA_basic_BS93.csv).",
    ],
    "limit_tables_sti.cpp": module_doc(sti),
}

COMMENTS = {
    "UncFirst": "UNC classes 2A/2B (UN10).", "UncSecond": "UNC classes 3A/3B (UN7).",
    "UnfFirst": "UNF classes 2A/2B (UN10).", "UnfSecond": "UNF classes 3A/3B (UN7).",
    "UnefFirst": "UNEF classes 2A/2B (UN10).", "UnefSecond": "UNEF classes 3A/3B (UN7).",
    "UnFirst": "UN classes 2A/2B (UN10).", "UnSecond": "UN classes 3A/3B (UN7).",
    "Uns": "UNS classes 2A/2B (UN10).",
    "Unj": "UNJ (UNJ9).", "Unjc": "UNJC (UNJ9).", "Unjf": "UNJF (UNJ9).", "Unjef": "UNJEF (UNJ9).",
    "Npt": "NPT (PIPE7).", "Nptf": "NPTF (PIPE7).", "Npsm": "NPSM (NPSM9).", "Npsl": "NPSL (NPSL7).",
    "AcmeFirst": "ACME class 2G and the values 4G shares (ACME12).",
    "AcmeSecond": "ACME class 4G (ACME4).", "StubAcme": "STUB ACME (STUB13).",
    "IsoCoarseFirst": "ISO COARSE 6g with 6H, or 5H at or below 1.2 mm (UN10), mm.",
    "IsoCoarseSecond": "ISO COARSE closer classes (UN7), mm.",
    "IsoFineFirst": "ISO FINE 6g with 6H or 5H (UN10), mm.",
    "IsoFineSecond": "ISO FINE closer classes (UN7), mm.",
    "Unm": "UNM (UNM12), mm.", "Bsw": "BSW basic sizes (BASIC3).", "Bsf": "BSF basic sizes (BASIC3).",
    "Ba": "BA basic sizes (BASIC3), mm.", "UncSti": "UNC-STI (STI8), derived.",
    "UnfSti": "UNF-STI (STI8), derived.",
}

# The name of each table, as the program names it.
LABELS = {
    "UncFirst": "UNC 2A/2B", "UncSecond": "UNC 3A/3B", "UnfFirst": "UNF 2A/2B",
    "UnfSecond": "UNF 3A/3B", "UnefFirst": "UNEF 2A/2B", "UnefSecond": "UNEF 3A/3B",
    "UnFirst": "UN 2A/2B", "UnSecond": "UN 3A/3B", "Uns": "UNS 2A/2B", "Unj": "UNJ 3A/3B",
    "Unjc": "UNJC 3A/3B", "Unjf": "UNJF 3A/3B", "Unjef": "UNJEF 3A/3B", "Npt": "NPT",
    "Nptf": "NPTF", "Npsm": "NPSM", "Npsl": "NPSL", "AcmeFirst": "ACME 2G",
    "AcmeSecond": "ACME 4G", "StubAcme": "STUB ACME", "IsoCoarseFirst": "ISO COARSE 6g/6H",
    "IsoCoarseSecond": "ISO COARSE close", "IsoFineFirst": "ISO FINE 6g/6H",
    "IsoFineSecond": "ISO FINE close", "Unm": "UNM", "Bsw": "BSW basic", "Bsf": "BSF basic",
    "Ba": "BA basic", "UncSti": "UNC-STI", "UnfSti": "UNF-STI",
}


def notes_for(names, notes):
    """Per-file list of the cells that do not simply copy their source."""
    tables = {LABELS[n] for n in names}
    lines = []
    for table, name, field, pub, used, reason in notes.typos:
        if table in tables:
            lines.append(f"  {table} {_keep(name)} {field}: published {pub} is a transcription error; "
                         f"{used} derived: {reason}.")
    for table, name, field, pub, calc, reason in notes.kept:
        if table in tables:
            lines.append(f"  {table} {_keep(name)} {field}: published {pub} kept, the formula gives "
                         f"{calc}: {reason}.")
    for table, designation, column, have, value in notes.stated:
        if table in names:
            lines.append(f"  {LABELS[table]} {_keep(designation)} column {column}: {value} as "
                         f"the product's reference row gives it (its source: {have}).")
    derived = {}
    for table, label in notes.derived_rows:
        if table in tables:
            derived.setdefault(table, []).append(label)
    for table, labels in sorted(derived.items()):
        lines.append(f"  {table}: {len(labels)} sizes by formula, no published row: "
                     + ", ".join(_keep(label) for label in labels) + ".")
    if not lines:
        return []
    wrapped = ["", "Cells that do not copy their source value:"]
    for line in lines:
        wrapped.extend(part.replace(_NO_BREAK, " ") for part in wrap(line, 96))
    return wrapped


_NO_BREAK = "\x01"


def _keep(designation):
    """A designation that the line wrapping must not split ("4 1/2-12")."""
    return designation.replace(" ", _NO_BREAK)


def wrap(text, width):
    words = text.split(" ")
    out, line = [], ""
    indent = "  " if text.startswith("  ") else ""
    for w in words:
        if not w:
            continue
        candidate = (line + " " + w) if line else (indent + w)
        if len(candidate) > width and line:
            out.append(line)
            line = indent + "  " + w
        else:
            line = candidate
    if line:
        out.append(line)
    return out


def c_string(text, newline):
    """A C++ string literal of one line of printable ASCII text, ending in a line break when
    `newline`."""
    if any(ord(c) < 0x20 or ord(c) > 0x7e for c in text):
        raise SystemExit(f"provenance text is not printable ASCII: {text!r}")
    escaped = text.replace("\\", "\\\\").replace('"', '\\"')
    return '"' + escaped + ("\\n" if newline else "") + '"'


def provenance_lines(name, statement):
    """The provenance of one table as data: the statement of its file's header (source, edition,
    formulas, rounding) and the notes on that table's own cells, one text with line breaks."""
    while statement and not statement[-1]:
        statement = statement[:-1]
    out = [f"// Where the values of k{name}Cells come from (LimitTable::provenance).",
           f"const char* const k{name}Provenance ="]
    for i, line in enumerate(statement):
        last = i == len(statement) - 1
        out.append("    " + c_string(line, not last) + (";" if last else ""))
    out.append("")
    return out


def emit(path, names, tables, sizes, notes):
    lines = ["// Generated by tools/limits/generate.py; do not edit. Regenerate with",
             "//     python3 tools/limits/generate.py", "//"]
    for line in HEADERS[os.path.basename(path)] + notes_for(names, notes):
        lines.append(("// " + line).rstrip())
    lines += ["// clang-format off", '#include "limit_table_cells.h"', "",
              "namespace torveld::generated {", ""]
    for name in names:
        size_name, rows, columns, _ = SHAPES[name]
        lines.append(f"// {COMMENTS[name]}")
        lines.append(f"const float k{name}Cells[{rows}][{columns}] = {{")
        for (designation, pitch_text), row in zip(sizes[size_name], tables[name]):
            cells = ", ".join(fmt(v) for v in row)
            lines.append(f"    {{{cells}}},  // {designation} - {pitch_text}")
        lines += ["};", ""]
        lines += provenance_lines(name, HEADERS[os.path.basename(path)] + notes_for([name], notes))
    lines += ["}  // namespace torveld::generated", "// clang-format on", ""]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "src", "data", "generated"))
    args = parser.parse_args()
    sizes = size_tables()
    notes = unified.Notes()
    tables = build(sizes, notes)
    os.makedirs(args.out, exist_ok=True)
    for file_name, names in FILES.items():
        emit(os.path.join(args.out, file_name), names, tables, sizes, notes)
    with open(os.path.join(args.out, MANIFEST), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(manifest.manifest_lines(tables, sizes, SHAPES, LABELS, notes)) + "\n")
    cells = sum(len(tables[n]) * len(tables[n][0]) for n in SHAPES)
    print(f"{len(SHAPES)} tables, {cells} cells written to {args.out}")


if __name__ == "__main__":
    main()
