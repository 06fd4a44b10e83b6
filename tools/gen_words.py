#!/usr/bin/env python3
"""Builds data/4.lib, the four-character words the naming window cuts name pairs from.

Input: the main lexicon of Debian's friso-dict package (Apache-2.0),
/usr/share/friso/dict/UTF-8/lex-main.lex, one entry a line as "word/extra".
Kept: words of exactly four characters in everyday use (GB2312 level 1), every
one of them listed in our stroke lists (data/NN画的字.txt), none of them a
character of ill omen for a name (AVOID) or a grammatical particle (both
kept in name_chars.py), at most one numeral, at
least one character people choose for names (FAVOURED), and no character
repeated within the word.
Output: GBK, one word a line, every line ending in CR LF, in lexicon order.
Deterministic: the same inputs give the same bytes.

    python3 tools/gen_words.py [--lexicon FILE] [--data-dir DIR]
"""

import argparse
import pathlib
import sys

from name_chars import AVOID, PARTICLES
from name_chars import level1 as common

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_LEXICON = pathlib.Path("/usr/share/friso/dict/UTF-8/lex-main.lex")

# Characters people choose for names: virtues, beauty, nature, light, treasure, fortune. A word
# needs at least one, which keeps technical and everyday phrases out.
FAVOURED = set(
    "美好吉祥福瑞安康乐寿喜庆华荣昌盛兴旺德仁义礼智信忠孝勇毅明光辉耀文武雅秀丽芳"
    "春秋云霞风月山海江河天地日星龙凤麟鹏鸿志远宏博弘浩瀚清泉溪松柏竹梅兰菊莲"
    "玉金银珍宝诚正平和宁静嘉佳慧聪敏睿哲思怡欣悦书诗画琴墨香雨雪晨曦朝阳晖晴霖"
    "泽润林森禾苗青翠碧蓝红紫彤丹心善良温柔婉淑贤俊英豪杰雄伟卓越超凡鼎丰泰恒久"
    "长永新锦绣彩虹舞歌韵声"
)

NUMERALS = set("〇零一二三四五六七八九十百千万亿两")


def listed_characters(data_dir):
    chars = set()
    for k in range(1, 31):
        path = data_dir / f"{k:02d}画的字.txt"
        for line in path.read_bytes().decode("gbk").splitlines():
            if "：" in line:
                chars.update(c for c in line.split("：", 1)[1] if c != " ")
    return chars


def words(lexicon, listed):
    seen = set()
    for raw in lexicon.read_text(encoding="utf-8", errors="replace").splitlines():
        word = raw.split("/", 1)[0].strip()
        if len(word) != 4 or word in seen:
            continue
        if not all(c in listed for c in word):
            continue
        if any(c in AVOID or c in PARTICLES for c in word) or len(set(word)) != 4:
            continue
        if not all(common(c) for c in word) or sum(c in NUMERALS for c in word) > 1:
            continue
        if not any(c in FAVOURED for c in word):
            continue
        seen.add(word)
        yield word


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lexicon", type=pathlib.Path, default=DEFAULT_LEXICON)
    parser.add_argument("--data-dir", type=pathlib.Path, default=ROOT / "data")
    args = parser.parse_args()

    listed = listed_characters(args.data_dir)
    chosen = list(words(args.lexicon, listed))
    if len(chosen) < 5000:
        sys.exit(f"only {len(chosen)} words; at least 5000 are wanted")
    text = "".join(w + "\r\n" for w in chosen)
    (args.data_dir / "4.lib").write_bytes(text.encode("gbk"))
    print(f"4.lib: {len(chosen)} words")


if __name__ == "__main__":
    main()
