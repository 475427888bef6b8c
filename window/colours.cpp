#include "window/colours.h"

#include <cmath>

namespace karsobel::form {

namespace {

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};

// One sRGB channel, 0 to 255, as linear light from 0 to 1.
double linear(int channel) noexcept {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
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
