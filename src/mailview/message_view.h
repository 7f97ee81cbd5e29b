// The message view's logic: a message file (one message, or an mbox shown as
// a list first) read by the mail library, its main header fields, its parts
// as rows, the chosen part's text, a per-part charset override and saving an
// attachment under a safe name. It reaches the screen only through Platform;
// the view shows what it returns.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "charsets/charset.h"
#include "mail/message_reading.h"
#include "platform/platform.h"
#include "platform/ui_text.h"
#include "texts/interface_language.h"
#include "texts/tri_text.h"

namespace vortane {

// One main header field as shown: its caption and its decoded value (UTF-8,
// control characters as blanks).
struct MessageFieldRow {
  UiText caption;
  std::string value;
};

// One message of an mbox in the list (UTF-8 values, one line each).
struct MessageListRow {
  std::size_t number = 0;  // 1, 2, ...
  std::string from;
  std::string subject;
  std::string date;
};

// One leaf part as shown (UTF-8; "" where a value is absent).
struct PartRow {
  std::size_t index = 0;         // 1, 2, ...
  std::string contentType;       // "text/plain"
  std::string declaredCharset;   // the label as declared, lower case
  std::string charset;           // the code it is read with ("" for a part not read as text)
  bool guessed = false;          // the declared charset was missing, unknown or failed
  bool overridden = false;       // the user chose the charset with Read as
  std::string transferEncoding;  // lower case
  std::size_t size = 0;          // decoded bytes
  std::string fileName;
  bool attachment = false;
};

class MessageViewDialog {
 public:
  // `path` names the file (for the title and nothing else); `bytes` is its
  // whole content. A single message is chosen at once; an mbox waits for
  // SelectMessage.
  MessageViewDialog(Platform& platform, InterfaceLanguage interfaceLanguage, std::string path,
                    std::string bytes);

  // Texts the view sets when it opens.
  struct Captions {
    UiText title;
    UiText messageList;
    UiText numberColumn;
    UiText subject;  // also the list's columns
    UiText from;
    UiText date;
    UiText typeColumn;
    UiText declaredColumn;
    UiText readAsColumn;
    UiText encodingColumn;
    UiText sizeColumn;
    UiText fileNameColumn;
    UiText readAs;
    UiText asDeclared;
    UiText saveAttachment;
    UiText close;
  };
  [[nodiscard]] Captions captions() const;

  // Whether the file is an mbox (its messages are listed first).
  [[nodiscard]] bool IsMbox() const { return mbox_; }
  // One row per message of the file (one row for a single message).
  [[nodiscard]] const std::vector<MessageListRow>& Messages() const { return list_; }
  // Reads message `number` (0-based) and chooses its first text part (else its
  // first part); out of range changes nothing.
  void SelectMessage(std::size_t number);
  [[nodiscard]] std::optional<std::size_t> SelectedMessage() const { return selectedMessage_; }

  // The chosen message's Subject, From, To, Cc and Date that are present.
  [[nodiscard]] std::vector<MessageFieldRow> Fields() const;
  // The chosen message's leaf parts, in order.
  [[nodiscard]] std::vector<PartRow> Parts() const;
  // Chooses part `position` (0-based, in Parts()); out of range changes nothing.
  void SelectPart(std::size_t position);
  [[nodiscard]] std::optional<std::size_t> SelectedPart() const { return selectedPart_; }
  // The chosen part's text (UTF-8), or a note with its size when it is not
  // read as text; empty with no part chosen.
  [[nodiscard]] std::string ShownText() const;

  // The charsets Read as offers, after "as the message declares".
  [[nodiscard]] static std::span<const Charset> ReadAsChoices();
  // Reads the chosen part's bytes as `charset` (any part, attachments too);
  // nullopt gives back the message's own reading.
  void ReadChosenPartAs(std::optional<Charset> charset);
  // The chosen part's override; nullopt when it reads as the message declares.
  [[nodiscard]] std::optional<Charset> ChosenPartOverride() const;

  // Save attachment: the save dialog proposes the part's safe name; the file
  // is created new in the chosen directory under the safe form of the chosen
  // name, a number added when the name is taken, never over a file or through
  // a symbolic link. The path it was saved under, or nullopt (cancelled, or
  // after a message saying why).
  std::optional<std::string> OnSaveAttachment();

 private:
  [[nodiscard]] UiText Text(const TriText& text) const;

  Platform& platform_;
  Language language_;
  std::string path_;
  bool mbox_ = false;
  std::vector<std::string> raw_;  // each message's bytes
  std::vector<MessageListRow> list_;
  std::optional<std::size_t> selectedMessage_;
  DecodedMessage message_;               // the chosen message as the library reads it
  std::vector<DecodedPart> shownParts_;  // its parts with the overrides applied
  std::vector<std::optional<Charset>> overrides_;
  std::optional<std::size_t> selectedPart_;
};

}  // namespace vortane
