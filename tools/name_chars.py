"""Character sets of the word-list generator, and the GB2312 tests every generator uses.

AVOID and PARTICLES say which characters never go into a name: the word list
(gen_words.py) drops words holding one.  BARE_RADICALS are shapes that live as
components of characters, not as characters of their own.  name_worthy_characters
(everyday characters without those sets) is the ranking set of compare_counts.py;
the characters the program proposes are those of resources/name_chars.tsv.
is_gb2312_hanzi and level1 are the GB2312 tests every generator uses.
"""

# Characters nobody wants in a child's or a company's name: death, illness, crime, disaster,
# filth and insult. A pair cut from a word holding one of them would carry it into the name.
AVOID = set(
    "死亡殁殇丧葬尸骸坟墓棺魂鬼魔妖怪煞"
    "病疾疮疫瘟癌疯癫瘫痨痴呆伤残废瘸瞎聋哑"
    "杀戮屠砍斩劫抢盗贼匪寇奸淫娼妓嫖赌骗诈拐贪赃罪囚狱刑枷"
    "灾祸祟厄难凶恶毒害凄惨悲哀哭泣愁苦忧恨怨怒惧恐怖"
    "败衰颓朽腐烂破碎崩溃倒塌毁灭绝穷贫乞饿饥寒"
    "屎尿粪屁臭脏污秽垢蛆蝇蚊虱鼠"
    "奴婢贱蠢笨傻愚拙丑陋騃"
    "孤寡鳏叛逆乱暴虐狠欺辱耻羞妒嫉骂诅咒"
)

# Loss and mere sounds: words use them, a name never does.
NOT_FOR_NAMES = set("丢乒乓")

# Grammatical words and measure words make phrases, not names.
PARTICLES = set("的了着过吗呢吧啊呀么们儿个之乎者也哉兮矣焉嘛啦哪这那某此其")

# Radical and stroke shapes written alone: the Kangxi radicals that are no word of their own
# and the usual component forms (丶 冂 亻 氵 扌 …). Most lie outside GB2312 level 1; the
# list keeps them out whatever the level holds.
BARE_RADICALS = set(
    "丨丶丿乛亅乚亠冂冖冫凵勹匚匸卩厶廴廾彐彑彡彳攴攵殳爿疒癶禸襾辵"
    "亻刂讠氵忄扌犭纟饣钅礻衤艹辶阝冫宀灬罒覀糹訁釒飠"
)


def _gb2312_lead(c):
    """First byte of c's two-byte GB2312 code; 0 when it has none."""
    try:
        b = c.encode("gb2312")
    except UnicodeEncodeError:
        return 0
    return b[0] if len(b) == 2 else 0


def is_gb2312_hanzi(c):
    """GB2312 hanzi, both levels (6,763): row 16 onwards, lead byte 0xB0."""
    return _gb2312_lead(c) >= 0xB0


def level1(c):
    """GB2312 level 1: the 3,755 characters in everyday use (rows 16-55)."""
    return 0xB0 <= _gb2312_lead(c) <= 0xD7


def name_worthy(c):
    return (level1(c) and c not in AVOID and c not in PARTICLES
            and c not in BARE_RADICALS and c not in NOT_FOR_NAMES)


def name_worthy_characters():
    """Every name-worthy character, in GB2312 code order."""
    chars = [chr(cp) for cp in range(0x4E00, 0xA000) if name_worthy(chr(cp))]
    return sorted(chars, key=lambda c: c.encode("gb2312"))
