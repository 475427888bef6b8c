#pragma once

#include <string>

namespace karsobel::web {

// The form as HTML, written into the page when it is built, so that the browser paints it before
// any script runs: the client area and its colour, then every control in tab order with its kind,
// name, caption, accessible name, place in CSS pixels (twips at the standard 96 dpi), read-only
// flag, font and colour. The input box has the focus; the output box narrows on a narrower screen.
std::string formHtml();

} // namespace karsobel::web
