#include "cli/auto_command.h"

#include <cctype>
#include <cstdio>

#include "charsets/charset_text.h"
#include "charsets/label_map.h"
#include "cjk/code_tables.h"
#include "detect/code_points.h"

namespace vortane {
namespace {

constexpr std::size_t kPreviewCharacters = 40;

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

// Writes UTF-8 `text` through one of the converter's lookups; ASCII passes.
AutoOutput WriteThroughTable(std::string_view text, bool big5) {
  AutoOutput out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t point = NextCodePoint(text, pos);
    if (point < 0x80) {
      out.bytes += static_cast<char>(point);
      continue;
    }
    const auto code = big5 ? LookupUnicodeToBig5(point) : LookupUnicodeToGb(point);
    if (!code) {
      out.bytes += '?';
      ++out.unwritable;
      continue;
    }
    out.bytes += static_cast<char>(*code >> 8);
    out.bytes += static_cast<char>(*code & 0xFF);
  }
  return out;
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

std::string Score(double score) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", score);
  return text;
}

}  // namespace

std::optional<AutoTarget> AutoTargetFor(std::string_view label) {
  const std::string lowered = Lowered(label);
  if (lowered == "utf8") {
    return AutoTarget{AutoTarget::Kind::Utf8, Charset::Utf8, std::string(label)};
  }
  if (lowered == "gb") {
    return AutoTarget{AutoTarget::Kind::ConverterGb, Charset::Gb18030, std::string(label)};
  }
  if (lowered == "big5") {
    return AutoTarget{AutoTarget::Kind::ConverterBig5, Charset::Big5Hkscs, std::string(label)};
  }
  const std::optional<Charset> charset = CharsetForLabel(label);
  if (!charset) {
    return std::nullopt;
  }
  if (*charset == Charset::Utf8) {
    return AutoTarget{AutoTarget::Kind::Utf8, Charset::Utf8, std::string(label)};
  }
  return AutoTarget{AutoTarget::Kind::Charset, *charset, std::string(label)};
}

AutoOutput WriteReading(const Reading& reading, const AutoTarget& target) {
  switch (target.kind) {
    case AutoTarget::Kind::Utf8:
      return AutoOutput{reading.text, 0};
    case AutoTarget::Kind::ConverterGb:
      return WriteThroughTable(reading.text, false);
    case AutoTarget::Kind::ConverterBig5:
      return WriteThroughTable(reading.text, true);
    case AutoTarget::Kind::Charset:
      break;
  }
  EncodedText encoded = EncodeFromUtf8(target.charset, reading.text);
  return AutoOutput{std::move(encoded.bytes), encoded.unwritable};
}

std::string ReadingsJson(const std::vector<Reading>& readings) {
  std::string out = "[";
  for (std::size_t i = 0; i < readings.size(); ++i) {
    out += i == 0 ? "\n  {\"steps\": [" : ",\n  {\"steps\": [";
    const std::vector<std::string_view> names = ChainNames(readings[i]);
    for (std::size_t k = 0; k < names.size(); ++k) {
      if (k > 0) {
        out += ", ";
      }
      AppendJsonString(out, names[k]);
    }
    out += "], \"score\": " + Score(readings[i].score) + ", \"text\": ";
    AppendJsonString(out, readings[i].text);
    out += "}";
  }
  out += readings.empty() ? "]\n" : "\n]\n";
  return out;
}

std::string ReadingsList(const std::vector<Reading>& readings) {
  std::string out;
  for (const Reading& reading : readings) {
    std::string preview;
    std::size_t pos = 0;
    std::size_t characters = 0;
    while (pos < reading.text.size() && characters < kPreviewCharacters) {
      const std::size_t start = pos;
      const char32_t point = NextCodePoint(reading.text, pos);
      ++characters;
      if (point == '\r' || point == '\n' || point == '\t') {
        preview += ' ';
      } else if (point < 0x20 || point == 0x7F) {
        preview += '?';
      } else {
        preview.append(reading.text, start, pos - start);
      }
    }
    out += Score(reading.score) + "\t" + ChainInWords(reading) + "\t" + preview + "\n";
  }
  return out;
}

bool ApplyAutoOptions(const std::optional<std::string>& to, bool list, bool json,
                      AutoSettings& settings, std::string& error) {
  if (json && !list) {
    error = "--json goes with --list";
    return false;
  }
  if (to && list) {
    error = "--to applies to the best reading, not to --list";
    return false;
  }
  if (to) {
    const std::optional<AutoTarget> target = AutoTargetFor(*to);
    if (!target) {
      error =
          "--to takes utf8, gb, big5 or a label that 'vortane-cli labels' lists, not '" + *to + "'";
      return false;
    }
    settings.target = *target;
  }
  settings.list = list;
  settings.json = json;
  return true;
}

AutoRun RunAuto(std::string_view input, const AutoSettings& settings, std::string_view outputName) {
  const std::vector<Reading> readings = FindReadings(input);
  AutoRun run;
  if (readings.empty()) {
    run.exitCode = kNoReadingExit;
    run.notes.push_back({"", std::string(kNoChineseReading)});
  }
  if (settings.list) {
    run.output = settings.json ? ReadingsJson(readings) : ReadingsList(readings);
    return run;
  }
  if (readings.empty()) {
    run.writeOutput = false;
    return run;
  }
  AutoOutput written = WriteReading(readings.front(), settings.target);
  run.output = std::move(written.bytes);
  run.notes.push_back({"", ChainInWords(readings.front())});
  if (written.unwritable != 0) {
    run.notes.push_back({std::string(outputName),
                         std::to_string(written.unwritable) + " character" +
                             (written.unwritable == 1 ? "" : "s") + " could not be written in " +
                             settings.target.name + " and became '?'"});
  }
  return run;
}

}  // namespace vortane
