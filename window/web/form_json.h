#pragma once

#include <string>

namespace karsobel::web {

// The form description as JSON, for the page to build its controls from: the caption, the client
// area and its colour, then every control in tab order with its kind, name, caption, accessible
// name, place in CSS pixels (twips at the standard 96 dpi), read-only flag, font and colour.
std::string formJson();

} // namespace karsobel::web
