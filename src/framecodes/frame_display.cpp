#include "framecodes/frame_display.h"

#include "cjk/display_text.h"
#include "framecodes/frame_units.h"

namespace vortane {

using framecodes_detail::FrameUnit;
using framecodes_detail::UnitKind;

namespace {

char16_t StandIn(char byte) {
  return static_cast<char16_t>(kDisplayStandInBase + static_cast<unsigned char>(byte));
}

bool ShowsAsItself(unsigned char byte) { return byte == '\t' || (byte >= 0x20 && byte < 0x7F); }

}  // namespace

std::u16string BytesToFrameDisplay(std::string_view bytes, DisplayCode code) {
  if (const auto tableCode = TableTextCode(code)) {
    return BytesToDisplayText(bytes, *tableCode);
  }
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        out.push_back(kDisplayLineBreak);
        i += 2;
      } else {
        out.push_back(b == '\n'          ? kDisplayBareLineFeed
                      : ShowsAsItself(b) ? static_cast<char16_t>(b)
                                         : StandIn(bytes[i]));
        ++i;
      }
      continue;
    }
    const FrameUnit unit = framecodes_detail::ReadFrameUnit(bytes.substr(i), code);
    if (unit.kind == UnitKind::Character) {
      for (std::size_t k = 0; k < unit.count; ++k) {
        framecodes_detail::AppendUtf16(unit.points[k], out);
      }
    } else {
      for (std::size_t k = 0; k < unit.length; ++k) {
        out.push_back(StandIn(bytes[i + k]));
      }
    }
    i += unit.length;
  }
  return out;
}

namespace {

// Reads display text back, calling `atCharacter(i, size)` before the
// character that starts at text[i] with the bytes so far.
template <class AtCharacter>
std::string ReadBack(std::u16string_view text, DisplayCode code, std::size_t& unheld,
                     AtCharacter&& atCharacter) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    atCharacter(i, out.size());
    const char16_t u = text[i];
    if (u == kDisplayLineBreak) {
      out.append("\r\n");
    } else if (u == kDisplayBareLineFeed) {
      out.push_back('\n');
    } else {
      i = framecodes_detail::AppendCharacter(code, text, i, framecodes_detail::StandIns::AreBytes,
                                             out, unheld);
    }
  }
  return out;
}

}  // namespace

std::string FrameDisplayToBytes(std::u16string_view text, DisplayCode code, std::size_t* unheld) {
  if (const auto tableCode = TableTextCode(code); tableCode && unheld == nullptr) {
    return DisplayTextToBytes(text, *tableCode);
  }
  std::size_t missing = 0;
  std::string out = ReadBack(text, code, missing, [](std::size_t, std::size_t) {});
  if (unheld != nullptr) {
    *unheld = missing;
  }
  return out;
}

std::vector<std::size_t> FrameDisplayByteOffsets(std::u16string_view text, DisplayCode code) {
  std::vector<std::size_t> offsets(text.size() + 1, 0);
  std::size_t next = 0;  // the first position not yet given its offset
  std::size_t missing = 0;
  const std::string bytes = ReadBack(text, code, missing, [&](std::size_t i, std::size_t size) {
    // Positions inside the previous character take its start.
    const std::size_t start = next == 0 ? 0 : offsets[next - 1];
    for (; next < i; ++next) {
      offsets[next] = start;
    }
    offsets[i] = size;
    next = i + 1;
  });
  const std::size_t start = next == 0 ? 0 : offsets[next - 1];
  for (; next < text.size(); ++next) {
    offsets[next] = start;
  }
  offsets[text.size()] = bytes.size();
  return offsets;
}

}  // namespace vortane
