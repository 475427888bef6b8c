#include "window/qt/form1.h"

#include "window/form_description.h"

#include <QFontDatabase>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace karsobel::qt {

namespace {

// Qt lays out in device-independent pixels, which are pixels at the standard 96 dpi; the
// platform scales them to the screen.
int dip(int twips) { return form::pixels(twips, form::standardDpi); }

QString qString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QColor qColor(form::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

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

// Places, names, captions, fonts and colours a control as the form describes it.
template <typename Widget> Widget* describedControl(const form::Control& control, QWidget* form) {
    auto* widget = new Widget(qString(control.caption), form);
    widget->setObjectName(qString(control.name));
    widget->setAccessibleName(qString(control.accessibleName));
    const auto& [left, top, width, height] = control.geometry;
    widget->setGeometry(dip(left), dip(top), dip(width), dip(height));
    widget->setFont(qFont(control.font));
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), qColor(control.background));
    widget->setPalette(palette);
    return widget;
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent), Text1(describedControl<QLineEdit>(form::text1, this)),
      Command1(describedControl<QPushButton>(form::command1, this)),
      Text2(describedControl<QLineEdit>(form::text2, this)) {
    setWindowTitle(qString(form::caption));
    setFixedSize(dip(form::clientWidth), dip(form::clientHeight));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, qColor(form::background));
    setPalette(palette);
    setAutoFillBackground(true);

    // Flat and self-filled, so the button shows its own colour rather than the style's bevel.
    Command1->setFlat(true);
    Command1->setAutoFillBackground(true);

    Text2->setReadOnly(form::text2.readOnly);
    Text2->setMaxLength(std::numeric_limits<int>::max());

    for (std::size_t i = 1; i < form::tabOrder.size(); ++i) {
        setTabOrder(findChild<QWidget*>(qString(form::tabOrder[i - 1]->name)),
                    findChild<QWidget*>(qString(form::tabOrder[i]->name)));
    }

    connect(Text1, &QLineEdit::textChanged, this, [this] { pairEntry.onText1Change(); });
    connect(Command1, &QPushButton::clicked, this, [this] { pairEntry.onCommand1Click(); });
    Text1->setFocus();
}

std::u16string_view Form1::inputStart(std::size_t units) {
    inputRead = Text1->text();
    const auto size = std::min(units, static_cast<std::size_t>(inputRead.size()));
    return {reinterpret_cast<const char16_t*>(inputRead.constData()), size};
}

void Form1::emptyInput() { Text1->clear(); }

void Form1::appendToOutput(char16_t letter) { Text2->setText(Text2->text() + QChar(letter)); }

void Form1::emptyOutput() { Text2->clear(); }

void Form1::focusInput() { Text1->setFocus(Qt::OtherFocusReason); }

} // namespace karsobel::qt
