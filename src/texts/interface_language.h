// The interface language setting as a value: the number the settings file
// holds (0 Chinese GB, 1 English, 2 Chinese Big5, or any other number a
// hand-edited file gives), and the two ways places turn it into one of the
// three languages.
#pragma once

#include <optional>

namespace vortane {

// The three languages texts exist in.
enum class Language { Gb = 0, English = 1, Big5 = 2 };

class InterfaceLanguage {
 public:
  // English, the default.
  constexpr InterfaceLanguage() = default;
  constexpr InterfaceLanguage(Language language) : number_(static_cast<int>(language)) {}

  // The setting as stored: kept unchanged, also outside 0..2.
  [[nodiscard]] static constexpr InterfaceLanguage FromNumber(int number) {
    InterfaceLanguage language;
    language.number_ = number;
    return language;
  }
  [[nodiscard]] constexpr int Number() const { return number_; }

  // The language the number names; nullopt outside 0..2 (no language button
  // is then selected).
  [[nodiscard]] constexpr std::optional<Language> Exact() const {
    if (number_ < 0 || number_ > 2) {
      return std::nullopt;
    }
    return static_cast<Language>(number_);
  }

  // Most messages, the menu and the title: 1 English, 0 GB, any other value Big5.
  [[nodiscard]] constexpr Language ForMessages() const {
    return number_ == 1 ? Language::English : number_ == 0 ? Language::Gb : Language::Big5;
  }
  // The settings dialog's labels and the converter's texts: 0 GB, 2 Big5,
  // any other value English.
  [[nodiscard]] constexpr Language ForLabels() const {
    return number_ == 0 ? Language::Gb : number_ == 2 ? Language::Big5 : Language::English;
  }

  friend constexpr bool operator==(InterfaceLanguage, InterfaceLanguage) = default;

 private:
  int number_ = 1;
};

}  // namespace vortane
