#!/usr/bin/env python3
"""Writes src/detect/ascii_pairs_data.h: how likely each ASCII byte is after
another in Chinese text and in English text, for setting the eighth bit again
on stripped GB text (src/detect/eighth_bit.cpp).

Usage: tools/gen_ascii_pairs.py [--check] [--out FILE] [--locale-dir DIR]

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
"""

import argparse
import gettext
import math
import os
import sys
import textwrap

from gen_common import check_file, package_version, write_file

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(REPO, "src", "detect", "ascii_pairs_data.h")
DEFAULT_LOCALE_DIR = "/usr/share/locale"
# (package, catalogue): packages of priority required, important or standard.
CATALOGUES = (("coreutils", "coreutils"), ("bash", "bash"), ("findutils", "findutils"),
              ("grep", "grep"), ("diffutils", "diffutils"), ("sed", "sed"), ("tar", "tar"),
              ("login", "shadow"), ("libpam-runtime", "Linux-PAM"), ("procps", "procps-ng"),
              ("systemd", "systemd"), ("man-db", "man-db"), ("adduser", "adduser"),
              ("xz-utils", "xz"), ("wget", "wget"))
BLANK = 0x20
IDEOGRAPH = 0x7F
PUNCTUATION = 0x80
TOKENS = 97  # 0x20..0x80
SMOOTHING = 0.5
RANDOM_BYTE = 94


def fail(message):
    print(f"gen_ascii_pairs.py: {message}", file=sys.stderr)
    sys.exit(2)


def is_ideograph(point):
    return (0x3400 <= point <= 0x4DBF or 0x4E00 <= point <= 0x9FFF or
            0xF900 <= point <= 0xFAFF or 0x20000 <= point <= 0x3FFFF)


def is_punctuation(point):
    return (point in (0xB0, 0xB1, 0xB7, 0xD7, 0xF7) or 0x2010 <= point <= 0x206F or
            0x2100 <= point <= 0x22FF or 0x2460 <= point <= 0x24FF or
            0x25A0 <= point <= 0x26FF or 0x3000 <= point <= 0x303F or
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


def count(texts):
    counts = [[0] * TOKENS for _ in range(TOKENS)]
    for text in texts:
        before = BLANK
        for ch in text + "\n":
            after = token(ch)
            counts[before - BLANK][after - BLANK] += 1
            before = after
    return counts


def scores(counts):
    table = []
    for row in counts:
        total = sum(row) + SMOOTHING * TOKENS
        for column, n in enumerate(row):
            chance = (n + SMOOTHING) / total
            scale = 1 if column + BLANK in (IDEOGRAPH, PUNCTUATION) else RANDOM_BYTE
            table.append(round(math.log(chance * scale) * 100))
    return table


def build(locale_dir):
    english, chinese = [], []
    for _package, name in CATALOGUES:
        e, c = read_catalogue(locale_dir, name)
        english += e
        chinese += c
    chinese_counts = count(chinese)
    english_counts = count(english)
    return (scores(chinese_counts), scores(english_counts),
            (len(chinese), sum(map(sum, chinese_counts)), sum(map(sum, english_counts))))


def check(chinese, english):
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


def wrap(text):
    return textwrap.wrap(text, 74, break_on_hyphens=False)


def render(chinese, english, counts, versions):
    messages, chinese_tokens, english_tokens = counts

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
                                                  for name, version in versions) + ".")),
        f"// Counts: {messages} messages; {chinese_tokens} Chinese tokens, "
        f"{english_tokens} English tokens; {TOKENS * TOKENS} cells a table.",
        "#pragma once",
        "",
        "#include <cstdint>",
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
        "}  // namespace vortane::ascii_pairs_data",
        "",
    ]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--locale-dir", default=DEFAULT_LOCALE_DIR)
    args = parser.parse_args()

    versions = [(package, package_version(package, "gen_ascii_pairs.py"))
                for package, _name in CATALOGUES]
    chinese, english, counts = build(args.locale_dir)
    check(chinese, english)
    text = render(chinese, english, counts, versions)
    if args.check:
        return check_file(args.out, text, "gen_ascii_pairs.py")
    write_file(args.out, text)
    print(f"{args.out}: {len(chinese)} cells a table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
