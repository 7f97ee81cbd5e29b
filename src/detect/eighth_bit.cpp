#include "detect/eighth_bit.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cjk/code_tables.h"
#include "detect/ascii_pairs.h"
#include "detect/char_score.h"

namespace vortane {
namespace {

constexpr unsigned char kFirstStripped = 0x21;
constexpr unsigned char kLastStripped = 0x7E;
constexpr std::size_t kSide = kLastStripped - kFirstStripped + 1;  // 94 rows, 94 columns

// Texts of up to this many stripped bytes may be mostly ASCII.
constexpr std::size_t kShortText = 64;
// A longer text less than a quarter of whose stripped bytes a reading sets is
// not stripped Chinese, unless the reading sets an eighth of them at least and
// gains this much by each byte it sets: a help text of options around a few
// placeholders ("<目录>", "<文件名>"); English mail gains far less.
constexpr std::size_t kStrongShare = 8;
constexpr long kStrongGain = 5 * kPointsPerNat;
// How much likelier the text must be as stripped Chinese than as English.
constexpr long kLeastGain = 3 * kPointsPerNat;
// A longer text that sets too few of its bytes (mail of English, code or
// logs with a few Chinese lines) keeps only its words of Chinese
// (WordOfChinese): runs read as two characters or more, with no letter or
// digit left ASCII (a reading of ASCII errs where the two meet) but the
// digits of a date written in full, each gaining this much a byte over
// English (but a date), and among them this many characters at
// least: identifiers and options read as a few characters again and again
// ("SCNd16", "SCNi16" as 用武倍, 用伍倍).
constexpr long kWordOfChineseGain = 3 * kPointsPerNat / 2;
constexpr std::size_t kLeastWordsCharacters = 6;
// A line that reads this much worse as Chinese than as English stays as it is
// and out of the comparison: an English or HTML line of a mixed mail.
constexpr long kEnglishLine = 10 * kPointsPerNat;

// The least a character scores after the one before it: the table knows the
// words of a large corpus but the text between words from a few catalogues
// only, so two characters never seen together are limited evidence against a
// reading.
constexpr int kLeastPairAfterPair = -kPointsPerNat;
constexpr std::int16_t kUnknownAfterPair = std::numeric_limits<std::int16_t>::min();
// How much likelier a line of two letters or digits alone is such a word
// than one character (five to one in the message catalogues: ln 5), and a
// line of three than a character and a letter (47 to none there).
constexpr long kTwoByteWordLine = 160;
constexpr long kThreeByteWordLine = 300;
// How much an ASCII ">" that closes an ASCII "<" ("<文件>", "[<目录>]")
// counts for the split beyond what the table of bytes after bytes says (that
// table forgets the "<" after one byte); 4 nats read best on catalogue text.
constexpr long kClosingAngle = 4 * kPointsPerNat;
// How much more a placeholder of letters alone in ASCII angles counts
// ("<n>", "<file>"): stripped, "符<n>" reads 符碱> ("<" and "n" are 碱).
// Catalogues write most placeholders in Chinese ("<文件>"), so a common
// character between the angles ("<SP>" as <有>) still wins.
constexpr long kPlaceholder = 3 * kPointsPerNat;
// How much less an ASCII ">" counts that closes no "<": in Chinese text most
// close a placeholder, so the table of bytes after bytes, which cannot tell
// the two apart, makes a stray one too likely ("本 APT" read as "1> APT").
constexpr long kUnmatchedAngle = kPointsPerNat;
constexpr std::size_t kLongestPlaceholder = 8;
// How much less an ASCII "<" counts while another is open (but the second
// of "<<"): placeholders do not nest, and "<软件包名>-<版本号>" read as
// "<软件包名经<版本号>" (">-" is 经).
constexpr long kNestedAngle = 3 * kPointsPerNat;

// How much of the model of ASCII in Chinese text goes to whole words seen in
// the catalogues ("ID", "USB", numbers), against bytes after bytes; and how
// much when the text itself used the word elsewhere ("APT").
constexpr double kWordShare = 0.1;
constexpr double kTextWordShare = 0.5;
// How much of a character's chance goes to how often the text's first reading
// chose it (a text keeps to its names and terms: "卢比", "卢森堡").
constexpr double kTextShare = 0.2;
// Longer words are not looked up.
constexpr std::size_t kLongestWord = 24;
// The tokens a word may start after: kBlankToken..kPunctuationToken.
constexpr std::size_t kWordStartTokens = kPunctuationToken - kBlankToken + 1;

// A run this long of Base64's alphabet alone is Base64 (a body part, a key:
// mail writes lines of 76), not stripped Chinese, a third of whose bytes are
// signs.
constexpr std::size_t kLeastBase64Run = 40;

bool Stripped(unsigned char byte) { return byte >= kFirstStripped && byte <= kLastStripped; }

// The index in a PairTable of the pair of bytes `high`, `low`, their eighth
// bits set or not.
std::size_t PairTableIndex(unsigned char high, unsigned char low) {
  return static_cast<std::size_t>((high & 0x7F) - kFirstStripped) * kSide +
         static_cast<std::size_t>((low & 0x7F) - kFirstStripped);
}

// A blank, a tab or a line end.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool LineEnd(std::string_view text, std::size_t at) {
  return at < text.size() && (text[at] == '\n' || text[at] == '\r');
}

// The cost of each pair in a run that is a line of two or three letters or
// digits alone ("EB", "42", "JB0"), between line ends (a run at either end of
// the text may be cut from a longer line); 0 for other runs.
long ShortWordLineCost(std::string_view text, std::size_t begin, std::size_t end) {
  if ((end - begin != 2 && end - begin != 3) || begin == 0 || !LineEnd(text, begin - 1) ||
      !LineEnd(text, end)) {
    return 0;
  }
  const bool word = std::all_of(text.begin() + static_cast<std::ptrdiff_t>(begin),
                                text.begin() + static_cast<std::ptrdiff_t>(end), [](char c) {
                                  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                         (c >= '0' && c <= '9');
                                });
  return !word ? 0 : end - begin == 2 ? kTwoByteWordLine : kThreeByteWordLine;
}

// How many bytes at the start of `line` are a mail quote prefix ("> ",
// ">> ", "> > "): quote marks and blanks up to a blank or the line end after
// a mark. Stripped, ">>" is 揪 and ">" with a letter many a character; a mark
// right before text (">就") is left to the reading.
std::size_t QuotePrefix(std::string_view line) {
  std::size_t prefix = 0;
  for (std::size_t at = 0; at < line.size() && (line[at] == '>' || line[at] == ' '); ++at) {
    const bool blankNext = at + 1 == line.size() || IsBlank(line[at + 1]);
    if (line[at] == '>' && blankNext) {
      prefix = at + 1;
    }
  }
  return prefix;
}

// The words of mail headers and subjects before their ":" ("Re: ", a
// quoted "To: "), and the labels of signatures ("E: ", "T: ", "Tel: ");
// stripped, "Re" is 义, "To" 赵 and "E:" 藕.
constexpr std::array<std::string_view, 22> kMailWords = {
    "Re",   "RE",      "Fw", "FW", "Fwd", "FWD", "To", "Cc",  "CC",  "From", "Sent",
    "Date", "Subject", "E",  "T",  "M",   "F",   "P",  "Tel", "Fax", "Mob",  "Ext"};

// How many bytes at the start of `run` (after a blank or a line end) are a
// word of mail that stays ASCII: one of kMailWords with its ":" before a
// blank, or the "On" of a reply's "On 2019/7/18 15:13, ZHOU wrote:" (项 when
// read; in HTML mail "wrote:<br>"); 0 for anything else.
std::size_t MailWord(std::string_view run) {
  for (const std::string_view word : kMailWords) {
    if (run.starts_with(word) && run.size() > word.size() + 1 && run[word.size()] == ':' &&
        (run[word.size() + 1] == ' ' || run[word.size() + 1] == '\t')) {
      return word.size() + 1;
    }
  }
  if (run.starts_with("On ")) {
    const std::string_view line = run.substr(0, run.find_first_of("\r\n"));
    if (line.ends_with(" wrote:") || line.ends_with(" wrote:<br>") ||
        line.ends_with(" wrote:<BR>")) {
      return 2;
    }
  }
  return 0;
}

// The greetings that open a mail's line ("Hi John,", "Dear all"); stripped,
// "Hi" is 乳, and the catalogues that teach the model of English seldom greet.
constexpr std::array<std::string_view, 4> kGreetings = {"Hi", "Hello", "Dear", "Hey"};

// How many bytes at the start of `run` are a greeting before a blank, a comma
// or the line's end; 0 for anything else.
std::size_t Greeting(std::string_view run) {
  for (const std::string_view word : kGreetings) {
    if (run.starts_with(word) &&
        (run.size() == word.size() || run[word.size()] == ' ' || run[word.size()] == ',' ||
         run[word.size()] == '\t' || run[word.size()] == '\r' || run[word.size()] == '\n')) {
      return word.size();
    }
  }
  return 0;
}

bool IsBase64Run(std::string_view run) {
  if (run.size() < kLeastBase64Run) {
    return false;
  }
  return std::all_of(run.begin(), run.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
  });
}

// The characters that follow a number in Chinese prose: dates and times
// ("2019年7月18日"), counts and measures ("3天", "42元", "11人"). The
// catalogues the table of tokens comes from write numbers mostly as format
// codes before a blank, so without this a stripped date reads "2019Dj7".
constexpr std::u32string_view kNumberUnits =
    U"年月日号时点分秒元角个人次天位岁周章节条页万亿千百倍米层楼件名家项份张台种多";
// How much likelier such a character is right after a digit.
constexpr long kUnitAfterNumber = 3 * kPointsPerNat;

bool IsNumberUnit(char32_t point) { return kNumberUnits.find(point) != std::u32string_view::npos; }

// One GB 2312 pair by row and column (0..93 each): its character's score
// (an ideograph's frequency score, a punctuation mark's among punctuation,
// others' frequency score) and its token (an ideograph or punctuation); no
// value for an unassigned pair.
struct GbPair {
  std::int16_t score = 0;
  unsigned char token = kIdeographToken;
  bool unit = false;  // one of kNumberUnits
};
using PairTable = std::array<std::optional<GbPair>, kSide * kSide>;

const PairTable& GbPairs() {
  static const PairTable pairs = [] {
    PairTable table{};
    for (const CodePair& row : GbUnicodeTable()) {
      const std::uint32_t high = (row.first >> 8) - kFirstStripped;
      const std::uint32_t low = (row.first & 0xFF) - kFirstStripped;
      if (high < kSide && low < kSide && !table[high * kSide + low]) {
        const std::optional<int> mark = PunctuationScore(row.second);
        table[high * kSide + low] =
            GbPair{static_cast<std::int16_t>(mark ? *mark : FrequencyScore(row.second)),
                   IsIdeograph(row.second) ? kIdeographToken : kPunctuationToken,
                   IsNumberUnit(row.second)};
      }
    }
    return table;
  }();
  return pairs;
}

// True when the bytes at `at` of `text` are a stripped pair of kNumberUnits.
bool UnitAt(std::string_view text, std::size_t at) {
  if (at + 1 >= text.size()) {
    return false;
  }
  const auto high = static_cast<unsigned char>(text[at]);
  const auto low = static_cast<unsigned char>(text[at + 1]);
  if (!Stripped(high) || !Stripped(low)) {
    return false;
  }
  const auto& pair = GbPairs()[PairTableIndex(high, low)];
  return pair && pair->unit;
}

bool IsAlphanumeric(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// How many bytes at the start of `run` are a placeholder: "<", letters
// alone, ">"; 0 for anything else.
std::size_t Placeholder(std::string_view run) {
  if (run.empty() || run[0] != '<') {
    return 0;
  }
  std::size_t end = 1;
  while (end < run.size() && end <= kLongestPlaceholder &&
         IsLetter(static_cast<unsigned char>(run[end]))) {
    ++end;
  }
  return end > 1 && end < run.size() && run[end] == '>' ? end + 1 : 0;
}

// How many digits, `most` at most, `run` has from `at` on.
std::size_t DigitsAt(std::string_view run, std::size_t at, std::size_t most) {
  std::size_t end = at;
  while (end < run.size() && end - at < most && IsDigit(static_cast<unsigned char>(run[end]))) {
    ++end;
  }
  return end - at;
}

// 年, 月 and 日 (C4EA, D4C2, C8D5) stripped.
constexpr std::string_view kStrippedYear = "Dj";
constexpr std::string_view kStrippedMonth = "TB";
constexpr std::string_view kStrippedDay = "HU";
// How much more such a character counts after a digit in a date written in
// full ("2019年7月18日", "7月18日"): a mail's "发送时间: 2019年7月18日" read
// "2019Dj7月备日" with the unit's bonus alone.
constexpr long kDateUnit = 3 * kPointsPerNat;

// By where its pair starts in `run`, whether a stripped 年, 月 or 日 is part
// of a date written in full: digits (four), 年, digits (one or two), 月,
// digits (one or two), 日, the year optional; or the same with formats for
// the digits ("%Y年%-m月%-d日", which read "%YDj%-mTB%-dHU").
std::vector<bool> DateMarks(std::string_view run) {
  std::vector<bool> marks(run.size() + 1);
  // A field is digits or a format of them ("%Y", "%-m", "%d").
  const auto digitsAt = [&](std::size_t at, std::size_t least, std::size_t most) {
    if (at + 1 < run.size() && run[at] == '%') {
      const std::size_t letter = run[at + 1] == '-' ? at + 2 : at + 1;
      return letter < run.size() && IsLetter(static_cast<unsigned char>(run[letter]))
                 ? letter + 1 - at
                 : 0;
    }
    const std::size_t digits = DigitsAt(run, at, most);
    return digits >= least ? digits : 0;
  };
  const auto pairIs = [&](std::size_t at, std::string_view pair) {
    return run.substr(std::min(at, run.size())).starts_with(pair);
  };
  for (std::size_t at = 0; at < run.size(); ++at) {
    if (at > 0 && IsDigit(static_cast<unsigned char>(run[at - 1]))) {
      continue;
    }
    std::size_t month = at;
    std::optional<std::size_t> year;
    if (const std::size_t digits = digitsAt(at, 4, 4);
        digits > 0 && pairIs(at + digits, kStrippedYear)) {
      year = at + digits;
      month = at + digits + kStrippedYear.size();
    }
    const std::size_t monthDigits = digitsAt(month, 1, 2);
    if (monthDigits == 0 || !pairIs(month + monthDigits, kStrippedMonth)) {
      continue;
    }
    month += monthDigits;
    const std::size_t dayDigits = digitsAt(month + kStrippedMonth.size(), 1, 2);
    const std::size_t day = month + kStrippedMonth.size() + dayDigits;
    if (dayDigits == 0 || !pairIs(day, kStrippedDay)) {
      continue;
    }
    if (year) {
      marks[*year] = true;
    }
    marks[month] = true;
    marks[day] = true;
  }
  return marks;
}

// How much less a pair counts that takes a byte AsciiMarks marks.
constexpr long kPairOverAscii = 2 * kPointsPerNat;

// By position in `run`, whether the byte is a digit of a date or a time
// written in digits ("2019/7/18", "2019-07-18", "15:13", "11:46:30"), of a
// size ("6x9", "1920x1080"), of a list of numbers ("1-3,7,11"), the point of
// a number ("4.19"), or a byte of a host name ("OA.com") or of a name joined
// by "::" ("APT::Architectures"): stripped, "18" is 备, "2:35" 埠车, "6x" 而,
// "1-3,7,11" 杯超番北, "4." 串, "OA" 狭 and "APT:" 列院.
std::vector<bool> AsciiMarks(std::string_view run) {
  std::vector<bool> marks(run.size() + 1);
  const auto mark = [&](std::size_t from, std::size_t to) {
    for (std::size_t at = from; at < to; ++at) {
      marks[at] = IsDigit(static_cast<unsigned char>(run[at]));
    }
  };
  for (std::size_t at = 0; at < run.size(); ++at) {
    if (!IsDigit(static_cast<unsigned char>(run[at])) ||
        (at > 0 && IsDigit(static_cast<unsigned char>(run[at - 1])))) {
      continue;
    }
    const std::size_t first = DigitsAt(run, at, 5);
    std::size_t end = at + first;
    if (first == 4 && end < run.size() && (run[end] == '/' || run[end] == '-')) {
      const char separator = run[end];
      const std::size_t month = DigitsAt(run, end + 1, 3);
      const std::size_t afterMonth = end + 1 + month;
      if (month >= 1 && month <= 2 && afterMonth < run.size() && run[afterMonth] == separator) {
        const std::size_t day = DigitsAt(run, afterMonth + 1, 3);
        if (day >= 1 && day <= 2) {
          mark(at, afterMonth + 1 + day);
        }
      }
    } else if (first >= 1 && first <= 4 && end < run.size() &&
               (run[end] == 'x' || run[end] == 'X')) {
      if (const std::size_t second = DigitsAt(run, end + 1, 5); second >= 1 && second <= 4) {
        mark(at, end + 1 + second);
      }
    } else if (first >= 1 && first <= 2 && end < run.size() && run[end] == ':') {
      if (DigitsAt(run, end + 1, 3) == 2) {
        end += 3;
        if (end < run.size() && run[end] == ':' && DigitsAt(run, end + 1, 3) == 2) {
          end += 3;
        }
        mark(at, end);
      }
    }
  }
  // The point of a number ("4.19", "1.5"), where the digits after it may
  // still begin a character ("2.5寸" is "2.54g").
  for (std::size_t at = 1; at + 1 < run.size(); ++at) {
    if (run[at] == '.' && IsDigit(static_cast<unsigned char>(run[at - 1])) &&
        IsDigit(static_cast<unsigned char>(run[at + 1]))) {
      marks[at] = true;
    }
  }
  // A host name ("OA.com", "mail.example.com.cn").
  for (const std::string_view domain : {".com", ".cn", ".net", ".org", ".edu", ".gov"}) {
    for (std::size_t at = run.find(domain); at != std::string_view::npos;
         at = run.find(domain, at + 1)) {
      const std::size_t to = at + domain.size();
      if (at == 0 || !IsAlphanumeric(static_cast<unsigned char>(run[at - 1])) ||
          (to < run.size() && IsAlphanumeric(static_cast<unsigned char>(run[to])))) {
        continue;
      }
      std::size_t from = at;
      while (from > 0 && (IsAlphanumeric(static_cast<unsigned char>(run[from - 1])) ||
                          run[from - 1] == '.' || run[from - 1] == '-')) {
        --from;
      }
      std::fill(marks.begin() + static_cast<std::ptrdiff_t>(from),
                marks.begin() + static_cast<std::ptrdiff_t>(to), true);
    }
  }
  // A list of three numbers or more, or of ranges ("1-3,7,11").
  for (std::size_t at = 0; at < run.size(); ++at) {
    if (!IsDigit(static_cast<unsigned char>(run[at])) ||
        (at > 0 && (IsDigit(static_cast<unsigned char>(run[at - 1])) || run[at - 1] == ',' ||
                    run[at - 1] == '-'))) {
      continue;
    }
    std::size_t end = at;
    std::size_t numbers = 0;
    while (true) {
      const std::size_t digits = DigitsAt(run, end, run.size());
      if (digits == 0) {
        break;
      }
      ++numbers;
      end += digits;
      if (end + 1 >= run.size() || (run[end] != ',' && run[end] != '-') ||
          !IsDigit(static_cast<unsigned char>(run[end + 1]))) {
        break;
      }
      ++end;
    }
    if (numbers >= 3) {
      mark(at, end);
    }
  }
  // Names joined by "::" ("APT::Architectures", "Acquire::ftp::ProxyLogin").
  const auto nameChar = [&](std::size_t at) {
    return at < run.size() &&
           (IsAlphanumeric(static_cast<unsigned char>(run[at])) || run[at] == '_');
  };
  for (std::size_t at = 0; at + 2 < run.size(); ++at) {
    if (run[at] != ':' || run[at + 1] != ':' || !nameChar(at + 2)) {
      continue;
    }
    std::size_t from = at;
    while (from > 0 && nameChar(from - 1)) {
      --from;
    }
    std::size_t to = at + 2;
    while (nameChar(to)) {
      ++to;
    }
    for (std::size_t k = from; k < to; ++k) {
      marks[k] = true;
    }
  }
  return marks;
}

// How much less a pair counts that takes a byte of the number of an item of
// a list at the start of a line (ListNumberAtStart), and more so when
// another line starts with the number before or after it: 伯 and 未 read
// better than "2." and 未 by some 5 nats, but a list goes on with its
// numbers ("1.", "2.", "3."), where 串口 at a line's start is no "4." and 口.
constexpr long kListNumber = 4 * kPointsPerNat;
constexpr long kListNumberInSequence = 8 * kPointsPerNat;
constexpr std::size_t kListNumbers = 100;
using ListNumbers = std::array<bool, kListNumbers>;

// How many bytes at the start of `run` are the number of an item of a list
// ("1.用户", "12.未"): one or two digits, not starting with 0, and a point
// before anything but a digit or a blank; 0 when none is. Stripped, "1." is
// 碑 and "2." 伯; a line that starts "串 %s" is no list, nor one that starts
// 爱 ("0.").
std::size_t ListNumberAtStart(std::string_view run) {
  const std::size_t digits = DigitsAt(run, 0, 3);
  if (digits == 0 || digits > 2 || run[0] == '0' || digits + 1 >= run.size() ||
      run[digits] != '.' || IsDigit(static_cast<unsigned char>(run[digits + 1]))) {
    return 0;
  }
  return digits + 1;
}

// True when only blanks come before `at` on its line of `text`.
bool FirstOnItsLine(std::string_view text, std::size_t at) {
  while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t')) {
    --at;
  }
  return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
}

// The value of the number of an item of a list that ListNumberAtStart
// found `length` bytes long.
std::size_t ListNumberValue(std::string_view run, std::size_t length) {
  std::size_t value = 0;
  for (std::size_t at = 0; at + 1 < length; ++at) {
    value = value * 10 + static_cast<std::size_t>(run[at] - '0');
  }
  return value;
}

// Which numbers of items of lists start the lines of `text`, after blanks.
ListNumbers ListNumbersOf(std::string_view text) {
  ListNumbers numbers{};
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != ' ' && text[at] != '\t' && FirstOnItsLine(text, at)) {
      const std::string_view rest = text.substr(at);
      if (const std::size_t length = ListNumberAtStart(rest); length > 0) {
        numbers[ListNumberValue(rest, length)] = true;
      }
    }
  }
  return numbers;
}

// How many bytes at the start of `run` are a unit of bytes ("KB", "MiB",
// "TB") before anything but a letter or digit; 0 when none is.
std::size_t ByteUnitAtStart(std::string_view run) {
  constexpr std::string_view kMultiples = "kKMGTPEZY";
  if (run.size() < 2 || kMultiples.find(run[0]) == std::string_view::npos) {
    return 0;
  }
  const std::size_t length = run[1] == 'i' ? 3 : 2;
  return length <= run.size() && run[length - 1] == 'B' &&
                 (length == run.size() || !IsAlphanumeric(static_cast<unsigned char>(run[length])))
             ? length
             : 0;
}

// How many bytes at the end of `run` are a number ("64", "1.5"), or all of it
// when it is a format of one ("%.1f", "%lu"); 0 for anything else.
std::size_t NumberAtEnd(std::string_view run) {
  if (run.size() >= 2 && run.front() == '%' && IsLetter(static_cast<unsigned char>(run.back())) &&
      std::all_of(run.begin() + 1, run.end() - 1, [](char c) {
        return IsDigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == 'l';
      })) {
    return run.size();
  }
  if (run.empty() || !IsDigit(static_cast<unsigned char>(run.back()))) {
    return 0;
  }
  std::size_t from = run.size();
  while (from > 0 && (IsDigit(static_cast<unsigned char>(run[from - 1])) || run[from - 1] == '.')) {
    --from;
  }
  return run.size() - from;
}

// The run of stripped bytes of `text` that ends at `end`, or starts at
// `begin`.
std::string_view RunEndingAt(std::string_view text, std::size_t end) {
  std::size_t from = end;
  while (from > 0 && Stripped(static_cast<unsigned char>(text[from - 1]))) {
    --from;
  }
  return text.substr(from, end - from);
}
std::string_view RunStartingAt(std::string_view text, std::size_t begin) {
  std::size_t to = begin;
  while (to < text.size() && Stripped(static_cast<unsigned char>(text[to]))) {
    ++to;
  }
  return text.substr(begin, to - begin);
}

// How much less a pair counts in a unit of bytes after a number and its
// blank ("4 MiB", "%.1f TB"), or in the number: the number's unit bonus and
// the catalogues' "2 月" make 月 likelier than "TB" by some 5 nats, and "64" is
// 洞.
constexpr long kByteUnit = 6 * kPointsPerNat;

// How much more a pair counts right before a menu's key ("(_G)"): a
// translation keeps the key after its Chinese word ("绿(_G)", not "BL(_G)"),
// which the catalogues of the table of bytes after bytes hardly show.
constexpr long kBeforeMenuKey = 2 * kPointsPerNat;

// True when a menu's key in brackets ("(_G)", "(_1)") starts at `at` of `run`.
bool MenuKeyAt(std::string_view run, std::size_t at) {
  return at + 4 <= run.size() && run[at] == '(' && run[at + 1] == '_' &&
         IsAlphanumeric(static_cast<unsigned char>(run[at + 2])) && run[at + 3] == ')';
}

// How much less a pair counts that takes a byte of an abbreviation of
// letters and dots (AbbreviationMarks): stripped, "E.U.A." is 女债廉.
constexpr long kPairOverAbbreviation = 4 * kPointsPerNat;

// By position in `run`, whether the byte is part of an abbreviation of two
// letters or more each followed by a dot ("E.U.A.", "e.g.").
std::vector<bool> AbbreviationMarks(std::string_view run) {
  std::vector<bool> marks(run.size() + 1);
  for (std::size_t at = 0; at + 3 < run.size(); ++at) {
    if (at > 0 && (IsLetter(static_cast<unsigned char>(run[at - 1])) || run[at - 1] == '.')) {
      continue;
    }
    std::size_t end = at;
    while (end + 1 < run.size() && IsLetter(static_cast<unsigned char>(run[end])) &&
           run[end + 1] == '.') {
      end += 2;
    }
    if (end - at >= 4) {
      std::fill(marks.begin() + static_cast<std::ptrdiff_t>(at),
                marks.begin() + static_cast<std::ptrdiff_t>(end), true);
    }
  }
  return marks;
}

// The elements of HTML mail, in small letters ("o:p" is the paragraph of one
// mail program's HTML).
constexpr std::array<std::string_view, 62> kHtmlElements = {
    "!doctype", "a",      "abbr", "b",      "base",     "big",    "blockquote", "body", "br",
    "caption",  "center", "code", "col",    "colgroup", "dd",     "del",        "div",  "dl",
    "dt",       "em",     "font", "form",   "h1",       "h2",     "h3",         "h4",   "h5",
    "h6",       "head",   "hr",   "html",   "i",        "img",    "input",      "ins",  "label",
    "li",       "link",   "meta", "o:p",    "ol",       "option", "p",          "pre",  "s",
    "script",   "small",  "span", "strike", "strong",   "style",  "sub",        "sup",  "table",
    "tbody",    "td",     "th",   "thead",  "title",    "tr",     "u",          "ul"};

constexpr std::size_t kLongestHtmlName = 10;
constexpr std::size_t kLeastNameBeforeAttributes = 3;

// True when an attribute with its value opens at `at` of `text`: letters
// or "-", "=" and a quotation mark ("class=\"", "lang='"), which a short
// element name before a blank needs ("<p class=", not "<P" as 夹).
bool AttributeAt(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() &&
         (IsLetter(static_cast<unsigned char>(text[end])) || text[end] == '-')) {
    ++end;
  }
  return end > at && end + 1 < text.size() && text[end] == '=' &&
         (text[end + 1] == '"' || text[end + 1] == '\'');
}

// True when an element's `name` is written as mail writes one: in small
// letters, in capitals or capitalized ("div", "DIV", "Div"); "<SUb" is 加这.
bool WrittenAsMailDoes(std::string_view name) {
  const auto small = [](char c) { return c >= 'a' && c <= 'z'; };
  const auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
  return std::none_of(name.begin() + 1, name.end(), capital) ||
         std::none_of(name.begin(), name.end(), small);
}

// By letter, where the last closing tag of a one-letter element ("</b>",
// "</I>") starts in `text`; 0 when none does.
using OneLetterCloses = std::array<std::size_t, 26>;
OneLetterCloses LastOneLetterCloses(std::string_view text) {
  OneLetterCloses last{};
  for (std::size_t at = text.find("</"); at != std::string_view::npos;
       at = text.find("</", at + 1)) {
    if (at + 3 < text.size() && IsLetter(static_cast<unsigned char>(text[at + 2])) &&
        text[at + 3] == '>') {
      last[static_cast<std::size_t>((text[at + 2] | 0x20) - 'a')] = at;
    }
  }
  return last;
}

// How many bytes at `at` of `text` open or close an HTML element of mail
// ("<BR>", "</FONT>", "<DIV" before its attributes), up to and with its ">"
// when that comes right after the name; 0 for anything else. Stripped,
// "<BR>" reads as <乱> and "<!DO" as 肌南. A one-letter element but a
// paragraph opens only before its closing tag (`closes`): "<B>", "<I>" and
// "<U>" always close in mail, and "M<I>" is 图 and a blank.
std::size_t HtmlTag(std::string_view text, std::size_t at, const OneLetterCloses& closes) {
  if (at >= text.size() || text[at] != '<') {
    return 0;
  }
  std::size_t name = at + 1;
  if (name < text.size() && text[name] == '/') {
    ++name;
  }
  std::size_t end = name;
  while (end < text.size() && (IsAlphanumeric(static_cast<unsigned char>(text[end])) ||
                               text[end] == '!' || text[end] == ':')) {
    ++end;
  }
  // A short name must end the tag: "<P" and "<S" are 夹 and 加, "</" 集.
  const bool closed = end < text.size() && text[end] == '>';
  const bool blankNext = end == text.size() || IsBlank(text[end]) || text[end] == '/';
  const bool attributesNext =
      blankNext && (end - name >= kLeastNameBeforeAttributes || AttributeAt(text, end + 1));
  if (end == name || end - name > kLongestHtmlName || (!closed && !attributesNext)) {
    return 0;
  }
  const std::string_view written = text.substr(name, end - name);
  if (!WrittenAsMailDoes(written)) {
    return 0;
  }
  std::string lower(written);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  if (std::find(kHtmlElements.begin(), kHtmlElements.end(), lower) == kHtmlElements.end()) {
    return 0;
  }
  if (lower.size() == 1 && lower != "p" && name == at + 1 &&
      closes[static_cast<std::size_t>(lower[0] - 'a')] <= at) {
    return 0;
  }
  return closed ? end + 1 - at : end - at;
}

// The named character references of HTML mail ("&nbsp;", "&gt;").
constexpr std::array<std::string_view, 26> kHtmlEntities = {
    "nbsp",   "lt",    "gt",    "amp",    "quot",  "apos",  "copy",  "reg",    "trade",
    "hellip", "mdash", "ndash", "ldquo",  "rdquo", "lsquo", "rsquo", "middot", "times",
    "divide", "emsp",  "ensp",  "thinsp", "yen",   "laquo", "raquo", "bull"};
constexpr std::size_t kLongestNumericEntity = 8;

// How many bytes at the start of `run` are a character reference of HTML
// ("&nbsp;", "&#12290;", "&#x3002;"), which stays ASCII and parts the text
// around it as a tag does ("&nbsp;原始邮件&nbsp;"); 0 for anything else.
std::size_t HtmlEntity(std::string_view run) {
  if (run.size() < 4 || run[0] != '&') {
    return 0;
  }
  const std::size_t semicolon = run.find(';', 1);
  if (semicolon == std::string_view::npos || semicolon > kLongestNumericEntity + 2) {
    return 0;
  }
  const std::string_view name = run.substr(1, semicolon - 1);
  if (name.size() >= 2 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    const bool number = !digits.empty() && std::all_of(digits.begin(), digits.end(), [&](char c) {
      return hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                 : IsDigit(static_cast<unsigned char>(c));
    });
    return number ? semicolon + 1 : 0;
  }
  return std::find(kHtmlEntities.begin(), kHtmlEntities.end(), name) != kHtmlEntities.end()
             ? semicolon + 1
             : 0;
}

// True when a word may end between `before` and `next`: not both letters or
// digits, a letter and a digit ("A4", "JB10"), or a small letter and a
// capital ("ProxyLogin", "GTlsBackend").
bool WordBoundary(unsigned char before, unsigned char next) {
  if (!IsAlphanumeric(before) || !IsAlphanumeric(next)) {
    return true;
  }
  return IsDigit(before) != IsDigit(next) ||
         (before >= 'a' && before <= 'z' && next >= 'A' && next <= 'Z');
}

// ln of the chance that a run of letters and digits starts after token
// `before` in Chinese text, by token.
const std::array<double, kWordStartTokens>& WordStartChances() {
  static const std::array<double, kWordStartTokens> chances = [] {
    std::array<double, kWordStartTokens> table{};
    for (std::size_t before = 0; before < table.size(); ++before) {
      double sum = 0;
      for (unsigned c = kFirstStripped; c <= kLastStripped; ++c) {
        if (IsAlphanumeric(static_cast<unsigned char>(c)) &&
            WordBoundary(static_cast<unsigned char>(before + kBlankToken),
                         static_cast<unsigned char>(c))) {
          sum += std::exp(ChineseTextStep(static_cast<unsigned char>(before + kBlankToken),
                                          static_cast<unsigned char>(c)) /
                          static_cast<double>(kPointsPerNat)) /
                 kSide;
        }
      }
      table[before] = std::log(sum);
    }
    return table;
  }();
  return chances;
}

// The DP's modes at a position: the last token was an ASCII byte, or a pair
// read as an ideograph or as punctuation, or the last byte of a known word
// (which no letter or digit may follow), or an ASCII sign right after an
// ideograph (an ideograph after it scores IdeographAfterSign more).
constexpr int kAsciiMode = 0;
constexpr int kIdeographMode = 1;
constexpr int kPunctuationMode = 2;
constexpr int kWordMode = 3;
constexpr int kSignMode = 4;
constexpr int kModes = 5;

unsigned char ModeToken(int mode) {
  return mode == kIdeographMode ? kIdeographToken : kPunctuationToken;
}

// The DP's states: a mode, and whether an ASCII "<" is open (its ">" gets
// kClosingAngle).
constexpr int kStates = 2 * kModes;
int StateOf(int mode, bool open) { return mode + (open ? kModes : 0); }
int ModeOf(int state) { return state % kModes; }
bool OpenOf(int state) { return state >= kModes; }
bool IsAsciiMode(int mode) { return mode == kAsciiMode || mode == kWordMode || mode == kSignMode; }

// What a first reading of a text says of the text: by pair index, how much
// likelier each character is in it than the catalogues say (a text keeps to
// its names and terms: "卢比", "卢森堡"); the words of letters and digits it
// read as ASCII, with how often, and every start of one.
struct TextModel {
  std::vector<std::int16_t> boosts;
  // TokenSteps of the first reading; none for a short text.
  std::vector<std::int16_t> steps;
  // By token: how many tokens follow it in the first reading.
  std::vector<int> rowSeen;
  // Each word and each start of one (views into the first reading): how
  // often the word was read, 0 for a start alone.
  std::unordered_map<std::string_view, int> words;
  int wordsSeen = 0;
  // The first reading itself: what starts after the blank that ends a run.
  std::string_view reading;
};

// The token on one side of a blank, with its character when it is an
// ideograph (a pair index).
struct BlankSide {
  unsigned char token = kBlankToken;
  std::size_t pair = 0;
};

// The token of a reading `text` that starts at `at` or, with `ending`, ends
// right before it: an ASCII byte, or the token of a pair whose eighth bits
// are set; a blank for anything else.
BlankSide SideAt(std::string_view text, std::size_t at, bool ending) {
  if (ending ? at == 0 : at >= text.size()) {
    return {};
  }
  const auto byte = static_cast<unsigned char>(text[ending ? at - 1 : at]);
  if (byte < 0x80) {
    return Stripped(byte) ? BlankSide{byte} : BlankSide{};
  }
  if (ending ? at < 2 : at + 1 >= text.size()) {
    return {};
  }
  const std::size_t high = ending ? at - 2 : at;
  const std::size_t index = PairTableIndex(static_cast<unsigned char>(text[high]),
                                           static_cast<unsigned char>(text[high + 1]));
  const auto& pair = GbPairs()[index];
  return pair ? BlankSide{pair->token, index} : BlankSide{};
}

// How much likelier the token `after` is after a single blank when `before`
// comes before the blank than after a blank at all: only an ideograph after
// the blank is weighed (IdeographAfterBlank), and after an ideograph by how
// often the two characters follow each other too: a word parted by a blank
// ("联 系 人", "电 话") is a habit of mail.
long AcrossBlank(BlankSide before, BlankSide after) {
  if (after.token != kIdeographToken) {
    return 0;
  }
  long score = IdeographAfterBlank(before.token);
  if (before.token == kIdeographToken) {
    score += std::max(kLeastPairAfterPair, PairAfterPair(static_cast<std::uint16_t>(before.pair),
                                                         static_cast<std::uint16_t>(after.pair)));
  }
  return score;
}

constexpr std::size_t kTokens = kPunctuationToken - kBlankToken + 1;
// How much of the chance of a token after another goes to how often the
// text's first reading has it there (a list of paper sizes has a letter and
// a digit on each line: "A3" is no 脸 there): up to kTokenShare, less for a
// token seen after few others (seen / (seen + kTokenRowWeight)).
constexpr double kTokenShare = 0.6;
constexpr double kTokenRowWeight = 20;
// A shorter text says too little of its habits: a few lines would teach the
// first reading's own slips ("与APT" read as "SkAPT").
constexpr std::size_t kLeastTokenText = 100;

std::size_t TokenCell(unsigned char before, unsigned char next) {
  return static_cast<std::size_t>(before - kBlankToken) * kTokens +
         static_cast<std::size_t>(next - kBlankToken);
}

// The token of a reading `text` at `i`: an ASCII byte, the token of a pair
// whose eighth bits are set, a blank for anything else. Moves `i` past it.
unsigned char TokenAt(std::string_view text, std::size_t& i) {
  const auto byte = static_cast<unsigned char>(text[i]);
  if (byte >= 0x80 && i + 1 < text.size()) {
    const auto& pair = GbPairs()[PairTableIndex(byte, static_cast<unsigned char>(text[i + 1]))];
    i += 2;
    return pair ? pair->token : kIdeographToken;
  }
  ++i;
  return Stripped(byte) ? byte : kBlankToken;
}

// What a run carries in and out: whether an ASCII "<" is open before it (a
// blank between "<glob" and "模式>" does not close it, a line end does), and
// what each pair costs.
struct RunContext {
  long pairCost = 0;
  bool open = false;
  // What the text's own first reading says (LearnText); none on the first
  // reading.
  const TextModel* text = nullptr;
  // By position in the text: PairAfterPair (no less than kLeastPairAfterPair)
  // of the pair that starts there after the pair that ends there, once
  // looked up (kUnknownAfterPair before); the readings of a text share it.
  std::vector<std::int16_t>* afterPair = nullptr;
  // The numbers of items of lists that start the text's lines.
  const ListNumbers* listNumbers = nullptr;
};

// How often a word is a word of Chinese text: `known` as LookUpAsciiWord
// says, and in the text (`text`) by how often its first reading read it as
// ASCII elsewhere (`timesInText`, once less), kTextShare to that; no value for
// a word neither knows.
std::optional<int> WordScore(std::optional<int> known, int timesInText, const TextModel* text) {
  double inText = 0;
  if (timesInText >= 2) {
    inText = static_cast<double>(timesInText - 1) / text->wordsSeen;
  }
  if (inText == 0) {
    return known;
  }
  const double alone = known ? std::exp(*known / static_cast<double>(kPointsPerNat)) : 0;
  return static_cast<int>(
      std::lround(std::log((1 - kTextShare) * alone + kTextShare * inText) * kPointsPerNat));
}

// How much a known word (`wordScore`, WordScore) of `length` bytes after
// token `before` scores beyond the table of bytes after bytes, which gives its
// bytes `bytesScore`: the two models mixed, `share` to the words. 0 when
// the words add nothing.
long WordBonus(unsigned char before, int wordScore, std::size_t length, long bytesScore,
               double share) {
  const double words = std::log(share) + WordStartChances()[before - kBlankToken] +
                       wordScore / static_cast<double>(kPointsPerNat) +
                       static_cast<double>(length) * std::log(static_cast<double>(kSide)) -
                       bytesScore / static_cast<double>(kPointsPerNat);
  if (words <= std::log(share)) {
    return 0;  // the mix would not beat the bytes alone
  }
  return std::lround(std::log(1 - share + std::exp(words)) * kPointsPerNat);
}

// One run [begin, end) of stripped bytes, between blanks: the best split into
// ASCII bytes and GB 2312 pairs under the model of Chinese text (each token
// scored after the one before it, a pair also by its character's frequency
// and, after a pair, by how often the two characters follow each other; a
// known word of letters and digits by WordBonus beside its bytes; an ASCII
// ">" that closes an open "<" gets its bonus, a pair `pairCost`; the tokens
// at its ends by what the blanks before and after part them from,
// AcrossBlank; an ideograph after a sign after an ideograph by
// IdeographAfterSign), found by dynamic programming over the positions. Sets
// the eighth bit of the chosen pairs in `out`; returns how many bytes it set,
// adds to `gain` how much better the split scores than the run as English
// (the bonuses left out), and leaves in `context.open` whether a "<" is open
// after the run.
std::size_t RestoreRun(std::string& out, std::size_t begin, std::size_t end, RunContext& context,
                       long& gain) {
  const PairTable& pairs = GbPairs();
  const std::size_t n = end - begin;
  // How many tokens follow each token of the run in the first reading: a row
  // of the text's table that the run alone fills says what the first reading
  // made of this run, not what the text does elsewhere (a slip, "找" read as
  // "UR", would teach itself), and gives way to the catalogues'.
  const bool textSteps = context.text != nullptr && !context.text->steps.empty();
  std::array<int, kTokens> ownRows{};
  if (textSteps) {
    const std::string_view reading = context.text->reading;
    for (std::size_t i = begin; i < end && i < reading.size();) {
      const unsigned char token = TokenAt(reading, i);
      if (i < reading.size()) {
        ++ownRows[token - kBlankToken];
      }
    }
  }
  const auto step = [&](unsigned char before, unsigned char next) -> long {
    const std::size_t row = before - kBlankToken;
    return textSteps && (ownRows[row] == 0 || ownRows[row] < context.text->rowSeen[row])
               ? context.text->steps[TokenCell(before, next)]
               : ChineseTextStep(before, next);
  };
  constexpr long kNone = std::numeric_limits<long>::min() / 2;
  // best[i][s]: best score of the first i bytes ending in state s; from[i][s]:
  // the state before; length[i][s]: the bytes of the last token; bonus[i][s]:
  // the bonuses in best[i][s] that the model of English does not know.
  struct Cell {
    long best = kNone;
    long bonus = 0;
    unsigned char from = 0;
    unsigned char length = 0;
  };
  std::vector<std::array<Cell, kStates>> cells(n + 1);
  cells[0][StateOf(kAsciiMode, context.open)].best = 0;
  // Whether a single blank parts the run from a run before it, and from one
  // after it; what those blanks part it from: the token before as read, the
  // token after as the first reading has it.
  const bool blankBefore = begin >= 2 && out[begin - 1] == ' ';
  const bool blankAfter = end + 1 < out.size() && out[end] == ' ';
  const BlankSide beforeRun = blankBefore ? SideAt(out, begin - 1, true) : BlankSide{};
  const BlankSide afterRun = context.text != nullptr && blankAfter
                                 ? SideAt(context.text->reading, end + 1, false)
                                 : BlankSide{};
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(out[begin + i]); };
  const auto before = [&](std::size_t i, int mode) {
    return i == 0 ? kBlankToken : IsAsciiMode(mode) ? byteAt(i - 1) : ModeToken(mode);
  };
  const auto offer = [&](std::size_t i, int state, long score, long bonus, int previous,
                         std::size_t length) {
    Cell& cell = cells[i][state];
    if (score > cell.best) {
      cell = Cell{score, bonus, static_cast<unsigned char>(previous),
                  static_cast<unsigned char>(length)};
    }
  };
  // The known words in the run: those that start at i are
  // words[firstWord[i] .. firstWord[i + 1]).
  struct KnownWord {
    std::size_t length;
    int score;
    double share;  // of the words in the model of ASCII
  };
  std::vector<KnownWord> words;
  std::vector<std::size_t> firstWord(n + 1);
  const std::string_view run = std::string_view(out).substr(begin, n);
  const std::vector<bool> dateMarks = DateMarks(run);
  const std::vector<bool> asciiMarks = AsciiMarks(run);
  // Pairs that take a byte before listNumberTo count listNumberCost less.
  const std::size_t listNumberTo = FirstOnItsLine(out, begin) ? ListNumberAtStart(run) : 0;
  long listNumberCost = kListNumber;
  if (listNumberTo > 0 && context.listNumbers != nullptr) {
    const std::size_t number = ListNumberValue(run, listNumberTo);
    const ListNumbers& numbers = *context.listNumbers;
    if ((number > 0 && numbers[number - 1]) || (number + 1 < kListNumbers && numbers[number + 1])) {
      listNumberCost = kListNumberInSequence;
    }
  }
  const std::vector<bool> abbreviationMarks = AbbreviationMarks(run);
  // A unit of bytes after a number, and the number before one: pairs that
  // take a byte before byteUnitTo or from byteUnitFrom on count kByteUnit
  // less.
  std::size_t byteUnitTo = 0;
  std::size_t byteUnitFrom = n;
  if (blankBefore && NumberAtEnd(RunEndingAt(out, begin - 1)) > 0) {
    byteUnitTo = ByteUnitAtStart(run);
  }
  if (blankAfter && ByteUnitAtStart(RunStartingAt(out, end + 1)) > 0) {
    byteUnitFrom = n - NumberAtEnd(run);
  }
  for (std::size_t i = 0; i < n; ++i) {
    firstWord[i] = words.size();
    for (std::size_t j = i; j < n && j - i < kLongestWord && IsAlphanumeric(byteAt(j)) &&
                            (j == i || !WordBoundary(byteAt(j - 1), byteAt(j)));
         ++j) {
      const std::string_view word = run.substr(i, j + 1 - i);
      int timesInText = -1;
      if (context.text != nullptr) {
        const auto found = context.text->words.find(word);
        timesInText = found == context.text->words.end() ? -1 : found->second;
      }
      const AsciiWord known = LookUpAsciiWord(word);
      if (timesInText < 0 && !known.starts) {
        break;
      }
      if (const std::optional<int> score = WordScore(known.score, timesInText, context.text)) {
        words.push_back(
            KnownWord{word.size(), *score, timesInText >= 2 ? kTextWordShare : kWordShare});
      }
    }
  }
  firstWord[n] = words.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (int state = 0; state < kStates; ++state) {
      const long here = cells[i][state].best;
      if (here == kNone) {
        continue;
      }
      const long bonus = cells[i][state].bonus;
      const int mode = ModeOf(state);
      const bool open = OpenOf(state);
      const unsigned char last = before(i, mode);
      const unsigned char byte = byteAt(i);
      const bool closes = open && byte == '>';
      if (mode != kWordMode || WordBoundary(last, byte)) {
        const long angle = closes                               ? kClosingAngle
                           : byte == '>'                        ? -kUnmatchedAngle
                           : byte == '<' && open && last != '<' ? -kNestedAngle
                                                                : 0;
        const int asciiMode =
            mode == kIdeographMode && !IsAlphanumeric(byte) ? kSignMode : kAsciiMode;
        offer(i + 1, StateOf(asciiMode, byte == '<' || (open && !closes)),
              here + step(last, byte) + angle, bonus + angle, state, 1);
        if (const std::size_t length = Placeholder(run.substr(i)); length > 0) {
          long bytesScore = 0;
          for (std::size_t at = i; at < i + length; ++at) {
            bytesScore += step(at == i ? last : byteAt(at - 1), byteAt(at));
          }
          offer(i + length, StateOf(kAsciiMode, open),
                here + bytesScore + kClosingAngle + kPlaceholder,
                bonus + kClosingAngle + kPlaceholder, state, length);
        }
      }
      if (IsAlphanumeric(byte) && (!IsAsciiMode(mode) || WordBoundary(last, byte))) {
        // Known words that start here.
        long bytesScore = 0;
        unsigned char previous = last;
        std::size_t scored = i;
        for (std::size_t w = firstWord[i]; w < firstWord[i + 1]; ++w) {
          for (; scored < i + words[w].length; ++scored) {
            bytesScore += step(previous, byteAt(scored));
            previous = byteAt(scored);
          }
          const long extra =
              WordBonus(last, words[w].score, words[w].length, bytesScore, words[w].share);
          if (extra > 0) {
            offer(i + words[w].length, StateOf(kWordMode, open), here + bytesScore + extra,
                  bonus + extra, state, words[w].length);
          }
        }
      }
      if (i + 1 < n) {
        const std::size_t index = PairTableIndex(byte, byteAt(i + 1));
        const auto& pair = pairs[index];
        if (pair) {
          const int to = pair->token == kIdeographToken ? kIdeographMode : kPunctuationMode;
          const long boost = context.text == nullptr ? 0 : context.text->boosts[index];
          const long unit = (pair->unit && IsAsciiMode(mode) && (IsDigit(last) || dateMarks[i])
                                 ? kUnitAfterNumber + (dateMarks[i] ? kDateUnit : 0)
                                 : 0) +
                            (MenuKeyAt(run, i + 2) ? kBeforeMenuKey : 0);
          const long overAscii =
              (asciiMarks[i] || asciiMarks[i + 1] ? kPairOverAscii : 0) +
              (i < byteUnitTo || i + 1 >= byteUnitFrom ? kByteUnit : 0) +
              (abbreviationMarks[i] || abbreviationMarks[i + 1] ? kPairOverAbbreviation : 0) +
              (i < listNumberTo ? listNumberCost : 0);
          // What comes before the token before: the blank before the run, or
          // an ideograph before a sign.
          const long further = i == 0 ? AcrossBlank(beforeRun, {pair->token, index})
                               : mode == kSignMode && pair->token == kIdeographToken
                                   ? IdeographAfterSign(last)
                                   : 0;
          long gb = here + step(last, pair->token) + pair->score + boost + unit + further -
                    context.pairCost - overAscii;
          if (!IsAsciiMode(mode)) {
            // The character before is the pair that ends here.
            std::int16_t& after = (*context.afterPair)[begin + i];
            if (after == kUnknownAfterPair) {
              const std::size_t previous = PairTableIndex(byteAt(i - 2), byteAt(i - 1));
              after = static_cast<std::int16_t>(
                  std::max(kLeastPairAfterPair, PairAfterPair(static_cast<std::uint16_t>(previous),
                                                              static_cast<std::uint16_t>(index))));
            }
            gb += after;
          }
          offer(i + 2, StateOf(to, open), gb,
                bonus + boost + unit + further - context.pairCost - overAscii, state, 2);
        }
      }
    }
  }
  // The blank after the run closes it. A number before a blank and a unit
  // ("16 个", "2/29 日") gets the unit's bonus here, where its digits are read,
  // and the run's last token is weighed against what follows the blank.
  const bool unitNext = blankAfter && UnitAt(out, end + 1);
  int state = 0;
  long top = kNone;
  long topBonus = 0;
  for (int s = 0; s < kStates; ++s) {
    if (cells[n][s].best == kNone) {
      continue;
    }
    const int mode = ModeOf(s);
    const BlankSide last =
        mode == kIdeographMode
            ? BlankSide{kIdeographToken, PairTableIndex(byteAt(n - 2), byteAt(n - 1))}
            : BlankSide{before(n, mode)};
    const long ending =
        (unitNext && IsAsciiMode(mode) && IsDigit(last.token) ? kUnitAfterNumber : 0) +
        AcrossBlank(last, afterRun);
    const long closed = cells[n][s].best + step(last.token, kBlankToken) + ending;
    if (closed > top) {
      top = closed;
      topBonus = ending;
      state = s;
    }
  }
  top -= topBonus;
  long english = 0;
  for (std::size_t i = 0; i < n; ++i) {
    english += EnglishTextStep(i == 0 ? kBlankToken : byteAt(i - 1), byteAt(i));
  }
  english += EnglishTextStep(byteAt(n - 1), kBlankToken);
  // The bonuses weigh ASCII against pairs, not the run against English.
  gain += top - english - cells[n][state].bonus;
  context.open = OpenOf(state);
  std::size_t set = 0;
  for (std::size_t i = n; i > 0;) {
    const Cell& cell = cells[i][state];
    if (!IsAsciiMode(ModeOf(state))) {
      out[begin + i - 1] = static_cast<char>(byteAt(i - 1) | 0x80);
      out[begin + i - 2] = static_cast<char>(byteAt(i - 2) | 0x80);
      set += 2;
    }
    i -= cell.length;
    state = cell.from;
  }
  return set;
}

// How often the first reading `first` has each token after each other, by
// TokenCell.
std::vector<int> TokenCounts(std::string_view first) {
  std::vector<int> tokenCounts(kTokens * kTokens);
  unsigned char previous = kBlankToken;
  for (std::size_t i = 0; i < first.size();) {
    const unsigned char token = TokenAt(first, i);
    if (token != kBlankToken || previous != kBlankToken) {
      ++tokenCounts[TokenCell(previous, token)];
    }
    previous = token;
  }
  return tokenCounts;
}

// ChineseTextStep mixed with how often the first reading has each token after
// each other (`tokenCounts`, TokenCounts), kTokenShare to that, by TokenCell.
// The table gives an ASCII byte's chance times the 94 bytes it might have
// been, a character's as it is.
std::vector<std::int16_t> TokenSteps(const std::vector<int>& tokenCounts) {
  std::vector<std::int16_t> steps(kTokens * kTokens);
  for (std::size_t before = 0; before < kTokens; ++before) {
    long seen = 0;
    for (std::size_t next = 0; next < kTokens; ++next) {
      seen += tokenCounts[before * kTokens + next];
    }
    const double share = seen == 0 ? 0
                                   : kTokenShare * static_cast<double>(seen) /
                                         (static_cast<double>(seen) + kTokenRowWeight);
    for (std::size_t next = 0; next < kTokens; ++next) {
      const auto b = static_cast<unsigned char>(before + kBlankToken);
      const auto n = static_cast<unsigned char>(next + kBlankToken);
      const double scale = n == kIdeographToken || n == kPunctuationToken ? 1 : kSide;
      const double table =
          std::exp(ChineseTextStep(b, n) / static_cast<double>(kPointsPerNat)) / scale;
      const double inText =
          seen == 0 ? 0 : tokenCounts[before * kTokens + next] / static_cast<double>(seen);
      const double mixed = (1 - share) * table + share * inText;
      steps[before * kTokens + next] =
          static_cast<std::int16_t>(std::lround(std::log(mixed * scale) * kPointsPerNat));
    }
  }
  return steps;
}

// What a first reading `first` says of its text (TextModel, which views into
// `first`): a character it chose twice or more beside other characters is
// likelier than the catalogues say by its share of the text's characters (the
// reading itself left out: one less), kTextShare to that share; the words it
// read as ASCII are counted.
TextModel LearnText(std::string_view first) {
  const PairTable& pairs = GbPairs();
  TextModel model;
  std::vector<int> counts(kSide * kSide);
  int total = 0;
  for (std::size_t i = 0; i < first.size(); ++i) {
    const auto byte = static_cast<unsigned char>(first[i]);
    if (byte >= 0x80 && i + 1 < first.size()) {
      // A character alone amid ASCII ("A3x3" read as 脸x3) is where a
      // reading errs; one beside another is what the text says.
      const bool beside =
          (i > 0 && static_cast<unsigned char>(first[i - 1]) >= 0x80) ||
          (i + 2 < first.size() && static_cast<unsigned char>(first[i + 2]) >= 0x80);
      if (beside) {
        ++counts[PairTableIndex(byte, static_cast<unsigned char>(first[i + 1]))];
        ++total;
      }
      ++i;
    } else if (IsAlphanumeric(byte) &&
               (i == 0 || WordBoundary(static_cast<unsigned char>(first[i - 1]), byte))) {
      std::size_t end = i + 1;
      while (end < first.size() && IsAlphanumeric(static_cast<unsigned char>(first[end])) &&
             !WordBoundary(static_cast<unsigned char>(first[end - 1]),
                           static_cast<unsigned char>(first[end]))) {
        ++end;
      }
      if (end - i <= kLongestWord) {
        const std::string_view word = first.substr(i, end - i);
        ++model.words[word];
        ++model.wordsSeen;
        for (std::size_t length = 1; length < word.size(); ++length) {
          model.words.try_emplace(word.substr(0, length), 0);
        }
      }
      i = end - 1;
    }
  }
  if (first.size() >= kLeastTokenText) {
    const std::vector<int> tokenCounts = TokenCounts(first);
    model.steps = TokenSteps(tokenCounts);
    model.rowSeen.assign(kTokens, 0);
    for (std::size_t cell = 0; cell < tokenCounts.size(); ++cell) {
      model.rowSeen[cell / kTokens] += tokenCounts[cell];
    }
  }
  model.boosts.assign(kSide * kSide, 0);
  for (std::size_t index = 0; index < model.boosts.size(); ++index) {
    if (counts[index] < 2 || !pairs[index]) {
      continue;
    }
    const double alone = std::exp(pairs[index]->score / static_cast<double>(kPointsPerNat)) / 10000;
    const double inText = static_cast<double>(counts[index] - 1) / total;
    const double mixed = std::log(((1 - kTextShare) * alone + kTextShare * inText) / alone);
    model.boosts[index] =
        static_cast<std::int16_t>(std::max(0L, std::lround(mixed * kPointsPerNat)));
  }
  return model;
}

// A reading of a text whose eighth bit was stripped; `wordsOnly` when the text
// sets too few of its bytes and only its words of Chinese were kept.
struct EighthBitReading {
  std::string text;
  bool wordsOnly = false;
};

// A run of stripped bytes [begin, end) that a reading set `set` bytes of,
// with its gain over English; `attribute` when it is in an HTML tag.
struct ReadRun {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t set = 0;
  long gain = 0;
  bool attribute = false;
};

// 年, 月 and 日 in GB 2312.
constexpr std::string_view kYear = "\xC4\xEA";
constexpr std::string_view kMonth = "\xD4\xC2";
constexpr std::string_view kDay = "\xC8\xD5";

// By position in `read` (a run with the eighth bit set on some pairs), whether
// the byte is a digit of a date written in full ("2021年9月7日", "9月7日"):
// a mail's header "寄件日期: 2021年9月7日" is a word of Chinese though its
// digits stay ASCII.
std::vector<bool> DigitsOfDates(std::string_view read) {
  std::vector<bool> digits(read.size());
  const auto field = [&](std::size_t at, std::size_t least, std::size_t most,
                         std::string_view unit) -> std::size_t {
    const std::size_t count = DigitsAt(read, at, most + 1);
    return count >= least && count <= most && read.substr(at + count).starts_with(unit)
               ? count + unit.size()
               : 0;
  };
  for (std::size_t at = 0; at < read.size(); ++at) {
    if (!IsDigit(static_cast<unsigned char>(read[at])) ||
        (at > 0 && IsDigit(static_cast<unsigned char>(read[at - 1])))) {
      continue;
    }
    std::size_t end = at + field(at, 4, 4, kYear);
    const std::size_t month = field(end, 1, 2, kMonth);
    const std::size_t day = month > 0 ? field(end + month, 1, 2, kDay) : 0;
    if (day == 0) {
      continue;
    }
    end += month + day;
    for (std::size_t k = at; k < end; ++k) {
      digits[k] = IsDigit(static_cast<unsigned char>(read[k]));
    }
  }
  return digits;
}

// Whether a run of `reading` (the stripped `text` with the eighth bit set
// on some pairs) is a word of Chinese amid ASCII: see kWordOfChineseGain.
// Stripped hexadecimal reads as characters ("0xaaaaaaaa" as 傍後後後後, a
// colour "#f8f8f2"), so it is none.
bool WordOfChinese(const ReadRun& run, std::string_view text, std::string_view reading) {
  if (run.attribute || run.set < 4) {
    return false;
  }
  // A date's digits read alike as Chinese and as English, so a run that
  // holds one gains little; its 年, 月 and 日 after digits are evidence enough.
  const std::string_view read = reading.substr(run.begin, run.end - run.begin);
  const std::vector<bool> dateDigits = DigitsOfDates(read);
  if (run.gain < kWordOfChineseGain * static_cast<long>(run.set) &&
      std::find(dateDigits.begin(), dateDigits.end(), true) == dateDigits.end()) {
    return false;
  }
  for (std::size_t at = 0; at < read.size(); ++at) {
    if (IsAlphanumeric(static_cast<unsigned char>(read[at])) && !dateDigits[at]) {
      return false;
    }
  }
  std::string_view core = text.substr(run.begin, run.end - run.begin);
  while (!core.empty() && !IsAlphanumeric(static_cast<unsigned char>(core.front()))) {
    core.remove_prefix(1);
  }
  while (!core.empty() && !IsAlphanumeric(static_cast<unsigned char>(core.back()))) {
    core.remove_suffix(1);
  }
  if (core.size() > 2 && core[0] == '0' && (core[1] == 'x' || core[1] == 'X')) {
    core.remove_prefix(2);
  }
  return !std::all_of(core.begin(), core.end(),
                      [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// Keeps in `reading` only the words of Chinese (WordOfChinese) among `runs`
// and sets the other runs back as they are in `text`; true when the words
// hold kLeastWordsCharacters different characters at least.
bool KeepWordsOfChinese(std::string_view text, std::string& reading,
                        const std::vector<ReadRun>& runs) {
  std::vector<std::size_t> characters;
  for (const ReadRun& run : runs) {
    if (!WordOfChinese(run, text, reading)) {
      std::copy(text.begin() + static_cast<std::ptrdiff_t>(run.begin),
                text.begin() + static_cast<std::ptrdiff_t>(run.end),
                reading.begin() + static_cast<std::ptrdiff_t>(run.begin));
      continue;
    }
    // Six different characters are enough to know.
    for (std::size_t at = run.begin; at + 1 < run.end && characters.size() < kLeastWordsCharacters;
         ++at) {
      if (static_cast<unsigned char>(reading[at]) >= 0x80) {
        const std::size_t index = PairTableIndex(static_cast<unsigned char>(reading[at]),
                                                 static_cast<unsigned char>(reading[at + 1]));
        if (std::find(characters.begin(), characters.end(), index) == characters.end()) {
          characters.push_back(index);
        }
        ++at;
      }
    }
  }
  return characters.size() >= kLeastWordsCharacters;
}

// What both readings of a text look up in the whole text before they read
// it.
struct WholeText {
  ListNumbers listNumbers{};
  OneLetterCloses closes{};
};

// One reading of `text` under `model` (see RunContext) and what `whole` says
// of it, with the checks against English and mail that SetEighthBit
// describes; with `wordsOnly`, it keeps only the words of Chinese whatever it
// sets.
std::optional<EighthBitReading> Read(std::string_view text, const WholeText& whole,
                                     const TextModel* model, std::vector<std::int16_t>& afterPair,
                                     bool wordsOnly) {
  std::string out(text);
  // The whole text's counts and those of the line being read.
  struct Counts {
    std::size_t stripped = 0;
    std::size_t set = 0;
    long gain = 0;
  };
  Counts all;
  Counts line;
  std::size_t lineStart = 0;
  // The runs that set bytes, of the lines kept and of the line being read.
  std::vector<ReadRun> runs;
  std::vector<ReadRun> lineRuns;
  const auto endLine = [&](std::size_t at) {
    if (line.gain < -kEnglishLine) {
      std::copy(text.begin() + static_cast<std::ptrdiff_t>(lineStart),
                text.begin() + static_cast<std::ptrdiff_t>(at),
                out.begin() + static_cast<std::ptrdiff_t>(lineStart));
    } else {
      all.stripped += line.stripped;
      all.set += line.set;
      all.gain += line.gain;
      runs.insert(runs.end(), lineRuns.begin(), lineRuns.end());
    }
    lineRuns.clear();
    lineStart = at;
    line = Counts{};
  };
  RunContext context;
  context.text = model;
  context.afterPair = &afterPair;
  context.listNumbers = &whole.listNumbers;
  // Inside an HTML tag, after its name: its attributes are read but left out
  // of the counts (mail's "class=\"MsoNormal\"" is no evidence either way).
  bool inTag = false;
  std::size_t i = 0;
  while (i < out.size()) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (byte >= 0x80) {
      return std::nullopt;
    }
    if (!Stripped(byte)) {
      if (byte == '\n' || byte == '\r') {
        // A line end closes a "<" of text, not an HTML tag's attributes.
        context.open = inTag;
        endLine(i);
      }
      ++i;
      continue;
    }
    if (i == 0 || out[i - 1] == '\n' || out[i - 1] == '\r') {
      const std::size_t prefix = QuotePrefix(std::string_view(out).substr(i));
      if (prefix > 0) {
        i += prefix;
        continue;
      }
    }
    if (i == 0 || !Stripped(static_cast<unsigned char>(out[i - 1]))) {
      if (const std::size_t word = MailWord(std::string_view(out).substr(i)); word > 0) {
        i += word;
        continue;
      }
      if (const std::size_t word = Greeting(std::string_view(out).substr(i));
          word > 0 && FirstOnItsLine(out, i)) {
        i += word;
        continue;
      }
    }
    if (const std::size_t entity = HtmlEntity(std::string_view(out).substr(i)); entity > 0) {
      i += entity;
      continue;
    }
    if (const std::size_t tag = HtmlTag(out, i, whole.closes); tag > 0) {
      // Its attributes are read; the ">" that ends them closes the "<".
      context.open = out[i + tag - 1] != '>';
      inTag = context.open;
      i += tag;
      continue;
    }
    std::size_t end = i;
    while (end < out.size() && Stripped(static_cast<unsigned char>(out[end])) &&
           HtmlTag(out, end, whole.closes) == 0 &&
           HtmlEntity(std::string_view(out).substr(end)) == 0) {
      ++end;
      if (inTag && out[end - 1] == '>') {
        break;
      }
    }
    Counts attributes;
    Counts& counts = inTag ? attributes : line;
    counts.stripped += end - i;
    if (!IsBase64Run(std::string_view(out).substr(i, end - i))) {
      context.pairCost = ShortWordLineCost(out, i, end);
      long gain = 0;
      const std::size_t set = RestoreRun(out, i, end, context, gain);
      counts.set += set;
      counts.gain += gain;
      if (set > 0) {
        lineRuns.push_back(ReadRun{i, end, set, gain, inTag});
      }
    }
    if (inTag && out[end - 1] == '>') {
      inTag = false;
    }
    i = end;
  }
  endLine(out.size());
  if (all.set == 0) {
    return std::nullopt;
  }
  // A long text that is mostly ASCII keeps only its words of Chinese, though
  // a short one may hold a single character and one whose few characters
  // read very well may be a help text (kStrongGain).
  const bool strong = all.set * kStrongShare >= all.stripped &&
                      all.gain >= kStrongGain * static_cast<long>(all.set);
  if (wordsOnly || (all.stripped > kShortText && all.set * 4 < all.stripped && !strong)) {
    if (!KeepWordsOfChinese(text, out, runs)) {
      return std::nullopt;
    }
    return EighthBitReading{std::move(out), true};
  }
  // English text with a few pairs that read well by chance (an English "No"
  // is a common character) reads better as English on the whole.
  if (all.gain < kLeastGain) {
    return std::nullopt;
  }
  return EighthBitReading{std::move(out), false};
}

}  // namespace

std::optional<std::string> SetEighthBit(std::string_view text) {
  std::vector<std::int16_t> afterPair(text.size(), kUnknownAfterPair);
  const WholeText whole{ListNumbersOf(text), LastOneLetterCloses(text)};
  std::optional<EighthBitReading> first = Read(text, whole, nullptr, afterPair, false);
  if (!first) {
    return std::nullopt;
  }
  TextModel model = LearnText(first->text);
  model.reading = first->text;
  std::optional<EighthBitReading> second = Read(text, whole, &model, afterPair, first->wordsOnly);
  // Words of Chinese amid ASCII that the second reading, knowing the text,
  // no longer finds were read by chance; and a second reading that keeps
  // only such words where the first read the whole text keeps too little.
  if (first->wordsOnly) {
    return second ? std::optional<std::string>(std::move(second->text)) : std::nullopt;
  }
  std::optional<EighthBitReading>& best = second && !second->wordsOnly ? second : first;
  return std::move(best->text);
}

}  // namespace vortane
