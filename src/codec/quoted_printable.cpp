#include "codec/quoted_printable.h"

namespace vortane {

// Not yet written.
std::string DecodeQuotedPrintableText(std::string_view, bool) { return {}; }
StreamStatus DecodeQuotedPrintableStream(ByteReader&, ByteWriter&) { return StreamStatus::Ok; }

}  // namespace vortane
