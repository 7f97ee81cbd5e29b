#include "help/help_dialog.h"

#include "help/help_pages.h"
#include "texts/help_texts.h"
#include "texts/tri_text.h"

namespace vortane {

HelpDialog::HelpDialog(InterfaceLanguage interfaceLanguage)
    : language_(interfaceLanguage.ForMessages()) {
  OnTab(0);
}

UiText HelpDialog::title() const { return Choose(help_text::kTitle, language_); }

UiText HelpDialog::tabLabel(int index) const {
  if (index < 0 || index >= pageCount()) {
    return {};
  }
  return Choose(help_text::kTabs[static_cast<std::size_t>(index)], language_);
}

UiText HelpDialog::closeCaption() { return Ascii(help_text::kClose); }

void HelpDialog::OnTab(int index) {
  if (index < 0 || index >= pageCount()) {
    return;
  }
  currentPage_ = index;
  pageTitle_ = Choose(help_text::kPageTitles[static_cast<std::size_t>(index)], language_);
  pageText_ = HelpPageBody(index, language_);
}

}  // namespace vortane
