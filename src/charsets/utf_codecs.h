// UTF-8 and UTF-16 both ways, to and from UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "charsets/codec_steps.h"
#include "codec/simd_level.h"

namespace vortane::charsets_detail {

// Decode step for UTF-8 (see codec_steps.h): well-formed sequences are copied,
// each ill-formed one (counted the way encoders count them, one per longest
// well-formed start) gives one U+FFFD and adds one to `unreadable`.
std::size_t DecodeUtf8Step(std::string_view in, bool last, StepOut& out, std::size_t& unreadable,
                           SimdLevel simd);

// Encode step to UTF-8: well-formed sequences copied, ill-formed ones
// written as "?" (or U+FFFD, see EncodeCounts) and counted.
std::size_t EncodeUtf8ToUtf8Step(std::string_view utf8, bool last, StepOut& out,
                                 EncodeCounts& counts, SimdLevel simd);

enum class ByteOrder : std::uint8_t { Unknown, BigUnlessLittleMark, Little, Big };

// UTF-16 reading state. With Unknown the first two bytes decide: FF FE little,
// FE FF big (the mark dropped), anything else big-endian and kept. With
// BigUnlessLittleMark only FF FE is a mark (the converter's Unicode: FE FF is
// read as the character U+FEFF).
struct Utf16Reader {
  ByteOrder order = ByteOrder::Unknown;
};

// Decode step for UTF-16 (see codec_steps.h). A surrogate without its partner
// gives one U+FFFD and adds one to `unreadable`; so does an odd last byte.
std::size_t DecodeUtf16Step(Utf16Reader& reader, std::string_view in, bool last, StepOut& out,
                            std::size_t& unreadable, SimdLevel simd);

// UTF-16 writing state: the byte order and whether the mark is still to come.
struct Utf16Writer {
  ByteOrder order = ByteOrder::Little;
  bool markPending = false;
};

// Encode step from UTF-8 (see codec_steps.h). Ill-formed UTF-8 gives "?" (as
// one unit) and adds one to `counts` per sequence. Every `simd` level of the
// steps here gives the same bytes.
std::size_t EncodeUtf16Step(Utf16Writer& writer, std::string_view utf8, bool last, StepOut& out,
                            EncodeCounts& counts, SimdLevel simd);

}  // namespace vortane::charsets_detail
