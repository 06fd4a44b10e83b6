#!/usr/bin/env python3
"""Lists the GB2312 characters whose count differs between two --dump files of gen_data.py.

Each changed character gets its rank among the name-worthy characters (name_chars.py) by how
common it is: Unihan kFrequency (1 most common, 5 least; the better of the character and its
new traditional form, since the measure was taken over traditional text; none counts as 6),
then the kHanyuPinlu count (modern simplified text), then GB2312 order.

    python3 tools/gen_data.py --check --dump new.txt     # on each version
    python3 tools/compare_counts.py old.txt new.txt [--top 1500] [--unicode-dir DIR]
"""

import argparse
import re

from gen_data import load_unihan
from name_chars import is_gb2312_hanzi, name_worthy_characters


def read_dump(path):
    with open(path, encoding="utf-8") as f:
        return {row[0]: row for row in (l.rstrip("\n").split("\t") for l in f)}


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("--top", type=int, default=1500)
    ap.add_argument("--unicode-dir", default="/usr/share/unicode")
    args = ap.parse_args()
    old, new = read_dump(args.old), read_dump(args.new)
    uh = load_unihan(args.unicode_dir, {"Unihan_DictionaryLikeData.txt.bz2": ("kFrequency",),
                                        "Unihan_Readings.txt.bz2": ("kHanyuPinlu",)})
    freq = {chr(cp): int(i["kFrequency"]) for cp, i in uh.items() if "kFrequency" in i}
    pinlu = {chr(cp): sum(int(x) for x in re.findall(r"\((\d+)\)", i["kHanyuPinlu"]))
             for cp, i in uh.items() if "kHanyuPinlu" in i}
    ranked = sorted(name_worthy_characters(), key=lambda c: (
        min(freq.get(c, 6), freq.get(new[c][2], 6)), -pinlu.get(c, 0), c.encode("gb2312")))
    rank = {c: i for i, c in enumerate(ranked, 1)}
    changed = [c for c in old if is_gb2312_hanzi(c) and old[c][3] != new[c][3]]
    print("| char | old form, count | new form, count | rank |")
    print("|---|---|---|---|")
    for c in changed:
        print("| %s | %s %s | %s %s | %s |" % (c, old[c][2], old[c][3], new[c][2], new[c][3],
                                             rank.get(c, "–")))
    common = [c for c in changed if rank.get(c, args.top + 1) <= args.top]
    print()
    print("GB2312 characters with a new count: %d (all GBK: %d)" % (
        len(changed), sum(1 for c in old if c in new and old[c][3] != new[c][3])))
    print("among the %d most common name-worthy characters: %d: %s" % (
        args.top, len(common), " ".join("%s %s→%s" % (c, old[c][3], new[c][3])
                                        for c in common)))


if __name__ == "__main__":
    main()
