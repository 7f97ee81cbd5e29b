#include "phrase_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "cjk/code_tables.h"
#include "cjk/display_text.h"
#include "phrases/utf8_chars.h"

namespace vortane::testing {

const PhraseConverter& SharedConverter(PhraseConfig config) {
  static std::array<std::unique_ptr<const PhraseConverter>, 7> loaded;
  auto& slot = loaded.at(static_cast<std::size_t>(config));
  if (!slot) {
    PhraseConverterLoad load = PhraseConverter::Load(config);
    if (!load.converter) {
      ADD_FAILURE() << "cannot load " << PhraseConfigName(config) << ": " << load.error;
      std::abort();
    }
    slot = std::move(load.converter);
  }
  return *slot;
}

std::string Encode(std::string_view utf8, TextCode code) {
  std::u32string points;
  EXPECT_TRUE(Utf8ToPoints(utf8, points)) << "test text is not UTF-8";
  std::string out;
  for (char32_t p : points) {
    if (code == TextCode::Unicode) {
      if (p >= 0x10000) {
        const char32_t high = 0xD800 + ((p - 0x10000) >> 10);
        const char32_t low = 0xDC00 + ((p - 0x10000) & 0x3FF);
        out += {static_cast<char>(high >> 8), static_cast<char>(high & 0xFF),
                static_cast<char>(low >> 8), static_cast<char>(low & 0xFF)};
      } else {
        out += {static_cast<char>(p >> 8), static_cast<char>(p & 0xFF)};
      }
      continue;
    }
    if (p < 0x80) {
      out.push_back(static_cast<char>(p));
      continue;
    }
    const auto found = code == TextCode::Big5 ? LookupUnicodeToBig5(p) : LookupUnicodeToGb(p);
    if (!found) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(p) << " has no code";
      out.push_back('?');
      continue;
    }
    out += {static_cast<char>(*found >> 8), static_cast<char>(*found & 0xFF)};
  }
  return out;
}

std::string Show(std::string_view bytes, TextCode code) {
  std::string out;
  if (code == TextCode::Unicode) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const char32_t u =
          static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]);
      AppendUtf8(u >= 0xD800 && u <= 0xDFFF ? U'\uFFFD' : u, out);
    }
    return out;
  }
  const std::u16string text = DecodeText(bytes, code);
  for (char16_t u : text) {
    if (u == 0xFFFD) {
      out += "<?>";
    } else if (u < 0xD800 || u > 0xDFFF) {
      AppendUtf8(u, out);
    }
  }
  return out;
}

}  // namespace vortane::testing
