#include "charsets/charset_text.h"

#include "charsets/charset_stream.h"

namespace vortane {

DecodedText DecodeToUtf8(Charset charset, std::string_view bytes) {
  CharsetDecoder decoder(charset);
  DecodedText result;
  result.utf8.reserve(bytes.size() + bytes.size() / 2);
  decoder.Feed(bytes, result.utf8);
  decoder.Finish(result.utf8);
  result.unreadable = decoder.Unreadable();
  return result;
}

EncodedText EncodeFromUtf8(Charset charset, std::string_view utf8) {
  CharsetEncoder encoder(charset);
  EncodedText result;
  result.bytes.reserve(utf8.size());
  encoder.Feed(utf8, result.bytes);
  encoder.Finish(result.bytes);
  result.unwritable = encoder.Unwritable();
  return result;
}

}  // namespace vortane
