// The converter's own GB and Big5 codes, read and written through the
// program's code tables (GB 2312 and Big5 without the Hong Kong additions), to
// and from UTF-8: what `gb` and `big5` name when the other side of a
// conversion is one of the charsets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "charsets/codec_steps.h"
#include "cjk/text_code.h"

namespace vortane::charsets_detail {

// Decode step (see codec_steps.h) for `code` (Gb or Big5). A byte below 0x80 is
// itself; a byte of 0x80 or more and the byte after it, whatever it is, make a
// unit looked up in the code's Unicode table. A unit the table lacks (or maps
// to U+FFFD), and a lead byte cut off by the end, give U+FFFD and add one to
// `unreadable`.
std::size_t DecodeTableCodeStep(TextCode code, std::string_view in, bool last, StepOut& out,
                                std::size_t& unreadable);

// Encode step from UTF-8 for `code` (Gb or Big5): each character through the
// table's Unicode lookup. A character the table lacks, and each ill-formed
// UTF-8 sequence, gives "?" and adds one to `counts`.
std::size_t EncodeTableCodeStep(TextCode code, std::string_view utf8, bool last, StepOut& out,
                                EncodeCounts& counts);

}  // namespace vortane::charsets_detail
