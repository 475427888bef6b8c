#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The form's fixed look, read by every front end, which builds its controls from `controls`
// alone. Geometry is in twips (1/1440 inch).
namespace karsobel::form {

struct Rgb {
    int red;
    int green;
    int blue;

    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

struct Font {
    std::u16string_view family;
    double points;
    int weight;
    int charset;
};

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

enum class Kind { TextBox, PushButton };

// `readOnly` holds for the keyboard only: the program still writes the text.
struct Control {
    std::u16string_view name;
    Kind kind;
    std::u16string_view caption;
    std::u16string_view accessibleName;
    TwipsRect geometry;
    bool readOnly;
    Font font;
    Rgb background;
};

inline constexpr int twipsPerInch = 1440;
inline constexpr int standardDpi = 96;

// Pixels for a length in twips at `dpi` dots per inch, rounded to the nearest, halves up.
constexpr int pixels(int twips, int dpi) {
    return (twips * dpi + twipsPerInch / 2) / twipsPerInch;
}

inline constexpr std::u16string_view caption = u"Karsobel";
inline constexpr int clientWidth = 8190;
inline constexpr int clientHeight = 615;
inline constexpr Rgb background{0, 0, 128};

inline constexpr int boldWeight = 700;
inline constexpr int westernCharset = 0;
inline constexpr Font boxFont{u"MS Sans Serif", 12.0, boldWeight, westernCharset};
inline constexpr Font buttonFont{u"MS Sans Serif", 8.25, boldWeight, westernCharset};
inline constexpr Rgb boxBackground{0, 192, 192};
inline constexpr Rgb buttonBackground{128, 128, 255};

// The controls in tab order.
inline constexpr std::array controls{
    Control{u"Text1", Kind::TextBox, u"", u"Input", {240, 120, 615, 375}, false, boxFont,
            boxBackground},
    Control{u"Text2", Kind::TextBox, u"", u"Output", {1680, 120, 6255, 405}, true, boxFont,
            boxBackground},
    Control{u"Command1", Kind::PushButton, u"Clear", u"Clear", {960, 120, 615, 375}, false,
            buttonFont, buttonBackground},
};

inline constexpr const Control& text1 = controls[0];
inline constexpr const Control& text2 = controls[1];
inline constexpr const Control& command1 = controls[2];

// The place of `control`, one of `controls`, in that table.
constexpr std::size_t indexOf(const Control& control) {
    return static_cast<std::size_t>(&control - controls.data());
}

} // namespace karsobel::form
