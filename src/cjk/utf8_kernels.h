// The vector paths of the UTF-8 decodings (x86-64 only), used by the file
// rule's and the frame rule's decoders when their level allows.
#pragma once

#if defined(__x86_64__)

#include <cstdint>

namespace vortane {

// Decodes the forms from p on (p at the start of a form) while a whole
// vector of input and the two bytes after it remain before `end`, as long as
// the forms are ASCII bytes and three-byte forms (a lead byte E0-EF and two
// bytes 80-BF): the file rule writes each as a big-endian unit (ASCII 00 b);
// the frame rule copies ASCII and writes `codes[v]` of a three-byte form's
// code point v, high byte first. Returns the first byte not consumed (a form
// of any other kind stops it); dst moves past the bytes written. May store
// scratch bytes up to 32 past dst.
const unsigned char* DecodeUtf8UnitsSse2(const unsigned char* p, const unsigned char* end,
                                         char*& dst);
const unsigned char* DecodeUtf8UnitsAvx2(const unsigned char* p, const unsigned char* end,
                                         char*& dst);
const unsigned char* DecodeUtf8TextSse2(const unsigned char* p, const unsigned char* end,
                                        char*& dst, const std::uint16_t* codes);
const unsigned char* DecodeUtf8TextAvx2(const unsigned char* p, const unsigned char* end,
                                        char*& dst, const std::uint16_t* codes);

}  // namespace vortane

#endif  // __x86_64__
