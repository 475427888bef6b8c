#include "window/qt/steady_caret.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>

namespace karsobel::qt {

namespace {

// Longer texts take milliseconds to paint: about 6 ms at this length.
constexpr qsizetype longText = 100'000;

} // namespace

SteadyCaret::SteadyCaret(QLineEdit* box)
    : QObject(box), blinkPeriod_(QGuiApplication::styleHints()->cursorFlashTime()) {
    // The box's own length, not the signal's text: a change may have emptied the box again
    // before this hears of it.
    connect(box, &QLineEdit::textChanged, this, [this, box] { follow(*box); });
}

SteadyCaret::~SteadyCaret() { setSteady(false); }

void SteadyCaret::follow(const QLineEdit& box) { setSteady(box.text().size() > longText); }

void SteadyCaret::setSteady(bool steady) {
    if (steady != steady_) {
        steady_ = steady;
        QGuiApplication::styleHints()->setCursorFlashTime(steady ? 0 : blinkPeriod_);
    }
}

} // namespace karsobel::qt
