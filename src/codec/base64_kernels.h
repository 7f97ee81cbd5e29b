// The vector paths of the Base64 file rule (x86-64 only), used by
// Base64StreamDecoder when its level allows.
#pragma once

#if defined(__x86_64__)

namespace vortane {

// Decodes whole groups of Alphabet bytes from p on into dst, passing over
// CR, LF and blanks that fall between groups, while a whole vector of input
// remains before `end`. Stops (returning the first byte not consumed, with dst
// moved past the bytes written) at a byte the exact rule must decide: a Stop
// byte, or a line end inside a group. May store scratch bytes up to 32 past dst.
const unsigned char* DecodeBase64GroupsSse2(const unsigned char* p, const unsigned char* end,
                                            char*& dst);
const unsigned char* DecodeBase64GroupsAvx2(const unsigned char* p, const unsigned char* end,
                                            char*& dst);

}  // namespace vortane

#endif  // __x86_64__
