#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
"""The Exact form of every compatible pair of rows and a spread of inputs,
computed here with Python's fractions from the definition table's text as
written, and compared byte for byte with what the program gives.

Usage: exact_check.py EXACT_TABLE_PROGRAM UNIT_DEFINITIONS_CPP
"""
import re
import subprocess
import sys
from decimal import Decimal, localcontext
from fractions import Fraction

# The table's rounded fractions and what they stand for.
ROUNDED = {
    "0.5555555555555556": Fraction(5, 9),
    "0.2777777777777778": Fraction(5, 18),
    "0.0002777777777777778": Fraction(1, 3600),
    "0.016666666666666666": Fraction(1, 60),
    "0.08333333333333333": Fraction(1, 12),
}

HALF = Fraction(1, 2)
# The size formulas by the names the table gives them: into the metric/German
# size and out of it.
SIZES = {
    "ladieswearIn": lambda x: x + 28,
    "ladieswearOut": lambda x: x - 28,
    "menswearIn": lambda x: x + 10,
    "menswearOut": lambda x: x - 10,
    "ladiesShoesIn": lambda x: x + 31,
    "ladiesShoesOut": lambda x: x - 31,
    "shirtSizeIn": lambda x: 2 * x + 8 + (1 if x >= 16 else 0),
    "shirtSizeOut": lambda x: (x - 8) / 2 - (HALF if x >= 41 else 0),
    "mensShoeSizeIn": lambda x: x + 33 if x >= 9 else x + 32 + HALF,
    "mensShoeSizeOut": lambda x: x - 33 if x >= 42 else x - 32 - HALF,
}

INPUTS = [
    # integers
    "0", "1", "2", "3", "5", "7", "12", "-1", "-7", "100", "1000000", "123456789",
    "9007199254740993", "12345678901234567890123",
    # decimals, with many places
    "0.1", "0.3", "2.54", "-0.0254", "98.6", "3.14159265358979323846264338327950288",
    "0.000123456789012345678901", "1.5e1", "-2.75E-3", ".5", "7.",
    # tiny and huge
    "1e-20", "-3.5e-15", "1e-200", "6.02214076e23", "1e100", "-1e150",
    # temperature offsets
    "32", "-40", "212", "-459.67", "37.7777777777777777777777",
    # size thresholds and their neighbours
    "8", "8.5", "9", "15.5", "16", "16.5", "40", "40.5", "41", "41.5", "42", "42.5",
    # the same reading of the text as the window's
    " 4x", "-0", "+12e+1", "1e", "abc",
]


def read_table(path):
    """Each code's toBase and fromBase steps, as written in the table."""
    text = open(path, encoding="utf-8").read()
    names = dict(re.findall(r"constexpr double (k\w+) = ([0-9.e+-]+);", text))
    presets = {int(p): int(u) for p, u in re.findall(r"\{(\d+), (\d+)\}", text[text.index("kPresets[]"):])}
    step = r"(times\([^)]*\)|minusThenTimes\([^)]*\)|timesThenPlus\([^)]*\)|sized\(\w+\)|none)"
    units = {}
    for code, to_base, from_base in re.findall(
            r"\{\s*(\d+),\s*" + step + r",\s*\"[^\"]*\",\s*" + step + ",", text):
        units[int(code)] = (parse_steps(to_base, names), parse_steps(from_base, names))
    for preset, unit in presets.items():
        units[preset] = units[unit]
    return units


def constant(written, names):
    written = names.get(written, written)
    return ROUNDED.get(written, Fraction(written))


def parse_steps(expression, names):
    if expression == "none":
        return []
    kind, arguments = re.match(r"(\w+)\((.*)\)", expression).groups()
    arguments = [a.strip() for a in arguments.split(",")]
    if kind == "sized":
        return [("size", arguments[0])]
    if kind == "minusThenTimes":
        return [("add", -constant(arguments[0], names)), ("times", constant(arguments[1], names))]
    if kind == "timesThenPlus":
        return [("times", constant(arguments[0], names)), ("add", constant(arguments[1], names))]
    return [("times", constant(a, names)) for a in arguments]


def typed(text):
    """The number at the start of the text: [blanks][sign]digits[.digits][(e|E)[sign]digits]."""
    m = re.match(r"[ \t\n\r\v\f]*([+-]?)(\d+\.?\d*|\.\d+)((?:[eE][+-]?\d+)?)", text)
    if not m:
        return Fraction(0)
    value = Fraction(m.group(2)) * Fraction(10) ** int(m.group(3)[1:] or 0)
    return -value if m.group(1) == "-" else value


def convert(value, from_steps, to_steps):
    for kind, c in from_steps[0]:
        value = SIZES[c](value) if kind == "size" else value * c if kind == "times" else value + c
    if to_steps[0] and to_steps[0][0][0] == "size":
        return SIZES[to_steps[1][0][1]](value)
    for kind, c in reversed(to_steps[0]):
        value = value / c if kind == "times" else value - c
    return value


def plain(value):
    """A Decimal in the plain layout: no exponent, no trailing zeros, never -0."""
    text = format(value, "f")
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return "0" if text in ("0", "-0") else text


def exact_text(value):
    if value == 0:
        return "0"
    magnitude = abs(value)
    sign = "-" if value < 0 else ""
    power = len(str(magnitude.numerator)) - len(str(magnitude.denominator))
    while magnitude >= Fraction(10) ** (power + 1):
        power += 1
    while magnitude < Fraction(10) ** power:
        power -= 1
    # At most 40 significant digits, all of them.
    scaled = magnitude * Fraction(10) ** (39 - power)
    if scaled.denominator == 1:
        return sign + plain(Decimal(scaled.numerator).scaleb(power - 39))
    rounded = round(magnitude * Fraction(10) ** (16 - power))  # half to even
    return sign + plain(Decimal(rounded).scaleb(power - 16)) + "\u2026"


def main():
    program, table_path = sys.argv[1], sys.argv[2]
    units = read_table(table_path)
    pairs = [tuple(map(int, line.split("\t")))
             for line in subprocess.run([program, "pairs"], check=True, capture_output=True,
                                        text=True).stdout.splitlines()]
    assert len(pairs) > 1000, len(pairs)
    lines, expected = [], []
    with localcontext() as context:
        context.prec = 1000
        for index, (source, target) in enumerate(pairs):
            # A quarter of the inputs for each pair, in turn, and all of them
            # for the size rows, whose thresholds they straddle.
            sized = any(kind == "size" for kind, _ in units[source][0] + units[target][0])
            for text in INPUTS if sized else INPUTS[index % 4::4]:
                value = convert(typed(text), units[source], units[target])
                if abs(value) > Fraction(10) ** 300:
                    continue  # beyond the double range: today's text, checked elsewhere
                lines.append(f"{source}\t{target}\t{text}\n")
                expected.append(exact_text(value))
    got = subprocess.run([program], input="".join(lines), check=True, capture_output=True,
                         encoding="utf-8").stdout.splitlines()
    wrong = [(line.strip(), want, have) for line, want, have in zip(lines, expected, got) if want != have]
    for line, want, have in wrong[:20]:
        print(f"{line!r}: expected {want!r}, got {have!r}")
    print(f"{len(lines)} conversions, {len(wrong)} wrong")
    return 1 if wrong or len(got) != len(lines) else 0


if __name__ == "__main__":
    sys.exit(main())
