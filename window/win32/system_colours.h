#pragma once

#include "window/colours.h"

namespace karsobel::win32 {

// The user's colours for windows, their text, buttons and button text, as Windows has them now.
form::SystemColours systemColours();
// Whether the user has High Contrast on.
bool highContrastOn();

} // namespace karsobel::win32
