// The vector paths of the HZ file rule (x86-64 only), used by HzStreamDecoder
// when its level allows.
#pragma once

#if defined(__x86_64__)

namespace vortane {

// Decodes from p on, with no "~" pending, while a whole vector of input (and
// the byte after it) remains before `end`: "~{" and "~}" switch `gbMode` and
// give nothing, every other byte is written (0x80 added in GB mode), a "~"
// together with the byte after it. Stops at "~~", whose meaning depends on the
// mode, and returns it, or returns the first byte not consumed; dst moves past
// the bytes written. May store scratch bytes up to 32 past dst.
const unsigned char* DecodeHzSse2(const unsigned char* p, const unsigned char* end, char*& dst,
                                  bool& gbMode);
const unsigned char* DecodeHzAvx2(const unsigned char* p, const unsigned char* end, char*& dst,
                                  bool& gbMode);

}  // namespace vortane

#endif  // __x86_64__
