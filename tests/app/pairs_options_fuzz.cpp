// karsobel-pairs' command line: any list of arguments (the input cut at each NUL) gives either
// sources to read or one clear error, and each argument taken as text or as a file's name is
// taken whole, in order.
#include "app/pairs_options.h"
#include "tests/tools/fuzz_bytes.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using karsobel::cli::TextSource;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= all.size();) {
        const std::size_t end = std::min(all.find('\0', start), all.size());
        arguments.emplace_back(all.substr(start, end - start));
        start = end + 1;
    }
    const karsobel::cli::PairsOptions options = karsobel::cli::parsePairsOptions(arguments);

    if (options.error) {
        const bool named = options.error->starts_with("unknown option '") ||
                           options.error->starts_with("option '");
        fuzzCheck(named, "an error names the option");
        return 0;
    }
    fuzzCheck(!options.sources.empty(), "something to read");
    // Each source's text or file name is an argument, or the rest of one after "--file=", found
    // in the order of the sources.
    std::size_t next = 0;
    for (const TextSource& source : options.sources) {
        if (source.kind == TextSource::Kind::standardInput) {
            fuzzCheck(source.value.empty(), "standard input has no name");
            continue;
        }
        bool found = false;
        for (; next < arguments.size() && !found; ++next) {
            const std::string& argument = arguments[next];
            found = argument == source.value || argument == "--file=" + source.value;
        }
        fuzzCheck(found, "a source comes from its argument, in order");
    }
    return 0;
}
