#!/usr/bin/env python3
"""Writes src/charsets/charset_tables_data.h: the GB18030 and Big5-HKSCS tables
that src/charsets/ serves.

Usage: tools/gen_charset_tables.py [--check] [--out FILE] [--report]

  --check   build the tables and compare them with FILE instead of writing it;
            exit 1 when they differ.
  --report  also print, code by code, where the tables differ from the
            decoders and encoders of glibc iconv, ICU and CPython.

Sources (all on a Debian 12 system; the generated file is committed, so
building the program needs none of them):
  * GB18030: ICU's gb18030 converter (package libicu72, the GB18030-2005
    table), with the 18 code changes of GB18030-2022 applied as swaps, the
    way the 2022 table makes them: the two-byte codes A6D9-A6DF, A6EC, A6ED,
    A6F3 read as the vertical forms U+FE10-FE19 and FE59, FE61, FE66, FE67,
    FE6D, FE7E, FE90, FEA0 as U+9FB4-9FBB, and the four-byte codes that
    held those characters before now hold the private-use points the
    two-byte codes had. glibc's GB18030 (package libc6) must agree with the
    18 new two-byte rows.
  * Big5-HKSCS: glibc's BIG5-HKSCS converter (package libc6), which has the
    HKSCS-2008 table, both ways (its encoder decides which code a character
    with two codes is written as).

The script checks the counts and known rows of both tables before writing and
stops with a message when one is off. It loads glibc and ICU through ctypes.
"""

import argparse
import ctypes
import ctypes.util
import os
import sys

from gen_common import check_file, package_version, write_file

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUT = os.path.join(REPO, "src", "charsets", "charset_tables_data.h")

ICU_VERSION = 72

# GB18030 two-byte codes: lead 0x81..0xFE, trail 0x40..0x7E or 0x80..0xFE.
GB_LEADS = range(0x81, 0xFF)
GB_TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))
GB_TWO_BYTE_COUNT = len(GB_LEADS) * len(GB_TRAILS)  # 23940
# Four-byte codes b1 b2 b3 b4 (b1, b3 in 0x81..0xFE; b2, b4 in 0x30..0x39)
# numbered in order; those below this number hold the rest of the BMP.
GB_FOUR_BYTE_BMP_COUNT = 39420
# Four-byte number of 90 30 81 30, which holds U+10000.
GB_SUPPLEMENTARY_FIRST = 189000

# The two-byte rows GB18030-2022 changed.
GB2022_ROWS = {
    0xA6D9: 0xFE10, 0xA6DA: 0xFE12, 0xA6DB: 0xFE11, 0xA6DC: 0xFE13,
    0xA6DD: 0xFE14, 0xA6DE: 0xFE15, 0xA6DF: 0xFE16, 0xA6EC: 0xFE17,
    0xA6ED: 0xFE18, 0xA6F3: 0xFE19, 0xFE59: 0x9FB4, 0xFE61: 0x9FB5,
    0xFE66: 0x9FB6, 0xFE67: 0x9FB7, 0xFE6D: 0x9FB8, 0xFE7E: 0x9FB9,
    0xFE90: 0x9FBA, 0xFEA0: 0x9FBB,
}

# Big5-HKSCS two-byte codes: lead 0x87..0xFE, trail 0x40..0x7E or 0xA1..0xFE.
BIG5_LEADS = range(0x87, 0xFF)
BIG5_TRAILS = list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))
# Values above the last code point in the Big5-HKSCS slots name a pair.
BIG5_PAIR_MARK = 0x110000
# Planes the Big5-HKSCS encoder is asked about: the BMP and plane 2.
BIG5_PLANES = (0, 2)

# Known rows: each table must hold these.
GB_KNOWN = {
    b"\xd6\xec": (0x6731,),          # 朱 (GB 2312)
    b"\xe9\x46": (0x9555,),          # 镕 (GBK)
    b"\xa2\xe3": (0x20AC,),          # €
    b"\xa8\xbc": (0x1E3F,),          # ḿ (2005)
    b"\xa6\xd9": (0xFE10,),          # (2022)
    b"\xfe\x51": (0xE816,),          # private use in 2005 and 2022
    b"\x81\x30\x81\x30": (0x0080,),
    b"\x84\x31\x82\x36": (0xE78D,),  # swapped in 2022
    b"\x84\x31\xa4\x39": (0xFFFF,),
    b"\x95\x34\xb2\x35": (0x20BB7,),  # 𠮷
}
BIG5_KNOWN = {
    b"\xa4\x40": (0x4E00,),          # 一
    b"\x87\x40": (0x43F0,),          # HKSCS-2008
    b"\x88\x62": (0x00CA, 0x0304),
    b"\x8c\x43": (0x9FA6,),
    b"\xa1\x45": (0x2022,),
    b"\xf9\xfe": (0xFFED,),
    b"\x9d\xef": (0x5605,),          # 嘅
}


def fail(message):
    sys.exit("gen_charset_tables.py: " + message)


class GlibcIconv:
    """One glibc iconv conversion, whole input at a time."""

    def __init__(self, to_code, from_code):
        libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
        libc.iconv_open.restype = ctypes.c_void_p
        libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        libc.iconv.restype = ctypes.c_size_t
        pp = ctypes.POINTER(ctypes.c_char_p)
        ps = ctypes.POINTER(ctypes.c_size_t)
        libc.iconv.argtypes = [ctypes.c_void_p, pp, ps, pp, ps]
        self.libc = libc
        self.cd = libc.iconv_open(to_code.encode(), from_code.encode())
        if self.cd in (None, ctypes.c_void_p(-1).value):
            fail(f"glibc iconv cannot convert {from_code} to {to_code}")
        self.out = ctypes.create_string_buffer(64)
        self.failed = ctypes.c_size_t(-1).value

    def convert(self, data):
        """The converted bytes, or None when iconv refuses any of `data`."""
        iconv = self.libc.iconv
        iconv(self.cd, None, None, None, None)
        src = ctypes.c_char_p(data)
        left = ctypes.c_size_t(len(data))
        dst = ctypes.cast(self.out, ctypes.c_char_p)
        room = ctypes.c_size_t(len(self.out))
        if iconv(self.cd, ctypes.byref(src), ctypes.byref(left), ctypes.byref(dst),
                 ctypes.byref(room)) == self.failed or left.value:
            return None
        # Flushes a character the converter holds back for a possible pair.
        if iconv(self.cd, None, None, ctypes.byref(dst), ctypes.byref(room)) == self.failed:
            return None
        return self.out.raw[:len(self.out) - room.value]


def points_of_utf32(raw):
    return tuple(int.from_bytes(raw[i:i + 4], "little") for i in range(0, len(raw), 4))


def utf32_of_points(points):
    return b"".join(p.to_bytes(4, "little") for p in points)


class Glibc:
    def __init__(self, name):
        self.dec = GlibcIconv("UTF-32LE", name)
        self.enc = GlibcIconv(name, "UTF-32LE")

    def decode(self, raw):
        out = self.dec.convert(raw)
        return None if out is None else points_of_utf32(out)

    def encode(self, points):
        return self.enc.convert(utf32_of_points(points))


class Icu:
    """One ICU converter with the stop callbacks (errors are not replaced)."""

    def __init__(self, name):
        try:
            lib = ctypes.CDLL(f"libicuuc.so.{ICU_VERSION}")
        except OSError as error:
            fail(f"cannot load ICU {ICU_VERSION}: {error}")

        def sym(base):
            return getattr(lib, f"{base}_{ICU_VERSION}")

        err = ctypes.c_int(0)
        self.open = sym("ucnv_open")
        self.open.restype = ctypes.c_void_p
        self.open.argtypes = [ctypes.c_char_p, ctypes.POINTER(ctypes.c_int)]
        self.cnv = ctypes.c_void_p(self.open(name.encode(), ctypes.byref(err)))
        if err.value > 0:
            fail(f"ICU has no converter {name}")
        self.to_u = sym("ucnv_toUChars")
        self.to_u.restype = ctypes.c_int32
        self.to_u.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_int32,
                              ctypes.c_char_p, ctypes.c_int32, ctypes.POINTER(ctypes.c_int)]
        self.from_u = sym("ucnv_fromUChars")
        self.from_u.restype = ctypes.c_int32
        self.from_u.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int32,
                                ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(ctypes.c_int)]
        sym("ucnv_setToUCallBack")(self.cnv, sym("UCNV_TO_U_CALLBACK_STOP"), None, None, None,
                                   ctypes.byref(err))
        sym("ucnv_setFromUCallBack")(self.cnv, sym("UCNV_FROM_U_CALLBACK_STOP"), None, None,
                                     None, ctypes.byref(err))
        self.buf = ctypes.create_string_buffer(64)

    def decode(self, raw):
        err = ctypes.c_int(0)
        n = self.to_u(self.cnv, self.buf, 32, raw, len(raw), ctypes.byref(err))
        if err.value > 0:
            return None
        text = self.buf.raw[:2 * n].decode("utf-16-le", "surrogatepass")
        return tuple(map(ord, text))

    def encode(self, points):
        units = "".join(map(chr, points)).encode("utf-16-le")
        err = ctypes.c_int(0)
        n = self.from_u(self.cnv, self.buf, len(self.buf), units, len(units) // 2,
                        ctypes.byref(err))
        return None if err.value > 0 else self.buf.raw[:n]


class Python:
    def __init__(self, name):
        self.name = name

    def decode(self, raw):
        try:
            return tuple(map(ord, raw.decode(self.name)))
        except UnicodeDecodeError:
            return None

    def encode(self, points):
        try:
            return "".join(map(chr, points)).encode(self.name)
        except UnicodeEncodeError:
            return None


def gb_four_byte(number):
    b4 = number % 10
    number //= 10
    b3 = number % 126
    number //= 126
    return bytes([0x81 + number // 10, 0x30 + number % 10, 0x81 + b3, 0x30 + b4])


def gb_slot(raw):
    """Place of a two-byte code in the two-byte table."""
    return (raw[0] - GB_LEADS[0]) * len(GB_TRAILS) + GB_TRAILS.index(raw[1])


def gb_two_byte_codes():
    return [bytes([lead, trail]) for lead in GB_LEADS for trail in GB_TRAILS]


def build_gb18030(icu, glibc):
    """(two-byte points, four-byte BMP points): the GB18030-2022 table."""
    two = []
    for raw in gb_two_byte_codes():
        points = icu.decode(raw)
        if points is None or len(points) != 1 or points[0] > 0xFFFF:
            fail(f"ICU gb18030 reads {raw.hex()} as {points}")
        two.append(points[0])
    four = []
    for number in range(GB_FOUR_BYTE_BMP_COUNT):
        points = icu.decode(gb_four_byte(number))
        if points is None or len(points) != 1 or points[0] > 0xFFFF:
            fail(f"ICU gb18030 reads {gb_four_byte(number).hex()} as {points}")
        four.append(points[0])
    four_slot = {point: number for number, point in enumerate(four)}
    for code, point in GB2022_ROWS.items():
        slot = gb_slot(code.to_bytes(2, "big"))
        if glibc.decode(code.to_bytes(2, "big")) != (point,):
            fail(f"glibc GB18030 does not read {code:04X} as U+{point:04X}")
        old = two[slot]
        two[slot] = point
        four[four_slot[point]] = old
    return two, four


def check_gb18030(two, four):
    points = list(range(0x80)) + two + four
    bmp = [p for p in range(0x10000) if not 0xD800 <= p <= 0xDFFF]
    if len(two) != GB_TWO_BYTE_COUNT or sorted(points) != bmp:
        fail("GB18030 table does not hold every BMP character exactly once")
    for raw, expected in GB_KNOWN.items():
        if gb18030_decode_table(two, four, raw) != expected:
            fail(f"GB18030 table does not read {raw.hex()} as {expected}")


def gb18030_decode_table(two, four, raw):
    if len(raw) == 2:
        return (two[gb_slot(raw)],)
    number = (((raw[0] - 0x81) * 10 + raw[1] - 0x30) * 126 + raw[2] - 0x81) * 10 + raw[3] - 0x30
    if number < GB_FOUR_BYTE_BMP_COUNT:
        return (four[number],)
    return (0x10000 + number - GB_SUPPLEMENTARY_FIRST,)


def gb_runs(four):
    """The four-byte BMP points as runs (first number, first point)."""
    runs = []
    for number, point in enumerate(four):
        if not runs or point != four[number - 1] + 1:
            runs.append((number, point))
    return runs


def build_big5_hkscs(glibc):
    """(slots, pairs, read-only codes, write-only rows) from glibc."""
    slots = []
    pairs = []
    decoded = {}
    for lead in BIG5_LEADS:
        for trail in BIG5_TRAILS:
            code = lead * 256 + trail
            points = glibc.decode(bytes([lead, trail]))
            if points is None:
                slots.append(0)
            elif len(points) == 1:
                slots.append(points[0])
                decoded.setdefault(points[0], []).append(code)
            elif len(points) == 2:
                slots.append(BIG5_PAIR_MARK + len(pairs))
                pairs.append((code, points[0], points[1]))
            else:
                fail(f"glibc BIG5-HKSCS reads {code:04X} as {points}")
    read_only = []
    write_only = []
    for plane in BIG5_PLANES:
        for point in range(plane << 16, (plane + 1) << 16):
            # glibc also passes 0x80 through as U+0080; the table leaves it out
            # (0x80 is no Big5-HKSCS code).
            if 0xD800 <= point <= 0xDFFF or point <= 0x80:
                continue
            raw = glibc.encode((point,))
            codes = decoded.get(point, [])
            if raw is None:
                read_only += codes
                continue
            if len(raw) != 2:
                fail(f"glibc BIG5-HKSCS writes U+{point:04X} as {raw.hex()}")
            code = int.from_bytes(raw, "big")
            if code in codes:
                read_only += [c for c in codes if c != code]
            else:
                read_only += codes
                write_only.append((point, code))
    for code, first, second in pairs:
        if glibc.encode((first, second)) != code.to_bytes(2, "big"):
            fail(f"glibc BIG5-HKSCS does not write U+{first:04X} U+{second:04X} as {code:04X}")
    return slots, pairs, sorted(read_only), write_only


def check_big5_hkscs(slots, pairs):
    if len(slots) != len(BIG5_LEADS) * len(BIG5_TRAILS) or len(pairs) != 4:
        fail("Big5-HKSCS table has the wrong size")
    for raw, expected in BIG5_KNOWN.items():
        slot = slots[(raw[0] - BIG5_LEADS[0]) * len(BIG5_TRAILS) + BIG5_TRAILS.index(raw[1])]
        got = (slot,) if slot < BIG5_PAIR_MARK else pairs[slot - BIG5_PAIR_MARK][1:]
        if got != expected:
            fail(f"Big5-HKSCS table does not read {raw.hex()} as {expected}")


def format_values(values, width, per_line):
    lines = []
    for start in range(0, len(values), per_line):
        chunk = values[start:start + per_line]
        lines.append("    " + " ".join(f"0x{v:0{width}X}," for v in chunk))
    return lines


def render(gb, big5, sources):
    two, four = gb
    runs = gb_runs(four)
    slots, pairs, read_only, write_only = big5
    mapped = sum(1 for s in slots if s)
    out = [
        "// Generated by tools/gen_charset_tables.py; do not edit.",
        "//",
        "// The GB18030 and Big5-HKSCS tables, included only by charset_tables.cpp.",
        "// Sources:",
    ]
    out += [f"//   {line}" for line in sources]
    out += [
        f"// GB18030: {len(two)} two-byte codes, {len(four)} four-byte BMP codes in "
        f"{len(runs)} runs.",
        f"// Big5-HKSCS: {mapped} codes ({len(pairs)} read as two characters), "
        f"{len(read_only)} read only, {len(write_only)} characters written to another code.",
        "#pragma once",
        "",
        "#include <array>",
        "#include <cstdint>",
        "",
        "#include \"charsets/charset_tables.h\"",
        "",
        "namespace vortane::charset_tables_data {",
        "",
        "// GB18030 two-byte code -> code point; slot (lead - 0x81) * 190 + trail",
        "// number (0x40..0x7E are 0..62, 0x80..0xFE are 63..189).",
        f"inline constexpr std::uint16_t kGb18030TwoByte[{len(two)}] = {{",
    ]
    out += format_values(two, 4, 10)
    out += [
        "};",
        "",
        "// GB18030 four-byte numbers below 39420 -> BMP code points, as runs:",
        "// {first number, its code point}; each run lasts until the next.",
        f"inline constexpr GbFourByteRun kGb18030FourByteRuns[{len(runs)}] = {{",
    ]
    for start in range(0, len(runs), 4):
        out.append("    " + " ".join(f"{{{n:5d}, 0x{p:04X}}}," for n, p in runs[start:start + 4]))
    out += [
        "};",
        "",
        "// Big5-HKSCS code -> code point; slot (lead - 0x87) * 157 + trail number",
        "// (0x40..0x7E are 0..62, 0xA1..0xFE are 63..156); 0 no character;",
        "// 0x110000 + n the n-th row of kBig5HkscsPairs.",
        f"inline constexpr std::uint32_t kBig5HkscsCodes[{len(slots)}] = {{",
    ]
    out += format_values(slots, 6, 8)
    out += [
        "};",
        "",
        "// Big5-HKSCS codes that read as two code points (and are written for them).",
        f"inline constexpr Big5PairRow kBig5HkscsPairs[{len(pairs)}] = {{",
    ]
    out += [f"    {{0x{c:04X}, 0x{a:04X}, 0x{b:04X}}}," for c, a, b in pairs]
    out += [
        "};",
        "",
        "// Big5-HKSCS codes that are read but never written: their character is",
        "// written as another code.",
        f"inline constexpr std::uint16_t kBig5HkscsReadOnly[{len(read_only)}] = {{",
    ]
    out += format_values(read_only, 4, 10)
    out += [
        "};",
        "",
        "// Characters Big5-HKSCS writes as a code that reads as another character:",
        "// {code point, code}.",
        f"inline constexpr std::array<Big5WriteRow, {len(write_only)}> kBig5HkscsWriteOnly = {{{{",
    ]
    for start in range(0, len(write_only), 4):
        out.append("    " + " ".join(f"{{0x{p:05X}, 0x{c:04X}}},"
                                     for p, c in write_only[start:start + 4]))
    out += ["}};", "", "}  // namespace vortane::charset_tables_data", ""]
    return "\n".join(out)


def describe(points):
    return "-" if points is None else " ".join(f"U+{p:04X}" for p in points)


def report(gb, big5):
    """Prints where the tables differ from each source, both ways."""
    two, four = gb
    slots, pairs, read_only, write_only = big5
    gb_sources = {"glibc": Glibc("GB18030"), "ICU": Icu("gb18030"), "Python": Python("gb18030")}
    codes = gb_two_byte_codes() + [gb_four_byte(n) for n in range(GB_FOUR_BYTE_BMP_COUNT)]
    ours_gb = {}
    for raw in codes:
        ours_gb[raw] = gb18030_decode_table(two, four, raw)
        for name, source in gb_sources.items():
            theirs = source.decode(raw)
            if theirs != ours_gb[raw]:
                print(f"GB18030 read {raw.hex().upper()}: ours {describe(ours_gb[raw])}, "
                      f"{name} {describe(theirs)}")
    written = {points: raw for raw, points in ours_gb.items()}
    for point in range(0x80, 0x10000):
        if 0xD800 <= point <= 0xDFFF:
            continue
        ours = written[(point,)]
        for name, source in gb_sources.items():
            theirs = source.encode((point,))
            if theirs != ours:
                print(f"GB18030 write U+{point:04X}: ours {ours.hex().upper()}, "
                      f"{name} {theirs.hex().upper() if theirs else '-'}")
    big5_sources = {"ICU": Icu("ibm-1375_P100-2008"), "Python": Python("big5hkscs")}
    pair_points = {BIG5_PAIR_MARK + i: p[1:] for i, p in enumerate(pairs)}
    for index, slot in enumerate(slots):
        lead = BIG5_LEADS[0] + index // len(BIG5_TRAILS)
        raw = bytes([lead, BIG5_TRAILS[index % len(BIG5_TRAILS)]])
        ours = None if slot == 0 else pair_points.get(slot, (slot,))
        for name, source in big5_sources.items():
            theirs = source.decode(raw)
            if theirs != ours:
                print(f"Big5-HKSCS read {raw.hex().upper()}: ours {describe(ours)}, "
                      f"{name} {describe(theirs)}")
    glibc = Glibc("BIG5-HKSCS")
    for plane in BIG5_PLANES:
        for point in range(max(plane << 16, 0x80), (plane + 1) << 16):
            if 0xD800 <= point <= 0xDFFF:
                continue
            ours = None if point == 0x80 else glibc.encode((point,))
            theirs = big5_sources["Python"].encode((point,))
            if theirs != ours:
                print(f"Big5-HKSCS write U+{point:04X}: ours {ours.hex().upper() if ours else '-'}, "
                      f"Python {theirs.hex().upper() if theirs else '-'}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--report", action="store_true")
    args = parser.parse_args()

    gb = build_gb18030(Icu("gb18030"), Glibc("GB18030"))
    check_gb18030(*gb)
    big5 = build_big5_hkscs(Glibc("BIG5-HKSCS"))
    check_big5_hkscs(big5[0], big5[1])
    if args.report:
        report(gb, big5)

    sources = [
        f"ICU {ICU_VERSION} gb18030 (libicu72 {package_version('libicu72')}) with the "
        "GB18030-2022 changes (18 rows, checked against glibc)",
        f"glibc BIG5-HKSCS (libc6 {package_version('libc6')}), both ways",
    ]
    text = render(gb, big5, sources)
    if args.check:
        return check_file(args.out, text, "gen_charset_tables.py")
    write_file(args.out, text)
    print(f"{args.out}: written")
    return 0


if __name__ == "__main__":
    sys.exit(main())
