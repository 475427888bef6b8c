#pragma once

// Resources the window loads from the program that shows it; the program's resource script
// includes this too, so it holds nothing but macros.

// The program's icon, its first icon group: the one Explorer shows.
#define KARSOBEL_ICON_ID 1
