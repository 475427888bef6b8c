#pragma once

#include "window/pair_entry.h"

#include <optional>

class QKeyEvent;
class QLineEdit;

namespace karsobel::qt {

// The edit a key press is about to make to a line edit's text, when it is one that Qt's line edit
// is known to make this way: text typed over the selection or at the caret, Backspace over the
// selection or on a character that is one unit long, and Delete over the selection. Nothing for
// any other key, which the box then handles itself.
std::optional<KeyEdit> keyEdit(const QLineEdit& box, const QKeyEvent& key);

// The edit of typing `typed` into a line edit, over its selection or at its caret.
KeyEdit typing(const QLineEdit& box, std::u16string typed);

} // namespace karsobel::qt
