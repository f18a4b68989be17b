"""The Python module torveld against torveld-query and the published measurement cases.

Run by CTest with PYTHONPATH at the built module, TORVELD_QUERY the built query and
TORVELD_TEST_DATA_DIR the reference files (tests/data).
"""
import csv
import json
import os
import subprocess
import unittest

import torveld


def query(*args):
    ran = subprocess.run([os.environ["TORVELD_QUERY"], *args], capture_output=True, text=True,
                         check=False)
    return ran.stdout, ran.stderr, ran.returncode


def rows(name):
    with open(os.path.join(os.environ["TORVELD_TEST_DATA_DIR"], name), encoding="utf-8") as f:
        return list(csv.DictReader(f))


class Module(unittest.TestCase):
    def test_to_dict_is_the_querys_json(self):
        # Special sizes, computed classes, rounded roots and every seventh size of every series.
        sample = ["M10x1.25-6g", ".6875-24 UNS-2A", "M28.5x0.6-6H", "1/4-20 UNRC-2A", "1-5 ACME-3G"]
        for s in torveld.series():
            sample += torveld.sizes(s["series"])[::7]
        for unit, flags in ((None, []), ("inch", ["--inch"]), ("mm", ["--mm"])):
            out, _, status = query("--format", "json", *flags, "--", *sample)
            self.assertEqual(status, 0)
            for text, line in zip(sample, out.splitlines(), strict=True):
                with self.subTest(designation=text, unit=unit):
                    expected = json.loads(line)
                    self.assertEqual(list(torveld.lookup(text, unit=unit).to_dict().items()),
                                     list(expected.items()))

    def test_errors_carry_the_readers_message(self):
        for text in ["1/4-21 UNC", "M10-6f", "M5x1", "", "1/4-20 UNC-2Z"]:
            with self.subTest(designation=text):
                _, err, _ = query("--", text)
                with self.assertRaises(torveld.DesignationError) as raised:
                    torveld.lookup(text)
                self.assertEqual(str(raised.exception), err.strip().split('": ', 1)[1])
                self.assertIsInstance(raised.exception, ValueError)
        with self.assertRaises(torveld.DesignationError):
            torveld.sizes("UNX")
        out, _, _ = query("--list-series", "--format", "json")
        self.assertEqual(torveld.series(), [json.loads(line) for line in out.splitlines()])
        with open("/proc/self/maps", encoding="utf-8") as maps:
            self.assertNotIn("libQt", maps.read(), "no window, no Qt")

    def test_identify_the_published_cases(self):
        for case in rows("measure/identify_cases.csv"):
            with self.subTest(case=case["case"]):
                args = {"major" if case["side"] == "external" else "minor": float(case["diameter"]),
                        "tpi" if case["pitch_unit"] == "tpi" else "pitch": float(case["pitch"]),
                        "unit": "mm" if case["unit"] == "mm" else "inch"}
                if case["taper"]:
                    args["taper"] = case["taper"] == "taper"
                if case["angle"]:
                    args["angle"] = float(case["angle"])
                found = torveld.identify(**args)
                named = [f'{c["series"]} {c["size"].split(" - ")[0]}' for c in found]
                for absent in filter(None, case["absent"].split(";")):
                    self.assertNotIn(absent, named)
                if case["first_series"]:
                    first = found[0]
                    special = case["first_size"].startswith("special ")
                    size = "M" + case["first_size"][8:] if special else case["first_size"]
                    self.assertEqual(first["designation" if special else "size"].split(" - ")[0],
                                     size)
                    self.assertEqual((first["rank"], first["series"], first["tabulated"],
                                      first["withinLimits"]),
                                     (1, case["first_series"], not special,
                                      case["first_within"] == "yes"))

    def test_over_wires_verdicts(self):
        for row in rows("measure/wire_verdicts.csv"):
            inch = row["series"] != "ISO COARSE"
            designation = f'{row["size"]}-{row["pitch"]} {row["series"]}' if inch else row["size"]
            half = 0.00005 if inch else 0.0005  # of the file's last place
            with self.subTest(designation=designation, reading=row["reading"]):
                got = torveld.over_wires(designation, float(row["wire"]), float(row["reading"]))
                self.assertAlmostEqual(got["pitchDiameter"], float(row["pitch_diameter"]),
                                       delta=half)
                verdict = got["verdict"][row["class"]]
                self.assertTrue(verdict["verdict"].startswith(row["verdict"]))
                self.assertEqual(verdict["within"], row["verdict"] == "within")
                self.assertAlmostEqual(verdict["fromMax"], float(row["from_max"]), delta=2 * half)
                self.assertAlmostEqual(verdict["fromMin"], float(row["from_min"]), delta=2 * half)
        with self.assertRaises(torveld.DesignationError):
            torveld.over_wires("1/4-20 UNC", 0.2)  # far outside the 60 degree wires' range


if __name__ == "__main__":
    unittest.main()
