// The three menu bars (130 English, 132 Chinese GB, 140 Chinese Big5) as
// tables: the view builds its menus from them. A command's caption comes from
// the command table; the popups' captions and the order are the bars' own.
#pragma once

#include <span>
#include <string_view>

#include "app/command_table.h"
#include "platform/main_window_view.h"

namespace vortane {

struct MenuEntry {
  enum class Kind { Command, Popup, EndPopup, Separator };
  Kind kind;
  Command command;           // for Command entries (Command::Open otherwise)
  std::string_view caption;  // UTF-8, with "&" before the mnemonic; empty for EndPopup/Separator
};

// The entries of a menu bar in order: a Popup opens a submenu that the matching
// EndPopup closes; a Command outside any popup stands on the bar itself.
[[nodiscard]] std::span<const MenuEntry> MenuTable(MenuResource menu);

}  // namespace vortane
