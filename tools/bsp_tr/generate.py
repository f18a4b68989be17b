#!/usr/bin/env python3
"""Generates the tables of the British pipe threads G (ISO 228-1) and R / Rc / Rp (ISO 7-1) and of
the metric trapezoidal threads Tr (ISO 2902, ISO 2903) from the reference files in tests/data/bsp/
and tests/data/trapezoidal/ (their sources are named in tests/data/README.md):

    src/data/generated/size_tables_bsp_tr.cpp   size tables kG, kR, kTr
    src/data/generated/bsp_tables.cpp           limits::g (GPIPE10), limits::r (RPIPE18)
    src/data/generated/trapezoidal_tables.cpp   limits::tr (TR11, classes 7e/7H) and the ISO 2903
                                                deviations and tolerances the special engine reads

Run from anywhere:
    python3 tools/bsp_tr/generate.py                 # writes into src/data/generated/
    python3 tools/bsp_tr/generate.py --out DIR       # writes the same files into DIR

Python 3 standard library only; the output depends on nothing but the reference files.
"""
import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean when run by the tests
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bsp  # noqa: E402
import trapezoidal  # noqa: E402
from emit import ROOT, write_file  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "src", "data", "generated"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    g, r = bsp.g_table(), bsp.r_table()
    tr = trapezoidal.Tolerances()
    tr_sizes = trapezoidal.sizes()
    write_file(os.path.join(args.out, "size_tables_bsp_tr.cpp"),
               bsp.size_table_lines(g, r) + trapezoidal.size_table_lines(tr_sizes))
    write_file(os.path.join(args.out, "bsp_tables.cpp"), bsp.table_lines(g, r))
    write_file(os.path.join(args.out, "trapezoidal_tables.cpp"),
               trapezoidal.table_lines(tr, tr_sizes))
    print(f"G {len(g)}, R {len(r)}, Tr {len(tr_sizes)} sizes written to {args.out}")


if __name__ == "__main__":
    main()
