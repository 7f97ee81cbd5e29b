// The vector paths of the Quoted-Printable file rule (x86-64 only), used by
// QuotedPrintableStreamDecoder between escapes when its level allows.
#pragma once

#if defined(__x86_64__)

namespace vortane {

// Decodes from p on, starting between escapes, while a whole vector of input
// (and the two bytes after it) remains before `end`: plain bytes are copied,
// "=" and two hexadecimal digits give their byte, "=" CR LF gives nothing.
// Stops at an "=" the exact rule must decide (any other "=") and returns it,
// or returns the first byte not consumed; dst moves past the bytes written.
// May store scratch bytes up to 32 past dst.
const unsigned char* DecodeQuotedPrintableSse2(const unsigned char* p, const unsigned char* end,
                                               char*& dst);
const unsigned char* DecodeQuotedPrintableAvx2(const unsigned char* p, const unsigned char* end,
                                               char*& dst);

}  // namespace vortane

#endif  // __x86_64__
