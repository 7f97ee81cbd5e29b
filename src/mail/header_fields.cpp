#include "mail/header_fields.h"

#include "mail/ascii_text.h"

namespace vortane {
namespace {

// A field name is one or more printable ASCII bytes other than ":"; blanks may
// stand between it and the colon ("Subject :").
std::string_view FieldName(std::string_view line, std::size_t colon) {
  std::string_view name = line.substr(0, colon);
  while (!name.empty() && IsBlank(name.back())) {
    name.remove_suffix(1);
  }
  if (name.empty()) {
    return {};
  }
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x21 || byte > 0x7E) {
      return {};
    }
  }
  return name;
}

}  // namespace

HeaderBlock SplitHeaderBlock(std::string_view entity, std::size_t maxHeaderBytes) {
  HeaderBlock block;
  bool open = false;  // a field has begun and is not yet stored
  std::string_view name;
  std::size_t valueStart = 0;
  std::size_t valueEnd = 0;
  const auto store = [&] {
    if (!open) {
      return;
    }
    open = false;
    std::size_t start = valueStart;
    // Blanks and a line end right after the colon are not part of the value.
    while (start < valueEnd && IsHeaderSpace(entity[start])) {
      ++start;
    }
    block.fields.push_back({name, entity.substr(start, valueEnd - start)});
  };

  std::size_t pos = 0;
  while (pos < entity.size()) {
    const std::size_t newline = entity.find('\n', pos);
    const std::size_t lineEnd = newline == std::string_view::npos ? entity.size() : newline;
    const std::size_t next = newline == std::string_view::npos ? entity.size() : newline + 1;
    std::size_t contentEnd = lineEnd;
    if (contentEnd > pos && entity[contentEnd - 1] == '\r') {
      --contentEnd;
    }
    if (contentEnd == pos) {
      store();
      block.bodyStart = next;
      return block;
    }
    if (IsBlank(entity[pos])) {
      if (open) {
        valueEnd = contentEnd;
      }
      pos = next;
      continue;
    }
    const std::string_view line = entity.substr(pos, contentEnd - pos);
    const std::size_t colon = line.find(':');
    const std::string_view fieldName =
        colon == std::string_view::npos ? std::string_view() : FieldName(line, colon);
    if (fieldName.empty()) {
      store();
      block.bodyStart = pos;
      return block;
    }
    store();
    if (pos >= maxHeaderBytes) {
      block.truncated = true;
    } else {
      open = true;
      name = fieldName;
      valueStart = pos + colon + 1;
      valueEnd = contentEnd;
    }
    pos = next;
  }
  store();
  block.bodyStart = entity.size();
  return block;
}

std::string UnfoldHeaderValue(std::string_view rawValue) {
  std::string out;
  out.reserve(rawValue.size());
  for (std::size_t i = 0; i < rawValue.size(); ++i) {
    const char c = rawValue[i];
    if (c == '\r' && i + 1 < rawValue.size() && rawValue[i + 1] == '\n') {
      if (i + 2 == rawValue.size() || IsBlank(rawValue[i + 2])) {
        ++i;
        continue;
      }
    } else if (c == '\n' && (i + 1 == rawValue.size() || IsBlank(rawValue[i + 1]))) {
      continue;
    }
    out.push_back(c);
  }
  return out;
}

const HeaderField* FindHeaderField(const std::vector<HeaderField>& fields, std::string_view name) {
  for (const HeaderField& field : fields) {
    if (EqualsIgnoringCase(field.name, name)) {
      return &field;
    }
  }
  return nullptr;
}

}  // namespace vortane
