#include "cli/cli_help.h"

namespace vortane {

namespace {

constexpr std::string_view kGeneralHelp =
    R"(Usage: vortane-cli COMMAND [OPTIONS] [INPUT [OUTPUT]]

Decodes mail text: Base64, Quoted-Printable and HZ, UTF-8 and UTF-7 into GB
or Big5 or into UTF-16, GB <-> Big5, 7bit-8bit restoration, word wrap and
quote marks, the GB / Big5 / Unicode code converter, and re-encoding between
GB 18030, Big5-HKSCS, UTF-8, UTF-16, HZ and UTF-7.

Commands:
  decode base64|qp|hz       decode a whole file by the file (stream) rules
  decode utf7|utf8          decode into big-endian UTF-16 without a byte-order
                            mark, by the file rules
  text base64|qp|hz [--no-double-bytes]
                            decode by the text (frame) rules
  text utf8|utf7 --to gb|big5
                            decode UTF-8 or UTF-7 text into GB or Big5
  text gb2big5|big52gb      convert text from GB to Big5 or from Big5 to GB
  wrap [--width N] [--no-double-bytes]
                            break lines after N bytes with CR LF (Word Wrap)
  mark add|remove [--mark C]
                            add or remove the quote mark at the start of
                            every line
  restore-high-bits START END
                            add 0x80 to the bytes at offsets [START, END)
                            (7bit-8bit); the range is clamped to the input
  convert --from gb|big5|unicode --to gb|big5 [--blanks add|remove|keep]
                            the code converter
  convert --from CODE --to CODE [--strict]
                            re-encode from one code to another: gb, big5,
                            unicode or any label that 'labels' lists
  labels                    list the labels of codes, each with the code it
                            reads as

Options:
  --no-double-bytes         text qp: do not move a line break that splits a
                            double-byte character (text base64 and text hz
                            accept it and are not affected);
                            wrap: break after N bytes even inside a
                            double-byte character
  --to gb|big5              text utf8|utf7: the result code
  --from CODE, --to CODE    convert: the source and result codes; gb, big5
                            and unicode (big-endian UTF-16, or little-endian
                            after the mark FF FE; a source only) through the
                            program's tables, any other name a label
  --strict                  convert: exit 3 and leave OUTPUT as it was when
                            any character could not be read or written
  --blanks add|remove|keep  convert: put one blank before every Chinese
                            character, take the blank before one away, or
                            keep the text as it is (default keep)
  --width N                 wrap: bytes per line, 1 or more (default 70)
  --mark C                  mark: the quote mark, one byte (default '>');
                            an empty mark leaves the text unchanged
  -h, --help                show this help; after a command, its help
  --version                 show the version

INPUT and OUTPUT default to standard input and standard output; '-' names
them too. Bytes pass unchanged: there is no line-end translation. OUTPUT is
written beside and renamed into place only when the command succeeds, so a
failed run leaves an existing OUTPUT as it was; OUTPUT may not be the same
file as INPUT. decode and convert stream their input in 64 KiB blocks with
constant memory; the other commands hold the whole input and result in
memory and write the whole result, 0 bytes included.

Exit status: 0 success, 1 a file could not be read or written (the message
names the file and the cause), 2 a usage error, 3 the text could not be
converted whole (convert --strict).
)";

constexpr std::string_view kDecodeHelp =
    R"(Usage: vortane-cli decode base64|qp|hz|utf7|utf8 [INPUT [OUTPUT]]

Decodes a whole file by the file (stream) rules, in 64 KiB blocks with
constant memory, whatever its size.
  base64   Base64; CR, LF and blanks are skipped, decoding ends at the first
           byte outside the alphabet ('=' included)
  qp       Quoted-Printable: =XX escapes and = CR LF soft line breaks
  hz       HZ: ~{ ... ~} holds GB text with the high bits cleared
  utf7     UTF-7 into big-endian UTF-16, no byte-order mark
  utf8     UTF-8 into big-endian UTF-16, no byte-order mark

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

constexpr std::string_view kTextHelp =
    R"(Usage: vortane-cli text METHOD [OPTIONS] [INPUT [OUTPUT]]

Decodes or converts the whole input in memory by the text (frame) rules and
writes the whole result, 0 bytes included.
  base64                 Base64; a group is begun only while four bytes remain
  qp                     Quoted-Printable, also joining an escape split by a
                         soft line break and moving a hard line break that
                         splits a double-byte character
  hz                     HZ
  utf8 --to gb|big5      UTF-8 into GB or Big5
  utf7 --to gb|big5      UTF-7 into GB or Big5
  gb2big5                GB into Big5, character by character
  big52gb                Big5 into GB, character by character

Options:
  --no-double-bytes      base64|qp|hz: turn the double-byte line-break repair
                         of qp off (it is on by default)
  --to gb|big5           utf8|utf7: the result code (required)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

constexpr std::string_view kWrapHelp =
    R"(Usage: vortane-cli wrap [--width N] [--no-double-bytes] [INPUT [OUTPUT]]

Word Wrap: inserts CR LF after every N bytes of a line. Only CR ends a line
(the LF after it is the first byte of the next one); breaks fall after N
bytes, not at blanks. A break that would split a double-byte character comes
one byte later.

Options:
  --width N              bytes per line, 1 or more (default 70)
  --no-double-bytes      break after N bytes even inside a double-byte
                         character

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

constexpr std::string_view kMarkHelp =
    R"(Usage: vortane-cli mark add|remove [--mark C] [INPUT [OUTPUT]]

  add      puts the mark at the start of the text and after every LF
  remove   takes one mark off the start of the text and after every LF

Options:
  --mark C               the quote mark, a single byte (default '>'); an
                         empty mark (--mark '') leaves the text unchanged

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

constexpr std::string_view kRestoreHelp =
    R"(Usage: vortane-cli restore-high-bits START END [INPUT [OUTPUT]]

7bit-8bit: adds 0x80 (modulo 256) to every byte at the byte offsets
[START, END) of the input, counted from 0; the range is clamped to the
input, and an empty or reversed range changes nothing.

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

constexpr std::string_view kConvertHelp =
    R"(Usage: vortane-cli convert --from gb|big5|unicode --to gb|big5
                           [--blanks add|remove|keep] [INPUT [OUTPUT]]
       vortane-cli convert --from CODE --to CODE [--strict] [INPUT [OUTPUT]]

Streams a text from one code into another in 64 KiB blocks with constant
memory.

Between gb, big5 and unicode it is the code converter: GB <-> Big5 converts
simplified and traditional characters, unicode is big-endian UTF-16 (read
little-endian when it begins with the mark FF FE, the mark dropped), and
codes that no table holds are written unchanged.

Any other pair re-encodes: the characters stay what they are. CODE is gb,
big5, unicode (a source only) or a label that 'vortane-cli labels' lists,
any case. As a source a label reads as its code: GBK and GB 2312 labels as
GB 18030, Big5 labels other than big5 as Big5-HKSCS. As a result a GB label
writes GB 18030, a Big5 label other than big5 writes Big5-HKSCS, utf-8 writes
no mark, utf-16 writes little-endian with a mark, utf-16le and utf-16be no
mark. A byte sequence the source cannot read becomes U+FFFD (or '?' where the
result cannot hold it), a character the result cannot hold becomes '?'; the
counts of both go to standard error.

Options:
  --from CODE               the source code (required)
  --to CODE                 the result code (required)
  --blanks add|remove|keep  between gb, big5 and unicode only: put one blank
                            before every Chinese character, take the one
                            there away, or keep the text (default keep)
  --strict                  when any character could not be read or
                            written, exit 3 and leave OUTPUT as it was (on
                            standard output the result has been written as
                            it came; the exit status tells it is not whole)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success (counts of unconverted characters included), 1 an I/O
error, 2 a usage error, 3 not converted whole under --strict.
)";

constexpr std::string_view kLabelsHelp =
    R"(Usage: vortane-cli labels

Lists every label of a code that convert --from and --to take besides gb,
big5 and unicode: one line each, the label, a tab, the code it reads as.
Labels match in any case, with blanks and quotes around them ignored.

Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

}  // namespace

std::string_view GeneralHelp() { return kGeneralHelp; }

std::string_view CommandHelp(std::string_view command) {
  if (command == "decode") {
    return kDecodeHelp;
  }
  if (command == "text") {
    return kTextHelp;
  }
  if (command == "wrap") {
    return kWrapHelp;
  }
  if (command == "mark") {
    return kMarkHelp;
  }
  if (command == "restore-high-bits") {
    return kRestoreHelp;
  }
  if (command == "convert") {
    return kConvertHelp;
  }
  if (command == "labels") {
    return kLabelsHelp;
  }
  return kGeneralHelp;
}

}  // namespace vortane
