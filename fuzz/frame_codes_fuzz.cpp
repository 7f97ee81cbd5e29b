// The frames' display mapping in every display code (bytes to shown text and
// back gives the bytes; typed text shows and reads back the same), Save As
// in every encoding, and the converter's routes in any chunking. First input
// byte: the choices; the rest is the bytes (and, two at a time, Unicode text).
#include <cstddef>
#include <cstdint>
#include <string>

#include "converter/convert_route.h"
#include "framecodes/frame_clipboard.h"
#include "framecodes/frame_display.h"
#include "framecodes/open_encoding.h"
#include "framecodes/save_encoding.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t choice = input.Byte();
  const DisplayCode code = kDisplayCodes[choice % kDisplayCodes.size()];
  const SaveEncoding saveAs = kSaveEncodings[choice / 5 % kSaveEncodings.size()];
  const OpenEncoding openAs = kOpenEncodings[choice / 25 % kOpenEncodings.size()];
  const std::string_view bytes = input.Rest();

  const std::u16string shown = BytesToFrameDisplay(bytes, code);
  FUZZ_CHECK(shown.size() <= bytes.size());
  std::size_t unheld = 0;
  FUZZ_CHECK(FrameDisplayToBytes(shown, code, &unheld) == bytes);
  FUZZ_CHECK(unheld == 0);

  std::u16string unicode;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unicode.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                            static_cast<unsigned char>(bytes[i + 1])));
  }
  const std::string typed = FrameDisplayToBytes(unicode, code);
  FUZZ_CHECK(FrameDisplayToBytes(BytesToFrameDisplay(typed, code), code) == typed);
  const std::string pasted = FrameBytesFromClipboardText(unicode, code);
  FUZZ_CHECK(FrameDisplayToBytes(BytesToFrameDisplay(pasted, code), code) == pasted);
  (void)ClipboardTextFromFrameBytes(bytes, code);

  const SaveText saved = MakeSaveText(bytes, code, saveAs);
  FUZZ_CHECK(saved.unreadable <= bytes.size());
  const OpenedText opened = MakeOpenedText(bytes, openAs);
  FUZZ_CHECK(opened.bytes.size() <= kOpenTextLimit);
  FUZZ_CHECK(opened.bytes.find('\0') == std::string::npos);

  const auto& from = kConverterSourceCodes[choice % kConverterSourceCodes.size()].code;
  const auto& to = kConverterResultCodes[choice / 7 % kConverterResultCodes.size()].code;
  const auto mode = static_cast<BlankMode>(choice / 42 % 3);
  const std::string whole = RunChunked(
      [&](ByteReader& in, ByteWriter& out) {
        return ConvertRouteStream(in, out, from, to, mode).status;
      },
      bytes, 1 << 20);
  const std::string chunked = RunChunked(
      [&](ByteReader& in, ByteWriter& out) {
        return ConvertRouteStream(in, out, from, to, mode).status;
      },
      bytes, 1 + choice % 5);
  FUZZ_CHECK(whole == chunked);
  return 0;
}
