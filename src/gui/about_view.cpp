#include "gui/dialog_views.h"

namespace vortane {

// Not yet written.
void RunAboutView(QWidget*, AboutDialog&) {}

}  // namespace vortane
