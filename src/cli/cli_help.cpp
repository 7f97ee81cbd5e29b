#include "cli/cli_help.h"

namespace vortane {

namespace {

constexpr std::string_view kGeneralHelp =
    R"(Usage: vortane-cli COMMAND [OPTIONS] [INPUT [OUTPUT]]

Decodes mail text: Base64, Quoted-Printable and HZ, UTF-8 and UTF-7 into GB
or Big5 or into UTF-16, GB <-> Big5, 7bit-8bit restoration, word wrap and
quote marks, and the GB / Big5 / Unicode code converter.

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
  auto [--to CODE]          repair garbled Chinese text automatically: the
                            best reading (UTF-8 by default), its chain of
                            decodings on standard error
  auto --list [--json] [INPUT]
                            the readings found, best first

Options:
  --no-double-bytes         text qp: do not move a line break that splits a
                            double-byte character (text base64 and text hz
                            accept it and are not affected);
                            wrap: break after N bytes even inside a
                            double-byte character
  --to gb|big5              text utf8|utf7, convert: the result code
  --from gb|big5|unicode    convert: the source code (unicode: big-endian
                            UTF-16, no byte-order mark)
  --blanks add|remove|keep  convert: put one blank before every Chinese
                            character, take the blank before one away, or
                            keep the text as it is (default keep)
  --width N                 wrap: bytes per line, 1 or more (default 70)
  --mark C                  mark: the quote mark, one byte (default '>');
                            an empty mark leaves the text unchanged
  --to CODE                 auto: write the reading in CODE: utf8 (default),
                            gb, big5 or a label 'vortane-cli labels' lists
  --list, --json            auto: list the readings, as JSON with --json
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
names the file and the cause), 2 a usage error, 3 auto found no Chinese
reading.
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

The code converter: streams a text from GB, Big5 or Unicode (big-endian
UTF-16, no byte-order mark) into GB or Big5, in 64 KiB blocks with constant
memory. Codes that no table holds are written unchanged.

Options:
  --from gb|big5|unicode    the source code (required)
  --to gb|big5              the result code (required)
  --blanks add|remove|keep  the blank before a Chinese character: put one
                            before every Chinese character, take the one
                            there away, or keep the text (default keep)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

constexpr std::string_view kAutoHelp =
    R"(Usage: vortane-cli auto [--to CODE] [INPUT [OUTPUT]]
       vortane-cli auto --list [--json] [INPUT]

Finds the readings that make garbled text read as Chinese: chains of up to
three steps (Base64, Quoted-Printable, HZ, UTF-7, setting the eighth bit
again, undoing a display as Latin-1, CP1252, GBK or Big5) and a final code
(UTF-8, GB18030 or Big5-HKSCS), ranked by how well the text reads. Writes
the best reading and names its chain on standard error ("vortane-cli: INPUT:
Base64, then GB18030"). Text that already reads well is left as it is.

Options:
  --to CODE   write the reading in CODE: utf8 or utf-8 (the default), gb or
              big5 (the converter's tables), or any label of 'vortane-cli
              labels'; simplified and traditional characters are kept, and a
              character CODE cannot hold becomes '?' (said on standard error)
  --list      print the readings best first, one a line: score, chain, the
              start of the text
  --json      with --list: a JSON array of objects with "steps" (the step
              names, the final code last), "score" and "text" (UTF-8)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 a reading was found, 1 an I/O error, 2 a usage error, 3 no
Chinese reading found (OUTPUT is then left as it was).
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
  if (command == "auto") {
    return kAutoHelp;
  }
  return kGeneralHelp;
}

}  // namespace vortane
