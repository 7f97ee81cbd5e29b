// The vector paths of the UTF-7 decoding into units (x86-64 only), used by
// Utf7Decoder when its level allows.
#pragma once

#if defined(__x86_64__)

namespace vortane {

// Decodes from p on, in ordinary text (`inRun` false) or at the start of a
// group inside a Base64 run (`inRun` true), while a whole vector of input
// remains before `end`: ordinary bytes become units 00 b, "+-" gives 00 2B,
// "+" opens a run, whose groups give their bytes, and a run ends at its first
// byte that is not Alphabet (a "-" there is dropped). Returns the first byte
// not consumed, in ordinary text or at a group's start in a run (`inRun` says
// which); dst moves past the bytes written. May store scratch bytes up to 64
// past dst.
const unsigned char* DecodeUtf7Sse2(const unsigned char* p, const unsigned char* end, char*& dst,
                                    bool& inRun);
const unsigned char* DecodeUtf7Avx2(const unsigned char* p, const unsigned char* end, char*& dst,
                                    bool& inRun);

}  // namespace vortane

#endif  // __x86_64__
