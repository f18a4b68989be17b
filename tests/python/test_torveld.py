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

QUERY = os.environ["TORVELD_QUERY"]
DATA = os.environ["TORVELD_TEST_DATA_DIR"]


def query(*args):
    """torveld-query's standard output, standard error and status."""
    ran = subprocess.run([QUERY, *args], capture_output=True, text=True, check=False)
    return ran.stdout, ran.stderr, ran.returncode


def rows(name):
    with open(os.path.join(DATA, name), newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


class Lookup(unittest.TestCase):
    def test_to_dict_is_the_querys_json(self):
        # Named designations and every seventh size of every series, in the table's unit and
        # in both units.
        sample = ["1/4-20 UNC-2A", "M10x1.25-6g", ".6875-24 UNS-2A", "1/2 NPT", "M28.5x0.6-6H",
                  "1/4-20 UNRC-2A", "1-5 ACME-3G", "4-4 UN"]
        for s in torveld.series():
            sample += torveld.sizes(s["series"])[::7]
        for unit in (None, "inch", "mm"):
            args = ["--format", "json"] + ({"inch": ["--inch"], "mm": ["--mm"]}.get(unit, []))
            out, _, status = query(*args, "--", *sample)
            self.assertEqual(status, 0)
            answers = [json.loads(line) for line in out.splitlines()]
            self.assertEqual(len(answers), len(sample))
            for text, expected in zip(sample, answers):
                with self.subTest(designation=text, unit=unit):
                    thread = torveld.lookup(text, unit=unit)
                    self.assertEqual(thread.to_dict(), expected)
                    self.assertEqual(list(thread.to_dict()), list(expected))
                    self.assertEqual(thread.designation, expected["designation"])
                    self.assertEqual(thread.unit, expected["unit"])

    def test_errors_carry_the_readers_message(self):
        for text in ["1/4-21 UNC", "M10-6f", "M5x1", "", "1/4-20 UNC-2Z"]:
            with self.subTest(designation=text):
                _, err, status = query("--", text)
                self.assertEqual(status, 2)
                reason = err.strip().split('": ', 1)[1]
                with self.assertRaises(torveld.DesignationError) as raised:
                    torveld.lookup(text)
                self.assertEqual(str(raised.exception), reason)
                self.assertIsInstance(raised.exception, ValueError)
        with self.assertRaises(ValueError):
            torveld.lookup("M10", unit="furlong")

    def test_series_and_sizes_are_the_querys(self):
        out, _, _ = query("--list-series", "--format", "json")
        self.assertEqual(torveld.series(), [json.loads(line) for line in out.splitlines()])
        for s in torveld.series():
            self.assertEqual(len(torveld.sizes(s["series"])), s["sizes"])
        published = [r["designation"] for r in rows("published/UNC_2A2B.csv")]
        self.assertTrue(set(torveld.sizes("unc")) & set(published))
        with self.assertRaises(torveld.DesignationError):
            torveld.sizes("UNX")

    def test_no_qt_is_loaded(self):
        with open("/proc/self/maps", encoding="utf-8") as maps:
            self.assertNotIn("libQt", maps.read())


class Measure(unittest.TestCase):
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
                named = [(c["series"], c["size"].split(" - ")[0]) for c in found]
                for absent in filter(None, case["absent"].split(";")):
                    series, size = absent.rsplit(" ", 1)
                    self.assertNotIn((series, size), named)
                if not case["first_series"]:
                    continue
                first = found[0]
                self.assertEqual(first["rank"], 1)
                self.assertEqual(first["series"], case["first_series"])
                size = case["first_size"]
                if size.startswith("special "):
                    self.assertFalse(first["tabulated"])
                    self.assertEqual(first["designation"], "M" + size.split(" ")[1])
                else:
                    self.assertEqual(first["size"].split(" - ")[0], size)
                self.assertEqual(first["withinLimits"], case["first_within"] == "yes")
                self.assertEqual(set(first), {"rank", "designation", "series", "size", "tabulated",
                                              "distance", "distanceInTolerance", "withinLimits",
                                              "note"})

    def test_over_wires_verdicts(self):
        verdicts = {"within": "within", "above": "above-max", "below": "below-min"}
        for row in rows("measure/wire_verdicts.csv"):
            inch = row["series"] != "ISO COARSE"
            designation = f'{row["size"]}-{row["pitch"]} {row["series"]}' if inch else row["size"]
            half = 0.00005 if inch else 0.0005
            with self.subTest(designation=designation, reading=row["reading"]):
                got = torveld.over_wires(designation, float(row["wire"]), float(row["reading"]))
                self.assertAlmostEqual(got["pitchDiameter"], float(row["pitch_diameter"]),
                                       delta=half)
                verdict = got["verdict"][row["class"]]
                self.assertEqual(verdict["verdict"], verdicts[row["verdict"]])
                self.assertEqual(verdict["within"], row["verdict"] == "within")
                self.assertAlmostEqual(verdict["fromMax"], float(row["from_max"]), delta=2 * half)
                self.assertAlmostEqual(verdict["fromMin"], float(row["from_min"]), delta=2 * half)
                self.assertIn(row["class"], got["overWires"])
        with self.assertRaises(torveld.DesignationError):
            torveld.over_wires("1/4-20 UNC", 0.2)  # a wire far outside the 60 degree range


if __name__ == "__main__":
    unittest.main()
