#!/usr/bin/env python3
"""Checks the editorial tables of resources/ and prints their counts.

    resources/name_chars.tsv        字 reading tier gender meaning
    resources/firm_chars.tsv        字 reading tier meaning
    resources/ill_sounds.tsv        word toneless-syllables
    resources/surname_readings.tsv  surname readings
    resources/name_pairs.tsv        given-name gender

Refused: a line with the wrong number of fields, a duplicate, lines out of
order, a character that the stroke lists (data/NN画的字.txt) do not hold, a
reading that is not one pinyin syllable with at most one tone mark among the
syllables Unihan knows (kMandarin, kHanyuPinyin), a syllable that is none of
the character's Unihan readings, a bad tier or gender, a meaning of more than
16 characters or with anything but CJK characters and ，、, the characters
no name may hold (FORBIDDEN), and in the pairs a name whose characters are not
both in the name table, whose gender goes against a character's lean, or
that breaks a sound rule by itself. Exits non-zero on any fault.

    python3 tools/check_name_tables.py [--resources DIR] [--data-dir DIR] [--unicode-dir DIR]
"""

import argparse
import bz2
import collections
import pathlib
import re
import sys
import unicodedata

from gen_words import listed_characters

ROOT = pathlib.Path(__file__).resolve().parent.parent

# Ill, vulgar or servile, or bound to one word: never in a name or a trade name.
FORBIDDEN = set("痔肛臀痰脓瘤毙殉孽窃偷贿赂猪狗驴骚渣霉债欠亏厕婶呕癣血不傀傈僳侥孪蘑嚏咙岿")

# Every Unihan field that gives readings: the usual one, the great dictionary's, the modern
# dictionaries' (which hold the surname and literary readings), and the frequency survey's.
READING_FIELDS = ("kMandarin", "kHanyuPinyin", "kXHC1983", "kTGHZ2013", "kHanyuPinlu")
# Readings our tables use that no Unihan field gives, each with its reason.
EXTRA_READINGS = {
    "贠": "yùn",  # as a surname, like 员 (yùn) of which it is a form
    "勣": "jì",   # the old form of 绩, read as 绩 is (李勣)
}
TONE_MARKS = {"\u0304": 1, "\u0301": 2, "\u030c": 3, "\u0300": 4}
MAX_MEANING = 16


def plain(syllable):
    """The syllable without tone marks, ü kept."""
    return unicodedata.normalize("NFC", "".join(
        ch for ch in unicodedata.normalize("NFD", syllable)
        if ch not in TONE_MARKS))


def unihan_readings(unicode_dir):
    """Code point -> set of readings with tone marks (NFC), from every field that gives one."""
    readings = collections.defaultdict(set)
    path = pathlib.Path(unicode_dir) / "Unihan_Readings.txt.bz2"
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cp, key, value = line.rstrip("\n").split("\t", 2)
            if key not in READING_FIELDS:
                continue
            # Dictionary fields give "place:reading,reading"; frequency counts "reading(n)".
            value = re.sub(r"\([0-9]+\)", "", value)
            value = " ".join(part.split(":", 1)[-1] for part in value.split())
            for r in re.split("[ ,]", value):
                if r:
                    readings[int(cp[2:], 16)].add(unicodedata.normalize("NFC", r))
    for c, r in EXTRA_READINGS.items():
        readings[ord(c)].add(r)
    return readings


class Checker:
    def __init__(self, listed, readings):
        self.listed = listed
        self.readings = readings
        self.syllables = {plain(r) for rs in readings.values() for r in rs}
        self.errors = []

    def fault(self, where, text):
        self.errors.append("%s: %s" % (where, text))

    def rows(self, path, fields):
        """(line number, fields) of every entry; comments and blank lines skipped."""
        out = []
        for n, line in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
            if not line or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) != fields:
                self.fault("%s:%d" % (path.name, n), "%d fields, not %d" % (len(parts), fields))
                continue
            out.append((n, parts))
        return out

    def toned(self, where, reading, char):
        """One syllable with at most one tone mark, known to Unihan, a reading of char."""
        marks = [ch for ch in unicodedata.normalize("NFD", reading) if ch in TONE_MARKS]
        base = plain(reading)
        if len(marks) > 1 or base not in self.syllables or not base.isalpha():
            self.fault(where, "reading %r of %s is not one pinyin syllable" % (reading, char))
        elif unicodedata.normalize("NFC", reading) not in self.readings.get(ord(char), ()):
            self.fault(where, "%s is not read %s by Unihan" % (char, reading))

    def character(self, where, c, forbidden=True):
        if len(c) != 1 or c not in self.listed:
            self.fault(where, "%r is not one character of the stroke lists" % c)
        elif forbidden and c in FORBIDDEN:
            self.fault(where, "%s may not be in a name" % c)

    def meaning(self, where, c, text):
        if not 1 <= len(text) <= MAX_MEANING:
            self.fault(where, "meaning of %s has %d characters" % (c, len(text)))
        if any(not ("\u4e00" <= ch <= "\u9fff" or ch in "，、") for ch in text):
            self.fault(where, "meaning of %s holds more than CJK characters and ，、" % c)

    def order(self, path, rows, key):
        seen = {}
        previous = None
        for n, parts in rows:
            k = key(parts)
            if k in seen:
                self.fault("%s:%d" % (path.name, n), "%s is also on line %d" % (parts[0], seen[k]))
            seen[k] = n
            if previous is not None and k < previous:
                self.fault("%s:%d" % (path.name, n), "%s is out of order" % parts[0])
            previous = k

    def name_chars(self, path):
        rows = self.rows(path, 5)
        counts = collections.Counter()
        for n, (c, reading, tier, gender, meaning) in rows:
            where = "%s:%d" % (path.name, n)
            self.character(where, c)
            self.toned(where, reading, c)
            if tier not in ("1", "2"):
                self.fault(where, "tier %r of %s is not 1 or 2" % (tier, c))
            if gender not in ("男", "女", "中"):
                self.fault(where, "gender %r of %s is not 男, 女 or 中" % (gender, c))
            self.meaning(where, c, meaning)
            counts["tier " + tier] += 1
            counts[gender] += 1
            counts["tier %s %s" % (tier, gender)] += 1
        self.order(path, rows, lambda p: p[0])
        print("%s: %d characters; tier 1 %d (男 %d, 女 %d, 中 %d), tier 2 %d; 男 %d, 女 %d, 中 %d"
              % (path.name, len(rows), counts["tier 1"], counts["tier 1 男"], counts["tier 1 女"],
                 counts["tier 1 中"], counts["tier 2"], counts["男"], counts["女"], counts["中"]))
        return {p[0] for _, p in rows}

    def firm_chars(self, path):
        rows = self.rows(path, 4)
        tiers = collections.Counter()
        for n, (c, reading, tier, meaning) in rows:
            where = "%s:%d" % (path.name, n)
            self.character(where, c)
            self.toned(where, reading, c)
            if tier not in ("1", "2"):
                self.fault(where, "tier %r of %s is not 1 or 2" % (tier, c))
            self.meaning(where, c, meaning)
            tiers[tier] += 1
        self.order(path, rows, lambda p: p[0])
        print("%s: %d characters; tier 1 %d, tier 2 %d"
              % (path.name, len(rows), tiers["1"], tiers["2"]))

    def ill_sounds(self, path):
        rows = self.rows(path, 2)
        lengths = collections.Counter()
        for n, (word, sound) in rows:
            where = "%s:%d" % (path.name, n)
            syllables = sound.split(" ")
            if not 2 <= len(word) <= 4 or len(syllables) != len(word):
                self.fault(where, "%s needs 2 to 4 characters and one syllable each" % word)
                continue
            for c, s in zip(word, syllables):
                self.character(where, c, forbidden=False)
                if s.replace("v", "ü") not in {plain(r) for r in self.readings.get(ord(c), ())}:
                    self.fault(where, "%s of %s is not read %s by Unihan" % (c, word, s))
            lengths[len(word)] += 1
        self.order(path, rows, lambda p: (p[1], p[0]))
        print("%s: %d words (%s)" % (path.name, len(rows), ", ".join(
            "%d of %d syllables" % (lengths[k], k) for k in sorted(lengths))))

    def name_pairs(self, path, resources):
        rows = self.rows(path, 2)
        table = {p[0]: p for p in read_table(resources / "name_chars.tsv", 5)}
        readings = {c: p[1] for c, p in table.items()}
        leans = {c: p[3] for c, p in table.items()}
        ill = {tuple(p[1].split(" ")) for p in read_table(resources / "ill_sounds.tsv", 2)}
        genders = collections.Counter()
        for n, (name, gender) in rows:
            where = "%s:%d" % (path.name, n)
            if len(name) != 2 or any(c not in table for c in name):
                self.fault(where, "%s is not two characters of the name table" % name)
                continue
            if gender not in ("男", "女", "中"):
                self.fault(where, "gender %r of %s is not 男, 女 or 中" % (gender, name))
                continue
            for fault in (pair_gender_fault(name, gender, leans),
                          pair_sound_fault(name, readings, ill)):
                if fault:
                    self.fault(where, fault)
            genders[gender] += 1
        self.order(path, rows, lambda p: p[0])
        print("%s: %d names (男 %d, 女 %d, 中 %d)"
              % (path.name, len(rows), genders["男"], genders["女"], genders["中"]))

    def surname_readings(self, path, double_surnames):
        rows = self.rows(path, 2)
        for n, (surname, reading) in rows:
            where = "%s:%d" % (path.name, n)
            syllables = reading.split(" ")
            if not 1 <= len(surname) <= 2 or len(syllables) != len(surname):
                self.fault(where, "%s needs one syllable per character" % surname)
                continue
            for c, s in zip(surname, syllables):
                self.character(where, c, forbidden=False)
                self.toned(where, s, c)
        self.order(path, rows, lambda p: p[0])
        have = {p[0] for _, p in rows}
        for s in sorted(set(double_surnames) - have):
            self.fault(path.name, "no reading for the double surname %s" % s)
        print("%s: %d surnames (%d single, %d double)" % (
            path.name, len(rows), sum(len(p[0]) == 1 for _, p in rows),
            sum(len(p[0]) == 2 for _, p in rows)))


def toneless(reading):
    """A reading as the ill-sounding words write it: no tone, ü as v."""
    return plain(reading).replace("ü", "v")


def pair_sound_fault(name, readings, ill_words):
    """Why a two-character given name breaks a sound rule by itself, or None: it sounds like an
    ill word, or two different characters share a syllable (a doubled name is chosen on purpose).
    readings: character -> reading with tone; ill_words: set of tuples of toneless syllables."""
    sounds = tuple(toneless(readings[c]) for c in name)
    if sounds in ill_words:
        return "%s sounds like an ill word (%s)" % (name, " ".join(sounds))
    if name[0] != name[1] and sounds[0] == sounds[1]:
        return "%s repeats the syllable %s" % (name, sounds[0])
    return None


def pair_gender_fault(name, gender, leans):
    """Why the gender of a listed name goes against its characters' leans, or None: a 男 name
    holds no character leaning 女 and the reverse; a 中 name is not one whose characters lean
    one way only (it is that way's: a search for the other leaves the character out)."""
    ways = {leans[c] for c in name} - {"中"}
    if gender == "中":
        if len(ways) == 1:
            return "%s is 中 but its characters lean %s only" % (name, ways.pop())
        return None
    for c in name:
        if leans[c] not in ("中", gender):
            return "%s is %s but %s leans %s" % (name, gender, c, leans[c])
    return None


def read_table(path, fields):
    """The entry rows of a table as lists of fields (no checks)."""
    rows = []
    for line in path.read_text(encoding="utf-8").split("\n"):
        if line and not line.startswith("#"):
            parts = line.split("\t")
            if len(parts) == fields:
                rows.append(parts)
    return rows


def double_surnames(data_dir):
    text = (data_dir / "常见复姓表.txt").read_bytes().decode("gbk")
    return [line for line in text.split("\r\n") if line]


def check(resources, listed, readings, doubles):
    """The faults of the five tables in resources, after printing their counts."""
    checker = Checker(listed, readings)
    checker.name_chars(resources / "name_chars.tsv")
    checker.firm_chars(resources / "firm_chars.tsv")
    checker.ill_sounds(resources / "ill_sounds.tsv")
    checker.surname_readings(resources / "surname_readings.tsv", doubles)
    checker.name_pairs(resources / "name_pairs.tsv", resources)
    return checker.errors


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--resources", type=pathlib.Path, default=ROOT / "resources")
    parser.add_argument("--data-dir", type=pathlib.Path, default=ROOT / "data")
    parser.add_argument("--unicode-dir", default="/usr/share/unicode")
    args = parser.parse_args()

    errors = check(args.resources, listed_characters(args.data_dir),
                   unihan_readings(args.unicode_dir), double_surnames(args.data_dir))
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        sys.exit("%d faults" % len(errors))


if __name__ == "__main__":
    main()
