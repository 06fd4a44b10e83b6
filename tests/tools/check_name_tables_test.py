#!/usr/bin/env python3
"""The name-table checker refuses each kind of fault: one bad line at a time, added to a copy of
the shipped tables, must give exactly the faults named here."""
import contextlib
import io
import pathlib
import shutil
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

import check_name_tables  # noqa: E402
from gen_words import listed_characters  # noqa: E402

LISTED = listed_characters(ROOT / "data")
READINGS = check_name_tables.unihan_readings("/usr/share/unicode")
DOUBLES = check_name_tables.double_surnames(ROOT / "data")

CASES = [
    # (table, line to add in its place or None, line to drop, or "end" to add the line last,
    #  words each fault must hold)
    ("name_chars.tsv", "丁\tdīng\t1\t男", None, ["4 fields, not 5"]),
    ("name_chars.tsv", "丽\tlì\t1\t女\t美丽", None, ["丽 is also on line"]),
    ("name_chars.tsv", "乂\tyì\t2\t男\t治理有方", "end", ["out of order"]),
    ("name_chars.tsv", "龘\tdá\t2\t中\t龙腾", None, ["not one character of the stroke lists"]),
    ("name_chars.tsv", "痔\tzhì\t2\t中\t坚韧", None, ["may not be in a name"]),
    ("name_chars.tsv", "龜\tguī1\t2\t中\t长寿", None, ["is not one pinyin syllable"]),
    ("name_chars.tsv", "龜\tgǔī\t2\t中\t长寿", None, ["is not one pinyin syllable"]),
    ("name_chars.tsv", "龜\tshān\t2\t中\t长寿", None, ["龜 is not read shān"]),
    ("name_chars.tsv", "龜\tguī\t3\t中\t长寿", None, ["tier '3'"]),
    ("name_chars.tsv", "龜\tguī\t2\t男女\t长寿", None, ["gender '男女'"]),
    ("name_chars.tsv", "龜\tguī\t2\t中\t长寿长寿长寿长寿长寿长寿长寿长寿长", None, ["has 17 characters"]),
    ("name_chars.tsv", "龜\tguī\t2\t中\t长寿 long", None, ["holds more than CJK"]),
    ("firm_chars.tsv", "龜\tguī\t1\t长寿", None, []),
    ("firm_chars.tsv", "龜\tguī\t1\t长寿\t多", None, ["5 fields, not 4"]),
    ("firm_chars.tsv", "龟\tguī\t3\t长寿", None, ["tier '3'"]),
    ("ill_sounds.tsv", "烂泥巴\tlan ni", None, ["one syllable each"]),
    ("ill_sounds.tsv", "呆瓜\tdai guo", None, ["瓜 of 呆瓜 is not read guo"]),
    ("ill_sounds.tsv", "饭桶\tfan tong", None, ["饭桶 is also on line"]),
    ("surname_readings.tsv", "龚\tgōng gōng", None, ["one syllable per character"]),
    ("surname_readings.tsv", "龚\tgòng", None, ["龚 is not read gòng"]),
    ("surname_readings.tsv", None, "欧阳\tōu yáng", ["no reading for the double surname 欧阳"]),
    ("name_pairs.tsv", "子龘\t中", None, ["not two characters of the name table"]),
    ("name_pairs.tsv", "浩婷\t男", None, ["浩婷 is 男 but 婷 leans 女"]),
    ("name_pairs.tsv", "浩婷\t中", None, []),  # leaning both ways: for either gender's search
    ("name_pairs.tsv", "浩思\t中", None, ["浩思 is 中 but its characters lean 男 only"]),
    ("name_pairs.tsv", "碧云\t女", None, ["sounds like an ill word (bi yun)"]),
    ("name_pairs.tsv", "致知\t中", None, ["repeats the syllable zhi"]),
    ("name_pairs.tsv", "子涵\t中", None, ["子涵 is also on line"]),
    ("name_pairs.tsv", "一丹\t男女", None, ["gender '男女'"]),
    ("name_pairs.tsv", "一一\t中", "end", ["out of order"]),
]


def key(line, table):
    parts = line.split("\t")
    return (parts[1], parts[0]) if table == "ill_sounds.tsv" else parts[0]


def place(lines, line, table):
    """Where the line goes so that the table stays in order: after its equals."""
    for i, other in enumerate(lines):
        if other and not other.startswith("#") and key(other, table) > key(line, table):
            return i
    return len(lines) - 1


def run(resources):
    with contextlib.redirect_stdout(io.StringIO()):
        faults = check_name_tables.check(resources, LISTED, READINGS, DOUBLES)
    return (1 if faults else 0), faults


def main():
    failures = 0
    status, faults = run(ROOT / "resources")
    if status != 0 or faults:
        print("the shipped tables do not pass:", faults)
        failures += 1
    for table, add, drop, expected in CASES:
        with tempfile.TemporaryDirectory() as tmp:
            tmp = pathlib.Path(tmp)
            for f in (ROOT / "resources").glob("*.tsv"):
                shutil.copy(f, tmp / f.name)
            lines = (tmp / table).read_text(encoding="utf-8").split("\n")
            if drop == "end":
                lines.insert(len(lines) - 1, add)
            else:
                if drop is not None:
                    lines.remove(drop)
                if add is not None:
                    lines.insert(place(lines, add, table), add)
            (tmp / table).write_text("\n".join(lines), encoding="utf-8")
            status, faults = run(tmp)
        ok = (status != 0) == bool(expected) and len(faults) == len(expected) and all(
            any(word in fault for fault in faults) for word in expected)
        if not ok:
            print("%s + %r - %r: got %d %r, wanted %r" % (table, add, drop, status, faults,
                                                          expected))
            failures += 1
    print("%d cases, %d failed" % (len(CASES) + 1, failures))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
