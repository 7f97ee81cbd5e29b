// The lists File > Open and File > Save As offer for the text's encoding, in
// the interface language.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "framecodes/open_encoding.h"
#include "framecodes/save_encoding.h"
#include "platform/ui_text.h"
#include "texts/tri_text.h"

namespace vortane {

// The name of an encoding in messages: "UTF-8", "UTF-16LE", "UTF-16BE",
// "GB18030", "Big5-HKSCS"; Bytes has none ("").
[[nodiscard]] std::string_view OpenEncodingName(OpenEncoding encoding);
[[nodiscard]] std::string_view SaveEncodingName(SaveEncoding encoding);

// Open's items in the order of kOpenEncodings: the bytes as they are, then the
// encodings by name, the one `marked` names with a note that its mark was found.
[[nodiscard]] std::vector<UiText> OpenEncodingItems(Language language,
                                                    std::optional<OpenEncoding> marked);

// Save As's items in the order of kSaveEncodings.
[[nodiscard]] std::vector<UiText> SaveEncodingItems(Language language);

}  // namespace vortane
