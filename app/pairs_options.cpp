#include "app/pairs_options.h"

#include <string_view>

namespace karsobel::cli {

namespace {
constexpr std::string_view fileEquals = "--file=";
} // namespace

PairsOptions parsePairsOptions(std::span<const std::string> arguments) {
    PairsOptions options;
    const auto fail = [&options](std::string message) {
        if (!options.error) {
            options.error = std::move(message);
        }
    };
    bool onlyText = false;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        const std::string_view name = *argument;
        if (onlyText || !name.starts_with('-')) {
            options.sources.push_back({TextSource::Kind::argument, *argument});
        } else if (name == "--") {
            onlyText = true;
        } else if (name == "-") {
            options.sources.push_back({TextSource::Kind::standardInput, {}});
        } else if (name == "-h" || name == "--help") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "-f" || name == "--file") {
            if (argument + 1 == arguments.end()) {
                fail("option '" + std::string(name) + "' needs a file name");
                break;
            }
            ++argument;
            options.sources.push_back({TextSource::Kind::file, *argument});
        } else if (name.starts_with(fileEquals)) {
            options.sources.push_back(
                {TextSource::Kind::file, std::string(name.substr(fileEquals.size()))});
        } else {
            fail("unknown option '" + std::string(name) + "'");
        }
    }
    if (options.sources.empty()) {
        options.sources.push_back({TextSource::Kind::standardInput, {}});
    }
    return options;
}

} // namespace karsobel::cli
