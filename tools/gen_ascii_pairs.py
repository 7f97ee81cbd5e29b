#!/usr/bin/env python3
"""Writes src/detect/ascii_pairs_data.h: how likely each ASCII byte is after
another in Chinese text and in English text, for setting the eighth bit again
on stripped GB text (src/detect/eighth_bit.cpp).

Usage: tools/gen_ascii_pairs.py [--check] [--out FILE] [--locale-dir DIR]
                                [--jieba-dict FILE]

  --check   count again and compare with FILE instead of writing it; exit 1
            when they differ.

Sources (Debian packages; the generated file is committed, so building the
program needs none of them): the message catalogues of the packages in
CATALOGUES below, of Debian's priorities required, important and standard:
their zh_CN translations give the Chinese table, their English originals the
English one. The benchmark's snippets come from the catalogues of other
packages (bench/detect.py), so the tables are not tuned to them.

A text is read as a chain of tokens: the printable ASCII bytes 0x21..0x7E,
one blank token (0x20) for space, tab, line ends, other controls and
non-Chinese characters, an ideograph token (0x7F) for any ideograph, and a
punctuation token (0x80) for the punctuation and symbols of Chinese text (the
classes of src/detect/char_score.cpp): ASCII runs in Chinese text sit between
quotation marks and brackets more than between ideographs. Row `before`,
column `next` holds ln(P(next | before) * 94) in hundredths of a nat for an
ASCII or blank `next` (so that a byte as likely as one of 94 at random scores
0) and ln(P(next | before)) for the two Chinese tokens (whose character adds
its own frequency score). Counts are smoothed by adding half a count to each
cell.

A third table scores each punctuation mark and symbol of GB 2312 (rows 1 to
9) by how often it occurs among the punctuation of the Chinese catalogues:
ln(P(mark | punctuation) * 10000) in hundredths of a nat, like the frequency
score of an ideograph (whose table comes from running text and dictionary
words, with little punctuation). Counts are smoothed by a twentieth of a
count: a mark the catalogues never use is a rare one, except the marks of
mail and web text in MAIL_MARKS, which count as if seen once.

A fourth table says how much likelier a GB 2312 character is right after
another than on its own, from the catalogues in CATALOGUES and
PAIR_CATALOGUES (more text, again none the benchmark uses) and from the
words of python3-jieba's word list (dict.txt: words with their counts in a
large corpus of simplified Chinese), each word of two characters or more
counting JIEBA_WEIGHT of its count (the list knows which characters make
words, the catalogues which follow each other across words: 的, 了): for two
characters that follow each other at least PAIR_LEAST times, ln(P(b | a) /
P(b)) in hundredths of a nat with P(b | a) smoothed after Witten and Bell
(P(b | a) = (c(a b) + T(a) P(b)) / (c(a) + T(a)), T(a) the number of
characters seen after a); for any other character after a, ln(T(a) / (c(a) +
T(a))), a's back-off, in a fifth table. Characters are GB 2312 pairs by
index (row - 1) * 94 + (column - 1).

A sixth table holds the words of ASCII letters or digits in the Chinese
translations of all those catalogues ("ID", "USB", "debug"), with how often
each occurs, for those seen at least WORD_LEAST times; a word ends where a
letter meets a digit or a small letter a capital ("Proxy", "Login"); words
of digits alone are counted by length instead.

A seventh table says how much likelier an ideograph is right after a single
blank between two characters of the Chinese catalogues when the token before
the blank is a letter or digit, other ASCII, an ideograph or punctuation than
after such a blank at all: Chinese text parts an ASCII word from the
characters around it by blanks, seldom two characters. An eighth says, for
each ASCII sign, how much likelier an ideograph is right after it when an
ideograph comes right before it ("卢巴-卢拉语") than after the sign at all.
"""

import argparse
import gettext
import math
import os
import re
import sys
import textwrap

from gen_common import check_file, package_version, read_jieba, write_file

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(REPO, "src", "detect", "ascii_pairs_data.h")
DEFAULT_LOCALE_DIR = "/usr/share/locale"
# (package, catalogue): packages of priority required, important or standard.
CATALOGUES = (("coreutils", "coreutils"), ("bash", "bash"), ("findutils", "findutils"),
              ("grep", "grep"), ("diffutils", "diffutils"), ("sed", "sed"), ("tar", "tar"),
              ("login", "shadow"), ("libpam-runtime", "Linux-PAM"), ("procps", "procps-ng"),
              ("systemd", "systemd"), ("man-db", "man-db"), ("adduser", "adduser"),
              ("xz-utils", "xz"), ("wget", "wget"))
# (package, catalogue): more text for the table of characters after each other.
PAIR_CATALOGUES = (("git", "git"), ("gnupg-l10n", "gnupg2"), ("postgresql-15", "postgres-15"),
                   ("postgresql-client-15", "psql-15"), ("postgresql-client-15", "pg_dump-15"),
                   ("binutils-common", "binutils"), ("binutils-common", "ld"),
                   ("binutils-common", "bfd"), ("binutils-common", "opcodes"), ("make", "make"),
                   ("gsettings-desktop-schemas", "gsettings-desktop-schemas"),
                   ("appstream", "appstream"), ("shared-mime-info", "shared-mime-info"),
                   ("xkb-data", "xkeyboard-config"), ("packagekit", "PackageKit"),
                   ("libgnutls30", "gnutls30"), ("libgstreamer1.0-0", "gstreamer-1.0"))
PAIR_LEAST = 3
# A tenth of a word's count in the word list: its corpus is some sixty million
# words, the catalogues some three hundred thousand characters.
JIEBA_WEIGHT = 0.1
DEFAULT_JIEBA_DICT = "/usr/lib/python3/dist-packages/jieba/dict.txt"
# Words (runs of ASCII letters and digits) seen at least this often are kept.
WORD_LEAST = 3  # as PAIR_LEAST: a word seen twice may be one message said twice
WORD_LONGEST = 24
DIGITS_LONGEST = 8  # digit runs longer than this are counted with it
BLANK = 0x20
IDEOGRAPH = 0x7F
PUNCTUATION = 0x80
TOKENS = 97  # 0x20..0x80
SMOOTHING = 0.5
PUNCTUATION_SMOOTHING = 0.05
# Marks of Chinese mail and web text ("【通知】") that the catalogues seldom
# use: each counts as if seen at least MAIL_MARK_LEAST times.
MAIL_MARKS = "【】〖〗『』「」《》…―※★☆→─│┌┐└┘├┤┬┴┼＝"
MAIL_MARK_LEAST = 1
RANDOM_BYTE = 94
# The classes of the token before a blank, in the order of the table of
# ideographs after a blank.
BLANK_CLASSES = ("letter or digit", "other ASCII", "ideograph", "punctuation")
# Signs seen fewer times than this right after an ideograph are not weighed.
SIGN_LEAST = 5


def fail(message):
    print(f"gen_ascii_pairs.py: {message}", file=sys.stderr)
    sys.exit(2)


def is_ideograph(point):
    return (0x3400 <= point <= 0x4DBF or 0x4E00 <= point <= 0x9FFF or
            0xF900 <= point <= 0xFAFF or 0x20000 <= point <= 0x3FFFF)


def is_punctuation(point):
    return (point in (0xB0, 0xB1, 0xB7, 0xD7, 0xF7) or 0x2010 <= point <= 0x206F or
            0x2100 <= point <= 0x22FF or 0x2460 <= point <= 0x26FF or 0x3000 <= point <= 0x303F or
            0xFE30 <= point <= 0xFE4F or 0xFF00 <= point <= 0xFFEF)


def token(ch):
    point = ord(ch)
    if 0x21 <= point <= 0x7E:
        return point
    if is_ideograph(point):
        return IDEOGRAPH
    return PUNCTUATION if is_punctuation(point) else BLANK


def read_catalogue(locale_dir, name):
    path = os.path.join(locale_dir, "zh_CN", "LC_MESSAGES", name + ".mo")
    try:
        with open(path, "rb") as stream:
            catalog = gettext.GNUTranslations(stream)._catalog
    except OSError as error:
        fail(f"{path}: {error.strerror}")
    english, chinese = [], []
    for key, value in sorted(catalog.items(), key=lambda item: str(item[0])):
        msgid = key[0] if isinstance(key, tuple) else key
        if msgid:
            english.append(msgid)
            chinese.append(value)
    return english, chinese


def gb2312_punctuation():
    """The punctuation marks and symbols of GB 2312, by code point."""
    marks = []
    for high in range(0xA1, 0xAA):
        for low in range(0xA1, 0xFF):
            try:
                ch = bytes([high, low]).decode("gb2312")
            except UnicodeDecodeError:
                continue
            if is_punctuation(ord(ch)):
                marks.append(ord(ch))
    return sorted(set(marks))


def punctuation_scores(texts):
    marks = gb2312_punctuation()
    counts = dict.fromkeys(marks, 0)
    for text in texts:
        for ch in text:
            if ord(ch) in counts:
                counts[ord(ch)] += 1
    for mark in MAIL_MARKS:
        counts[ord(mark)] = max(counts[ord(mark)], MAIL_MARK_LEAST)
    total = sum(counts.values()) + PUNCTUATION_SMOOTHING * len(marks)
    return [(mark, round(math.log((counts[mark] + PUNCTUATION_SMOOTHING) / total * 10000) * 100))
            for mark in marks], round(sum(counts.values()))


def gb_index(ch):
    """The index of `ch` among GB 2312's pairs, or None."""
    if ord(ch) < 0x80:
        return None
    try:
        code = ch.encode("gb2312")
    except UnicodeEncodeError:
        return None
    if len(code) != 2:
        return None
    return (code[0] - 0xA1) * 94 + (code[1] - 0xA1)


def pair_scores(texts):
    """(pairs, back-offs, characters, pairs seen): sorted (a * 8836 + b,
    score) rows and sorted (a, back-off) rows, from (text, weight) items."""
    single = {}
    after = {}
    for text, weight in texts:
        before = None
        for ch in text:
            index = gb_index(ch)
            if index is not None:
                single[index] = single.get(index, 0) + weight
                if before is not None:
                    row = after.setdefault(before, {})
                    row[index] = row.get(index, 0) + weight
            before = index
    total = sum(single.values())
    pairs, backoffs = [], []
    seen = 0
    for a in sorted(after):
        row = after[a]
        n = sum(row.values())
        kinds = len(row)
        seen += n
        backoffs.append((a, round(math.log(kinds / (n + kinds)) * 100)))
        for b in sorted(row):
            if row[b] >= PAIR_LEAST:
                alone = single[b] / total
                chance = (row[b] + kinds * alone) / (n + kinds)
                pairs.append((a * 8836 + b, round(math.log(chance / alone) * 100)))
    return pairs, backoffs, round(total), round(seen)


def ascii_words(texts):
    """(words, total, digits by length): sorted (word, count) rows of the
    words (runs of ASCII letters or of digits, split where a small letter
    meets a capital) seen at least WORD_LEAST times, not all digits and at
    most WORD_LONGEST long; how many runs there are in all; and
    how many runs of digits alone there are of each length 1..DIGITS_LONGEST
    (the last also counting longer ones)."""
    counts = {}
    digits = [0] * DIGITS_LONGEST
    total = 0
    for text in texts:
        for word in re.findall(r"[A-Z]*[a-z]+|[A-Z]+(?![a-z])|[0-9]+", text):
            total += 1
            if word.isdigit():
                digits[min(len(word), DIGITS_LONGEST) - 1] += 1
            elif len(word) <= WORD_LONGEST:
                counts[word] = counts.get(word, 0) + 1
    words = sorted((word, n) for word, n in counts.items() if n >= WORD_LEAST)
    return words, total, digits


def count(texts):
    counts = [[0] * TOKENS for _ in range(TOKENS)]
    for text in texts:
        before = BLANK
        for ch in text + "\n":
            after = token(ch)
            counts[before - BLANK][after - BLANK] += 1
            before = after
    return counts


def blank_class(ch):
    """The class of the token `ch` before a blank, as BLANK_CLASSES orders
    them, or None for a blank."""
    t = token(ch)
    if t == BLANK:
        return None
    if t == IDEOGRAPH:
        return 2
    if t == PUNCTUATION:
        return 3
    return 0 if chr(t).isalnum() else 1


def ideograph_after_blank(texts):
    """(scores, blanks): by the class of the token before a single blank
    between two characters, ln(P(ideograph after the blank | that class) /
    P(ideograph after the blank)) in hundredths of a nat; how many such blanks
    there are."""
    seen = [0] * len(BLANK_CLASSES)
    ideographs = [0] * len(BLANK_CLASSES)
    for text in texts:
        for at in range(1, len(text) - 1):
            if text[at] != " ":
                continue
            before, after = blank_class(text[at - 1]), token(text[at + 1])
            if before is None or after == BLANK:
                continue
            seen[before] += 1
            ideographs[before] += after == IDEOGRAPH
    overall = (sum(ideographs) + SMOOTHING) / (sum(seen) + 2 * SMOOTHING)
    return [round(math.log((n + SMOOTHING) / (total + 2 * SMOOTHING) / overall) * 100)
            for n, total in zip(ideographs, seen)], sum(seen)


def ideograph_after_sign(texts):
    """By ASCII byte 0x21..0x7E: for a sign (not a letter or digit) seen at
    least SIGN_LEAST times right after an ideograph, ln(P(ideograph after the
    sign | an ideograph before it) / P(ideograph after the sign)) in
    hundredths of a nat; 0 for any other byte."""
    seen, ideographs = {}, {}
    for text in texts:
        padded = " " + text + " "
        for at in range(1, len(padded) - 1):
            sign = padded[at]
            if not (0x21 <= ord(sign) <= 0x7E) or sign.isalnum():
                continue
            after = token(padded[at + 1]) == IDEOGRAPH
            key = (sign, token(padded[at - 1]) == IDEOGRAPH)
            seen[key] = seen.get(key, 0) + 1
            ideographs[key] = ideographs.get(key, 0) + after
    table = []
    for byte in range(0x21, 0x7F):
        sign = chr(byte)
        inner = seen.get((sign, True), 0)
        if sign.isalnum() or inner < SIGN_LEAST:
            table.append(0)
            continue
        total = inner + seen.get((sign, False), 0)
        overall = (ideographs.get((sign, True), 0) + ideographs.get((sign, False), 0) +
                   SMOOTHING) / (total + 2 * SMOOTHING)
        table.append(round(math.log((ideographs.get((sign, True), 0) + SMOOTHING) /
                                    (inner + 2 * SMOOTHING) / overall) * 100))
    return table


def scores(counts):
    table = []
    for row in counts:
        total = sum(row) + SMOOTHING * TOKENS
        for column, n in enumerate(row):
            chance = (n + SMOOTHING) / total
            scale = 1 if column + BLANK in (IDEOGRAPH, PUNCTUATION) else RANDOM_BYTE
            table.append(round(math.log(chance * scale) * 100))
    return table


def build(locale_dir, jieba_dict):
    english, chinese = [], []
    for _package, name in CATALOGUES:
        e, c = read_catalogue(locale_dir, name)
        english += e
        chinese += c
    chinese_counts = count(chinese)
    english_counts = count(english)
    marks, seen = punctuation_scores(chinese)
    more = []
    for _package, name in PAIR_CATALOGUES:
        more += read_catalogue(locale_dir, name)[1]
    listed = [(word, count * JIEBA_WEIGHT)
              for word, count in read_jieba(jieba_dict, "gen_ascii_pairs.py") if len(word) >= 2]
    pairs = pair_scores([(text, 1) for text in chinese + more] + listed)
    words = ascii_words(chinese + more)
    return (scores(chinese_counts), scores(english_counts), marks, pairs, words,
            (ideograph_after_blank(chinese), ideograph_after_sign(chinese)),
            (len(chinese), sum(map(sum, chinese_counts)), sum(map(sum, english_counts)), seen))


def check(chinese, english, marks, pairs, words, after_blank):
    def at(table, before, after):
        return table[(before - BLANK) * TOKENS + (after - BLANK)]
    if len(chinese) != TOKENS * TOKENS or len(english) != TOKENS * TOKENS:
        fail("check failed: wrong table size")
    if not at(chinese, IDEOGRAPH, IDEOGRAPH) > at(chinese, IDEOGRAPH, ord("Q")):
        fail("check failed: Chinese text does not favour an ideograph after one")
    if not at(chinese, PUNCTUATION, ord("%")) > at(chinese, IDEOGRAPH, ord("%")):
        fail("check failed: Chinese text does not favour '%' after a quotation mark")
    if not at(english, ord("t"), ord("h")) > at(english, ord("t"), ord("q")):
        fail("check failed: English text does not favour 'th' over 'tq'")
    score = dict(marks)
    if not score[0xFF0C] > score[0x2026] > score[0x2605]:
        fail("check failed: punctuation does not favour '，' over '…' over '★'")
    pair = dict(pairs[0])

    def key(a, b):
        return gb_index(a) * 8836 + gb_index(b)
    if not pair.get(key("文", "件"), 0) > 200 + pair.get(key("件", "文"), 0):
        fail("check failed: characters after each other do not favour '文件' over '件文'")
    if not after_blank[0][0][2] < -200 < 0 < after_blank[0][0][0]:
        fail("check failed: a blank between two ideographs is not rare")
    if not after_blank[1][ord("-") - 0x21] > 200 or after_blank[1][ord("A") - 0x21] != 0:
        fail("check failed: an ideograph after '-' after an ideograph is not likelier")
    seen = dict(words[0])
    if not seen.get("ID", 0) > seen.get("USB", 0) > 0 or "Q" in seen and seen["Q"] > 100:
        fail("check failed: words do not favour 'ID' over 'USB'")


def wrap(text):
    return textwrap.wrap(text, 74, break_on_hyphens=False)


def render(chinese, english, marks, pair_tables, word_tables, after_blank, counts, versions):
    messages, chinese_tokens, english_tokens, seen = counts
    (after_blank_scores, blanks), after_sign = after_blank
    pairs, backoffs, characters, pairs_seen = pair_tables
    words, words_seen, digits = word_tables

    def rows(table):
        out = []
        for start in range(0, len(table), 12):
            out.append("    " + " ".join(f"{v:5d}," for v in table[start:start + 12]))
        return out

    lines = [
        "// Generated by tools/gen_ascii_pairs.py; do not edit.",
        "//",
        "// How likely each token is after another, in Chinese and in English text:",
        "// tokens 0x21..0x7E are those ASCII bytes, 0x20 a blank, 0x7F an",
        "// ideograph, 0x80 Chinese punctuation; cell (before - 0x20) * 97 +",
        "// (next - 0x20), hundredths of a nat. Included only by ascii_pairs.cpp.",
        "// Sources: zh_CN message catalogues of",
        *("//   " + line for line in wrap(", ".join(f"{name} {version}"
                                                  for name, version in versions[0]) + ".")),
        "// and, for the characters after each other, of",
        *("//   " + line for line in wrap(", ".join(f"{name} {version}"
                                                  for name, version in versions[1]) + ".")),
        f"// and the words of python3-jieba {versions[2]} (a tenth of each count);",
        f"// Counts: {messages} messages; {chinese_tokens} Chinese tokens, "
        f"{english_tokens} English tokens;",
        f"// {TOKENS * TOKENS} cells a table; {seen} punctuation marks, "
        f"{len(marks)} rows of GB 2312 punctuation;",
        f"// {characters} GB 2312 characters, {pairs_seen} of them after another;",
        f"// {len(pairs)} rows of characters after each other",
        f"// (seen at least {PAIR_LEAST} times), {len(backoffs)} rows of back-offs;",
        f"// {words_seen} ASCII words, {sum(digits)} of them digits alone; {len(words)} rows",
        f"// of words (seen at least {WORD_LEAST} times); {blanks} single blanks between",
        "// characters.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "#include <string_view>",
        "",
        "namespace vortane::ascii_pairs_data {",
        "",
        f"inline constexpr std::int16_t kChineseText[{TOKENS * TOKENS}] = {{",
        *rows(chinese),
        "};",
        "",
        f"inline constexpr std::int16_t kEnglishText[{TOKENS * TOKENS}] = {{",
        *rows(english),
        "};",
        "",
        "struct PunctuationRow {",
        "  char32_t point;",
        "  std::int16_t score;",
        "};",
        "",
        "// GB 2312's punctuation and symbols among the punctuation of Chinese text,",
        "// sorted by code point.",
        f"inline constexpr PunctuationRow kPunctuation[{len(marks)}] = {{",
        *("    " + " ".join(f"{{0x{point:04X}, {score:5d}}}," for point, score in marks[i:i + 5])
          for i in range(0, len(marks), 5)),
        "};",
        "",
        "struct PairRow {",
        "  std::uint32_t pair;  // first * 8836 + second, each (row - 1) * 94 + (column - 1)",
        "  std::int16_t score;",
        "};",
        "",
        "// GB 2312 characters after each other, sorted by pair.",
        f"inline constexpr PairRow kPairs[{len(pairs)}] = {{",
        *("    " + " ".join(f"{{{key}, {score}}}," for key, score in pairs[i:i + 6])
          for i in range(0, len(pairs), 6)),
        "};",
        "",
        "struct BackoffRow {",
        "  std::uint16_t first;",
        "  std::int16_t score;",
        "};",
        "",
        "// Any other character after `first`, sorted by first.",
        f"inline constexpr BackoffRow kBackoffs[{len(backoffs)}] = {{",
        *("    " + " ".join(f"{{{key}, {score}}}," for key, score in backoffs[i:i + 8])
          for i in range(0, len(backoffs), 8)),
        "};",
        "",
        "struct WordRow {",
        "  std::string_view word;",
        "  std::uint16_t count;",
        "};",
        "",
        "// Words of ASCII letters in Chinese text (a small letter before a capital",
        "// ends one), sorted by their bytes; how many words of letters or digits",
        "// there are in all; how many of digits alone there are of each length",
        f"// 1..{DIGITS_LONGEST} (the last also counting longer ones).",
        f"inline constexpr WordRow kWords[{len(words)}] = {{",
        *("    " + " ".join(f'{{"{word}", {n}}},' for word, n in words[i:i + 6])
          for i in range(0, len(words), 6)),
        "};",
        f"inline constexpr std::uint32_t kWordsSeen = {words_seen};",
        f"inline constexpr std::uint32_t kDigitRuns[{DIGITS_LONGEST}] = {{"
        + ", ".join(str(n) for n in digits) + "};",
        "",
        "// How much likelier an ideograph is right after a single blank when the",
        "// token before the blank is " + ", ".join(BLANK_CLASSES[:-1]) + " or",
        f"// {BLANK_CLASSES[-1]} than after such a blank at all.",
        f"inline constexpr std::int16_t kIdeographAfterBlank[{len(BLANK_CLASSES)}] = {{"
        + ", ".join(str(n) for n in after_blank_scores) + "};",
        "",
        "// How much likelier an ideograph is right after an ASCII sign when an",
        "// ideograph comes right before the sign than after the sign at all, by",
        f"// byte 0x21..0x7E (0 for letters, digits and signs seen fewer than {SIGN_LEAST}",
        "// times after an ideograph).",
        f"inline constexpr std::int16_t kIdeographAfterSign[{len(after_sign)}] = {{",
        *rows(after_sign),
        "};",
        "",
        "}  // namespace vortane::ascii_pairs_data",
        "",
    ]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--locale-dir", default=DEFAULT_LOCALE_DIR)
    parser.add_argument("--jieba-dict", default=DEFAULT_JIEBA_DICT)
    args = parser.parse_args()

    versions = ([(package, package_version(package, "gen_ascii_pairs.py"))
                 for package, _name in CATALOGUES],
                [(package, package_version(package, "gen_ascii_pairs.py"))
                 for package in dict.fromkeys(package for package, _name in PAIR_CATALOGUES)],
                package_version("python3-jieba", "gen_ascii_pairs.py"))
    chinese, english, marks, pairs, words, after_blank, counts = build(args.locale_dir,
                                                                      args.jieba_dict)
    check(chinese, english, marks, pairs, words, after_blank)
    text = render(chinese, english, marks, pairs, words, after_blank, counts, versions)
    if args.check:
        return check_file(args.out, text, "gen_ascii_pairs.py")
    write_file(args.out, text)
    print(f"{args.out}: {len(chinese)} cells a table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
