#include "charsets/label_map.h"

#include <algorithm>

namespace vortane {
namespace {

constexpr CharsetLabel kLabels[] = {
    {"gb18030", Charset::Gb18030},
    {"gb2312", Charset::Gb18030},
    {"gbk", Charset::Gb18030},
    {"x-gbk", Charset::Gb18030},
    {"cp936", Charset::Gb18030},
    {"euc-cn", Charset::Gb18030},
    {"csgb2312", Charset::Gb18030},
    {"chinese", Charset::Gb18030},
    {"big5-hkscs", Charset::Big5Hkscs},
    {"big5", Charset::Big5Hkscs},
    {"x-big5", Charset::Big5Hkscs},
    {"cn-big5", Charset::Big5Hkscs},
    {"x-x-big5", Charset::Big5Hkscs},
    {"cp950", Charset::Big5Hkscs},
    {"ms950", Charset::Big5Hkscs},
    {"utf-8", Charset::Utf8},
    {"utf8", Charset::Utf8},
    {"utf-16le", Charset::Utf16Le},
    {"utf-16be", Charset::Utf16Be},
    {"utf-16", Charset::Utf16},
    {"hz-gb-2312", Charset::Hz},
    {"utf-7", Charset::Utf7},
    {"unicode-1-1-utf-7", Charset::Utf7},
};

constexpr bool IsBlankOrQuote(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"' || c == '\'';
}

constexpr char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

std::optional<Charset> CharsetForLabel(std::string_view label) {
  while (!label.empty() && IsBlankOrQuote(label.front())) {
    label.remove_prefix(1);
  }
  while (!label.empty() && IsBlankOrQuote(label.back())) {
    label.remove_suffix(1);
  }
  for (const CharsetLabel& known : CharsetLabels()) {
    if (known.label.size() == label.size() &&
        std::equal(label.begin(), label.end(), known.label.begin(),
                   [](char a, char b) { return Lower(a) == b; })) {
      return known.charset;
    }
  }
  return std::nullopt;
}

std::string_view CharsetName(Charset charset) {
  switch (charset) {
    case Charset::Gb18030:
      return "gb18030";
    case Charset::Big5Hkscs:
      return "big5-hkscs";
    case Charset::Utf8:
      return "utf-8";
    case Charset::Utf16Le:
      return "utf-16le";
    case Charset::Utf16Be:
      return "utf-16be";
    case Charset::Utf16:
      return "utf-16";
    case Charset::Hz:
      return "hz-gb-2312";
    case Charset::Utf7:
      return "utf-7";
  }
  return "";
}

std::span<const CharsetLabel> CharsetLabels() { return kLabels; }

}  // namespace vortane
