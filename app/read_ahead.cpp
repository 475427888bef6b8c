#include "app/read_ahead.h"

#include <cerrno>
#include <sys/stat.h>

namespace karsobel::cli {

namespace {

bool isRegularFile(std::FILE* file) {
    struct stat status {};
    return fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

ReadAhead::ReadAhead(std::FILE* file, std::size_t pieceSize)
    : file_(file), pieceSize_(pieceSize), buffer_(pieceCount * pieceSize) {
    if (isRegularFile(file)) {
        reader_ = std::thread(&ReadAhead::readAhead, this);
    }
}

ReadAhead::~ReadAhead() {
    if (reader_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        reader_.join();
    }
}

ReadAhead::Piece ReadAhead::next() {
    if (!reader_.joinable()) {
        return read(taken_++);
    }
    std::unique_lock lock(mutex_);
    const std::size_t index = taken_++;
    changed_.notify_all();
    changed_.wait(lock, [&] { return read_ > index; });
    return pieces_[index % pieceCount];
}

ReadAhead::Piece ReadAhead::read(std::size_t index) {
    char* const into = buffer_.data() + index % pieceCount * pieceSize_;
    const std::size_t size = std::fread(into, 1, pieceSize_, file_);
    return {std::string_view(into, size), std::ferror(file_) ? errno : 0};
}

void ReadAhead::readAhead() {
    for (std::size_t index = 0;; ++index) {
        {
            std::unique_lock lock(mutex_);
            // The piece in the caller's hands keeps its place until the caller asks for the next.
            changed_.wait(lock, [&] { return stopping_ || index + 1 < taken_ + pieceCount; });
            if (stopping_) {
                return;
            }
        }
        const Piece piece = read(index);
        {
            const std::lock_guard lock(mutex_);
            pieces_[index % pieceCount] = piece;
            read_ = index + 1;
        }
        changed_.notify_all();
        if (piece.bytes.size() < pieceSize_) {
            return;
        }
    }
}

} // namespace karsobel::cli
