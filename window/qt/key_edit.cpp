#include "window/qt/key_edit.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace karsobel::qt {

namespace {

// Modifiers that make a key a command rather than text.
constexpr Qt::KeyboardModifiers commandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Whether a line edit types this key's text in: printable text, a character outside the basic
// plane included, and no modifier that makes the key a command.
bool typesText(const QKeyEvent& key) {
    const QString text = key.text();
    const bool printable =
        !text.isEmpty() &&
        (text.front().isPrint() ||
         (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate()));
    return printable && !(key.modifiers() & commandModifiers);
}

} // namespace

std::optional<KeyEdit> keyEdit(const QLineEdit& box, const QKeyEvent& key) {
    const bool selected = box.hasSelectedText();
    const auto start =
        static_cast<std::size_t>(selected ? box.selectionStart() : box.cursorPosition());
    const auto end =
        static_cast<std::size_t>(selected ? box.selectionEnd() : box.cursorPosition());
    if (typesText(key)) {
        return KeyEdit{start, end, key.text().toStdU16String()};
    }
    if (key.key() == Qt::Key_Backspace && !(key.modifiers() & commandModifiers)) {
        if (selected) {
            return KeyEdit{start, end, {}};
        }
        // A surrogate pair goes whole, which is left to the box.
        if (start > 0 && !box.text()[static_cast<qsizetype>(start) - 1].isSurrogate()) {
            return KeyEdit{start - 1, start, {}};
        }
    }
    if (key.matches(QKeySequence::Delete) && selected) {
        return KeyEdit{start, end, {}};
    }
    return std::nullopt;
}

} // namespace karsobel::qt
