#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace karsobel::cli {

// Where one piece of the text comes from, in the order given.
struct TextSource {
    enum class Kind { argument, standardInput, file };
    Kind kind;
    std::string value; // the text itself, or the file's name
};

struct PairsOptions {
    bool help = false;
    bool version = false;
    std::vector<TextSource> sources;  // standard input alone when none is named
    std::optional<std::string> error; // what is wrong with the command line
};

PairsOptions parsePairsOptions(std::span<const std::string> arguments);

} // namespace karsobel::cli
