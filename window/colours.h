#pragma once

#include "window/form_description.h"

// The colours the form's controls are drawn in, whatever the user's colour scheme: the form's own
// backgrounds with text that stays readable on them, or, in High Contrast, the scheme's colours.
namespace karsobel::form {

// The colours a platform offers its programs' windows, boxes and buttons.
struct SystemColours {
    Rgb window;
    Rgb windowText;
    Rgb buttonFace;
    Rgb buttonText;

    friend constexpr bool operator==(const SystemColours&, const SystemColours&) = default;
};

struct Colours {
    Rgb background;
    Rgb text;

    friend constexpr bool operator==(const Colours&, const Colours&) = default;
};

// The least contrast at which text of the form's sizes reads well (WCAG 2, level AA).
inline constexpr double readableContrast = 4.5;

// The contrast ratio between two colours, from 1 (the same) to 21 (black and white), as WCAG 2
// defines it from their relative luminance.
double contrastRatio(Rgb first, Rgb second) noexcept;

// `preferred` where it reads on `background` at the readable contrast or more; otherwise black or
// white, whichever reads better there.
Rgb readableText(Rgb background, Rgb preferred) noexcept;

// What `control` draws in: in High Contrast the scheme's window colours for a text box and button
// colours for a button; otherwise its own background, with the platform's text colour where that
// reads on it.
Colours controlColours(const Control& control, const SystemColours& system,
                       bool highContrast) noexcept;

// The form's own background: navy, or in High Contrast the scheme's button face, the colour of
// dialogs.
Rgb formBackground(const SystemColours& system, bool highContrast) noexcept;

} // namespace karsobel::form
