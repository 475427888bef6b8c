#include "window/qt/key_edit.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

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

KeyEdit typing(const QLineEdit& box, std::u16string typed) {
    const bool selected = box.hasSelectedText();
    return {static_cast<std::size_t>(selected ? box.selectionStart() : box.cursorPosition()),
            static_cast<std::size_t>(selected ? box.selectionEnd() : box.cursorPosition()),
            std::move(typed)};
}

std::optional<KeyEdit> keyEdit(const QLineEdit& box, const QKeyEvent& key) {
    if (typesText(key)) {
        return typing(box, key.text().toStdU16String());
    }
    const bool selected = box.hasSelectedText();
    KeyEdit removal = typing(box, {});
    if (key.key() == Qt::Key_Backspace && !(key.modifiers() & commandModifiers)) {
        const std::size_t start = removal.start;
        if (selected) {
            return removal;
        }
        // A surrogate pair goes whole, which is left to the box.
        if (start > 0 && !box.text()[static_cast<qsizetype>(start) - 1].isSurrogate()) {
            return KeyEdit{start - 1, start, {}};
        }
    }
    if (key.matches(QKeySequence::Delete) && selected) {
        return removal;
    }
    return std::nullopt;
}

} // namespace karsobel::qt
