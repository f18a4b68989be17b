"""The manifest of cell sources (limit_cell_sources.csv): for every cell of the limit tables that
hold limits of size by a standard's formulas (Unified, UNJ, Acme, Stub Acme, ISO metric), the
thread, class and quantity it holds and where its value comes from:

    formula          the standard's formulas from the size alone
    published        copied from a published table (tests/data/published)
    published-input  a formula applied to the published value of `input` (same class, same row)
    stated           a value the product states for its reference row

It lets a test tell formula-derived cells from the others without computing anything itself.
"""
from decimal import Decimal

import acme
import iso
from common import pitch_number, unified_size

EXT = ("ext_major_max", "ext_major_min", "ext_pitch_max", "ext_pitch_min")

LAYOUTS = {
    "UN10": [("2A", q) for q in EXT] + [("2A", "ext_minor_ref")] + [
        ("2B", q) for q in ("int_minor_min", "int_minor_max", "int_pitch_min", "int_pitch_max",
                            "int_major_min")],
    "UN7": [("3A", q) for q in EXT] + [("3A", "ext_minor_ref"), ("3B", "int_minor_max"),
                                       ("3B", "int_pitch_max")],
    "UNJ9": [("3A", q) for q in EXT] + [("3A", "ext_minor_max"), ("3B", "int_minor_min"),
                                        ("3B", "int_minor_max"), ("3B", "int_pitch_max"),
                                        ("3A", "ext_minor_min")],
    "ACME12": [("2G", q) for q in acme.FIRST_FIELDS],
    "ACME4": [("4G", q) for q in acme.SECOND_FIELDS],
    "STUB13": [("2G", q) for q in acme.FIRST_FIELDS] + [("-", "not_read")],
}

# table key -> (series code, layout, size-table key of the Unified size rule)
COVERED = {
    "UncFirst": ("UNC", "UN10"), "UncSecond": ("UNC", "UN7"),
    "UnfFirst": ("UNF", "UN10"), "UnfSecond": ("UNF", "UN7"),
    "UnefFirst": ("UNEF", "UN10"), "UnefSecond": ("UNEF", "UN7"),
    "UnFirst": ("UN", "UN10"), "UnSecond": ("UN", "UN7"),
    "Uns": ("UNS", "UN10"),
    "Unj": ("UNJ", "UNJ9"), "Unjc": ("UNJC", "UNJ9"), "Unjf": ("UNJF", "UNJ9"),
    "Unjef": ("UNJEF", "UNJ9"),
    "AcmeFirst": ("ACME", "ACME12"), "AcmeSecond": ("ACME", "ACME4"),
    "StubAcme": ("STUB ACME", "STUB13"),
    "IsoCoarseFirst": ("M", "ISO1"), "IsoCoarseSecond": ("M", "ISO2"),
    "IsoFineFirst": ("M", "ISO1"), "IsoFineSecond": ("M", "ISO2"),
}

# The Unified series whose 3A/3B cells a UNJ table takes (row for row, or by size for UNJ).
UNJ_BASE = {"Unjc": ("UncSecond", "UNC"), "Unjf": ("UnfSecond", "UNF"),
            "Unjef": ("UnefSecond", "UNEF"), "Unj": ("UnSecond", "UN")}
UNJ_COPIES = {0: 0, 1: 1, 2: 2, 3: 3, 7: 6}  # UNJ9 column -> UN7 column
UNJ_FROM_PITCH = {4: ("ext_pitch_max", 2), 8: ("ext_pitch_min", 3)}  # minor from pitch limit


def _iso_cells(table, d, p):
    """(class, quantity) of each column of an ISO row, None where the row holds no class."""
    normal, close_ext, close_int = (iso.coarse_classes(d) if "Coarse" in table
                                    else iso.fine_classes(d, p))
    if table.endswith("First"):
        minimums = f"{normal or close_int}H"
        maximums = f"{normal}H" if normal else None
        return ([("6g", q) for q in EXT] + [("6g", "ext_minor_ref"),
                (minimums, "int_minor_min"), (maximums, "int_minor_max"),
                (minimums, "int_pitch_min"), (maximums, "int_pitch_max"),
                (minimums, "int_major_min")])
    ext = [(close_ext, q) for q in EXT] + [(close_ext, "ext_minor_ref")]
    inner = f"{close_int}H" if close_int else None
    return ext + [(inner, "int_minor_max"), (inner, "int_pitch_max")]


def _size_and_pitch(key, series, designation, pitch_text):
    """(diameter, pitch) as decimals: inches and threads per inch, or millimetres."""
    if series == "M":
        return iso.nominal(designation), Decimal(pitch_text)
    tpi = pitch_number(pitch_text)
    if series in ("ACME", "STUB ACME"):
        return acme._size(designation), tpi
    rule = {"UNJ": "UN", "UNJC": "UNC", "UNJF": "UNF", "UNJEF": "UNEF"}.get(series, series)
    return unified_size(designation, tpi, rule), tpi


def _unj_sources(t_key, index, sizes, shapes, labels, notes):
    """Sources of a UNJ row from the sources of the Unified 3A/3B row it takes."""
    base_key, base_series = UNJ_BASE[t_key]
    base_index = index
    if t_key == "Unj":
        designation, pitch_text = sizes[shapes[t_key][0]][index]
        want = _size_and_pitch(t_key, "UNJ", designation, pitch_text)
        base_index = next(i for i, (des, pt) in enumerate(sizes["kUn"])
                          if _size_and_pitch("UnSecond", "UN", des, pt) == want)
    base_label = labels[base_key]
    out = {}
    for column, base_column in UNJ_COPIES.items():
        out[column] = notes.source(base_label, base_index, base_column)
    for column, (quantity, base_column) in UNJ_FROM_PITCH.items():
        if notes.source(base_label, base_index, base_column)[0] != "formula":
            out[column] = ("published-input", quantity)
    return out


def manifest_lines(tables, sizes, shapes, labels, notes):
    lines = ["# Generated by tools/limits/generate.py; do not edit. Sources of the limit-table "
             "cells (tools/limits/manifest.py).",
             "table,row,column,series,diameter,pitch,class,quantity,source,input"]
    for key, (series, layout) in COVERED.items():
        label = labels[key]
        size_key = shapes[key][0]
        for index, (designation, pitch_text) in enumerate(sizes[size_key]):
            diameter, pitch = _size_and_pitch(key, series, designation, pitch_text)
            cells = (_iso_cells(key, diameter, pitch) if layout.startswith("ISO")
                     else LAYOUTS[layout])
            unj = _unj_sources(key, index, sizes, shapes, labels, notes) if key in UNJ_BASE \
                else {}
            for column, (cls, quantity) in enumerate(cells):
                if cls is None:
                    continue
                source, given = unj.get(column, notes.source(label, index, column))
                if (label, index, column) in notes.sources and \
                        notes.sources[(label, index, column)][0] == "stated":
                    source, given = "stated", None
                lines.append(",".join([
                    label, str(index), str(column), series, format(diameter.normalize(), "f"),
                    format(pitch.normalize(), "f"), cls, quantity, source, given or ""]))
    return lines
