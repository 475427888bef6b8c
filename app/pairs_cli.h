#pragma once

#include <span>
#include <string>

namespace karsobel::cli {

// Runs karsobel-pairs with its arguments, in UTF-8, the program's name left out; gives the exit
// status.
int runPairs(std::span<const std::string> arguments);

} // namespace karsobel::cli
