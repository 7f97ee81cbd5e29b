// The properties every codec of the charsets library keeps, for the fuzz
// targets of each code: bytes read in any chunking give what the whole text
// gives, the UTF-8 out is well-formed, what was read is written back, and
// valid UTF-8 written is read back; the fast paths give the plain path's
// bytes, the recoder's (straight into the pump's buffer) included, and a
// text cut in two and written by a pair of encoders gives one encoder's bytes.
// First input byte: chunk size; second: which way round (even: the rest is
// bytes of the code to read; odd: the rest is UTF-8 to write).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "charsets/charset_stream.h"
#include "charsets/charset_text.h"
#include "charsets/encoder_pair.h"
#include "charsets/recode_stream.h"
#include "fuzz/fuzz_support.h"

namespace vortane::fuzz {

inline std::size_t CountReplacements(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t at = utf8.find("\uFFFD"); at != std::string_view::npos;
       at = utf8.find("\uFFFD", at + 3)) {
    ++n;
  }
  return n;
}

// Whether `charset` writes every character (U+FFFD included).
inline bool WritesEveryCharacter(Charset charset) {
  return charset != Charset::Big5Hkscs && charset != Charset::Hz;
}

inline void CheckCharset(Charset charset, const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::size_t chunk = ChunkSize(input.Byte());
  const bool writeFirst = (input.Byte() & 1) != 0;
  const std::string_view text = input.Rest();

  const auto decodeStream = [charset](ByteReader& in, ByteWriter& out) {
    CharsetDecoder decoder(charset);
    return PumpStream(decoder, in, out);
  };
  const auto encodeStream = [charset](ByteReader& in, ByteWriter& out) {
    CharsetEncoder encoder(charset);
    return PumpStream(encoder, in, out);
  };

  if (!writeFirst) {
    const DecodedText decoded = DecodeToUtf8(charset, text);
    FUZZ_CHECK(ExpectChunkIndependent(decodeStream, text, chunk) == decoded.utf8);
    FUZZ_CHECK(ExpectLevelsAgree([charset] { return CharsetDecoder(charset); }, text, chunk) ==
               decoded.utf8);
    FUZZ_CHECK(ExpectLevelsAgree([charset] { return RecodeDecoder(charset, Charset::Utf8); }, text,
                                 chunk) == decoded.utf8);
    // Well-formed UTF-8, and every U+FFFD the decoder wrote is counted (the
    // text may hold U+FFFD of its own as well).
    const DecodedText checked = DecodeToUtf8(Charset::Utf8, decoded.utf8);
    FUZZ_CHECK(checked.unreadable == 0 && checked.utf8 == decoded.utf8);
    FUZZ_CHECK(decoded.unreadable <= CountReplacements(decoded.utf8));
    // Decode then encode: what was read is written, and reads the same again.
    const EncodedText encoded = EncodeFromUtf8(charset, decoded.utf8);
    if (WritesEveryCharacter(charset)) {
      FUZZ_CHECK(encoded.unwritable == 0);
      FUZZ_CHECK(DecodeToUtf8(charset, encoded.bytes).utf8 == decoded.utf8);
    } else if (charset == Charset::Big5Hkscs) {
      // Big5-HKSCS writes back every character it reads but U+FFFD.
      FUZZ_CHECK(encoded.unwritable <= CountReplacements(decoded.utf8));
    }
    return;
  }

  const EncodedText encoded = EncodeFromUtf8(charset, text);
  FUZZ_CHECK(ExpectChunkIndependent(encodeStream, text, chunk) == encoded.bytes);
  FUZZ_CHECK(ExpectLevelsAgree([charset] { return CharsetEncoder(charset); }, text, chunk) ==
             encoded.bytes);
  // Ill-formed input read as U+FFFD: the same in any chunking, and where the
  // code holds U+FFFD nothing is unwritable that was not already.
  const auto replacingStream = [charset](ByteReader& in, ByteWriter& out) {
    CharsetEncoder encoder(charset, IllFormedUtf8::Replacement);
    return PumpStream(encoder, in, out);
  };
  const std::string replaced = ExpectChunkIndependent(replacingStream, text, chunk);
  // The recoder reads UTF-8 into another code the same way.
  FUZZ_CHECK(ExpectLevelsAgree([charset] { return RecodeDecoder(Charset::Utf8, charset); }, text,
                               chunk) == replaced);
  // A pair of encoders reading the text in two parts, cut where CleanCut
  // allows, writes the same bytes.
  EncoderPair pair(charset, IllFormedUtf8::Replacement);
  const std::size_t cut = CleanCut(text, text.size() / 2, text.size());
  if (pair.MayCut() && cut != std::string_view::npos) {
    std::string room(pair.MaxOutput(text.size()), '\0');
    std::string parts(room.data(), pair.FeedInto(text.substr(0, cut), room.data()));
    parts.append(room.data(), pair.FeedAfterCutInto(text.substr(cut), room.data()));
    pair.EndCut();
    pair.Finish(parts);
    FUZZ_CHECK(parts == replaced);
  }
  if (WritesEveryCharacter(charset)) {
    const DecodedText back = DecodeToUtf8(charset, replaced);
    FUZZ_CHECK(back.unreadable == 0);
    FUZZ_CHECK(back.utf8 == DecodeToUtf8(Charset::Utf8, text).utf8 ||
               (charset == Charset::Utf16 && text.starts_with("\uFEFF")));
  }
  const DecodedText valid = DecodeToUtf8(Charset::Utf8, text);
  if (valid.unreadable == 0 && encoded.unwritable == 0) {
    // Valid UTF-8 that the code holds is read back exactly.
    const DecodedText back = DecodeToUtf8(charset, encoded.bytes);
    FUZZ_CHECK(back.unreadable == 0);
    FUZZ_CHECK(back.utf8 == text || (charset == Charset::Utf16 && text.starts_with("\uFEFF")));
  }
  if (WritesEveryCharacter(charset)) {
    FUZZ_CHECK(encoded.unwritable == valid.unreadable);
  }
}

}  // namespace vortane::fuzz
