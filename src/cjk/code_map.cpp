#include "cjk/code_map.h"

#include "cjk/code_tables.h"

namespace vortane {

CodeMap::CodeMap(CodeLookup lookup) : codes_(0x10000) {
  for (std::uint32_t key = 0; key < 0x10000; ++key) {
    const auto found = lookup != nullptr ? lookup(key) : std::nullopt;
    codes_[key] = found ? *found : static_cast<std::uint16_t>(key);
  }
}

const CodeMap& SharedCodeMap(CodeRoute route) {
  switch (route) {
    case CodeRoute::GbToBig5: {
      static const CodeMap map(LookupGbToBig5);
      return map;
    }
    case CodeRoute::Big5ToGb: {
      static const CodeMap map(LookupBig5ToGb);
      return map;
    }
    case CodeRoute::UnicodeToGb: {
      static const CodeMap map(LookupUnicodeToGb);
      return map;
    }
    case CodeRoute::UnicodeToBig5: {
      static const CodeMap map(LookupUnicodeToBig5);
      return map;
    }
    case CodeRoute::Copy:
      break;
  }
  static const CodeMap identity(nullptr);
  return identity;
}

}  // namespace vortane
