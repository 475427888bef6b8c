#include "tests/pairs/pair_in_pieces.h"

Outcome pairInPieces(karsobel::vector_pairing::Core core, std::string_view text,
                     const std::vector<std::size_t>& cuts) {
    karsobel::PairStream stream(core);
    Outcome outcome;
    std::size_t start = 0;
    for (const std::size_t cut : cuts) {
        const std::string_view piece = text.substr(start, cut - start);
        std::vector<char> letters(karsobel::PairStream::maxLetters(piece.size()));
        outcome.letters.append(letters.data(), stream.feed(piece, letters.data()));
        start = cut;
    }
    std::vector<char> letters(karsobel::PairStream::maxLetters(0));
    outcome.letters.append(letters.data(), stream.finish(letters.data()));
    outcome.invalidBytes = stream.invalidBytes();
    outcome.unpaired = stream.unpairedCharacter();
    return outcome;
}
