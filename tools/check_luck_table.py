#!/usr/bin/env python3
"""Validate resources/luck_table.txt, the 80-entry luck text table.

Usage: check_luck_table.py [path]   (default: resources/luck_table.txt
relative to the repository root, i.e. the parent of this script's folder)

Prints one line per problem and exits 1, or prints
"luck table OK: 80 entries" and exits 0.
"""

import os
import re
import sys

ENTRY_COUNT = 80
LINES_PER_ENTRY = 6

# (title, class) for entries 1..80; the loader relies on both.
TABLE = [
    ("万物回春", "大吉"), ("两仪之数", "凶"), ("三才之数", "大吉"),
    ("四象之数", "凶"), ("五行之数", "大吉"), ("六爻之数", "大吉"),
    ("七政之数", "大吉"), ("八卦之数", "吉"), ("大成之数", "凶"),
    ("终结之数", "凶"),
    ("旱苗逢雨", "大吉"), ("掘井无泉", "凶"), ("春日牡丹", "大吉"),
    ("破兆", "凶"), ("福寿", "大吉"), ("厚重", "大吉"), ("刚强", "吉"),
    ("铁镜重磨", "吉"), ("多难", "凶"), ("屋下藏金", "凶"),
    ("明月中天", "大吉"), ("秋草逢霜", "凶"), ("壮丽", "大吉"),
    ("掘藏得金", "大吉"), ("荣俊", "吉"), ("变怪", "凶"), ("增长", "凶"),
    ("阔水浮萍", "凶"), ("智谋", "大吉"), ("非运", "吉"),
    ("春日花开", "大吉"), ("宝马金鞍", "大吉"), ("旭日升天", "大吉"),
    ("破家", "凶"), ("高楼望月", "大吉"), ("波澜重叠", "凶"),
    ("猛虎出林", "大吉"), ("磨铁成针", "吉"), ("富贵荣华", "吉"),
    ("退安", "凶"),
    ("有德", "大吉"), ("寒蝉在柳", "凶"), ("散财破产", "凶"),
    ("烦闷", "凶"), ("顺风", "大吉"), ("浪里淘金", "凶"),
    ("点石成金", "大吉"), ("古松立鹤", "大吉"), ("转变", "凶"),
    ("小舟入海", "凶"),
    ("沉浮", "吉"), ("达眼", "大吉"), ("曲卷难星", "凶"),
    ("石上栽花", "凶"), ("善恶", "凶"), ("浪里行舟", "凶"),
    ("日照春松", "大吉"), ("晚行遇月", "吉"), ("寒蝉悲风", "凶"),
    ("无谋", "凶"),
    ("牡丹芙蓉", "大吉"), ("衰败", "凶"), ("舟归平海", "大吉"),
    ("非命", "凶"), ("巨流归海", "大吉"), ("岩头步马", "凶"),
    ("顺风通达", "大吉"), ("顺风吹帆", "大吉"), ("非业", "凶"),
    ("残菊逢霜", "凶"),
    ("石上金花", "吉"), ("劳苦", "凶"), ("无勇", "吉"),
    ("残菊经霜", "凶"), ("退守", "吉"), ("离散", "凶"), ("半吉", "吉"),
    ("晚苦", "凶"), ("云头望月", "凶"), ("遁吉", "凶"),
]

MARKERS = ("（大吉）", "（吉）", "（凶）")

ENTRY1 = [
    "1（万物回春）最吉之数，还本归元，吉祥重叠，富贵尊荣。诱导数。",
    "基业：天福、天官、赐禄、财库、将星、技艺、文昌。",
    "家庭：子女俱佳，兄弟圆满，家庭和睦。",
    "健康：身心健康，可望长寿。“三才”不善者可能病患。",
    "含义：为最极之数，还本归元，其数理与基数1相同。万宝朝宗，吉祥重叠。"
    "体力旺盛，庆幸万多，富贵名誉，繁荣长寿，实属富贵尊荣的大诱导数。",
    "（大吉）",
]

ENTRY80_LINE1 = "80（遁吉） 辛苦不绝，早入隐遁，安心立命，化凶转吉。"

CJK = "\u4e00-\u9fff"
PHRASE = "[" + CJK + "]{4}"
SUMMARY_RE = re.compile("^" + PHRASE + "(?:，" + PHRASE + "){3}。$")
LINE1_RE = re.compile(r"^([0-9]+)（([^（）]*)）( ?)(.*)$")
TERM_RE = re.compile("^[" + CJK + "]{2,4}$")
# Prose may hold ideographs, digits and this small set of punctuation only.
PROSE_CHAR_RE = re.compile("[" + CJK + "0-9，。、；：“”]")
# A parenthesised group mentioning 吉 or 凶 would read like a class marker.
MARKERISH_RE = re.compile("（[^（）]*[吉凶][^（）]*）")

BODY_MIN, BODY_MAX = 8, 160


def default_path():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    return os.path.join(root, "resources", "luck_table.txt")


def check_prose(where, text, problems):
    bad = sorted({c for c in text if not PROSE_CHAR_RE.match(c)})
    if bad:
        shown = " ".join("U+%04X(%s)" % (ord(c), c if c.isprintable() else "?")
                         for c in bad)
        problems.append("%s: disallowed characters in text: %s" % (where, shown))
    if MARKERISH_RE.search(text):
        problems.append("%s: text contains a parenthesised 吉/凶 group" % where)


def check_entry(n, lines, problems):
    title, klass = TABLE[n - 1]
    tag = "entry %d" % n

    if len(lines) != LINES_PER_ENTRY:
        problems.append("%s: has %d lines, expected %d"
                        % (tag, len(lines), LINES_PER_ENTRY))
        return

    for i, line in enumerate(lines, 1):
        where = "%s line %d" % (tag, i)
        if line != line.strip():
            problems.append("%s: leading or trailing whitespace" % where)
        if i != 6:
            for m in MARKERS:
                if m in line:
                    problems.append("%s: class marker %s outside line 6"
                                    % (where, m))

    # Line 1: number, title, space rule, summary.
    where = tag + " line 1"
    m = LINE1_RE.match(lines[0])
    if not m:
        problems.append("%s: expected 'n（title）summary'" % where)
    else:
        num, got_title, space, summary = m.groups()
        if num != str(n):
            problems.append("%s: number is %s, expected %d" % (where, num, n))
        if got_title != title:
            problems.append("%s: title is %r, expected %r"
                            % (where, got_title, title))
        want_space = " " if len(title) == 2 else ""
        if space != want_space:
            problems.append("%s: %s" % (where, "a two-character title needs one"
                                        " space after '）'" if want_space else
                                        "no space allowed after a"
                                        " four-character title"))
        if n == 1:
            if not summary.endswith("诱导数。"):
                problems.append("%s: must end with the extra phrase 诱导数。"
                                % where)
            else:
                summary = summary[:-len("诱导数。")]
        if not SUMMARY_RE.match(summary):
            problems.append("%s: summary must be four four-character phrases"
                            " joined by '，' and closed by '。'" % where)
        check_prose(where, summary, problems)
    if "：" in lines[0]:
        problems.append("%s: '：' is not allowed here" % where)

    # Lines 2-5: headings, in the order this entry uses.
    if n == 6:
        order = ["基业", "健康", "家庭", "含义"]
    else:
        order = ["基业", "家庭", "健康", "含义"]
    for i, head in enumerate(order, 2):
        where = "%s line %d" % (tag, i)
        line = lines[i - 1]
        sep = "；" if (n == 21 and head == "基业") else "："
        prefix = head + sep
        if not line.startswith(prefix):
            problems.append("%s: expected heading %r" % (where, prefix))
            continue
        body = line[len(prefix):]
        want_colons = 0 if sep == "；" else 1
        if line.count("：") != want_colons:
            problems.append("%s: expected exactly %d '：', found %d"
                            % (where, want_colons, line.count("：")))
        if not body.endswith("。"):
            problems.append("%s: must end with '。'" % where)
        if head == "基业":
            terms = body[:-1].split("、") if body.endswith("。") else []
            if not terms or any(not TERM_RE.match(t) for t in terms):
                problems.append("%s: expected fortune terms of 2-4 characters"
                                " separated by '、'" % where)
        elif not BODY_MIN <= len(body) <= BODY_MAX:
            problems.append("%s: text length %d outside %d..%d"
                            % (where, len(body), BODY_MIN, BODY_MAX))
        check_prose(where, body, problems)

    # Line 6: class marker.
    where = tag + " line 6"
    if lines[5] not in MARKERS:
        problems.append("%s: expected one of %s" % (where, " ".join(MARKERS)))
    elif lines[5] != "（%s）" % klass:
        problems.append("%s: class is %s, expected （%s）"
                        % (where, lines[5], klass))

    if n == 1 and lines != ENTRY1:
        for i, (got, want) in enumerate(zip(lines, ENTRY1), 1):
            if got != want:
                problems.append("entry 1 line %d: differs from the fixed text"
                                % i)
    if n == ENTRY_COUNT and lines[0] != ENTRY80_LINE1:
        problems.append("entry 80 line 1: differs from the fixed text")


def check(path):
    problems = []
    try:
        with open(path, "rb") as f:
            raw = f.read()
    except OSError as e:
        return ["cannot read %s: %s" % (path, e)], 0

    if raw.startswith(b"\xef\xbb\xbf"):
        problems.append("file starts with a UTF-8 byte order mark")
        raw = raw[3:]
    if b"\r" in raw:
        problems.append("file contains CR characters; use LF line ends")
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        return problems + ["file is not valid UTF-8: %s" % e], 0
    try:
        text.encode("gbk")
    except UnicodeEncodeError as e:
        bad = text[e.start:e.end]
        line_no = text.count("\n", 0, e.start) + 1
        problems.append("line %d: %r cannot be encoded in GBK"
                        % (line_no, bad))
    text = text.replace("\r", "")

    if not text.endswith("\n"):
        problems.append("file must end with a line feed")
    elif text.endswith("\n\n"):
        problems.append("file must end with a single line feed")
    if text.startswith("\n"):
        problems.append("file must not start with an empty line")

    for line_no, line in enumerate(text.split("\n"), 1):
        if line.startswith("#"):
            problems.append("line %d: comment lines are not allowed" % line_no)

    blocks = text.strip("\n").split("\n\n")
    for b, block in enumerate(blocks, 1):
        if block.startswith("\n") or block.endswith("\n"):
            problems.append("block %d: more than one empty line between"
                            " entries" % b)
    blocks = [b.strip("\n") for b in blocks]
    if len(blocks) != ENTRY_COUNT:
        problems.append("found %d entries, expected %d"
                        % (len(blocks), ENTRY_COUNT))

    for n, block in enumerate(blocks[:ENTRY_COUNT], 1):
        check_entry(n, block.split("\n"), problems)
    return problems, len(blocks)


def main(argv):
    path = argv[1] if len(argv) > 1 else default_path()
    problems, count = check(path)
    if problems:
        for p in problems:
            print(p)
        return 1
    print("luck table OK: %d entries" % count)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
