#include "converter/convert_stream.h"

namespace vortane {

// Not yet written.
StreamStatus ConvertStream(ByteReader&, ByteWriter&, TextCode, TextCode, BlankMode) { return StreamStatus::Ok; }

}  // namespace vortane
