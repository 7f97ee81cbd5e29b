#include "gui/dialog_views.h"

namespace vortane {

// Not yet written.
void RunHelpView(QWidget*, HelpDialog&) {}

}  // namespace vortane
