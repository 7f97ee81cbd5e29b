// The vector paths of the conversion engine (x86-64 only), used by
// ConvertDecoder when its level allows: under KeepStill every unit converts
// on its own; under AddBlank and RemoveBlank the paths below also carry the
// space before a unit from one window to the next.
#pragma once

#if defined(__x86_64__)

#include <cstdint>

namespace vortane {

// GB or Big5 text from p on (p at the start of a unit) while a whole window
// of input remains before `end`: bytes below 0x80 are copied, each lead byte
// and the byte after it become `codes[lead * 256 + trail]`, high byte first.
// Returns the end of what was written and moves p to the first byte not
// consumed. May store scratch bytes up to 64 past the end returned.
char* ConvertPairsSse2(const unsigned char*& p, const unsigned char* end, char* dst,
                       const std::uint16_t* codes);
char* ConvertPairsAvx2(const unsigned char*& p, const unsigned char* end, char* dst,
                       const std::uint16_t* codes);

// The same under RemoveBlank and AddBlank: a space directly in front of a
// lead byte is dropped (RemoveBlank), or a lead byte without one gets one
// (AddBlank). `pending` is a space held back before p; none is held back at
// the end (AVX2 only: the byte shuffles do the work).
char* ConvertPairsRemoveAvx2(const unsigned char*& p, const unsigned char* end, char* dst,
                             const std::uint16_t* codes, bool& pending);
char* ConvertPairsAddAvx2(const unsigned char*& p, const unsigned char* end, char* dst,
                          const std::uint16_t* codes, bool& pending);

// Big-endian 16-bit units from p on while a whole window of input remains: a
// unit whose high byte is 0 writes its low byte, any other unit u writes
// `codes[u]`, high byte first. Returns the end of what was written and moves
// p past the units consumed. May store scratch bytes up to 32 past the end.
char* ConvertUnitsSse2(const unsigned char*& p, const unsigned char* end, char* dst,
                       const std::uint16_t* codes);
char* ConvertUnitsAvx2(const unsigned char*& p, const unsigned char* end, char* dst,
                       const std::uint16_t* codes);

// The same under AddBlank (AVX2 only), big-endian or little-endian: every
// single-byte unit is written, a space too, and a double-byte unit gets a
// blank in front unless a space unit is just before it. `spaceBefore`: the
// unit before p was a space (written); updated for the unit before the new p.
// May store scratch bytes up to 16 past the end.
char* ConvertUnitsAddAvx2(const unsigned char*& p, const unsigned char* end, char* dst,
                          const std::uint16_t* codes, bool littleEndian, bool& spaceBefore);

}  // namespace vortane

#endif  // __x86_64__
