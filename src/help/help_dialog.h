// The help dialog's logic: four pages of fixed text in three languages, one
// shown at a time, chosen with a row of tabs.
#pragma once

#include "platform/ui_text.h"
#include "texts/help_texts.h"
#include "texts/interface_language.h"

namespace vortane {

class HelpDialog {
 public:
  // The texts are in `interfaceLanguage` as messages read it (1 English,
  // 0 GB, any other value Big5). The dialog opens on page 0.
  explicit HelpDialog(InterfaceLanguage interfaceLanguage);

  [[nodiscard]] static constexpr int pageCount() { return help_text::kPageCount; }

  [[nodiscard]] UiText title() const;
  // Label of tab `index` (0..3); empty for other values.
  [[nodiscard]] UiText tabLabel(int index) const;
  // "Close" in every language.
  [[nodiscard]] static UiText closeCaption();

  [[nodiscard]] int currentPage() const { return currentPage_; }
  [[nodiscard]] const UiText& pageTitle() const { return pageTitle_; }
  // Lines end with CR LF; the view wraps long lines.
  [[nodiscard]] const UiText& pageText() const { return pageText_; }

  // A click on tab `index` shows its page (again, when it is already shown).
  // Values outside 0..3 are ignored.
  void OnTab(int index);

 private:
  Language language_;
  int currentPage_ = 0;
  UiText pageTitle_;
  UiText pageText_;
};

}  // namespace vortane
