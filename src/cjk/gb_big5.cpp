#include "cjk/gb_big5.h"

namespace vortane {

// Not yet written.
std::string ConvertGbToBig5Text(std::string_view text) { return std::string(text); }
std::string ConvertBig5ToGbText(std::string_view text) { return std::string(text); }

}  // namespace vortane
