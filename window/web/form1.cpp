#include "window/web/form1.h"

#include "window/colours.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// The page's side of the window, `Module.form`, set up by form1.js.
EM_JS(void, karsobel_page_clear_input, (), { Module["form"].clearInput(); });
EM_JS(void, karsobel_page_append_to_output, (int letter), {
    Module["form"].appendToOutput(letter);
});
EM_JS(void, karsobel_page_clear_output, (), { Module["form"].clearOutput(); });
EM_JS(void, karsobel_page_focus_input, (), { Module["form"].focusInput(); });

namespace karsobel::web {

void Form1::clearInput() { karsobel_page_clear_input(); }

void Form1::appendToOutput(char16_t letter) { karsobel_page_append_to_output(letter); }

void Form1::clearOutput() { karsobel_page_clear_output(); }

void Form1::focusInput() { karsobel_page_focus_input(); }

void Form1::onInputChanged(std::u16string_view text) {
    // Kept first: the box emptied from inside the pair entry reports its empty text, the last.
    inputText_ = text;
    pairEntry_.onInputChanged(text);
}

bool Form1::onKeyEdit(const KeyEdit& edit) {
    // Taken out while the pair entry reads it: a pair made from this edit empties the box, and so
    // the kept text, from inside. Put back if the box takes the key itself.
    std::u16string text = std::exchange(inputText_, {});
    const bool taken = pairEntry_.onKeyEdit(text, edit);
    if (!taken) {
        inputText_ = std::move(text);
    }
    return taken;
}

namespace {

// The page's one window.
Form1& form1() {
    static Form1 window;
    return window;
}

std::u16string_view text(const char16_t* units, std::size_t length) { return {units, length}; }

form::Rgb unpacked(int colour) { return {(colour >> 16) & 255, (colour >> 8) & 255, colour & 255}; }

int packed(form::Rgb colour) { return (colour.red << 16) | (colour.green << 8) | colour.blue; }

} // namespace

} // namespace karsobel::web

// What the page calls. Texts are UTF-16 units in memory the page allocated and frees.
extern "C" {

EMSCRIPTEN_KEEPALIVE void karsobel_input_changed(const char16_t* units, std::size_t length) {
    karsobel::web::form1().onInputChanged(karsobel::web::text(units, length));
}

// A key's edit of the input box, whose text is the one last reported changed.
EMSCRIPTEN_KEEPALIVE bool karsobel_key_edit(std::size_t start, std::size_t end,
                                            const char16_t* typed, std::size_t typedLength) {
    using karsobel::web::text;
    const karsobel::KeyEdit edit{start, end, std::u16string(text(typed, typedLength))};
    return karsobel::web::form1().onKeyEdit(edit);
}

// Colours as 0xRRGGBB: the text colour that reads on `background`, `preferred` where it does.
EMSCRIPTEN_KEEPALIVE int karsobel_readable_text(int background, int preferred) {
    using karsobel::web::packed;
    using karsobel::web::unpacked;
    return packed(karsobel::form::readableText(unpacked(background), unpacked(preferred)));
}

EMSCRIPTEN_KEEPALIVE void karsobel_clear_clicked() {
    karsobel::web::form1().pairEntry().onClearClicked();
}

} // extern "C"
