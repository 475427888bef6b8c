#include "window/web/form_html.h"

#include "window/form_description.h"

#include <cmath>
#include <string_view>

namespace karsobel::web {

namespace {

std::string cssPixels(int twips) {
    return std::to_string(form::pixels(twips, form::standardDpi)) + "px";
}

// Text for an attribute's value or an element's content: markup characters and everything outside
// printable ASCII as character references.
std::string escaped(std::u16string_view text) {
    std::string result;
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t character = text[at];
        if (character >= 0xD800 && character < 0xDC00 && at + 1 < text.size() &&
            text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000) {
            character = 0x10000 + ((character - 0xD800) << 10) + (text[++at] - 0xDC00);
        }
        const bool markup = character == u'"' || character == u'&' || character == u'<' ||
                            character == u'>' || character == u'\'';
        if (!markup && character >= 0x20 && character < 0x7F) {
            result += static_cast<char>(character);
        } else {
            result += "&#" + std::to_string(static_cast<unsigned long>(character)) + ';';
        }
    }
    return result;
}

std::u16string u16(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// A number to two decimals at most, as the font sizes have them: 12, 8.25.
std::string decimal(double value) {
    const long hundredths = std::lround(value * 100);
    const long fraction = hundredths % 100;
    std::string result = std::to_string(hundredths / 100);
    if (fraction != 0) {
        result += (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
        if (result.back() == '0') {
            result.pop_back();
        }
    }
    return result;
}

std::string colour(form::Rgb rgb) {
    return "rgb(" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," +
           std::to_string(rgb.blue) + ")";
}

std::u16string style(const form::Control& control) {
    const auto& [left, top, width, height] = control.geometry;
    std::string place = "left:" + cssPixels(left) + ";top:" + cssPixels(top) +
                        ";width:" + cssPixels(width) + ";height:" + cssPixels(height) + ";";
    if (&control == &form::text2) {
        // The form's margins kept as the form narrows; the box scrolls its text as it did.
        place += "max-width:calc(100% - " + cssPixels(form::clientWidth - width) + ");";
    }
    // The named family where the device has it, the nearest bold sans-serif otherwise.
    return u16(place) + u"font-family:\"" + std::u16string(control.font.family) +
           u"\", sans-serif;" +
           u16("font-size:" + decimal(control.font.points) + "pt;font-weight:" +
               std::to_string(control.font.weight) + ";--background:" + colour(control.background));
}

std::string element(const form::Control& control) {
    std::string attributes = " id=\"" + escaped(control.name) + "\" aria-label=\"" +
                             escaped(control.accessibleName) + "\" style=\"";
    attributes += escaped(style(control)) + '"';
    switch (control.kind) {
    case form::Kind::TextBox:
        return "<input class=\"TextBox\" type=\"text\"" + attributes + " value=\"" +
               escaped(control.caption) + "\" autocomplete=\"off\" spellcheck=\"false\"" +
               (control.readOnly ? " readonly" : "") +
               (&control == &form::controls.front() ? " autofocus" : "") + ">";
    case form::Kind::PushButton:
        return "<button class=\"PushButton\" type=\"button\"" + attributes + ">" +
               escaped(control.caption) + "</button>";
    }
    return {};
}

} // namespace

std::string formHtml() {
    std::string result = "<div id=\"Form1\" style=\"width:" + cssPixels(form::clientWidth) +
                         ";height:" + cssPixels(form::clientHeight) +
                         ";--background:" + colour(form::background) + "\">\n";
    for (const form::Control& each : form::controls) {
        result += element(each) + '\n';
    }
    return result + "</div>";
}

} // namespace karsobel::web
