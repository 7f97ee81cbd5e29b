#!/usr/bin/env python3
"""Measures `vortane-cli auto` beside uchardet on short Chinese snippets.

Run through bench/detect.sh, which installs what this needs. Prints one table
row per cell (code or garbled chain, by snippet size): how often our best
reading gives the original text exactly, and how often uchardet's charset
decodes the snippet to the original text; then the false-repair counts for
clean Chinese and English text, and for other languages in UTF-8; then how
many lines of the whole catalogue text read right with the eighth bit
stripped (in pieces of 2000 bytes: a snippet of that size holds some eighty
lines, so its cell needs nearly every line right); then, when the real mail
corpus is there (--realmail), how well its parts written in GB 2312 read
again with their eighth bit stripped.

The snippets are cut from the message catalogues (.mo files) of a few Debian
packages (CATALOGUES below): translations into zh_CN, zh_TW and zh_HK, and
their English originals. The reading scorer's frequency table is made from
other text (tools/gen_char_frequency.py), and its tables of ASCII in Chinese and
English text from the catalogues of other packages (tools/gen_ascii_pairs.py),
so neither is tuned to these.
"""

import argparse
import base64
import concurrent.futures
import gettext
import os
import quopri
import random
import subprocess
import sys
import tempfile
import time

CATALOGUES = ("dpkg", "apt", "libc", "glib20", "iso_3166-1", "iso_639-2", "iso_4217",
              "gtk20", "gettext-runtime")
LOCALE_DIR = "/usr/share/locale"
SIZES = (20, 50, 200, 2000)
ENGLISH_SIZES = (20, 50, 200)
# Other languages in UTF-8, whose bytes read as GB characters or as a wrong
# display by chance; snippets with at least one letter beyond ASCII.
OTHER_LOCALES = ("ru", "uk", "el", "fr", "it", "de", "es", "pt_BR", "pl", "tr", "vi", "he",
                 "ar", "th", "ko", "ja")
OTHER_SIZES = (20, 50)

# Given names that GB 2312 lacks and GBK holds.
GBK_NAME_CHARS = "喆堃玥赟珺琤瑄镕昇犇翀昉旻璟"
SURNAMES = "王李张刘陈杨黄赵吴周徐孙马朱胡林郭何高罗"
# Characters that GB18030 writes in four bytes (extensions A and B), seen in names.
FOUR_BYTE_CHARS = "㐀㘎䲜䴉𠮷𪚥𡈼𤋮"
# Cantonese characters that Big5 lacks and Big5-HKSCS holds.
HK_CHARS = "嘅咗啲嚟喺嘢哋嗰嘞啱攰冚揾嚿噏嘥"

# uchardet's names that Python spells otherwise.
UCHARDET_CODECS = {"hz-gb-2312": "hz", "ascii": "ascii", "x-euc-tw": "euc_tw"}


def catalogue_text(locale, english=False):
    parts = []
    for name in CATALOGUES:
        path = os.path.join(LOCALE_DIR, locale, "LC_MESSAGES", name + ".mo")
        if not os.path.exists(path):
            continue
        with open(path, "rb") as stream:
            catalog = gettext.GNUTranslations(stream)._catalog
        for key, value in sorted(catalog.items(), key=lambda item: str(item[0])):
            msgid = key[0] if isinstance(key, tuple) else key
            if not msgid:
                continue
            parts.append(msgid if english else value)
    return "\n".join(dict.fromkeys(parts))


def is_han(ch):
    return "\u3400" <= ch <= "\u9fff" or "\U00020000" <= ch <= "\U0003ffff"


def cut(text, start, size, codec):
    """The longest run of text from `start` whose bytes in `codec` fit `size`."""
    out = []
    used = 0
    for ch in text[start:]:
        try:
            n = len(ch.encode(codec))
        except UnicodeEncodeError:
            return None
        if used + n > size:
            break
        out.append(ch)
        used += n
    return "".join(out)


def snippets(rng, text, size, codec, count, insert=None, encoded_size=None):
    """`count` snippets of `text` that fit `size` bytes in `codec` (or in
    `encoded_size(snippet)`), each with at least one ideograph, and each
    holding one of `insert`'s characters when given."""
    found = []
    tries = 0
    while len(found) < count and tries < count * 200:
        tries += 1
        start = rng.randrange(len(text))
        source = text
        if insert:
            extra = insert(rng)
            at = start + rng.randrange(4)
            source = text[:at] + extra + text[at:]
        piece = cut(source, start, size, codec)
        if not piece or not any(is_han(ch) for ch in piece):
            continue
        if insert and not any(ch in extra for ch in piece):
            continue
        if encoded_size:
            while piece and encoded_size(piece) > size:
                piece = piece[:-1]
            if not piece or not any(is_han(ch) for ch in piece):
                continue
        found.append(piece)
    return found


def gbk_name(rng):
    return rng.choice(SURNAMES) + rng.choice(GBK_NAME_CHARS)


def four_byte_name(rng):
    return rng.choice(SURNAMES) + rng.choice(FOUR_BYTE_CHARS)


def hk_words(rng):
    return "".join(rng.choice(HK_CHARS) for _ in range(rng.randrange(1, 3)))


def shown_as(data, codec):
    if codec == "cp1252":  # Windows shows the five unassigned bytes as C1 controls
        text = "".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in data)
    else:
        text = data.decode(codec)
    return text.encode("utf-8")


def quoted_printable(text, codec):
    """`text` in Quoted-Printable as mail sends it: CR LF hard line breaks,
    "=" CR LF soft ones."""
    lines = [quopri.encodestring(line.encode(codec)).replace(b"=\n", b"=\r\n")
             for line in text.split("\n")]
    return b"\r\n".join(line[:-1] if line.endswith(b"\n") else line for line in lines)


def mime_base64(data):
    return base64.encodebytes(data).replace(b"\n", b"\r\n")


def build_cells(rng, count):
    cn = catalogue_text("zh_CN")
    tw = catalogue_text("zh_TW")
    hk = catalogue_text("zh_HK") or tw
    cells = []  # (name, size, originals, garbled bytes, clean)
    for size in SIZES:
        gb2312 = snippets(rng, cn, size, "gb2312", count)
        gbk = snippets(rng, cn, size, "gbk", count, gbk_name)
        gb18030 = snippets(rng, cn, size, "gb18030", count, four_byte_name)
        big5 = snippets(rng, tw, size, "big5", count)
        hkscs = snippets(rng, hk, size, "big5hkscs", count, hk_words)
        utf8 = snippets(rng, cn, size, "utf-8", count // 2) + snippets(rng, tw, size, "utf-8",
                                                                         count - count // 2)
        hz = snippets(rng, cn, size, "gb2312", count,
                      encoded_size=lambda s: len(s.encode("hz")))
        utf7 = snippets(rng, cn, size, "utf-8", count // 2,
                        encoded_size=lambda s: len(s.encode("utf-7")))
        utf7 += snippets(rng, tw, size, "utf-8", count - count // 2,
                         encoded_size=lambda s: len(s.encode("utf-7")))
        codes = [("GB2312", gb2312, "gb2312"), ("GBK", gbk, "gbk"), ("GB18030", gb18030, "gb18030"),
                 ("Big5", big5, "big5"), ("Big5-HKSCS", hkscs, "big5hkscs"),
                 ("UTF-8", utf8, "utf-8"), ("HZ", hz, "hz"), ("UTF-7", utf7, "utf-7")]
        for name, texts, codec in codes:
            clean = codec not in ("hz", "utf-7")  # those two need their step
            cells.append((name, size, texts, [t.encode(codec) for t in texts], clean))
        for name, texts, codec in (("GBK", gbk, "gbk"), ("Big5", big5, "big5"),
                                   ("UTF-8", utf8, "utf-8")):
            raw = [t.encode(codec) for t in texts]
            cells.append((f"Base64 of {name}", size, texts, [mime_base64(b) for b in raw], False))
            cells.append((f"QP of {name}", size, [t.replace("\n", "\r\n") for t in texts],
                          [quoted_printable(t, codec) for t in texts], False))
            cells.append((f"{name} as Latin-1", size, texts,
                          [shown_as(b, "latin-1") for b in raw], False))
            cells.append((f"{name} as CP1252", size, texts,
                          [shown_as(b, "cp1252") for b in raw], False))
        cells.append(("GB2312 8th bit stripped", size, gb2312,
                      [bytes(b & 0x7F for b in t.encode("gb2312")) for t in gb2312], False))
    return cells


def english_snippets(rng, count):
    """`count` pure ASCII snippets of each of ENGLISH_SIZES characters."""
    text = catalogue_text("zh_CN", english=True)
    out = []
    for size in ENGLISH_SIZES:
        found = []
        while len(found) < count:
            start = rng.randrange(len(text))
            piece = text[start:start + size]
            if len(piece) == size and all(ord(ch) < 0x80 for ch in piece):
                found.append(piece)
        out.append((size, found))
    return out


def other_language_snippets(rng, count):
    """Per language, `count` UTF-8 snippets of each of OTHER_SIZES characters."""
    out = []
    for locale in OTHER_LOCALES:
        text = catalogue_text(locale)
        if not text:
            continue
        for size in OTHER_SIZES:
            found = []
            for _ in range(100 * count):
                if len(found) == count:
                    break
                start = rng.randrange(len(text))
                piece = text[start:start + size]
                if len(piece) == size and any(ord(ch) >= 0x80 for ch in piece):
                    found.append(piece)
            out.append((locale, size, found))
    return out


def run_cli(cli, data):
    """Our best reading of `data`: (text or None, chain)."""
    result = subprocess.run([cli, "auto"], input=data, capture_output=True, check=False)
    if result.returncode == 0:
        return result.stdout.decode("utf-8", errors="replace"), result.stderr.decode().strip()
    return None, result.stderr.decode().strip()


def read_all(cli, items, jobs):
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        return list(pool.map(lambda data: run_cli(cli, data), items))


def uchardet_all(items):
    """uchardet's decoding of each item (None when its charset does not decode it)."""
    out = []
    with tempfile.TemporaryDirectory() as folder:
        paths = []
        for i, data in enumerate(items):
            path = os.path.join(folder, f"{i}.txt")
            with open(path, "wb") as stream:
                stream.write(data)
            paths.append(path)
        names = {}
        for start in range(0, len(paths), 500):
            batch = paths[start:start + 500]
            result = subprocess.run(["uchardet", *batch], capture_output=True, text=True,
                                    check=False)
            for line in result.stdout.splitlines():
                path, _sep, name = line.rpartition(": ")
                names[path] = name.strip().lower()
        for path, data in zip(paths, items):
            name = names.get(path, "")
            codec = UCHARDET_CODECS.get(name, name)
            try:
                out.append(data.decode(codec))
            except (LookupError, UnicodeDecodeError, ValueError):
                out.append(None)
    return out


def time_cli(cli, data, runs=3):
    """The fastest of `runs` runs of `vortane-cli auto` on `data`, in ms, and its chain."""
    best = None
    chain = ""
    with tempfile.NamedTemporaryFile() as stream:
        stream.write(data)
        stream.flush()
        for _ in range(runs):
            start = time.perf_counter()
            result = subprocess.run([cli, "auto", stream.name, "/dev/null"], capture_output=True,
                                    check=False)
            elapsed = (time.perf_counter() - start) * 1000
            best = elapsed if best is None else min(best, elapsed)
            chain = result.stderr.decode(errors="replace").strip()
    return best, chain


def speed_inputs():
    """(name, bytes): texts of about 100 KB of each kind, and 10 MB of Base64."""
    cn = catalogue_text("zh_CN")
    gb_text = "".join(ch for ch in cn if ord(ch) < 0x80 or ch.encode("gb2312", "ignore"))

    def text_of(source, size, codec):
        """The start of `source` repeated, cut to `size` bytes of `codec`."""
        repeats = 1 + size // len(source.encode(codec, "replace"))
        return cut(source * repeats, 0, size, codec)

    gb = text_of(gb_text, 100_000, "gb2312")
    return [
        ("100 KB GB18030", gb.encode("gb18030")),
        ("100 KB UTF-8", text_of(cn, 100_000, "utf-8").encode("utf-8")),
        ("100 KB Base64 of GBK", mime_base64(text_of(gb_text, 75_000, "gbk").encode("gbk"))),
        ("100 KB QP of UTF-8", quoted_printable(text_of(cn, 35_000, "utf-8"), "utf-8")),
        ("100 KB HZ", text_of(gb_text, 60_000, "gb2312").encode("hz")),
        ("100 KB UTF-8 as Latin-1",
         shown_as(text_of(cn, 60_000, "utf-8").encode("utf-8"), "latin-1")),
        ("100 KB GB2312 8th bit stripped", bytes(b & 0x7F for b in gb.encode("gb2312"))),
        ("10 MB Base64 of GBK", mime_base64(text_of(gb_text, 7_500_000, "gbk").encode("gbk"))),
    ]


def realmail_stripped(folder):
    """(bytes, text) of each real mail part written in GB 2312 with some
    Chinese, its eighth bit stripped: the part as Python decoded it, line ends
    as LF."""
    items = []
    for name in sorted(os.listdir(folder)):
        if not (".part" in name and name.endswith(".py.txt")):
            continue
        with open(os.path.join(folder, name), encoding="utf-8") as stream:
            text = stream.read().replace("\r\n", "\n")
        try:
            data = text.encode("gb2312")
        except UnicodeEncodeError:
            continue
        if any(b >= 0x80 for b in data):
            items.append((bytes(b & 0x7F for b in data), text))
    return items


def report_realmail(cli, folder, jobs):
    """How well the stripped real mail reads again: parts exact, lines right
    (a part with no reading keeps its stripped lines)."""
    items = realmail_stripped(folder)
    if not items:
        return
    ours = read_all(cli, [data for data, _text in items], jobs)
    exact = refused = lines = right = 0
    for (data, text), (out, _chain) in zip(items, ours):
        if out is None:
            refused += 1
            out = data.decode("ascii")
        exact += out == text
        want, got = text.split("\n"), out.split("\n")
        lines += len(want)
        right += sum(1 for a, b in zip(want, got) if a == b)
    print(f"Real mail in GB2312, eighth bit stripped ({folder}): {exact} of {len(items)} parts "
          f"exact, {refused} with no reading; {right} of {lines} lines right")


def stripped_pieces(text, size):
    """The lines of `text` that GB 2312 writes, in pieces of whole lines of at
    most `size` bytes (a line too long for one is a piece of its own)."""
    pieces, piece, used = [], [], 0
    for line in text.split("\n"):
        try:
            length = len(line.encode("gb2312")) + 1
        except UnicodeEncodeError:
            continue
        if piece and used + length > size:
            pieces.append(piece)
            piece, used = [], 0
        piece.append(line)
        used += length
    if piece:
        pieces.append(piece)
    return pieces


def report_stripped_lines(cli, jobs, size=2000):
    """How many lines of the whole zh_CN catalogue text read right with their
    eighth bit stripped, read in pieces of `size` bytes: the rate of wrong
    lines that the stripped cells' snippets meet at random."""
    pieces = stripped_pieces(catalogue_text("zh_CN"), size)
    texts = ["\n".join(piece) for piece in pieces]
    ours = read_all(cli, [bytes(b & 0x7F for b in t.encode("gb2312")) for t in texts], jobs)
    lines = right = 0
    for text, (out, _chain) in zip(texts, ours):
        want = text.split("\n")
        got = out.split("\n") if out is not None else []
        lines += len(want)
        right += sum(1 for a, b in zip(want, got) if a == b)
    print(f"The catalogue text in GB2312, eighth bit stripped, in pieces of {size} bytes: "
          f"{right} of {lines} lines right ({100.0 * right / lines:.2f} %)")


def percent(hits, total):
    return f"{100.0 * hits / total:5.1f}" if total else "  -  "


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--count", type=int, default=200, help="snippets per cell")
    parser.add_argument("--seed", type=int, default=13)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--show-misses", type=int, default=0,
                        help="print up to this many misses per cell")
    parser.add_argument("--no-speed", action="store_true", help="skip the timings")
    parser.add_argument("--realmail", default=os.environ.get("VORTANE_REALMAIL", os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "shared", "realmail")),
                        help="the real mail corpus, read stripped when present")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    cells = build_cells(rng, args.count)
    english = english_snippets(rng, args.count)
    others = other_language_snippets(random.Random(args.seed + 1), args.count // 4)

    names = []
    for name, _size, _t, _b, _c in cells:
        if name not in names:
            names.append(name)
    results = {}
    step_changes = [0, 0]  # clean snippets given steps, clean snippets in all
    for name, size, texts, garbled, clean in cells:
        ours = read_all(args.cli, garbled, args.jobs)
        theirs = uchardet_all(garbled)
        hits = sum(1 for (text, _c), want in zip(ours, texts) if text == want)
        their_hits = sum(1 for text, want in zip(theirs, texts) if text == want)
        results[(name, size)] = (hits, their_hits, len(texts))
        if clean:
            step_changes[0] += sum(1 for text, chain in ours if text is not None and "then" in chain)
            step_changes[1] += len(texts)
        if args.show_misses:
            shown = 0
            for (text, chain), want, data in zip(ours, texts, garbled):
                if text != want and shown < args.show_misses:
                    shown += 1
                    print(f"  miss {name} {size}: {want!r} -> {text!r} [{chain}] {data[:60]!r}",
                          file=sys.stderr)

    header = f"{'cell':26}" + "".join(f" | {size:>4} B ours  uchardet" for size in SIZES)
    print(header)
    print("-" * len(header))
    for name in names:
        row = f"{name:26}"
        for size in SIZES:
            hits, their_hits, total = results.get((name, size), (0, 0, 0))
            row += f" |     {percent(hits, total)}     {percent(their_hits, total)}"
        print(row)
    print()
    print(f"snippets per cell: {args.count} (seed {args.seed}); numbers are % exact")
    print(f"clean Chinese snippets given a repair step: {step_changes[0]} of {step_changes[1]}")
    for size, pieces in english:
        ours = read_all(args.cli, [p.encode("ascii") for p in pieces], args.jobs)
        changed = sum(1 for text, _chain in ours if text is not None)
        if args.show_misses:
            for (text, chain), piece in zip(ours, pieces):
                if text is not None:
                    print(f"  changed English {size}: {piece!r} -> {text!r} [{chain}]",
                          file=sys.stderr)
        print(f"English snippets of {size} characters changed: {changed} of {len(pieces)}")
    other_changed = {size: [0, 0] for size in OTHER_SIZES}
    by_locale = {}
    for locale, size, pieces in others:
        ours = read_all(args.cli, [p.encode("utf-8") for p in pieces], args.jobs)
        changed = sum(1 for (text, _chain), piece in zip(ours, pieces)
                      if text is not None and text != piece)
        other_changed[size][0] += changed
        other_changed[size][1] += len(pieces)
        if changed:
            by_locale[locale] = by_locale.get(locale, 0) + changed
        if args.show_misses:
            for (text, chain), piece in zip(ours, pieces):
                if text is not None and text != piece:
                    print(f"  changed {locale} {size}: {piece!r} -> {text!r} [{chain}]",
                          file=sys.stderr)
    for size, (changed, total) in other_changed.items():
        print(f"Other languages' UTF-8 snippets of {size} characters changed: {changed} of {total}")
    if by_locale:
        print("  by language: " + ", ".join(f"{k} {v}" for k, v in sorted(by_locale.items())))
    report_stripped_lines(args.cli, args.jobs)
    if os.path.isdir(args.realmail):
        report_realmail(args.cli, os.path.normpath(args.realmail), args.jobs)
    if not args.no_speed:
        print()
        print("vortane-cli auto, whole run (start-up included), fastest of 3:")
        for name, data in speed_inputs():
            ms, chain = time_cli(args.cli, data)
            print(f"  {name:32} {len(data):>9} bytes {ms:8.1f} ms  {chain}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
