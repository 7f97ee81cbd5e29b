#!/usr/bin/env python3
"""Writes src/detect/char_frequency_data.h: how often each non-ASCII character
occurs in Chinese text, for the reading scorer of src/detect.

Usage: tools/gen_char_frequency.py [--check] [--out FILE] [--man-dir DIR]
                                   [--jieba-dict FILE]

  --check   count again and compare with FILE instead of writing it; exit 1
            when they differ.

Sources (Debian packages; the generated file is committed, so building the
program needs none of them), four parts that weigh the same, so simplified
and traditional characters score alike:
  * the word list of python3-jieba (dict.txt: words with their counts in a
    large simplified corpus): each character counts its words' counts;
  * the same list turned into Taiwan forms by OpenCC's s2tw (package opencc);
  * the simplified manual pages of manpages-zh (DIR/zh_CN), for punctuation
    and the wording of technical text;
  * its traditional manual pages (DIR/zh_TW).
Only characters at U+0080 and above are counted; roff requests and escapes
are plain ASCII and fall out by themselves. A row's weight is the
character's share of the text in parts per ten million (the four parts
averaged); rows of weight 0 are left out.

The benchmark's snippets come from message catalogues of other packages, never
from these pages, so the table is not tuned to the benchmark's text.
"""

import argparse
import collections
import gzip
import os
import subprocess
import sys

from gen_common import check_file, package_version, write_file

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(REPO, "src", "detect", "char_frequency_data.h")
DEFAULT_MAN_DIR = "/usr/share/man"
DEFAULT_JIEBA_DICT = "/usr/lib/python3/dist-packages/jieba/dict.txt"
MAN_HALVES = ("zh_CN", "zh_TW")
PARTS = 10_000_000
MIN_ROWS = 6000


def fail(message):
    print(f"gen_char_frequency.py: {message}", file=sys.stderr)
    sys.exit(2)


def count_half(folder):
    counts = collections.Counter()
    files = 0
    for root, _dirs, names in os.walk(folder):
        for name in sorted(names):
            path = os.path.join(root, name)
            if os.path.islink(path):
                continue
            opener = gzip.open if name.endswith(".gz") else open
            with opener(path, "rb") as stream:
                text = stream.read().decode("utf-8", errors="replace")
            files += 1
            counts.update(ch for ch in text if ord(ch) >= 0x80 and ch != "\ufffd")
    if files == 0:
        fail(f"{folder}: no manual pages (apt-get install manpages-zh)")
    return counts, files


def read_jieba(path):
    words = []
    try:
        with open(path, encoding="utf-8") as stream:
            for line in stream:
                fields = line.split()
                if len(fields) >= 2 and fields[1].isdigit():
                    words.append((fields[0], int(fields[1])))
    except OSError as error:
        fail(f"{path}: {error.strerror} (apt-get install python3-jieba)")
    return words


def to_taiwan_forms(words):
    joined = "\n".join(word for word, _count in words) + "\n"
    try:
        result = subprocess.run(["opencc", "-c", "s2tw.json"], input=joined,
                                capture_output=True, text=True, check=True)
    except (OSError, subprocess.CalledProcessError) as error:
        fail(f"opencc: {error} (apt-get install opencc)")
    converted = result.stdout.split("\n")[:len(words)]
    if len(converted) != len(words):
        fail("opencc gave back a different number of lines")
    return [(word, count) for word, (_old, count) in zip(converted, words)]


def count_words(words):
    counts = collections.Counter()
    for word, count in words:
        for ch in word:
            if ord(ch) >= 0x80:
                counts[ch] += count
    return counts


def build(man_dir, jieba_dict):
    words = read_jieba(jieba_dict)
    parts = [("jieba", count_words(words), len(words)),
             ("jieba s2tw", count_words(to_taiwan_forms(words)), len(words))]
    for half in MAN_HALVES:
        counts, files = count_half(os.path.join(man_dir, half))
        parts.append((f"{half} pages", counts, files))
    totals = [sum(counts.values()) for _name, counts, _n in parts]
    weights = {}
    for point in set().union(*(counts for _name, counts, _n in parts)):
        share = sum(counts[point] / total
                    for (_name, counts, _n), total in zip(parts, totals)) / len(parts)
        weight = round(share * PARTS)
        if weight > 0:
            weights[ord(point)] = weight
    return weights, [(name, n, total) for (name, _c, n), total in zip(parts, totals)]


def check(weights):
    if len(weights) < MIN_ROWS:
        fail(f"check failed: only {len(weights)} rows")
    heaviest = max(weights, key=weights.get)
    if heaviest != 0x7684:  # 的
        fail(f"check failed: heaviest row is U+{heaviest:04X}, not U+7684")
    for point in (0x4E2D, 0x6587, 0x570B, 0x9AD4, 0xFF0C, 0x3002):  # 中 文 國 體 ， 。
        if point not in weights:
            fail(f"check failed: U+{point:04X} missing")


def render(weights, parts, versions):
    rows = sorted(weights.items())
    out = [
        "// Generated by tools/gen_char_frequency.py; do not edit.",
        "//",
        "// How often each non-ASCII character occurs in Chinese text, in parts per",
        "// ten million; included only by char_frequency.cpp.",
        "// Sources: " + ", ".join(f"{name} {version}" for name, version in versions) + ".",
        "// Parts: " + "; ".join(f"{name} ({n} {'words' if 'jieba' in name else 'files'}, "
                                 f"{total} characters)" for name, n, total in parts) + ".",
        f"// Rows: {len(rows)}; weights add up to {sum(weights.values())}.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        "namespace vortane::char_frequency_data {",
        "",
        "struct FrequencyRow {",
        "  std::uint32_t point;",
        "  std::uint32_t weight;",
        "};",
        "",
        "// Sorted by code point.",
        f"inline constexpr FrequencyRow kFrequencyRows[{len(rows)}] = {{",
    ]
    line = []
    for point, weight in rows:
        line.append(f"{{0x{point:05X}, {weight:6d}}},")
        if len(line) == 4:
            out.append("    " + " ".join(line))
            line = []
    if line:
        out.append("    " + " ".join(line))
    out += ["};", "", "}  // namespace vortane::char_frequency_data", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--man-dir", default=DEFAULT_MAN_DIR)
    parser.add_argument("--jieba-dict", default=DEFAULT_JIEBA_DICT)
    args = parser.parse_args()

    versions = [(name, package_version(name, "gen_char_frequency.py"))
                for name in ("python3-jieba", "opencc", "libopencc-data", "manpages-zh")]
    weights, parts = build(args.man_dir, args.jieba_dict)
    check(weights)
    text = render(weights, parts, versions)
    if args.check:
        return check_file(args.out, text, "gen_char_frequency.py")
    write_file(args.out, text)
    print(f"{args.out}: {len(weights)} rows")
    return 0


if __name__ == "__main__":
    sys.exit(main())
