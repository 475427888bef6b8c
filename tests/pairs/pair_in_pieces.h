#pragma once

#include "pairs/pair_stream.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// All that a pair stream gives for a whole text.
struct Outcome {
    std::string letters;
    std::uint64_t invalidBytes = 0;
    std::optional<char32_t> unpaired;
    bool operator==(const Outcome&) const = default;
};

// Feeds `text` in the pieces that end at `cuts` (the last cut is the text's end) to a stream
// with `core`, each piece with exactly the room that feed asks for, so that a write past it is
// caught.
Outcome pairInPieces(karsobel::vector_pairing::Core core, std::string_view text,
                     const std::vector<std::size_t>& cuts);
