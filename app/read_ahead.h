#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace karsobel::cli {

// Reads a file in pieces of one size. A regular file is read on a thread of its own, a few pieces
// ahead, so that the system copies the next piece while the caller works on this one; anything
// else (a pipe, a terminal, which may block) is read when its piece is asked for.
class ReadAhead {
public:
    struct Piece {
        std::string_view bytes; // shorter than the piece size only for the last
        int error;              // errno when reading failed, else 0
    };

    ReadAhead(std::FILE* file, std::size_t pieceSize);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next piece, once read; the piece given before is no longer used. Not to be asked for
    // after the last.
    Piece next();

private:
    static constexpr std::size_t pieceCount = 3;

    Piece read(std::size_t index);
    void readAhead();

    std::FILE* const file_;
    const std::size_t pieceSize_;
    std::vector<char> buffer_;
    std::array<Piece, pieceCount> pieces_{};
    std::size_t read_ = 0;  // pieces read so far
    std::size_t taken_ = 0; // pieces given to the caller so far; the last of them is in use
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread reader_; // last, so that it starts once the rest is made
};

} // namespace karsobel::cli
