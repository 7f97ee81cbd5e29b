// The real-mail corpus (outside the project; skipped when absent) through the
// message view's logic and the file sniffing: every message is known as a
// message by its content alone, and shows its fields and parts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "mailview/message_file.h"
#include "mailview/message_view.h"
#include "support/fake_platform.h"
#include "support/languages.h"
#include "support/realmail_dir.h"

namespace vortane {
namespace {

namespace fs = std::filesystem;

TEST(RealMailView, EveryMessageIsSniffedAndShown) {
  const auto dir = testing::RealMailDirectory();
  if (!dir) {
    GTEST_SKIP() << "real-mail corpus not found (set VORTANE_REALMAIL)";
  }
  int messages = 0;
  for (const auto& entry : fs::directory_iterator(*dir)) {
    if (entry.path().extension() != ".eml") {
      continue;
    }
    ++messages;
    const std::string bytes = testing::ReadCorpusFile(entry.path());
    const std::string name = entry.path().filename().string();
    // By content alone, as a file without its extension.
    EXPECT_TRUE(LooksLikeMessage("message", std::string_view(bytes).substr(0, kMessageSniffBytes)))
        << name;

    testing::FakePlatform platform;
    MessageViewDialog view(platform, testing::Lang(testing::kLanguageEnglish), name, bytes);
    if (view.IsMbox()) {  // a message kept with its mbox "From " line
      EXPECT_FALSE(view.SelectedMessage()) << name;
      view.SelectMessage(0);
    }
    EXPECT_EQ(view.SelectedMessage(), 0U) << name;
    EXPECT_FALSE(view.Fields().empty()) << name;
    const auto parts = view.Parts();
    ASSERT_FALSE(parts.empty()) << name;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      view.SelectPart(i);
      EXPECT_FALSE(view.ShownText().empty() && parts[i].size > 0) << name << " part " << i + 1;
    }
  }
  EXPECT_EQ(messages, 75);
}

}  // namespace
}  // namespace vortane
