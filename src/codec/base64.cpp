#include "codec/base64.h"

namespace vortane {

// Not yet written.
Base64CharKind ClassifyBase64Char(unsigned char) { return Base64CharKind::Stop; }
int Base64CharValue(unsigned char) { return 0; }
std::string DecodeBase64Text(std::string_view) { return {}; }
StreamStatus DecodeBase64Stream(ByteReader&, ByteWriter&) { return StreamStatus::Ok; }

}  // namespace vortane
