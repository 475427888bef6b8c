#include "window/web/form_json.h"

#include "window/form_description.h"

#include <cmath>
#include <string_view>

namespace karsobel::web {

namespace {

int cssPixels(int twips) { return form::pixels(twips, form::standardDpi); }

// A JSON string: quotes, backslashes and everything outside printable ASCII as \u escapes.
std::string quoted(std::u16string_view text) {
    std::string result = "\"";
    for (const char16_t unit : text) {
        if (unit == u'"' || unit == u'\\') {
            result += '\\';
            result += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            result += static_cast<char>(unit);
        } else {
            constexpr std::string_view hex = "0123456789abcdef";
            result += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                result += hex[(unit >> shift) & 0xF];
            }
        }
    }
    return result + '"';
}

// A number to two decimals, as the font sizes have them; printf is not linked in for this alone.
std::string decimal(double value) {
    const long hundredths = std::lround(value * 100);
    const long fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
}

std::string colour(form::Rgb rgb) {
    return "[" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," +
           std::to_string(rgb.blue) + "]";
}

std::string kind(form::Kind kind) {
    switch (kind) {
    case form::Kind::TextBox:
        return "\"TextBox\"";
    case form::Kind::PushButton:
        return "\"PushButton\"";
    }
    return "null";
}

std::string control(const form::Control& control) {
    const auto& [left, top, width, height] = control.geometry;
    return "{\"name\":" + quoted(control.name) + ",\"kind\":" + kind(control.kind) +
           ",\"caption\":" + quoted(control.caption) +
           ",\"accessibleName\":" + quoted(control.accessibleName) +
           ",\"left\":" + std::to_string(cssPixels(left)) +
           ",\"top\":" + std::to_string(cssPixels(top)) +
           ",\"width\":" + std::to_string(cssPixels(width)) +
           ",\"height\":" + std::to_string(cssPixels(height)) +
           ",\"readOnly\":" + (control.readOnly ? "true" : "false") +
           ",\"narrows\":" + (&control == &form::text2 ? "true" : "false") +
           ",\"font\":{\"family\":" + quoted(control.font.family) +
           ",\"points\":" + decimal(control.font.points) +
           ",\"weight\":" + std::to_string(control.font.weight) +
           "},\"background\":" + colour(control.background) + "}";
}

} // namespace

std::string formJson() {
    std::string result = "{\"caption\":" + quoted(form::caption) +
                         ",\"width\":" + std::to_string(cssPixels(form::clientWidth)) +
                         ",\"height\":" + std::to_string(cssPixels(form::clientHeight)) +
                         ",\"background\":" + colour(form::background) + ",\"controls\":[";
    for (const form::Control& each : form::controls) {
        if (&each != &form::controls.front()) {
            result += ',';
        }
        result += control(each);
    }
    return result + "]}";
}

} // namespace karsobel::web
