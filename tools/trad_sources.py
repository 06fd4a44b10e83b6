"""Two corrections to what Unihan alone gives for name numerology.

load_opencc: the ordinary simplified-to-traditional character table of
opencc (Debian package opencc 1.1.6, STCharacters), the base for choosing a
character's traditional form.

kangxi_residual_fixes: residual strokes as the Kangxi dictionary orders them,
for characters whose modern glyph Unihan counts one stroke more (熙).
"""

import bisect
import os
import subprocess
import tempfile

OPENCC_DICT = "/usr/share/opencc/STCharacters.ocd2"


def load_opencc(ocd2=OPENCC_DICT, text=None):
    """Simplified character -> its traditional candidates, the usual one first.

    Reads opencc's text form (key<TAB>candidates separated by spaces), from a
    file given as such or by running opencc_dict on the binary dictionary the
    package installs.  Only single-character keys are kept."""
    if text is None:
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "st.txt")
            subprocess.run(["opencc_dict", "-i", ocd2, "-o", out,
                            "-f", "ocd2", "-t", "text"], check=True)
            return load_opencc(text=out)
    table = {}
    with open(text, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            key, values = line.split("\t", 1)
            if len(key) == 1:
                table[key] = values.split(" ")
    return table


def rs_pair(value):
    """(radical number, residual strokes) from the first value of a
    kRSKangXi or kRSUnicode field."""
    rad, residual = value.split()[0].split(".")
    # A trailing apostrophe marks a simplified radical; the count is that of
    # the traditional form, so the full radical is used.
    return int(rad.rstrip("'")), int(residual)


def kangxi_residual_fixes(uh):
    """Code point -> residual strokes, where the Kangxi order says otherwise.

    kKangXi gives a character's place in the Kangxi dictionary, page and
    position, ending in 0 when the dictionary holds that very shape and in 1
    when Unihan only files it where it would stand: right after the entry at
    that position.  The dictionary orders each radical by residual strokes,
    and Unihan files such a character after the last entry of its stroke group
    (22,496 times out of 22,644 where the two groups differ).  When a filed
    character counts one stroke more than the entry it follows, as many as the
    entry after it, its modern shape has gained a stroke over the dictionary's:
    熙 (filed among 火 + 9, counted 火 + 10; name tables give 13).  The
    dictionary's residual is taken then, unless a semantic variant has an entry
    of its own under another radical (舉, whose entry is 擧 under 手)."""
    real = {}
    for cp, info in uh.items():
        kx = info.get("kKangXi", "").split()
        if kx and kx[0].endswith("0") and "kRSKangXi" in info:
            real.setdefault(kx[0][:7], cp)
    places = sorted(real)
    fixes = {}
    for cp, info in uh.items():
        kx = info.get("kKangXi", "").split()
        if not kx or not kx[0].endswith("1") or "kRSKangXi" not in info:
            continue
        anchor = real.get(kx[0][:7])
        i = bisect.bisect_right(places, kx[0][:7])
        if anchor is None or i == len(places):
            continue
        rad, residual = rs_pair(info["kRSKangXi"])
        before = rs_pair(uh[anchor]["kRSKangXi"])
        after = rs_pair(uh[real[places[i]]]["kRSKangXi"])
        if before != (rad, residual - 1) or after != (rad, residual):
            continue
        if _has_entry_elsewhere(uh, info, rad):
            continue
        fixes[cp] = residual - 1
    return fixes


def _has_entry_elsewhere(uh, info, rad):
    for v in info.get("kSemanticVariant", "").split():
        other = uh.get(int(v.split("<")[0][2:], 16), {})
        kx = other.get("kKangXi", "").split()
        if (kx and kx[0].endswith("0") and "kRSKangXi" in other
                and rs_pair(other["kRSKangXi"])[0] != rad):
            return True
    return False
