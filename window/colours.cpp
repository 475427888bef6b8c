#include "window/colours.h"

#include <cmath>

namespace karsobel::form {

namespace {

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};

// The fifth root of `value`, from 0 to 1, by Newton's method from above.
constexpr double fifthRoot(double value) noexcept {
    double root = 1.0;
    for (int step = 0; step < 64; ++step) {
        const double fourth = root * root * root * root;
        root -= (fourth * root - value) / (5.0 * fourth);
    }
    return root;
}

// One sRGB channel, 0 to 255, as linear light from 0 to 1: ((c + 0.055) / 1.055) to the power
// 2.4, the twelfth power's fifth root, above the short straight part near black. Without a power
// function, which would take a hundredth of the Windows program's size.
constexpr double linear(int channel) noexcept {
    const double value = channel / 255.0;
    if (value <= 0.04045) {
        return value / 12.92;
    }
    const double base = (value + 0.055) / 1.055;
    const double square = base * base;
    const double sixth = square * square * square;
    return fifthRoot(sixth * sixth);
}

double relativeLuminance(Rgb colour) noexcept {
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

} // namespace

double contrastRatio(Rgb first, Rgb second) noexcept {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::fmax(a, b) + 0.05) / (std::fmin(a, b) + 0.05);
}

Rgb readableText(Rgb background, Rgb preferred) noexcept {
    if (contrastRatio(background, preferred) >= readableContrast) {
        return preferred;
    }
    return contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
}

Colours controlColours(const Control& control, const SystemColours& system,
                       bool highContrast) noexcept {
    const bool button = control.kind == Kind::PushButton;
    if (highContrast) {
        return button ? Colours{system.buttonFace, system.buttonText}
                      : Colours{system.window, system.windowText};
    }
    return {control.background,
            readableText(control.background, button ? system.buttonText : system.windowText)};
}

Rgb formBackground(const SystemColours& system, bool highContrast) noexcept {
    return highContrast ? system.buttonFace : background;
}

} // namespace karsobel::form
