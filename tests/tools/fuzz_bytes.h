#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A fuzzer's input read from the front as the choices that build a case; past its end every
// choice reads 0.
class FuzzBytes {
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) noexcept : data_(data), size_(size) {}

    [[nodiscard]] bool empty() const noexcept { return size_ == 0; }

    std::uint8_t take() noexcept {
        if (size_ == 0) {
            return 0;
        }
        --size_;
        return *data_++;
    }

    // A number from 0 to `bound` - 1, from two bytes.
    std::size_t takeBelow(std::size_t bound) noexcept {
        const auto low = take();
        const auto high = take();
        return bound == 0 ? 0 : (std::size_t{high} << 8 | low) % bound;
    }

    // Everything not taken yet.
    std::string_view rest() noexcept {
        const std::string_view all(reinterpret_cast<const char*>(data_), size_);
        data_ += size_;
        size_ = 0;
        return all;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// Ends the run with `what` on standard error when `holds` is false: a finding.
void fuzzCheck(bool holds, const char* what);
