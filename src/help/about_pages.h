// The about dialog's three introduction pages (one per language, whatever the
// interface language) and the welcome lines of its homepage file.
#pragma once

#include <string_view>

#include "help/about_dialog.h"
#include "platform/ui_text.h"

namespace vortane {

// Heading of the page, shown as the window title, in the page's code.
[[nodiscard]] UiText AboutPageHeading(AboutPage page);
// The page text, lines ending with CR LF, in the page's code.
[[nodiscard]] UiText AboutPageText(AboutPage page);

// The page's web address.
[[nodiscard]] std::string_view HomepageUrl(AboutPage page);
// The two welcome lines of the page file in the page's language, as UTF-8.
struct WelcomeLines {
  std::string_view first;   // large, linked to the address
  std::string_view second;  // below it, while the browser waits to go on
};
[[nodiscard]] WelcomeLines HomepageWelcome(AboutPage page);

}  // namespace vortane
