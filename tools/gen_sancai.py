#!/usr/bin/env python3
"""Write resources/sancai.txt, the class of every 三才 (the elements of 天格, 人格, 地格).

Usage: gen_sancai.py [--check] [--out FILE]

Without --check the table is written (UTF-8, LF line ends) and its counts are
printed. With --check nothing is written: the file must hold exactly what a
fresh run would write, and it is parsed on its own terms too (125 rows, each
combination once, a known class on every row), so a hand edit is caught with
a message that names the row. Exits 1 on any problem.

The verdicts follow one published rule (tools/README.md names it): the three
elements are read in two steps, 天格 to 人格 and 人格 to 地格; a step is good
when its two elements are the same (比和) or one generates the other (相生),
bad when one overcomes the other (相剋). Two good steps are 吉, two bad ones
凶, one of each 平.
"""

import argparse
import os
import sys

ELEMENTS = "木火土金水"  # in the order of generation: each generates the next, 水 generates 木
CLASSES = ("吉", "平", "凶")  # best first
ROWS = len(ELEMENTS) ** 3

HEADER = """\
# 三才: the class of every combination of the elements of 天格, 人格 and 地格.
# A grid's element comes from the last digit of its number: 1, 2 木; 3, 4 火; 5, 6 土; 7, 8 金;
# 9, 0 水.
# One row per combination, in the order 木火土金水 for 天格, then 人格, then 地格: the three
# elements written together, a tab, the class (吉, 平 or 凶, best first).
# Written by tools/gen_sancai.py, which holds the rule and its source (see tools/README.md);
# change the generator and run it again rather than editing this file.
"""


def generates(a, b):
    return ELEMENTS.index(b) == (ELEMENTS.index(a) + 1) % len(ELEMENTS)


def good_step(a, b):
    """比和 or 相生 in either direction; every other pair of elements is 相剋."""
    return a == b or generates(a, b) or generates(b, a)


def verdict(heaven, person, earth):
    bad = (not good_step(heaven, person)) + (not good_step(person, earth))
    return CLASSES[bad]


def combinations():
    return [h + p + e for h in ELEMENTS for p in ELEMENTS for e in ELEMENTS]


def table_text():
    lines = [HEADER]
    for combo in combinations():
        lines.append(f"{combo}\t{verdict(*combo)}\n")
    return "".join(lines)


def problems_in(text):
    """What is wrong with the table's text read on its own, one message per fault."""
    problems = []
    seen = {}
    rows = 0
    for number, line in enumerate(text.split("\n"), start=1):
        if line == "" or line.startswith("#"):
            continue
        rows += 1
        fields = line.split("\t")
        if len(fields) != 2:
            problems.append(f"line {number}: want elements, a tab and a class: {line!r}")
            continue
        combo, cls = fields
        if len(combo) != 3 or any(c not in ELEMENTS for c in combo):
            problems.append(f"line {number}: not three of {ELEMENTS}: {combo!r}")
            continue
        if cls not in CLASSES:
            problems.append(f"line {number}: class {cls!r} is none of {' '.join(CLASSES)}")
        if combo in seen:
            problems.append(f"line {number}: {combo} again (first on line {seen[combo]})")
        seen[combo] = number
    for combo in combinations():
        if combo not in seen:
            problems.append(f"{combo} is missing")
    if rows != ROWS:
        problems.append(f"{rows} rows, want {ROWS}")
    return problems


def counts(text):
    found = {c: 0 for c in CLASSES}
    for line in text.split("\n"):
        if line and not line.startswith("#"):
            found[line.split("\t")[1]] += 1
    return ", ".join(f"{c} {n}" for c, n in found.items())


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    parser.add_argument("--out", default=os.path.join(root, "resources", "sancai.txt"))
    args = parser.parse_args()

    fresh = table_text()
    if args.check:
        try:
            with open(args.out, encoding="utf-8", newline="") as f:
                current = f.read()
        except (OSError, UnicodeDecodeError) as e:
            print(f"{args.out}: cannot be read: {e}")
            return 1
        problems = problems_in(current)
        if not problems and current != fresh:
            problems.append("differs from what the generator writes; run tools/gen_sancai.py")
        for p in problems:
            print(f"{args.out}: {p}")
        if problems:
            return 1
        print(f"sancai table OK: {ROWS} rows ({counts(current)})")
        return 0

    assert not problems_in(fresh)
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write(fresh)
    print(f"wrote {args.out}: {ROWS} rows ({counts(fresh)})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
