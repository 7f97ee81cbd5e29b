#!/usr/bin/env python3
"""Writes src/cjk/code_tables_data.h: the GB-Unicode, GB-Big5 and Big5-Unicode
code tables that src/cjk/code_tables.cpp serves.

Usage: tools/gen_code_tables.py [--check] [--out FILE]
                                [--opencc-dir DIR] [--unihan FILE]

  --check   build the tables and compare them with FILE instead of writing it;
            exit 1 when they differ. The provenance lines (tool and package
            versions) are left out of the comparison: a newer Python or
            package that gives the same tables only earns a note.

Sources (all on a Debian system; the generated file is committed, so building
the program needs none of them):
  * CPython's gb2312 and big5 codecs, for the two Unicode tables;
  * OpenCC's character dictionaries STCharacters and TWVariants (package
    libopencc-data), dumped to text with opencc_dict (package opencc);
  * Unihan's kTraditionalVariant field (package unicode-data).

The GB-Big5 table is a simplified-to-traditional table: for every GB 2312
character the first candidate that Big5 holds, trying OpenCC's traditional
candidates in order (each followed by its Taiwan variant), then the character
itself (and its Taiwan variant), then Unihan's traditional variants. A few
characters whose first OpenCC candidate is not the everyday form are
reordered (EVERYDAY_FORMS), and GB symbols without an identical Big5 symbol
take a look-alike (SYMBOL_LOOKALIKES).

The script checks the counts and known rows of every table before writing and
stops with a message when one is off.
"""

import argparse
import bz2
import collections
import os
import subprocess
import sys
import tempfile

from gen_common import check_file, package_version, write_file

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(REPO, "src", "cjk", "code_tables_data.h")
DEFAULT_OPENCC_DIR = "/usr/share/opencc"
DEFAULT_UNIHAN = "/usr/share/unicode/Unihan_Variants.txt.bz2"

# GB 2312 in row-column form: rows and columns 0x21..0x7E.
GB_FIRST_BYTE = 0x21
GB_LAST_BYTE = 0x7E
GB_TEXT_OFFSET = 0x8080
# GB 2312 row-column code that the table maps to U+2225 (like 0x214E) rather
# than to U+2016.
GB_PARALLEL_CODE = 0x212C
GB_PARALLEL_POINT = 0x2225

BIG5_FIRST = 0xA140
BIG5_LAST = 0xF9D5
BIG5_TRAIL_RANGES = (range(0x40, 0x7F), range(0xA1, 0xFF))
# ETEN additions (kana, Cyrillic, circled numbers, iteration mark): held by
# the Big5-Unicode table, never a target of the GB-Big5 table.
BIG5_ETEN_FIRST = 0xC6A1
BIG5_ETEN_LAST = 0xC7FC
# Big5 codes that the Big5-Unicode table maps to U+FFFD: the duplicates of
# other rows (0xA1FE, 0xA240, 0xA2CC, 0xA2CE) and three rarely agreed ones.
BIG5_REPLACED = (0xA15A, 0xA1C3, 0xA1C5, 0xA1FE, 0xA240, 0xA2CC, 0xA2CE)
REPLACEMENT = 0xFFFD

# GB codes (text form) that get no GB-Big5 row whatever Big5 holds: the
# ideographic space, and the hiragana, katakana and Cyrillic rows, whose Big5
# counterparts lie only among the ETEN additions.
GB_BIG5_LEFT_OUT_CODES = (0xA1A1,)
GB_BIG5_LEFT_OUT_ROWS = (0xA4, 0xA5, 0xA7)

# GB symbols (text form) with no identical Big5 symbol -> the Big5 look-alike.
# A look-alike that comes before the identical GB symbol would take over the
# Big5-to-GB direction (the first row wins there), so ∑ and ∏ get no row: Big5
# Σ and Π must stay Greek letters.
# 0xA1A5 (modifier macron) deliberately goes to Big5's overline rather than to
# Big5's own modifier macron 0xA3BC: the overline is the macron of Big5 text.
SYMBOL_LOOKALIKES = {
    0xA1A4: 0xA145,  # ・ katakana middle dot -> • Big5 middle dot
    0xA1A5: 0xA1C2,  # ˉ modifier macron     -> ‾ overline
    0xA1AA: 0xA158,  # ― horizontal bar      -> — em dash
    0xA1AB: 0xA1E3,  # ～ fullwidth tilde     -> ∼ tilde operator
    0xA1AC: 0xA1FC,  # ∥ (this GB table)     -> ∥ parallel to, like 0xA1CE
    0xA1C3: 0xA14A,  # ∶ ratio               -> ︰ two-dot leader
    0xA1D6: 0xA1DC,  # ≈ almost equal        -> ≒ approximately equal
    0xA1D7: 0xA1E3,  # ∽ reversed tilde      -> ∼ tilde operator
    0xA1DC: 0xA1D8,  # ≤                     -> ≦
    0xA1DD: 0xA1D9,  # ≥                     -> ≧
    0xA1D1: 0xA1F3,  # ⊙ circled dot         -> ☉ sun
    0xA1E5: 0xA1AA,  # ″ double prime        -> 〞 double prime quotation mark
    0xA1E9: 0xA246,  # ￠ fullwidth cent      -> ¢
    0xA1EA: 0xA247,  # ￡ fullwidth pound     -> £
    0xA3A2: 0xA1A8,  # ＂ fullwidth quote     -> ” right double quote
    0xA3A4: 0xA244,  # ￥ fullwidth yen       -> ¥
    0xA3A7: 0xA1A6,  # ＇ fullwidth apostrophe -> ’ right single quote
    0xA3DB: 0xA165,  # ［ fullwidth bracket   -> 〔 tortoise shell bracket
    0xA3DD: 0xA166,  # ］ fullwidth bracket   -> 〕 tortoise shell bracket
    0xA3DE: 0xA173,  # ＾ fullwidth circumflex -> ︿ (a caret-shaped bracket)
    0xA3E0: 0xA1AB,  # ｀ fullwidth grave     -> ‵ reversed prime
    0xA3FE: 0xA1C2,  # ￣ fullwidth macron    -> ‾ overline
}

# Simplified characters whose first OpenCC candidate is not the form in
# everyday traditional text; the form given here is tried first.
EVERYDAY_FORMS = {
    "钟": "鐘",  # clock, bell; 鍾 is mostly the surname
    "签": "簽",  # sign; 籤 is a bamboo slip
    "吃": "吃",  # eat; 喫 is archaic
    "唇": "唇",  # lip; 脣 is the older variant
    "皂": "皂",  # soap; 皁 is the older variant
    "哗": "嘩",  # uproar; 譁 is the rarer variant
    "袅": "裊",  # curling; 嫋 is the rarer variant
}


def fail(message):
    sys.exit("gen_code_tables.py: " + message)


def decode_one(raw, codec):
    """The single character that `raw` decodes to, or None."""
    try:
        text = raw.decode(codec)
    except UnicodeDecodeError:
        return None
    return text if len(text) == 1 else None


def build_gb_unicode():
    rows = []
    for row in range(GB_FIRST_BYTE, GB_LAST_BYTE + 1):
        for col in range(GB_FIRST_BYTE, GB_LAST_BYTE + 1):
            ch = decode_one(bytes([row | 0x80, col | 0x80]), "gb2312")
            if ch is not None:
                code = row * 256 + col
                point = GB_PARALLEL_POINT if code == GB_PARALLEL_CODE else ord(ch)
                rows.append((code, point))
    return rows


def build_big5_unicode():
    rows = []
    for lead in range(BIG5_FIRST >> 8, (BIG5_LAST >> 8) + 1):
        for trail_range in BIG5_TRAIL_RANGES:
            for trail in trail_range:
                code = lead * 256 + trail
                if not BIG5_FIRST <= code <= BIG5_LAST:
                    continue
                ch = decode_one(bytes([lead, trail]), "big5")
                if ch is not None:
                    point = REPLACEMENT if code in BIG5_REPLACED else ord(ch)
                    rows.append((code, point))
    return rows


def read_opencc_dict(opencc_dir, name, workdir):
    """OpenCC dictionary `name` as {key: [values in OpenCC's order]}."""
    source = os.path.join(opencc_dir, name + ".ocd2")
    text = os.path.join(workdir, name + ".txt")
    try:
        subprocess.run(["opencc_dict", "-i", source, "-o", text, "-f", "ocd2",
                        "-t", "text"], check=True, capture_output=True)
    except (OSError, subprocess.CalledProcessError) as error:
        fail(f"{source}: cannot dump with opencc_dict: {error}")
    table = {}
    with open(text, encoding="utf-8") as lines:
        for line in lines:
            key, values = line.rstrip("\n").split("\t")
            table[key] = values.split(" ")
    return table


def read_unihan_traditional(path):
    """Unihan kTraditionalVariant as {character: [variants]}, and the date."""
    table = {}
    date = "unknown"
    try:
        with bz2.open(path, "rt", encoding="utf-8") as lines:
            for line in lines:
                if line.startswith("# Date:"):
                    date = line[len("# Date:"):].strip()
                fields = line.rstrip("\n").split("\t")
                if len(fields) == 3 and fields[1] == "kTraditionalVariant":
                    table[chr(int(fields[0][2:], 16))] = [
                        chr(int(v.split("<")[0][2:], 16)) for v in fields[2].split()]
    except OSError as error:
        fail(f"{path}: {error.strerror}")
    return table, date


def build_gb_big5(gb_unicode, big5_unicode, st, tw, unihan):
    # Big5 code of each character, first code winning, ETEN additions and the
    # replaced codes excluded.
    big5_of = {}
    for code, point in big5_unicode:
        if BIG5_ETEN_FIRST <= code <= BIG5_ETEN_LAST or point == REPLACEMENT:
            continue
        big5_of.setdefault(chr(point), code)
    if "\ufffd" in big5_of:
        fail("U+FFFD reached the GB-Big5 candidates")

    rows = []
    for code, point in gb_unicode:
        text_code = code + GB_TEXT_OFFSET
        if text_code in GB_BIG5_LEFT_OUT_CODES or (text_code >> 8) in GB_BIG5_LEFT_OUT_ROWS:
            continue
        if text_code in SYMBOL_LOOKALIKES:
            rows.append((text_code, SYMBOL_LOOKALIKES[text_code]))
            continue
        ch = chr(point)
        candidates = []
        if ch in EVERYDAY_FORMS:
            candidates.append(EVERYDAY_FORMS[ch])
        for form in st.get(ch, []) + [ch]:
            candidates.append(form)
            candidates.extend(tw.get(form, []))
        candidates.extend(unihan.get(ch, []))
        for form in candidates:
            if form in big5_of:
                rows.append((text_code, big5_of[form]))
                break
    return rows


def expect(condition, message):
    if not condition:
        fail("check failed: " + message)


def check_tables(gb_unicode, gb_big5, big5_unicode):
    for name, rows in (("GB-Unicode", gb_unicode), ("GB-Big5", gb_big5),
                       ("Big5-Unicode", big5_unicode)):
        firsts = [first for first, _ in rows]
        expect(all(a < b for a, b in zip(firsts, firsts[1:])),
               f"{name} first values not strictly ascending")
        expect(all(0 < v < 0x10000 for row in rows for v in row),
               f"{name} value outside 1..0xFFFF")

    gu = dict(gb_unicode)
    expect(len(gb_unicode) == 7445, f"GB-Unicode has {len(gb_unicode)} rows")
    expect(gb_unicode[0] == (0x2121, 0x3000) and gb_unicode[-1] == (0x777E, 0x9F44),
           "GB-Unicode first or last row")
    for code, point in ((0x2122, 0x3001), (0x2123, 0x3002), (0x2124, 0x30FB),
                        (0x212A, 0x2015), (0x212C, 0x2225), (0x214E, 0x2225),
                        (0x3021, 0x554A), (0x5821, 0x4E8D), (0x6D43, 0x783B)):
        expect(gu.get(code) == point, f"GB-Unicode row {code:04X}")
    points = collections.Counter(gu.values())
    expect(points[0x2225] == 2 and points[0x2016] == 0
           and sum(n for n in points.values() if n > 1) == 2,
           "GB-Unicode repeated code points")
    rows_of = collections.Counter(code >> 8 for code in gu)
    expect(sum(n for r, n in rows_of.items() if r <= 0x29) == 682
           and sum(n for r, n in rows_of.items() if 0x30 <= r <= 0x57) == 3755
           and sum(n for r, n in rows_of.items() if 0x58 <= r <= 0x77) == 3008,
           "GB-Unicode symbol and Hanzi counts")

    bu = dict(big5_unicode)
    expect(len(big5_unicode) == 13710, f"Big5-Unicode has {len(big5_unicode)} rows")
    expect(big5_unicode[0] == (0xA140, 0x3000) and big5_unicode[-1] == (0xF9D5, 0x9F98),
           "Big5-Unicode first or last row")
    for code, point in ((0xA141, 0xFF0C), (0xA142, 0x3001), (0xA143, 0x3002),
                        (0xA145, 0x2022), (0xA14E, 0xFF64), (0xA1C2, 0x203E),
                        (0xA1E3, 0x223C), (0xA1F2, 0x2641), (0xA1F3, 0x2609),
                        (0xA241, 0xFF0F), (0xA242, 0xFF3C), (0xA440, 0x4E00),
                        (0xA441, 0x4E59), (0xA451, 0x5341), (0xA4CA, 0x5345),
                        (0xC6A1, 0x30FE), (0xC7E9, 0x2460), (0xC940, 0x4E42)):
        expect(bu.get(code) == point, f"Big5-Unicode row {code:04X}")
    for code in BIG5_REPLACED:
        expect(bu[code] == REPLACEMENT, f"Big5-Unicode row {code:04X} not U+FFFD")
    points = collections.Counter(bu.values())
    expect(points[REPLACEMENT] == 7 and all(
        n == 1 for p, n in points.items() if p != REPLACEMENT),
        "Big5-Unicode repeated code points")
    for point in (0x2574, 0xFFE3, 0x02CD):
        expect(points[point] == 0, f"Big5-Unicode holds U+{point:04X}")
    for first, last, count in ((0xA140, 0xA3BF, 408), (0xA440, 0xC67E, 5401),
                               (0xC6A1, 0xC7FC, 249), (0xC940, 0xF9D5, 7652)):
        expect(sum(1 for c in bu if first <= c <= last) == count,
               f"Big5-Unicode count in {first:04X}..{last:04X}")

    gb5 = dict(gb_big5)
    expect(gb_big5[0] == (0xA1A2, 0xA142) and gb_big5[-1] == (0xF7FD, 0xC24D),
           "GB-Big5 first or last row")
    for gb, big5 in ((0xA1A3, 0xA143), (0xA1A4, 0xA145), (0xA1A5, 0xA1C2),
                     (0xB0A1, 0xB0DA), (0xB7A2, 0xB56F), (0xB9FA, 0xB0EA),
                     (0xCFB0, 0xB2DF), (0xD6D0, 0xA4A4), (0xD6F8, 0xB5DB),
                     (0xD7C5, 0xB5DB), (0xBCEE, 0xC650), (0xBCEF, 0xC650),
                     (0xC4E3, 0xA741), (0xBAC3, 0xA66E)):
        expect(gb5.get(gb) == big5, f"GB-Big5 row {gb:04X}")
    for big5 in gb5.values():
        expect(big5 in bu and bu[big5] != REPLACEMENT
               and not BIG5_ETEN_FIRST <= big5 <= BIG5_ETEN_LAST,
               f"GB-Big5 value {big5:04X} is no plain Big5 code")
    expect(not any(code >> 8 in GB_BIG5_LEFT_OUT_ROWS or code in GB_BIG5_LEFT_OUT_CODES
                   for code in gb5), "GB-Big5 holds a left-out code")


def gb_big5_counts(gb_unicode, gb_big5, big5_unicode):
    gu = {code + GB_TEXT_OFFSET: point for code, point in gb_unicode}
    bu = dict(big5_unicode)
    same = sum(1 for gb, big5 in gb_big5 if gu[gb] == bu[big5])
    uses = collections.Counter(big5 for _, big5 in gb_big5)
    shared = sum(1 for n in uses.values() if n > 1)
    return len(gb_big5), same, shared


def format_pairs(rows, per_line):
    lines = []
    for start in range(0, len(rows), per_line):
        chunk = rows[start:start + per_line]
        lines.append("    " + " ".join(f"{{0x{a:04X}, 0x{b:04X}}}," for a, b in chunk))
    return lines


def format_gb_big5(rows, gb_unicode, big5_unicode):
    gu = {code + GB_TEXT_OFFSET: point for code, point in gb_unicode}
    bu = dict(big5_unicode)
    return [f"    {{0x{gb:04X}, 0x{big5:04X}}},  // {chr(gu[gb])} {chr(bu[big5])}"
            for gb, big5 in rows]


def render(gb_unicode, gb_big5, big5_unicode, sources):
    rows, same, shared = gb_big5_counts(gb_unicode, gb_big5, big5_unicode)
    out = [
        "// Generated by tools/gen_code_tables.py; do not edit.",
        "//",
        "// The three constant code tables, included only by code_tables.cpp.",
        "// Sources:",
    ]
    out += [f"//   {line}" for line in sources]
    out += [
        f"// GB-Big5: {rows} rows, {same} of them the same character, "
        f"{shared} Big5 codes in two rows.",
        "#pragma once",
        "",
        "#include \"cjk/code_tables.h\"",
        "",
        "namespace vortane::code_tables_data {",
        "",
        "// GB 2312 code in row-column form -> Unicode code point.",
        f"inline constexpr CodePair kGbUnicodeRows[{len(gb_unicode)}] = {{",
    ]
    out += format_pairs(gb_unicode, 4)
    out += [
        "};",
        "",
        "// GB code in text form -> Big5 code (simplified -> traditional).",
        f"inline constexpr CodePair kGbBig5Rows[{len(gb_big5)}] = {{",
    ]
    out += format_gb_big5(gb_big5, gb_unicode, big5_unicode)
    out += [
        "};",
        "",
        "// Big5 code -> Unicode code point.",
        f"inline constexpr CodePair kBig5UnicodeRows[{len(big5_unicode)}] = {{",
    ]
    out += format_pairs(big5_unicode, 4)
    out += ["};", "", "}  // namespace vortane::code_tables_data", ""]
    return "\n".join(out)


def without_provenance(text):
    """The generated text less the version lines under "Sources:"."""
    return "\n".join(line for line in text.split("\n") if not line.startswith("//   "))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--opencc-dir", default=DEFAULT_OPENCC_DIR)
    parser.add_argument("--unihan", default=DEFAULT_UNIHAN)
    args = parser.parse_args()

    gb_unicode = build_gb_unicode()
    big5_unicode = build_big5_unicode()
    with tempfile.TemporaryDirectory() as workdir:
        st = read_opencc_dict(args.opencc_dir, "STCharacters", workdir)
        tw = read_opencc_dict(args.opencc_dir, "TWVariants", workdir)
    unihan, unihan_date = read_unihan_traditional(args.unihan)
    gb_big5 = build_gb_big5(gb_unicode, big5_unicode, st, tw, unihan)
    check_tables(gb_unicode, gb_big5, big5_unicode)

    sources = [
        f"CPython {sys.version.split()[0]} codecs gb2312 and big5 "
        "(GB-Unicode, Big5-Unicode)",
        f"OpenCC data {package_version('libopencc-data')}: STCharacters, TWVariants "
        f"(dumped by opencc_dict {package_version('opencc')})",
        f"Unihan kTraditionalVariant, unicode-data {package_version('unicode-data')} "
        f"({unihan_date})",
    ]
    text = render(gb_unicode, gb_big5, big5_unicode, sources)
    if args.check:
        return check_file(args.out, text, "gen_code_tables.py", without_provenance)
    write_file(args.out, text)
    rows, same, shared = gb_big5_counts(gb_unicode, gb_big5, big5_unicode)
    print(f"{args.out}: GB-Unicode {len(gb_unicode)}, GB-Big5 {rows} "
          f"({same} same character, {shared} Big5 codes in two rows), "
          f"Big5-Unicode {len(big5_unicode)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
