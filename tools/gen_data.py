#!/usr/bin/python3
"""Generate the stroke lists, code tables and double-surname list in data/.

Inputs are the Unihan and CJKRadicals files of the Debian package
unicode-data and the simplified-to-traditional character table of the Debian
package opencc (see tools/README.md).  Standard library plus the opencc_dict
tool; the output is a pure function of the inputs, so reruns are
byte-identical.

    python3 tools/gen_data.py            # write data/ and verify it
    python3 tools/gen_data.py --check    # verify data/ without writing
"""

import argparse
import bz2
import os
import re
import sys
import unicodedata

from name_chars import is_gb2312_hanzi
from trad_sources import (OPENCC_DICT, kangxi_residual_fixes, load_opencc,
                          rs_pair)

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

MAX_STROKES = 30
PER_LINE = 40          # characters per list line in the stroke files
LIB_PER_LINE = 50      # characters per line in the code tables
CRLF = "\r\n"
ELEMENTS = "金木水火土"  # group order inside a stroke file

# The 214 Kangxi radicals, one group per stroke count (1..17), in radical
# number order.  Each radical counts in its full form, which is what name
# numerology uses (water 氵 counts as 水 = 4, 阝 left as 阜 = 8 ...).
KANGXI_GROUPS = [
    "一丨丶丿乙亅",
    "二亠人儿入八冂冖冫几凵刀力勹匕匚匸十卜卩厂厶又",
    "口囗土士夂夊夕大女子宀寸小尢尸屮山巛工己巾干幺广廴廾弋弓彐彡彳",
    "心戈戶手支攴文斗斤方无日曰月木欠止歹殳毋比毛氏气水火爪父爻爿片牙牛犬",
    "玄玉瓜瓦甘生用田疋疒癶白皮皿目矛矢石示禸禾穴立",
    "竹米糸缶网羊羽老而耒耳聿肉臣自至臼舌舛舟艮色艸虍虫血行衣襾",
    "見角言谷豆豕豸貝赤走足身車辛辰辵邑酉釆里",
    "金長門阜隶隹雨靑非",
    "面革韋韭音頁風飛食首香",
    "馬骨高髟鬥鬯鬲鬼",
    "魚鳥鹵鹿麥麻",
    "黃黍黑黹",
    "黽鼎鼓鼠",
    "鼻齊",
    "齒",
    "龍龜",
    "龠",
]
RADICAL_CHAR = {}
RADICAL_STROKES = {}
for _strokes, _group in enumerate(KANGXI_GROUPS, 1):
    for _ch in _group:
        _num = len(RADICAL_CHAR) + 1
        RADICAL_CHAR[_num] = _ch
        RADICAL_STROKES[_num] = _strokes
assert len(RADICAL_CHAR) == 214

# Numerals count by their value, not by how they are written.
NUMERALS = {c: i for i, c in enumerate("一二三四五六七八九十", 1)}

# Attribute by Kangxi radical (rule 1).
RADICAL_ELEMENT = {}
for _el, _nums in (("金", (167, 18, 62, 69, 96)),
                   ("木", (75, 140, 118, 115, 119, 199, 200, 97)),
                   ("水", (85, 15, 173, 195, 47)),
                   ("火", (86, 72)),
                   ("土", (32, 46, 112, 102, 170))):
    for _n in _nums:
        RADICAL_ELEMENT[_n] = _el

# Attribute by the initial of the first Mandarin reading (rule 2).
INITIAL_ELEMENT = [
    (("zh", "ch", "sh"), "金"),
    (tuple("bpmf"), "水"),
    (tuple("dtnl"), "火"),
    (tuple("gkh"), "木"),
    (tuple("zcsrjqx"), "金"),
    (tuple("yw") + tuple("aeiouv"), "土"),
]

# Attribute by the last digit of the stroke count (rule 3).
DIGIT_ELEMENT = {1: "木", 2: "木", 3: "火", 4: "火", 5: "土", 6: "土",
                 7: "金", 8: "金", 9: "水", 0: "水"}

# Common double surnames: simplified, then the traditional spelling.  The
# traditional side is written out by hand because a character-by-character
# conversion gets several wrong (万俟 keeps 万, 澹台 becomes 澹臺, 谷梁 is
# 穀梁 while 鲜于 and 段干 keep 于 and 干).
DOUBLE_SURNAMES = """
欧阳 歐陽|司马 司馬|上官 上官|诸葛 諸葛|东方 東方|皇甫 皇甫|尉迟 尉遲|公孙 公孫
慕容 慕容|长孙 長孫|宇文 宇文|司徒 司徒|夏侯 夏侯|轩辕 軒轅|令狐 令狐|端木 端木
独孤 獨孤|南宫 南宮|西门 西門|百里 百里|呼延 呼延|万俟 万俟|闻人 聞人|澹台 澹臺
公冶 公冶|宗政 宗政|濮阳 濮陽|太叔 太叔|申屠 申屠|钟离 鍾離|赫连 赫連|拓跋 拓跋
第五 第五|公羊 公羊|东郭 東郭|司空 司空|仲孙 仲孫|叔孙 叔孫|鲜于 鮮于|闾丘 閭丘
亓官 亓官|司寇 司寇|子车 子車|颛孙 顓孫|壤驷 壤駟|公良 公良|漆雕 漆雕|乐正 樂正
宰父 宰父|谷梁 穀梁|段干 段干|巫马 巫馬|公西 公西|梁丘 梁丘|左丘 左丘|东门 東門
微生 微生|羊舌 羊舌|南门 南門|淳于 淳于|单于 單于|夹谷 夾谷|归海 歸海|伯赏 伯賞
太史 太史|完颜 完顏|耶律 耶律|纳兰 納蘭|公输 公輸|东野 東野|即墨 即墨
公仪 公儀|达奚 達奚
"""

COMPAT_NOTE = ("CJK compatibility ideographs with a canonical decomposition "
               "are left out: they normalise to a unified ideograph that is "
               "already listed")


# ---------------------------------------------------------------- inputs --

UNIHAN_FIELDS = {
    "Unihan_RadicalStrokeCounts.txt.bz2": ("kRSKangXi",),
    "Unihan_IRGSources.txt.bz2": ("kRSUnicode", "kTotalStrokes"),
    "Unihan_Variants.txt.bz2": ("kTraditionalVariant", "kSemanticVariant"),
    "Unihan_Readings.txt.bz2": ("kMandarin",),
    "Unihan_DictionaryLikeData.txt.bz2": ("kFrequency",),
    "Unihan_OtherMappings.txt.bz2": ("kGB0",),
    "Unihan_DictionaryIndices.txt.bz2": ("kKangXi",),
}


def load_unihan(udir, fields=UNIHAN_FIELDS):
    """Code point -> {field: value}, for the fields listed per Unihan file."""
    data = {}
    for name, wanted in fields.items():
        path = os.path.join(udir, name)
        with bz2.open(path, "rt", encoding="utf-8") as f:
            for line in f:
                if line.startswith("#") or not line.strip():
                    continue
                cp, key, value = line.rstrip("\n").split("\t", 2)
                if key in wanted:
                    data.setdefault(int(cp[2:], 16), {})[key] = value
    return data


def load_radical_ideographs(udir):
    """Radical number -> the unified ideograph that is that radical alone."""
    out = {}
    with open(os.path.join(udir, "CJKRadicals.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            num, _rad, ideo = [x.strip() for x in line.split(";")]
            if "'" not in num:
                out[int(num)] = chr(int(ideo, 16))
    return out


def load_overrides(path):
    out = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            simp, trad = line.rstrip("\n").split("\t")[:2]
            if simp in out:
                raise SystemExit("duplicate override for %s" % simp)
            out[simp] = trad
    return out


def load_sample(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            ch, count = line.split("\t")
            rows.append((n, ch, int(count)))
    return rows


# --------------------------------------------------------------- helpers --

def codepoints(value):
    return [chr(int(x[2:], 16)) for x in value.split()]


def encodable(ch, codec):
    try:
        ch.encode(codec)
        return True
    except UnicodeEncodeError:
        return False


def gbk_ideographs():
    """Unified ideographs GBK encodes, plus the compatibility ones left out."""
    keep, dropped = [], []
    for cp in list(range(0x4E00, 0xA000)) + list(range(0xF900, 0xFB00)):
        ch = chr(cp)
        if not encodable(ch, "gbk"):
            continue
        if 0xF900 <= cp and unicodedata.decomposition(ch):
            dropped.append(ch)
        else:
            keep.append(ch)
    return keep, dropped


def radical_and_residual(info, fixed=None):
    """(Kangxi radical number, residual strokes) of one character."""
    rad, residual = rs_pair(info.get("kRSKangXi") or info["kRSUnicode"])
    return rad, residual if fixed is None else fixed


class Tables:
    def __init__(self, udir, overrides, opencc):
        self.uh = load_unihan(udir)
        self.opencc = opencc
        self.kangxi_fix = kangxi_residual_fixes(self.uh)
        self.rad_ideo = load_radical_ideographs(udir)
        for num, ideo in self.rad_ideo.items():
            if RADICAL_CHAR[num] != ideo:
                raise SystemExit("radical table disagrees with CJKRadicals.txt"
                                 " at %d: %s vs %s" % (num, RADICAL_CHAR[num],
                                                       ideo))
        self.overrides = overrides
        self.chars, self.dropped_compat = gbk_ideographs()
        self.charset = set(self.chars)
        self.gb2312 = [c for c in self.chars if is_gb2312_hanzi(c)]
        self.gb2312_set = set(self.gb2312)
        # The codec and Unihan's kGB0 must agree on what GB2312 holds.
        kgb0 = {chr(cp) for cp, i in self.uh.items() if "kGB0" in i}
        if kgb0 != self.gb2312_set or len(kgb0) != 6763:
            raise SystemExit("GB2312 codec and kGB0 disagree")
        self.trad = {}
        self.trad_rule = {}
        for c in self.chars:
            self.trad[c], self.trad_rule[c] = self.choose_traditional(c)
        # A character that serves as some character's traditional form keeps
        # its own count, so both members of a pair share one value.
        self.chains = []
        targets = {t for c, t in self.trad.items() if t != c}
        for t in sorted(targets & self.charset):
            if self.trad[t] != t:
                self.chains.append((t, self.trad[t]))
                self.trad[t], self.trad_rule[t] = t, "traditional itself"
        self.count = {c: self.strokes(c) for c in self.chars}
        self.element = {c: self.attribute(c) for c in self.chars}

    def info(self, ch):
        return self.uh.get(ord(ch), {})

    def choose_traditional(self, c):
        if c in self.overrides:
            return self.overrides[c], "override"
        if c in self.opencc:
            t = self.opencc[c][0]
            return t, ("opencc" if t != c else "opencc itself")
        # Characters opencc leaves alone: Unihan's traditional variants.  One
        # that opencc does not convert and Unihan lists among its own
        # traditional variants is a traditional character in its own right.
        info = self.info(c)
        if "kTraditionalVariant" not in info:
            return c, "none"
        variants = codepoints(info["kTraditionalVariant"])
        if c in variants:
            return c, "itself"
        if len(variants) == 1:
            return variants[0], "only"

        def freq(v):
            f = self.info(v).get("kFrequency")
            return int(f) if f else 99
        best = min(freq(v) for v in variants)
        if best < 99:
            pick = [v for v in variants if freq(v) == best][0]
            return pick, "frequency"
        return variants[0], "first"

    def base_strokes(self, t):
        """Name-numerology count of a traditional character t."""
        info = self.info(t)
        rad, residual = radical_and_residual(info, self.kangxi_fix.get(ord(t)))
        if residual > 0:
            return RADICAL_STROKES[rad] + residual
        if self.rad_ideo.get(rad) == t:
            # The radical itself: its full Kangxi count (瓦 5, 鬼 10, 黃 12).
            return RADICAL_STROKES[rad]
        # A written variant of a radical (氵 扌 忄 王 才 ...) counts as written.
        return int(info["kTotalStrokes"].split()[0])

    def strokes(self, c):
        if c in NUMERALS:
            return NUMERALS[c]
        return self.base_strokes(self.trad[c])

    def attribute(self, c):
        rad, _ = radical_and_residual(self.info(self.trad[c]))
        if rad in RADICAL_ELEMENT:
            return RADICAL_ELEMENT[rad]
        reading = (self.info(c).get("kMandarin")
                   or self.info(self.trad[c]).get("kMandarin"))
        if reading:
            syl = unicodedata.normalize("NFD", reading.split()[0].lower())
            syl = "".join(x for x in syl if not unicodedata.combining(x))
            for initials, el in INITIAL_ELEMENT:
                if syl.startswith(initials):
                    return el
        return DIGIT_ELEMENT[self.count[c] % 10]


def order_key(ch):
    """GB2312 characters first in code order, then the rest by code point."""
    try:
        return (0, ch.encode("gb2312"), 0)
    except UnicodeEncodeError:
        return (1, b"", ord(ch))


def surname_pairs():
    pairs = []
    for item in DOUBLE_SURNAMES.replace("\n", "|").split("|"):
        if item.strip():
            simp, trad = item.split()
            pairs.append((simp, trad))
    return pairs


# ---------------------------------------------------------------- output --

def stroke_file_name(k):
    return "%02d画的字.txt" % k


def heading(el):
    return "五行属\u201c%s\u201d\uff1a" % el


def build(tab):
    files = {}
    by_count = {k: {el: [] for el in ELEMENTS} for k in range(1, MAX_STROKES + 1)}
    over = []
    for c in tab.chars:
        k = tab.count[c]
        if k < 1:
            raise SystemExit("non-positive count for %s" % c)
        if k > MAX_STROKES:
            over.append(c)
            continue
        by_count[k][tab.element[c]].append(c)
    for k in range(1, MAX_STROKES + 1):
        lines = ["%d画的字" % k, ""]
        for el in ELEMENTS:
            group = sorted(by_count[k][el], key=order_key)
            for i in range(0, len(group), PER_LINE):
                lines.append(heading(el) + " ".join(group[i:i + PER_LINE]))
        files[stroke_file_name(k)] = lines

    simp, trad, missing = [], [], []
    for c in tab.gb2312:
        t = tab.trad[c]
        if t == c:
            continue
        if not encodable(t, "gbk"):
            missing.append((c, t))
            continue
        simp.append(c)
        trad.append(t)
    files["常用字码表.lib"] = ["".join(simp[i:i + LIB_PER_LINE])
                           for i in range(0, len(simp), LIB_PER_LINE)]
    files["繁体_常用字码表.lib"] = ["".join(trad[i:i + LIB_PER_LINE])
                              for i in range(0, len(trad), LIB_PER_LINE)]

    pairs = surname_pairs()
    files["常见复姓表.txt"] = ([s for s, _ in pairs]
                          + [t for s, t in pairs if t != s])
    encoded = {name: "".join(l + CRLF for l in lines).encode("gbk")
               for name, lines in files.items()}
    return encoded, over, missing, list(zip(simp, trad))


# ---------------------------------------------------------------- checks --

LIST_LINE = re.compile("^五行属\u201c([金木水火土])\u201d\uff1a(\\S( \\S)*)$")


def split_lines(name, raw, errors):
    text = raw.decode("gbk")  # strict: any undecodable byte raises
    if not text.endswith(CRLF):
        errors.append("%s: last line lacks CR LF" % name)
    body = text[:-2] if text.endswith(CRLF) else text
    lines = body.split(CRLF)
    if any("\r" in l or "\n" in l for l in lines):
        errors.append("%s: stray CR or LF" % name)
    return text, lines


def verify(tab, files, sample):
    errors = []
    seen = {}
    per_file = {}
    for k in range(1, MAX_STROKES + 1):
        name = stroke_file_name(k)
        if name not in files:
            errors.append("missing %s" % name)
            continue
        _, lines = split_lines(name, files[name], errors)
        title = lines[0]
        if "\uff1a" in title or "\u201c" in title or not title:
            errors.append("%s: bad title" % name)
        if len(lines) < 2 or lines[1] != "":
            errors.append("%s: line 2 not empty" % name)
        last_el = -1
        n = 0
        for line in lines[2:]:
            m = LIST_LINE.match(line)
            if not m:
                errors.append("%s: bad list line %r" % (name, line[:30]))
                continue
            el = ELEMENTS.index(m.group(1))
            if el < last_el:
                errors.append("%s: attribute groups out of order" % name)
            last_el = el
            chars = m.group(2).split(" ")
            if len(chars) > PER_LINE:
                errors.append("%s: line longer than %d" % (name, PER_LINE))
            for ch in chars:
                n += 1
                if len(ch) != 1 or ch not in tab.charset:
                    errors.append("%s: unexpected item %r" % (name, ch))
                    continue
                if ch in seen:
                    errors.append("%s listed twice (%s, %s)" % (ch, seen[ch], name))
                seen[ch] = name
                if tab.count[ch] != k:
                    errors.append("%s in %s but counts %d" % (ch, name, tab.count[ch]))
                if ELEMENTS[el] != tab.element[ch]:
                    errors.append("%s under wrong attribute" % ch)
                if not encodable(ch, "gbk"):
                    errors.append("%s not GBK" % ch)
        per_file[name] = n
        groups = {}
        for line in lines[2:]:
            m = LIST_LINE.match(line)
            if m:
                groups.setdefault(m.group(1), []).extend(m.group(2).split(" "))
        for el, chars in groups.items():
            if chars != sorted(chars, key=order_key):
                errors.append("%s: group %s not in order" % (name, el))
    for c in tab.gb2312:
        if c not in seen:
            errors.append("GB2312 %s (U+%04X) not listed" % (c, ord(c)))
    for c in tab.chars:
        if c not in seen and tab.count[c] <= MAX_STROKES:
            errors.append("%s not listed" % c)

    # Code tables: same text length and line structure, pairs as chosen.
    ltext = {}
    for name in ("常用字码表.lib", "繁体_常用字码表.lib"):
        ltext[name], _ = split_lines(name, files[name], errors)
    s_text, t_text = ltext["常用字码表.lib"], ltext["繁体_常用字码表.lib"]
    if len(s_text) != len(t_text):
        errors.append("code tables differ in length")
    simp_seen = set()
    for a, b in zip(s_text, t_text):
        if a in "\r\n" or b in "\r\n":
            if a != b:
                errors.append("code tables differ in line structure")
            continue
        if a in simp_seen:
            errors.append("code table: %s twice" % a)
        simp_seen.add(a)
        if a not in tab.gb2312_set or tab.trad[a] != b or a == b:
            errors.append("code table pair %s/%s unexpected" % (a, b))
        if tab.count[a] != tab.count.get(b, tab.base_strokes(b)):
            errors.append("code table pair %s/%s counts differ" % (a, b))

    _, sur = split_lines("常见复姓表.txt", files["常见复姓表.txt"], errors)
    if len(sur) != len(set(sur)):
        errors.append("double surnames: duplicates")
    if sum(1 for s, _ in surname_pairs()) < 60:
        errors.append("double surnames: fewer than 60")

    sample_bad = []
    for n, ch, want in sample:
        got = tab.count.get(ch)
        if got != want or seen.get(ch) != stroke_file_name(want):
            sample_bad.append((n, ch, want, got))
    for n, ch, want, got in sample_bad:
        errors.append("sample line %d: %s published %d, generated %s"
                      % (n, ch, want, got))
    if len({ch for _, ch, _ in sample}) != len(sample):
        errors.append("sample: duplicate rows")
    return errors, per_file, seen


def summary(tab, per_file, seen, over, missing, pairs, sample):
    trad_targets = {t for c, t in tab.trad.items() if t != c}
    n_gb = sum(1 for c in seen if c in tab.gb2312_set)
    n_trad = sum(1 for c in seen if c not in tab.gb2312_set
                 and c in trad_targets)
    n_other = len(seen) - n_gb - n_trad
    out = []
    for name in sorted(per_file):
        out.append("%s\t%d" % (name, per_file[name]))
    out.append("listed characters\t%d" % len(seen))
    out.append("  GB2312\t%d" % n_gb)
    out.append("  traditional forms outside GB2312\t%d" % n_trad)
    out.append("  other GBK\t%d" % n_other)
    out.append("GBK unified ideographs considered\t%d" % len(tab.chars))
    out.append("over %d strokes (not listed)\t%d" % (MAX_STROKES, len(over)))
    out.append("compatibility ideographs left out\t%d %s"
               % (len(tab.dropped_compat), "".join(tab.dropped_compat)))
    out.append("code table pairs\t%d" % len(pairs))
    out.append("traditional forms not in GBK (left out)\t%d %s"
               % (len(missing), " ".join("%s>%s" % m for m in missing)))
    out.append("traditional forms that map further (kept as themselves)\t%d %s"
               % (len(tab.chains), " ".join("%s>%s" % m for m in tab.chains)))
    rules = {}
    for c in tab.gb2312:
        rules[tab.trad_rule[c]] = rules.get(tab.trad_rule[c], 0) + 1
    out.append("GB2312 traditional choice\t%s"
               % ", ".join("%s %d" % kv for kv in sorted(rules.items())))
    pairs_s = surname_pairs()
    out.append("double surnames\t%d simplified, %d traditional"
               % (len(pairs_s), sum(1 for s, t in pairs_s if s != t)))
    out.append("published sample rows\t%d" % len(sample))
    return "\n".join(out)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--unicode-dir", default="/usr/share/unicode",
                    help="folder holding Unihan_*.txt.bz2 and CJKRadicals.txt")
    ap.add_argument("--out-dir", default=os.path.join(ROOT, "data"))
    ap.add_argument("--overrides",
                    default=os.path.join(HERE, "name_overrides.tsv"))
    ap.add_argument("--opencc-dict", default=OPENCC_DICT,
                    help="opencc's STCharacters.ocd2 (read with opencc_dict)")
    ap.add_argument("--opencc-text", metavar="FILE",
                    help="the same table already in opencc's text form")
    ap.add_argument("--sample", default=os.path.join(
        ROOT, "tests", "data", "published_strokes.tsv"))
    ap.add_argument("--check", action="store_true",
                    help="verify the files in --out-dir, write nothing")
    ap.add_argument("--dump", metavar="FILE",
                    help="also write char, traditional, count, attribute (UTF-8)")
    args = ap.parse_args(argv)

    opencc = load_opencc(args.opencc_dict, args.opencc_text)
    tab = Tables(args.unicode_dir, load_overrides(args.overrides), opencc)
    built, over, missing, pairs = build(tab)
    sample = load_sample(args.sample)
    errors = []

    if args.check:
        files = {}
        for name, raw in built.items():
            path = os.path.join(args.out_dir, name)
            if not os.path.exists(path):
                errors.append("missing %s" % path)
                continue
            with open(path, "rb") as f:
                files[name] = f.read()
            if files[name] != raw:
                errors.append("%s differs from a fresh build" % name)
        extra = sorted(set(os.listdir(args.out_dir)) - set(built)) \
            if os.path.isdir(args.out_dir) else []
        for name in extra:
            if name.endswith("画的字.txt"):
                errors.append("unexpected file %s" % name)
        if errors:
            print("\n".join(errors), file=sys.stderr)
            return 1
    else:
        os.makedirs(args.out_dir, exist_ok=True)
        for name in sorted(built):
            with open(os.path.join(args.out_dir, name), "wb") as f:
                f.write(built[name])
        files = built

    if args.dump:
        with open(args.dump, "w", encoding="utf-8", newline="\n") as f:
            for c in tab.chars:
                f.write("%s\tU+%04X\t%s\t%d\t%s\t%s\n" % (
                    c, ord(c), tab.trad[c], tab.count[c], tab.element[c],
                    tab.trad_rule[c]))

    more, per_file, seen = verify(tab, files, sample)
    errors += more
    print(summary(tab, per_file, seen, over, missing, pairs, sample))
    if errors:
        print("\n".join(["FAILED:"] + errors[:200]), file=sys.stderr)
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
