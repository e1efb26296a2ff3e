# SPDX-License-Identifier: GPL-3.0-or-later
"""The DXF of haltrix-calc sketch read back by ezdxf: audited clean, drawing
units mm, and the entities expected on each layer, counted by hand from the
worked example and from two designs that cannot be drawn whole.

Usage: test_sketch_dxf.py HALTRIX-CALC SOURCE-DIR SCRATCH-DIR
"""

import collections
import os
import subprocess
import sys
import unittest

import ezdxf

CALC, SOURCE, SCRATCH = sys.argv[1:4]

DESIGN = """ 0.5
 0.7
 0.25
 1.2
 0.3
 2.5
 1800
 10
 0
 10
 25
D22
 {count}
D22
 2
 {unit}
"""


def sketch(design_path, name):
    out = os.path.join(SCRATCH, name)
    if os.path.exists(out):
        os.remove(out)
    result = subprocess.run([CALC, "sketch", design_path, "-o", out],
                            capture_output=True, text=True, check=False)
    return result, out


def design(name, count="4", unit="1", h2=None):
    text = DESIGN.format(count=count, unit=unit)
    if h2 is not None:
        lines = text.split("\n")
        lines[1] = " " + h2
        text = "\n".join(lines)
    path = os.path.join(SCRATCH, name)
    with open(path, "w", encoding="ascii") as file:
        file.write(text)
    return path


def read(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    return doc, auditor


def counts(doc):
    return collections.Counter((e.dxf.layer, e.dxftype()) for e in doc.modelspace())


def texts(doc):
    return [ezdxf.decode_dxf_unicode(e.dxf.text) for e in doc.modelspace().query("TEXT")]


class TestSketchDxf(unittest.TestCase):
    def check_clean(self, doc, auditor):
        self.assertFalse(auditor.has_errors, [str(e) for e in auditor.errors])
        self.assertFalse(auditor.has_fixes, [str(f) for f in auditor.fixes])
        self.assertEqual(doc.dxfversion, "AC1015")
        self.assertEqual(doc.header["$INSUNITS"], 4)
        for layer in ("OUTLINE", "REBAR", "LOAD", "DIM", "TEXT"):
            self.assertIn(layer, doc.layers)

    def test_worked_example(self):
        for example in ("bracket-gravitational.tvx", "bracket-si.tvx"):
            with self.subTest(example=example):
                result, out = sketch(os.path.join(SOURCE, "examples", example),
                                     example + ".dxf")
                self.assertEqual(result.returncode, 0, result.stderr)
                doc, auditor = read(out)
                self.check_clean(doc, auditor)
                c = counts(doc)
                # The section's bars, 4 + 2 x D22 (radius 22.2 / 2), and
                # the two layers in the elevation.
                self.assertEqual(c[("REBAR", "CIRCLE")], 6)
                self.assertEqual(c[("REBAR", "LINE")], 2)
                for circle in doc.modelspace().query("CIRCLE"):
                    self.assertEqual(circle.dxf.layer, "REBAR")
                    self.assertAlmostEqual(circle.dxf.radius, 11.1)
                # P and H: a shaft, a head and a label each.
                self.assertEqual(c[("LOAD", "LINE")], 2)
                self.assertEqual(c[("LOAD", "SOLID")], 2)
                self.assertEqual(c[("LOAD", "TEXT")], 2)
                # Dimensions: elevation l, a, t, c, H1, H2, d, Zc; section
                # b, H2, t, c and the clear distance of each layer: 14, each
                # two extension lines, a line, two heads and its text.
                self.assertEqual(c[("DIM", "LINE")], 3 * 14)
                self.assertEqual(c[("DIM", "SOLID")], 2 * 14)
                self.assertEqual(c[("DIM", "TEXT")], 14)
                # Two titles, two bar labels on their leaders, the notes on
                # the side cover and on the clear spacing.
                self.assertEqual(c[("TEXT", "TEXT")], 6)
                self.assertEqual(c[("TEXT", "LINE")], 2)
                # Member, bearing, pier and section outlines; the pier's
                # hatch strokes.
                self.assertEqual(c[("OUTLINE", "LWPOLYLINE")], 4)
                self.assertGreater(c[("OUTLINE", "LINE")], 10)
                self.assertEqual(sum(c.values()), sum(
                    n for (layer, _), n in c.items()
                    if layer in ("OUTLINE", "REBAR", "LOAD", "DIM", "TEXT")))
                words = texts(doc)
                self.assertIn("D22 × 4本", words)
                self.assertIn("側面図", words)

    def test_no_depth(self):
        result, out = sketch(design("flat.tvx", h2="0"), "flat.dxf")
        self.assertIn(result.returncode, (0, 3), result.stderr)
        doc, auditor = read(out)
        self.check_clean(doc, auditor)
        c = counts(doc)
        self.assertEqual(c[("REBAR", "CIRCLE")], 0)
        self.assertIn("H2 が 0 以下のため断面を描けません", texts(doc))

    def test_many_bars(self):
        result, out = sketch(design("many.tvx", count="10000"), "many.dxf")
        self.assertEqual(result.returncode, 0, result.stderr)
        doc, auditor = read(out)
        self.check_clean(doc, auditor)
        c = counts(doc)
        # The outermost two of layer 1, joined, and layer 2's two.
        self.assertEqual(c[("REBAR", "CIRCLE")], 4)
        self.assertEqual(c[("REBAR", "LINE")], 3)
        self.assertIn("１段目の 10000 本は多いため両端の 2 本だけを描きました", texts(doc))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
