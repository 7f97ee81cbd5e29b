// The main window's commands: one typed enumeration and one table that gives
// each command its name, its caption in the three languages, its shortcut and
// its handler. Menus, dispatch, the developer driver and the tests read it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "texts/tri_text.h"

namespace vortane {

class TextTransformDialog;

enum class Command {
  // File menu.
  Open,
  SaveAs,
  Close,
  DecodeFileBase64,
  DecodeFileQuotedPrintable,
  DecodeFileHz,
  DecodeFileUtf7,
  DecodeFileUtf8,
  CodeConverter,
  Exit,
  // Decode menu, and 7bit-8bit on the bar itself.
  DecodeBase64,
  DecodeQuotedPrintable,
  DecodeHz,
  Utf7Gb,
  Utf8Gb,
  Utf7Big5,
  Utf8Big5,
  Big5ToGb,
  GbToBig5,
  RestoreHighBits,
  // Edit menu.
  CopySelectedTarget,
  PasteToSource,
  SourceFromTarget,
  TargetFromSource,
  AddMark,
  RemoveMark,
  WordWrap,
  // Configuration and Help menus.
  Setting,
  About,
  HelpContents,
  // Added later: Decode > Automatic...
  AutoRepair,
  // Whole messages.
  OpenMessage,
  DecodeWholeMessage,
  // Decode menu: conversion by phrases, beside Big5->GB and GB->Big5.
  Big5ToGbByPhrases,
  GbToBig5ByPhrases,
};

// Runs one command on the main window's logic.
using CommandHandler = void (TextTransformDialog::*)();

struct CommandInfo {
  Command command;
  // A stable name for scripts and tests ("decode-base64"): lower case words
  // joined by "-".
  std::string_view name;
  // The command's number in the menu resources (32771 ... 32805, then 32806 on).
  int menuId;
  // The menu caption in each language (UTF-8), "&" before the mnemonic.
  TriText caption;
  // The key sequence in Qt's portable text form ("Ctrl+Q"); empty for none.
  std::string_view shortcut;
  CommandHandler handler;
};

// Every command once, in the order of the enumeration.
[[nodiscard]] std::span<const CommandInfo> CommandTable();

// The row of `command`; nullptr for a value outside the enumeration.
[[nodiscard]] const CommandInfo* FindCommand(Command command);

// The command called `name`; nullopt when no command has that name.
[[nodiscard]] std::optional<Command> CommandNamed(std::string_view name);

}  // namespace vortane
