#include "mailview/message_view.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "charsets/charset_text.h"
#include "charsets/label_map.h"
#include "codec/byte_stream.h"
#include "io/new_file_directory.h"
#include "mail/ascii_text.h"
#include "mail/attachment_name.h"
#include "mail/header_fields.h"
#include "mail/header_text.h"
#include "mail/mail_limits.h"
#include "mail/message_stream.h"
#include "texts/format_text.h"
#include "texts/message_texts.h"

namespace vortane {
namespace {

// Names tried for one attachment before giving up.
constexpr int kMostAttempts = 1000;

constexpr std::array<Charset, 7> kReadAsChoices = {
    Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8,   Charset::Hz,
    Charset::Utf7,    Charset::Utf16Le,   Charset::Utf16Be};

// A value on one line: control characters (line ends of a folded value
// included) as blanks.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) {
      c = ' ';
    }
  }
  return text;
}

// The decoded value of a message's first field called `name`, "" when absent.
std::string FieldValue(const DecodedMessage& message, std::string_view name) {
  for (const DecodedHeader& header : message.headers) {
    if (EqualsIgnoringCase(header.name, name)) {
      return OneLine(header.value);
    }
  }
  return {};
}

// A list row from a message's header block alone (the parts are read only
// when the message is chosen).
MessageListRow ListRow(std::size_t number, std::string_view message) {
  const HeaderBlock block = SplitHeaderBlock(message, MailLimits{}.maxHeaderBytes);
  const auto value = [&block](std::string_view name) {
    const HeaderField* field = FindHeaderField(block.fields, name);
    return field != nullptr ? OneLine(DecodeHeaderText(field->rawValue, {}, false)) : std::string();
  };
  return {number, value("From"), value("Subject"), value("Date")};
}

std::string FileNameOf(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string DirectoryOf(std::string_view path) {
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) {
    return ".";
  }
  return slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
}

std::string PathIn(const std::string& dir, const std::string& name) {
  return dir.ends_with('/') ? dir + name : dir + "/" + name;
}

}  // namespace

MessageViewDialog::MessageViewDialog(Platform& platform, InterfaceLanguage interfaceLanguage,
                                     std::string path, std::string bytes)
    : platform_(platform), language_(interfaceLanguage.ForMessages()), path_(std::move(path)) {
  StringReader in(bytes);
  MessageStreamReader reader(in);
  std::string message;
  while (reader.Next(message)) {
    list_.push_back(ListRow(raw_.size() + 1, message));
    raw_.push_back(std::move(message));
    message.clear();
  }
  mbox_ = reader.IsMbox();
  if (!mbox_ && !raw_.empty()) {
    SelectMessage(0);
  }
}

UiText MessageViewDialog::Text(const TriText& text) const { return Choose(text, language_); }

MessageViewDialog::Captions MessageViewDialog::captions() const {
  using namespace message_text;
  return {FormatText(kViewTitle, language_, {FileNameOf(path_)}),
          Text(kMessageList),
          Text(kNumberColumn),
          Text(kSubject),
          Text(kFrom),
          Text(kDate),
          Text(kTypeColumn),
          Text(kDeclaredColumn),
          Text(kReadAsColumn),
          Text(kEncodingColumn),
          Text(kSizeColumn),
          Text(kFileNameColumn),
          Text(kReadAs),
          Text(kAsDeclared),
          Text(kSaveAttachment),
          Text(kCloseView)};
}

void MessageViewDialog::SelectMessage(std::size_t number) {
  if (number >= raw_.size()) {
    return;
  }
  selectedMessage_ = number;
  message_ = ReadMessage(raw_[number]);
  shownParts_ = message_.parts;
  overrides_.assign(shownParts_.size(), std::nullopt);
  selectedPart_.reset();
  for (std::size_t i = 0; i < shownParts_.size(); ++i) {
    if (shownParts_[i].text) {
      selectedPart_ = i;
      break;
    }
  }
  if (!selectedPart_ && !shownParts_.empty()) {
    selectedPart_ = 0;
  }
}

std::vector<MessageFieldRow> MessageViewDialog::Fields() const {
  using namespace message_text;
  const std::pair<std::string_view, const TriText*> kShown[] = {
      {"Subject", &kSubject}, {"From", &kFrom}, {"To", &kTo}, {"Cc", &kCc}, {"Date", &kDate}};
  std::vector<MessageFieldRow> rows;
  if (!selectedMessage_) {
    return rows;
  }
  for (const auto& [name, caption] : kShown) {
    for (const DecodedHeader& header : message_.headers) {
      if (EqualsIgnoringCase(header.name, name)) {
        rows.push_back({Text(*caption), FieldValue(message_, name)});
        break;
      }
    }
  }
  return rows;
}

std::vector<PartRow> MessageViewDialog::Parts() const {
  std::vector<PartRow> rows;
  for (std::size_t i = 0; i < shownParts_.size(); ++i) {
    const DecodedPart& part = shownParts_[i];
    PartRow row;
    row.index = part.index;
    row.contentType = part.contentType;
    row.declaredCharset = part.declaredCharset;
    if (part.charset && part.text) {
      row.charset = std::string(CharsetName(*part.charset));
    }
    row.guessed = part.charsetGuessed;
    row.overridden = overrides_[i].has_value();
    row.transferEncoding = part.transferEncoding;
    row.size = part.content.size();
    row.fileName = OneLine(part.fileName.value_or(""));
    row.attachment = part.attachment;
    rows.push_back(std::move(row));
  }
  return rows;
}

void MessageViewDialog::SelectPart(std::size_t position) {
  if (position < shownParts_.size()) {
    selectedPart_ = position;
  }
}

std::string MessageViewDialog::ShownText() const {
  if (!selectedPart_) {
    return {};
  }
  const DecodedPart& part = shownParts_[*selectedPart_];
  if (part.text) {
    return *part.text;
  }
  // The note is shown in the view's own text, which is UTF-8.
  const TriText& note = message_text::kNotText;
  const std::string_view text = language_ == Language::Gb     ? note.gb
                                : language_ == Language::Big5 ? note.big5
                                                              : note.english;
  const std::string size = std::to_string(part.content.size());
  const std::string_view args[] = {size};
  return ReplacePlaceholders(text, args);
}

std::span<const Charset> MessageViewDialog::ReadAsChoices() { return kReadAsChoices; }

void MessageViewDialog::ReadChosenPartAs(std::optional<Charset> charset) {
  if (!selectedPart_) {
    return;
  }
  const std::size_t i = *selectedPart_;
  overrides_[i] = charset;
  DecodedPart& shown = shownParts_[i];
  const DecodedPart& original = message_.parts[i];
  if (!charset) {
    shown = original;
    return;
  }
  // The user's choice reads the bytes as they are: no guess replaces it.
  DecodedText decoded = DecodeToUtf8(*charset, original.content);
  shown.text = std::move(decoded.utf8);
  shown.unreadable = decoded.unreadable;
  shown.charset = *charset;
  shown.charsetGuessed = false;
}

std::optional<Charset> MessageViewDialog::ChosenPartOverride() const {
  return selectedPart_ ? overrides_[*selectedPart_] : std::nullopt;
}

std::optional<std::string> MessageViewDialog::OnSaveAttachment() {
  if (!selectedPart_) {
    return std::nullopt;
  }
  const DecodedPart& part = shownParts_[*selectedPart_];
  FileDialogOptions options;
  options.filterDescription = "All Files(*.*)";
  options.filterPattern = "*.*";
  options.initialName = SafeAttachmentName(part.fileName.value_or(""), part.index);
  // Never over an existing file: a taken name gets a number instead.
  options.overwritePrompt = false;
  const auto chosen = platform_.ChooseSaveFile(options);
  if (!chosen) {
    return std::nullopt;
  }
  const std::string dir = DirectoryOf(*chosen);
  const std::string typed = FileNameOf(*chosen);
  const std::string safe = SafeAttachmentName(typed, part.index);
  int error = 0;
  const auto directory = NewFileDirectory::Open(dir, error);
  if (!directory) {
    platform_.ShowMessage(FormatText(message_text::kCannotSaveAttachment, language_,
                                     {*chosen, std::strerror(error)}));
    return std::nullopt;
  }
  std::string name = safe;
  for (int attempt = 2; attempt <= kMostAttempts + 1; ++attempt) {
    const NewFileResult result = directory->CreateNewFile(name, part.content);
    if (result.error == 0) {
      const std::string saved = PathIn(dir, name);
      if (name != typed) {
        platform_.ShowMessage(FormatText(message_text::kSavedUnderOtherName, language_, {saved}));
      }
      return saved;
    }
    if (result.error != EEXIST) {
      platform_.ShowMessage(FormatText(message_text::kCannotSaveAttachment, language_,
                                       {PathIn(dir, name), std::strerror(result.error)}));
      return std::nullopt;
    }
    name = NumberedAttachmentName(safe, attempt);
  }
  platform_.ShowMessage(FormatText(message_text::kCannotSaveAttachment, language_,
                                   {PathIn(dir, safe), std::strerror(EEXIST)}));
  return std::nullopt;
}

}  // namespace vortane
