#include "app/line_transforms.h"

namespace vortane {

// Not yet written.
std::string WordWrap(std::string_view text, int, bool) { return std::string(text); }
std::string AddMark(std::string_view text, std::string_view) { return std::string(text); }
std::string RemoveMark(std::string_view text, std::string_view) { return std::string(text); }

}  // namespace vortane
