#include "help/help_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "support/languages.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

using testing::kLanguageBig5;
using testing::kLanguageEnglish;
using testing::kLanguageGb;
using testing::Lang;

UiText Expected(const TriText& text, int language) {
  return Choose(text, Lang(language).ForMessages());
}

TEST(HelpDialog, CaptionsFollowTheEnglishFirstRule) {
  const struct {
    int language;
    TriText title;
    TriText firstTab;
    TriText lastTab;
    TriText firstPageTitle;
  } cases[] = {
      {kLanguageEnglish,
       {"Help Contents", "", ""},
       {"Vortane Introduction", "", ""},
       {"Others", "", ""},
       {"Simply Introduce", "", ""}},
      {kLanguageGb,
       {"", "帮助内容", ""},
       {"", "Vortane介绍", ""},
       {"", "其它", ""},
       {"", "简单介绍Vortane", ""}},
      {kLanguageBig5,
       {"", "", "幫助內容"},
       {"", "", "Vortane介紹"},
       {"", "", "其它"},
       {"", "", "簡單介紹Vortane"}},
      // A hand-edited value outside 0..2 gives Big5 here.
      {9,
       {"", "", "幫助內容"},
       {"", "", "Vortane介紹"},
       {"", "", "其它"},
       {"", "", "簡單介紹Vortane"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    HelpDialog dialog(Lang(c.language));
    EXPECT_EQ(dialog.title(), Expected(c.title, c.language));
    EXPECT_EQ(dialog.tabLabel(0), Expected(c.firstTab, c.language));
    EXPECT_EQ(dialog.tabLabel(3), Expected(c.lastTab, c.language));
    EXPECT_EQ(dialog.currentPage(), 0);
    EXPECT_EQ(dialog.pageTitle(), Expected(c.firstPageTitle, c.language));
    EXPECT_EQ(dialog.closeCaption(), Ascii("Close"));
  }
}

TEST(HelpDialog, TabsShowTheirPagesInTheDialogLanguage) {
  const TriText pageTitles[] = {
      {"Simply Introduce", "简单介绍Vortane", "簡單介紹Vortane"},
      {"Some Usage Points", "简单的使用说明", "簡單的使用說明"},
      {"Some Code Samples", "几种编码示例", "幾種編碼示例"},
      {"Introduce The Author", "介绍作者及其他", "介紹作者及其他"},
  };
  const TriText tabs[] = {
      {"Vortane Introduction", "Vortane介绍", "Vortane介紹"},
      {"Usage", "使用指南", "使用指南"},
      {"Encode Samples", "编码示例", "編碼示例"},
      {"Others", "其它", "其它"},
  };
  for (const int language : {kLanguageGb, kLanguageEnglish, kLanguageBig5}) {
    HelpDialog dialog(Lang(language));
    const UiCode code = language == kLanguageGb     ? UiCode::Gb
                        : language == kLanguageBig5 ? UiCode::Big5
                                                    : UiCode::Ascii;
    for (const int page : {2, 0, 3, 1}) {
      SCOPED_TRACE(std::to_string(language) + "/" + std::to_string(page));
      dialog.OnTab(page);
      EXPECT_EQ(dialog.currentPage(), page);
      EXPECT_EQ(dialog.tabLabel(page), Expected(tabs[page], language));
      EXPECT_EQ(dialog.pageTitle(), Expected(pageTitles[page], language));
      EXPECT_FALSE(dialog.pageText().bytes.empty());
      if (!(language == kLanguageEnglish && page == 2)) {
        EXPECT_EQ(dialog.pageText().code, code);
      }
    }
  }
}

TEST(HelpDialog, ClickingTheShownTabShowsTheSamePage) {
  HelpDialog dialog(Lang(kLanguageGb));
  dialog.OnTab(1);
  const UiText title = dialog.pageTitle();
  const UiText text = dialog.pageText();
  dialog.OnTab(1);
  EXPECT_EQ(dialog.currentPage(), 1);
  EXPECT_EQ(dialog.pageTitle(), title);
  EXPECT_EQ(dialog.pageText(), text);
}

TEST(HelpDialog, TabOutsideThePagesChangesNothing) {
  HelpDialog dialog(Lang(kLanguageEnglish));
  dialog.OnTab(2);
  const UiText text = dialog.pageText();
  for (const int bad : {-1, 4, 100}) {
    dialog.OnTab(bad);
    EXPECT_EQ(dialog.currentPage(), 2);
    EXPECT_EQ(dialog.pageText(), text);
    EXPECT_EQ(dialog.tabLabel(bad), UiText{});
  }
}

}  // namespace
}  // namespace vortane
