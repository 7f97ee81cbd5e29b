// The character codes the charsets library reads and writes.
#pragma once

namespace vortane {

// A character code of text in mail and files.
//   Gb18030    GB 18030 (the superset of GB 2312 and GBK), four-byte codes included.
//   Big5Hkscs  Big5 with the Hong Kong additions (HKSCS-2008).
//   Utf8       UTF-8; read without a mark of its own, written without one.
//   Utf16Le    UTF-16 little-endian, no mark.
//   Utf16Be    UTF-16 big-endian, no mark.
//   Utf16      UTF-16 whose byte order is read from a leading mark (FF FE little,
//              FE FF big; the mark is dropped), else big-endian; written
//              little-endian with a mark.
//   Hz         HZ: the HZ frame rule ("~{" ... "~}"), then GB 18030.
//   Utf7       UTF-7 by this program's UTF-7 rule.
enum class Charset { Gb18030, Big5Hkscs, Utf8, Utf16Le, Utf16Be, Utf16, Hz, Utf7 };

}  // namespace vortane
