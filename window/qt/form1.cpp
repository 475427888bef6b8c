#include "window/qt/form1.h"

#include "window/colours.h"
#include "window/qt/accessible_roles.h"
#include "window/qt/announcement.h"
#include "window/qt/key_edit.h"
#include "window/qt/steady_caret.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace karsobel::qt {

namespace {

// Qt lays out in device-independent pixels, which are pixels at the standard 96 dpi; the
// platform scales them to the screen.
int dip(int twips) { return form::pixels(twips, form::standardDpi); }

QString qString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.constData()),
            static_cast<std::size_t>(text.size())};
}

QColor qColor(form::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

form::Rgb rgb(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }

// The platform's colours, as the application's palette has them.
form::SystemColours systemColours() {
    const QPalette palette = QApplication::palette();
    return {rgb(palette.color(QPalette::Base)), rgb(palette.color(QPalette::Text)),
            rgb(palette.color(QPalette::Button)), rgb(palette.color(QPalette::ButtonText))};
}

// Whether a font family is installed, asked once per family: each answer walks every installed font.
bool installed(const QString& family) {
    static QHash<QString, bool> known;
    const auto found = known.constFind(family);
    return found != known.cend() ? *found : *known.insert(family, QFontDatabase::hasFamily(family));
}

// The family is asked for by name only where it is installed. Where it is not ("MS Sans Serif" on
// Linux), the default family stands in, the sans-serif that fontconfig's fallback picks too; asking
// for the missing name would make Qt work out a second list of fallback fonts while starting.
QFont qFont(const form::Font& font) {
    QFont result;
    const QString family = qString(font.family);
    if (installed(family)) {
        result.setFamilies({family});
        result.setStyleHint(QFont::SansSerif);
    }
    result.setPointSizeF(font.points);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    // Shaping only for scripts that need it: the output's capitals never do, and shaping a long
    // output again on every appended letter would make each pair several times slower.
    result.setStyleStrategy(QFont::PreferNoShaping);
    return result;
}

QWidget* newControl(const form::Control& description, QWidget* form) {
    switch (description.kind) {
    case form::Kind::TextBox: {
        auto* const box = new QLineEdit(qString(description.caption), form);
        box->setReadOnly(description.readOnly);
        // No limit but the largest Qt allows, in place of its default of 32767 characters.
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case form::Kind::PushButton: {
        auto* const button = new QPushButton(qString(description.caption), form);
        // Flat and self-filled, so the button shows its own colour rather than the style's bevel.
        button->setFlat(true);
        button->setAutoFillBackground(true);
        // Enter on the focused button clicks it, as Space does.
        button->setAutoDefault(true);
        return button;
    }
    }
    return nullptr;
}

// Builds a control of the form as the description has it: kind, name, place and font.
QWidget* describedControl(const form::Control& description, QWidget* form) {
    QWidget* const widget = newControl(description, form);
    widget->setObjectName(qString(description.name));
    widget->setAccessibleName(qString(description.accessibleName));
    const auto& [left, top, width, height] = description.geometry;
    widget->setGeometry(dip(left), dip(top), dip(width), dip(height));
    widget->setFont(qFont(description.font));
    return widget;
}

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    installAccessibleRoles();
    setWindowTitle(qString(form::caption));
    setFixedSize(dip(form::clientWidth), dip(form::clientHeight));
    setAutoFillBackground(true);

    for (std::size_t at = 0; at < form::controls.size(); ++at) {
        controls_[at] = describedControl(form::controls[at], this);
        if (at > 0) {
            setTabOrder(controls_[at - 1], controls_[at]);
        }
    }
    applyColours();
    announcement_ = new Announcement(this);

    textBox(form::text1)->installEventFilter(this);
    // A new colour scheme comes as a change of the application's palette, sent to the application.
    qApp->installEventFilter(this);
    new SteadyCaret(textBox(form::text1));
    connect(textBox(form::text1), &QLineEdit::textChanged, this,
            [this](const QString& text) { pairEntry_.onInputChanged(view(text)); });
    connect(static_cast<QPushButton*>(controls_[form::indexOf(form::command1)]),
            &QPushButton::clicked, this, [this] { pairEntry_.onClearClicked(); });
    focusInput();
}

// A new palette of the application chooses the colours again. A key that completes a pair goes
// to the pair entry before the input box sees it. The box is emptied at once, so taking the key
// would only make it lay its whole text out again, for half a second after a paste of ten million
// characters, for a change that goes with the rest.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        applyColours();
    }
    QLineEdit* const input = textBox(form::text1);
    if (watched == input && event->type() == QEvent::KeyPress) {
        if (const auto edit = keyEdit(*input, *static_cast<QKeyEvent*>(event))) {
            const QString text = input->text();
            return pairEntry_.onKeyEdit(view(text), *edit);
        }
    }
    if (watched == input && event->type() == QEvent::InputMethod) {
        return typeCommit(*input, *static_cast<QInputMethodEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

// The line edit makes an input method's commit one change, however many characters it holds;
// Windows hands them to an edit control one at a time, each a change, and so does this. The
// pre-edit text, no change, goes before them, and the event's new pre-edit comes after them.
bool Form1::typeCommit(QLineEdit& input, const QInputMethodEvent& event) {
    const QString commit = event.commitString();
    if (commit.isEmpty() || event.replacementLength() != 0) {
        return false;
    }
    QInputMethodEvent endPreedit;
    QApplication::sendEvent(&input, &endPreedit);
    for (qsizetype at = 0; at < commit.size();) {
        const qsizetype length = commit[at].isHighSurrogate() && at + 1 < commit.size() ? 2 : 1;
        const QString character = commit.mid(at, length);
        at += length;
        const QString text = input.text();
        if (!pairEntry_.onKeyEdit(view(text), typing(input, character.toStdU16String()))) {
            input.insert(character);
        }
    }
    if (!event.preeditString().isEmpty()) {
        QInputMethodEvent preedit(event.preeditString(), event.attributes());
        QApplication::sendEvent(&input, &preedit);
    }
    return true;
}

void Form1::applyColours() {
    const form::SystemColours system = systemColours();
    // Palettes that set only their own roles, so that the rest follows the application's.
    QPalette palette;
    palette.setColor(QPalette::Window, qColor(form::formBackground(system, false)));
    setPalette(palette);
    for (std::size_t at = 0; at < form::controls.size(); ++at) {
        QWidget* const widget = controls_[at];
        const form::Colours colours = form::controlColours(form::controls[at], system, false);
        QPalette controlPalette;
        controlPalette.setColor(widget->backgroundRole(), qColor(colours.background));
        controlPalette.setColor(widget->foregroundRole(), qColor(colours.text));
        widget->setPalette(controlPalette);
    }
}

QLineEdit* Form1::textBox(const form::Control& description) const {
    return static_cast<QLineEdit*>(controls_[form::indexOf(description)]);
}

// setText rather than clear() or insert(): it leaves nothing to undo, and puts the caret at the
// end with no selection, so the end of the output is in view.
void Form1::clearInput() { textBox(form::text1)->setText(QString()); }

void Form1::appendToOutput(char16_t letter) {
    QLineEdit* const output = textBox(form::text2);
    output->setText(output->text() + QChar(letter));
    announcement_->announce(QString(QChar(letter)));
}

void Form1::clearOutput() { textBox(form::text2)->setText(QString()); }

void Form1::focusInput() { textBox(form::text1)->setFocus(Qt::OtherFocusReason); }

} // namespace karsobel::qt
