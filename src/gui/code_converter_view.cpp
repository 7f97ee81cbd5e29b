#include "gui/dialog_views.h"

namespace vortane {

// Not yet written.
void RunCodeConverterView(QWidget*, CodeConverterDialog&) {}

}  // namespace vortane
