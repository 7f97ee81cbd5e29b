#include "cjk/utf7.h"

namespace vortane {

// Not yet written.
std::string Utf7ToUnits(std::string_view) { return {}; }
std::string UnitsToText(std::string_view, TextCode) { return {}; }
std::string DecodeUtf7Text(std::string_view, TextCode) { return {}; }
StreamStatus DecodeUtf7Stream(ByteReader&, ByteWriter&) { return StreamStatus::Ok; }

}  // namespace vortane
