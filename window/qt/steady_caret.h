#pragma once

#include <QObject>

class QLineEdit;

namespace karsobel::qt {

// Keeps the text caret from blinking while a line edit holds a long text. Painting a line edit
// takes time in proportion to its text, half a second for ten million characters, and a blinking
// caret repaints it twice a second: after a big paste the program would stay busy, and a key
// could wait behind a repaint. Qt has one blink rate for the whole application, so blinking stops
// while the text is long and comes back once it is short again, or when this goes.
class SteadyCaret final : public QObject {
public:
    explicit SteadyCaret(QLineEdit* box);
    ~SteadyCaret() override;
    SteadyCaret(const SteadyCaret&) = delete;
    SteadyCaret& operator=(const SteadyCaret&) = delete;

private:
    void follow(const QLineEdit& box);
    void setSteady(bool steady);

    // The application's blink period while blinking, in milliseconds.
    const int blinkPeriod_;
    bool steady_ = false;
};

} // namespace karsobel::qt
