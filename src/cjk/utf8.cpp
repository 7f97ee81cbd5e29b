#include "cjk/utf8.h"

namespace vortane {

// Not yet written.
std::string DecodeUtf8Text(std::string_view, TextCode) { return {}; }
StreamStatus DecodeUtf8Stream(ByteReader&, ByteWriter&) { return StreamStatus::Ok; }

}  // namespace vortane
