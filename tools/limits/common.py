"""Shared helpers of the limit-table generator: exact rounding, size rows, CSV reading."""
import csv
import os
import re
from decimal import Decimal, ROUND_HALF_EVEN

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
PUBLISHED = os.path.join(ROOT, "tests", "data", "published")
ISO965 = os.path.join(ROOT, "tests", "data", "iso965")
SIZE_TABLES = os.path.join(ROOT, "src", "data", "generated", "size_tables_data.cpp")

ZERO = Decimal(0)


def dec(x):
    """A number as an exact decimal. Floats come from irrational terms (roots, powers); they
    are snapped to 1e-9 first so that a value that is a tie in exact arithmetic (0.3 x 0.0045,
    or 1-8 UNC where T2A is exactly 0.00675) stays a tie and is rounded as the standards round
    a tie (see rnd)."""
    if isinstance(x, Decimal):
        return x
    if isinstance(x, int):
        return Decimal(x)
    if isinstance(x, str):
        return Decimal(x)
    return Decimal(repr(round(x, 9)))


def rnd(x, places):
    """Round to `places` decimals; a value exactly half way goes to the even last digit, as the
    ASME tables round: the published Unified internal minor diameters written to three places
    from a four-place value ending in 5 follow it in all 32 cases (1-14 UNS 2B 0.9385 -> 0.938,
    5/8-14 UNS 0.5635 -> 0.564, No. 10-24 UNC 0.1555 -> 0.156), half-up in 13
    (tolerance_evidence.py); the Acme internal minor tolerance 0.05 P at 8 threads per inch is
    published 0.0062 (5/8-8, all four classes). The ties formulas.md names, 1-8 UNC T2A 0.00675
    -> 0.0068 and 0.3 x 0.0045 -> 0.0014, round the same either way."""
    return dec(x).quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_EVEN)


def r4(x):
    return rnd(x, 4)


def r3(x):
    return rnd(x, 3)


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def published(name):
    return read_csv(os.path.join(PUBLISHED, name))


def iso965(name):
    return read_csv(os.path.join(ISO965, name))


# ---------------------------------------------------------------------------------------------
# Size tables: read from the project's own size-table source so that the limit tables stay row
# for row with it.

_ARRAY = re.compile(r"const SizeEntry (k\w+)Rows\[\] = \{(.*?)\};", re.S)
_ENTRY = re.compile(r'\{"([^"]*)", "([^"]*)"\}')


def size_tables():
    """{'kUnc': [(designation, pitchText), ...], ...} as written in size_tables_data.cpp."""
    with open(SIZE_TABLES, encoding="utf-8") as f:
        text = f.read()
    tables = {}
    for name, body in _ARRAY.findall(text):
        tables[name] = _ENTRY.findall(body)
    return tables


def pitch_number(text):
    """The number a pitch text denotes; "4 1/2" and "11 1/2" are mixed numbers."""
    text = text.strip()
    if " " in text:
        whole, frac = text.split(" ")
        num, den = frac.split("/")
        return Decimal(whole) + Decimal(num) / Decimal(den)
    return Decimal(text)


_NUMBER_SIZES = {str(n): Decimal("0.060") + Decimal("0.013") * n for n in range(13)}


def inch_size(designation):
    """Basic major diameter in inches of an inch designation: number size "0".."12", fraction or
    mixed number "1 3/16", decimal ".390" or "1.0625"."""
    d = designation.strip()
    if "/" in d:
        total = Decimal(0)
        for part in d.split(" "):
            if "/" in part:
                num, den = part.split("/")
                total += Decimal(num) / Decimal(den)
            else:
                total += Decimal(part)
        return total
    if "." in d:
        return Decimal(d)
    return None  # a bare integer: number size or whole inch, decided by the caller


def unified_size(designation, tpi, series):
    """Basic major diameter of a Unified-family designation. A bare integer is a number size
    (0 to 12, 0.060 + 0.013 n inch) or whole inches: UN writes only whole inches, UNS has the
    number sizes 10 and 12 only, and in the other series the number sizes are exactly the
    integer designations with 24 threads per inch or finer (UNC "1"-"64" is No. 1, "1"-"8" is
    one inch)."""
    value = inch_size(designation)
    if value is not None:
        return value
    d = designation.strip()
    if series == "UN":
        return Decimal(d)
    if series == "UNS":
        return _NUMBER_SIZES[d] if d in ("10", "12") else Decimal(d)
    return _NUMBER_SIZES[d] if tpi >= 24 else Decimal(d)


def fmt(value):
    """A cell as a C++ float literal: shortest decimal text, at least one decimal place."""
    if value == 0:
        return "0.0f"
    text = format(value.normalize(), "f")
    if "." not in text:
        text += ".0"
    return text + "f"
