// The about dialog's logic: small and full states, three introduction pages
// and three homepage buttons.
#pragma once

#include <string>
#include <utility>

#include "platform/platform.h"
#include "platform/ui_text.h"
#include "texts/interface_language.h"

namespace vortane {

// The three languages of the introduction pages and of the homepages: the GB
// page (blue icon area, first banner), the Big5 page (green area, second
// banner) and the English page (red area, third banner).
enum class AboutPage { Gb, Big5, English };

class AboutDialog {
 public:
  // `pageFilePath` is the temporary directory followed by "Vortane.htm";
  // The opening texts are in `interfaceLanguage` as messages read it
  // (1 English, 0 GB, any other value Big5).
  AboutDialog(Platform& platform, std::string pageFilePath, InterfaceLanguage interfaceLanguage);

  // The window title: the dialog's title, then the heading of the page shown.
  [[nodiscard]] const UiText& title() const { return title_; }
  [[nodiscard]] const UiText& versionText() const { return versionText_; }
  // Lines end with CR LF.
  [[nodiscard]] const UiText& shortText() const { return shortText_; }
  // The introduction page shown; empty in the small state.
  [[nodiscard]] const UiText& pageText() const { return pageText_; }

  // Small on opening; full once a page has been shown, for good.
  [[nodiscard]] bool full() const { return full_; }
  // Which controls show: in the small state the version text, the OK button,
  // the short text and the three areas over the icon; in the full state the
  // page in their place (the banners lie below and show with the full size).
  struct Visibility {
    bool versionText = true;
    bool okButton = true;
    bool shortText = true;
    bool iconAreas = true;
    bool page = false;
  };
  [[nodiscard]] Visibility visibility() const;
  // True from the first showing of the English page on: the page box then
  // uses the Courier New face (14 pixels) for every page.
  [[nodiscard]] bool courierFont() const { return courierFont_; }

  // Size of the small state for a full window of `full` pixels (integer
  // division, truncated).
  struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
  };
  [[nodiscard]] static Size SmallSize(Size full);

  // A click on an area of the icon: the dialog goes full size and shows that
  // page; the view then gives the page the keyboard focus.
  void OnPageArea(AboutPage page);
  // A click on a banner: opens the page's web address; when the desktop
  // cannot, writes the page file that leads there and opens it. Failures are
  // silent.
  void OnHomepage(AboutPage page);

  // The HTML of the page file for a homepage: seven lines joined by CR LF,
  // none after the last; text outside ASCII written as character references.
  [[nodiscard]] static std::string PageFileHtml(AboutPage page);

 private:
  Platform& platform_;
  std::string pageFilePath_;
  UiText title_;
  UiText versionText_;
  UiText shortText_;
  UiText pageText_;
  bool full_ = false;
  bool courierFont_ = false;
};

}  // namespace vortane
