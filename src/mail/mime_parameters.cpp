#include "mail/mime_parameters.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "mail/ascii_text.h"

namespace vortane {
namespace {

// One name=value pair as written, before RFC 2231 sections are joined.
struct RawParameter {
  std::string name;  // lower case, with any "*" and section number
  std::string value;
};

// Sections beyond this number are ignored (a hostile header cannot make a
// value of many sections sparse and huge).
constexpr int kMaxSection = 999;

// Skips a comment "( ... )" starting at `pos` (nested comments and "\"
// escapes included); returns the position after it, or the end.
std::size_t SkipComment(std::string_view text, std::size_t pos) {
  int depth = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '\\') {
      ++pos;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return pos + 1;
    }
  }
  return text.size();
}

// The main value: everything before the first ";" without comments or blanks.
std::string ReadMainValue(std::string_view text, std::size_t& pos) {
  std::string value;
  while (pos < text.size() && text[pos] != ';') {
    const char c = text[pos];
    if (c == '(') {
      pos = SkipComment(text, pos);
    } else {
      if (!IsHeaderSpace(c) && c != '"') {
        value.push_back(LowerAscii(c));
      }
      ++pos;
    }
  }
  return value;
}

// A quoted string starting at the opening quote at `pos`; "\" escapes the next
// byte; without a closing quote it runs to the end.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
  std::string value;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '\\' && pos + 1 < text.size()) {
      value.push_back(text[++pos]);
    } else if (c == '"') {
      ++pos;
      break;
    } else {
      value.push_back(c);
    }
  }
  // Anything between the closing quote and the next ";" is junk.
  while (pos < text.size() && text[pos] != ';') {
    ++pos;
  }
  return value;
}

// An unquoted value up to the next ";", trimmed; a comment that follows a
// blank at its end is dropped ("us-ascii (Plain text)").
std::string ReadToken(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && text[pos] != ';') {
    ++pos;
  }
  std::string_view token = TrimHeaderSpace(text.substr(start, pos - start));
  const std::size_t comment = token.find(" (");
  if (comment != std::string_view::npos && token.back() == ')') {
    token = TrimHeaderSpace(token.substr(0, comment));
  }
  return std::string(token);
}

std::vector<RawParameter> ReadRawParameters(std::string_view text, std::size_t pos) {
  std::vector<RawParameter> raw;
  while (pos < text.size()) {
    while (pos < text.size() && (text[pos] == ';' || IsHeaderSpace(text[pos]))) {
      ++pos;
    }
    const std::size_t nameStart = pos;
    while (pos < text.size() && text[pos] != '=' && text[pos] != ';') {
      ++pos;
    }
    if (pos >= text.size() || text[pos] == ';') {
      continue;  // a name without "=": dropped
    }
    const std::string name = ToLowerAscii(TrimHeaderSpace(text.substr(nameStart, pos - nameStart)));
    ++pos;
    while (pos < text.size() && IsHeaderSpace(text[pos])) {
      ++pos;
    }
    std::string value =
        pos < text.size() && text[pos] == '"' ? ReadQuoted(text, pos) : ReadToken(text, pos);
    if (!name.empty()) {
      raw.push_back({name, std::move(value)});
    }
  }
  return raw;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  const char lower = LowerAscii(c);
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// "%XX" escapes as bytes; a "%" that begins no escape stays.
std::string DecodePercents(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

// How a raw name splits: the base name, the section (nullopt for "name*"),
// and whether the value is extended (percent escapes, charset prefix).
struct SectionName {
  std::string base;
  std::optional<int> section;
  bool extended = false;
};

std::optional<SectionName> ParseSectionName(const std::string& name) {
  const std::size_t star = name.find('*');
  if (star == std::string::npos) {
    return std::nullopt;
  }
  SectionName parsed;
  parsed.base = name.substr(0, star);
  std::string_view rest = std::string_view(name).substr(star + 1);
  if (rest.empty()) {
    parsed.extended = true;  // name*=
    return parsed;
  }
  if (rest.back() == '*') {
    parsed.extended = true;
    rest.remove_suffix(1);
  }
  if (rest.empty() || rest.size() > 3 ||
      !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  parsed.section = std::stoi(std::string(rest));
  if (*parsed.section > kMaxSection) {
    return std::nullopt;
  }
  return parsed;
}

struct Section {
  int number = 0;
  bool extended = false;
  std::string value;
};

// Joins the sections of one extended parameter: in section order, each
// extended section percent-decoded, the charset'language' prefix taken off the
// first one when that is extended.
MimeParameter JoinSections(const std::string& base, std::vector<Section> sections) {
  std::stable_sort(sections.begin(), sections.end(),
                   [](const Section& a, const Section& b) { return a.number < b.number; });
  MimeParameter parameter{base, {}, {}};
  int last = -1;
  for (Section& section : sections) {
    if (section.number == last) {
      continue;  // a repeated section: the first one counts
    }
    last = section.number;
    std::string_view value = section.value;
    if (section.extended && &section == &sections.front()) {
      const std::size_t quote1 = value.find('\'');
      const std::size_t quote2 =
          quote1 == std::string_view::npos ? quote1 : value.find('\'', quote1 + 1);
      if (quote2 != std::string_view::npos) {
        parameter.charsetLabel = std::string(TrimHeaderSpace(value.substr(0, quote1)));
        value.remove_prefix(quote2 + 1);
      }
    }
    parameter.value += section.extended ? DecodePercents(value) : std::string(value);
  }
  return parameter;
}

}  // namespace

MimeHeaderValue ParseMimeHeaderValue(std::string_view unfoldedValue) {
  MimeHeaderValue header;
  std::size_t pos = 0;
  header.value = ReadMainValue(unfoldedValue, pos);

  // Names in order of first appearance, with their plain value and sections.
  struct Pending {
    std::string base;
    std::optional<std::string> plain;
    std::vector<Section> sections;
  };
  std::vector<Pending> pending;
  const auto find = [&](const std::string& base) -> Pending& {
    for (Pending& p : pending) {
      if (p.base == base) {
        return p;
      }
    }
    pending.push_back({base, std::nullopt, {}});
    return pending.back();
  };
  for (RawParameter& raw : ReadRawParameters(unfoldedValue, pos)) {
    const std::optional<SectionName> section = ParseSectionName(raw.name);
    if (!section && raw.name.find('*') != std::string::npos) {
      continue;  // a malformed or too large section number
    }
    if (!section) {
      Pending& p = find(raw.name);
      if (!p.plain) {
        p.plain = std::move(raw.value);
      }
      continue;
    }
    if (section->base.empty()) {
      continue;
    }
    find(section->base)
        .sections.push_back(
            {section->section.value_or(0), section->extended, std::move(raw.value)});
  }
  for (Pending& p : pending) {
    if (!p.sections.empty()) {
      header.parameters.push_back(JoinSections(p.base, std::move(p.sections)));
    } else {
      header.parameters.push_back({p.base, std::move(*p.plain), {}});
    }
  }
  return header;
}

const MimeParameter* FindMimeParameter(const MimeHeaderValue& header, std::string_view name) {
  for (const MimeParameter& parameter : header.parameters) {
    if (parameter.name == name) {
      return &parameter;
    }
  }
  return nullptr;
}

}  // namespace vortane
