#!/usr/bin/env python3
"""Makes resources/name_pairs.tsv from our editors' lists of two-character given names that go
together (名字<TAB>男|女|中, one a line), in seconds, so that it re-runs whenever a list changes.

    python3 tools/import_name_pairs.py LIST.tsv... [--out resources/name_pairs.tsv]

A name in several lists is kept once: with one gender where the lists agree, 中 where they differ.
A 中 name whose characters the name table leans one way only takes that way, since a search for
the other gender leaves the character out all the same. Left out, and named on the output: a
name with a character outside the name table, one whose characters lean against its gender, and
one breaking a sound rule by itself. The result passes tools/check_name_tables.py.
"""

import argparse
import pathlib
import sys

from check_name_tables import pair_gender_fault, pair_sound_fault, read_table

ROOT = pathlib.Path(__file__).resolve().parent.parent

HEADER = """\
# Two-character given names that go together, as parents give them, one a line, sorted by code
# point. UTF-8, tab-separated:
#   name     the given name (名), both characters in name_chars.tsv
#   gender   how parents use the whole name: 男, 女, or 中 for both. A 男 name holds no character
#            leaning 女, a 女 name none leaning 男; a name whose characters lean one way only is
#            that way's. A search for one gender leaves out the names of the other
#
# Written by our editors in three lists (boys', girls', either or literary): names whose two
# meanings build one image or wish, whose tones flow, whose characters are of one register;
# ordinary words of another sense and names tied to one famous person left out. Merged by
# tools/import_name_pairs.py, which keeps a name in two lists once (中 where their genders differ).
# The search lists these names first among names of equal score, 三才 and wanted elements; the
# naming engine draws one of them for half of its two-character draws.
# To change it: edit the editors' lists and run the import again, or edit the line in its place;
# then run python3 tools/check_name_tables.py.
"""


def merge(paths, table, ill):
    readings = {c: p[1] for c, p in table.items()}
    leans = {c: p[3] for c, p in table.items()}
    genders = {}
    for path in paths:
        for name, gender in read_table(path, 2):
            genders.setdefault(name, []).append(gender)
    kept, left = {}, []
    for name, given in genders.items():
        if len(name) != 2 or any(c not in table for c in name):
            left.append("%s: not two characters of the name table" % name)
            continue
        gender = given[0] if len(set(given)) == 1 else "中"
        if gender == "中":
            ways = {leans[c] for c in name} - {"中"}
            if len(ways) == 1:
                gender = ways.pop()
        fault = pair_gender_fault(name, gender, leans) or pair_sound_fault(name, readings, ill)
        if fault:
            left.append(fault)
            continue
        kept[name] = gender
    return kept, left


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("lists", nargs="+", type=pathlib.Path)
    parser.add_argument("--resources", type=pathlib.Path, default=ROOT / "resources")
    parser.add_argument("--out", type=pathlib.Path)
    args = parser.parse_args()
    table = {p[0]: p for p in read_table(args.resources / "name_chars.tsv", 5)}
    ill = {tuple(p[1].split(" ")) for p in read_table(args.resources / "ill_sounds.tsv", 2)}
    kept, left = merge(args.lists, table, ill)
    out = args.out or args.resources / "name_pairs.tsv"
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER)
        for name in sorted(kept):
            f.write("%s\t%s\n" % (name, kept[name]))
    for line in left:
        print("left out: " + line)
    counts = {g: sum(1 for v in kept.values() if v == g) for g in "男女中"}
    print("%s: %d names (男 %d, 女 %d, 中 %d), %d left out"
          % (out.name, len(kept), counts["男"], counts["女"], counts["中"], len(left)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
