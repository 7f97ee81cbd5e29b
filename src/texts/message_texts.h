// Texts of the message view and the whole-message commands of the desktop
// program. Chosen with InterfaceLanguage::ForMessages.
#pragma once

#include <span>

#include "texts/tri_text.h"

namespace vortane::message_text {

// The message view's window: %1 the file's name.
extern const TriText kViewTitle;
// The list of an mbox's messages, and its columns.
extern const TriText kMessageList;
extern const TriText kNumberColumn;
// The main header fields, in the order shown.
extern const TriText kSubject;
extern const TriText kFrom;
extern const TriText kTo;
extern const TriText kCc;
extern const TriText kDate;
// The parts' columns.
extern const TriText kTypeColumn;
extern const TriText kDeclaredColumn;  // the charset the part declares
extern const TriText kReadAsColumn;    // the charset it was read with
extern const TriText kEncodingColumn;  // its transfer encoding
extern const TriText kSizeColumn;      // its decoded size in bytes
extern const TriText kFileNameColumn;
extern const TriText kNone;            // an absent value in a column
extern const TriText kReadAs;          // the control that overrides a part's charset
extern const TriText kAsDeclared;      // its first choice: the reading of the message
extern const TriText kSaveAttachment;  // the button
extern const TriText kCloseView;       // the button
extern const TriText kNotText;         // shown for a part that is not text: %1 its size
extern const TriText kGuessedMark;     // after a charset the declared one gave way to

// Saving an attachment: %1 the path it was saved under, %2 the cause.
extern const TriText kSavedUnderOtherName;
extern const TriText kCannotSaveAttachment;
extern const TriText kFileDialogMail;  // the Open message file filter's description

// The status line after Decode > Whole message.
extern const TriText kSourceCut;         // the source frame holds a cut file: %1 its path
extern const TriText kSourceUnclean;     // 8-bit text did not read cleanly: %1 how many parts
extern const TriText kWholeMessageDone;  // %1 messages, %2 parts

// Every text above, for the checks that each converts into its code.
[[nodiscard]] std::span<const TriText* const> MessageTexts();

}  // namespace vortane::message_text
