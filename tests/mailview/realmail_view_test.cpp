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

namespace vortane {
namespace {

namespace fs = std::filesystem;

std::optional<fs::path> CorpusDirectory() {
  if (const char* env = std::getenv("VORTANE_REALMAIL")) {
    return fs::exists(fs::path(env) / "manifest.tsv") ? std::optional(fs::path(env)) : std::nullopt;
  }
#ifdef VORTANE_REALMAIL_DIRS
  std::istringstream dirs(VORTANE_REALMAIL_DIRS);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (fs::exists(fs::path(dir) / "manifest.tsv")) {
      return fs::path(dir);
    }
  }
#endif
  return std::nullopt;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(RealMailView, EveryMessageIsSniffedAndShown) {
  const auto dir = CorpusDirectory();
  if (!dir) {
    GTEST_SKIP() << "real-mail corpus not found (set VORTANE_REALMAIL)";
  }
  int messages = 0;
  for (const auto& entry : fs::directory_iterator(*dir)) {
    if (entry.path().extension() != ".eml") {
      continue;
    }
    ++messages;
    const std::string bytes = ReadFile(entry.path());
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
