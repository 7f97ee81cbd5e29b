#include "app/encoding_choices.h"

#include <string>

#include "texts/codes_texts.h"

namespace vortane {

namespace {

// An encoding's name (ASCII) as a text of `language`'s code, so that a note
// in that language can follow it.
UiText NameIn(Language language, std::string_view name) {
  UiText text = Choose(codes_text::kMarkFound, language);
  text.bytes = std::string(name);
  return text;
}

}  // namespace

std::string_view OpenEncodingName(OpenEncoding encoding) {
  switch (encoding) {
    case OpenEncoding::Bytes:
      return "";
    case OpenEncoding::Utf8:
      return "UTF-8";
    case OpenEncoding::Utf16Le:
      return "UTF-16LE";
    case OpenEncoding::Utf16Be:
      return "UTF-16BE";
    case OpenEncoding::Gb18030:
      return "GB18030";
    case OpenEncoding::Big5Hkscs:
      return "Big5-HKSCS";
  }
  return "";
}

std::string_view SaveEncodingName(SaveEncoding encoding) {
  switch (encoding) {
    case SaveEncoding::Bytes:
      return "";
    case SaveEncoding::Utf8:
      return "UTF-8";
    case SaveEncoding::Utf16LeWithMark:
      return "UTF-16LE";
    case SaveEncoding::Gb18030:
      return "GB18030";
    case SaveEncoding::Big5Hkscs:
      return "Big5-HKSCS";
  }
  return "";
}

std::vector<UiText> OpenEncodingItems(Language language, std::optional<OpenEncoding> marked) {
  std::vector<UiText> items;
  for (const OpenEncoding encoding : kOpenEncodings) {
    if (encoding == OpenEncoding::Bytes) {
      items.push_back(Choose(codes_text::kOpenBytes, language));
      continue;
    }
    UiText item = NameIn(language, OpenEncodingName(encoding));
    if (marked == encoding) {
      item.bytes += Choose(codes_text::kMarkFound, language).bytes;
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<UiText> SaveEncodingItems(Language language) {
  std::vector<UiText> items;
  for (const SaveEncoding encoding : kSaveEncodings) {
    switch (encoding) {
      case SaveEncoding::Bytes:
        items.push_back(Choose(codes_text::kSaveBytes, language));
        break;
      case SaveEncoding::Utf16LeWithMark:
        items.push_back(Choose(codes_text::kSaveUtf16LeWithMark, language));
        break;
      default:
        items.push_back(NameIn(language, SaveEncodingName(encoding)));
        break;
    }
  }
  return items;
}

}  // namespace vortane
