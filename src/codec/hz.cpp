#include "codec/hz.h"

namespace vortane {

// Not yet written.
std::string DecodeHzText(std::string_view) { return {}; }
StreamStatus DecodeHzStream(ByteReader&, ByteWriter&) { return StreamStatus::Ok; }

}  // namespace vortane
