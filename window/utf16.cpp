#include "window/utf16.h"

namespace karsobel::utf16 {

bool awaitsLowSurrogate(std::u16string_view text, std::size_t caret) noexcept {
    return caret > 0 && caret <= text.size() && isHighSurrogate(text[caret - 1]) &&
           (caret == text.size() || !isLowSurrogate(text[caret]));
}

} // namespace karsobel::utf16
