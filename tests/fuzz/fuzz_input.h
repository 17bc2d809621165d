#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace brim::fuzz {

// Hands out the bytes of one fuzz input as the values a target needs. Once the bytes run out,
// every value reads as zero and every text as empty, so a target never has to check lengths.
class FuzzInput {
public:
    explicit FuzzInput(const std::uint8_t* data, std::size_t size) noexcept
        : data_(data), size_(size) {}

    bool empty() const noexcept { return size_ == 0; }
    std::size_t remaining() const noexcept { return size_; }

    std::uint8_t byte() noexcept {
        if (size_ == 0) {
            return 0;
        }
        const std::uint8_t value = *data_;
        ++data_;
        --size_;
        return value;
    }

    bool flag() noexcept { return (byte() & 1U) != 0; }

    template <typename T> T raw() noexcept {
        unsigned char bytes[sizeof(T)] = {};
        const std::size_t n = std::min(sizeof(T), size_);
        if (n > 0) {
            std::memcpy(bytes, data_, n);
        }
        data_ += n;
        size_ -= n;
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    // An index that is mostly inside a table of `tableSize` entries (so that the interesting
    // combinations are reached often), and now and then any 32-bit value at all.
    std::int32_t index(int tableSize) noexcept {
        const std::uint8_t selector = byte();
        if (selector < 0xF0) {
            return static_cast<std::int32_t>(selector % (tableSize + 1)) - 1; // -1 .. size-1
        }
        return raw<std::int32_t>();
    }

    // A small count (0-20) most of the time, any 32-bit value otherwise.
    std::uint32_t count() noexcept {
        const std::uint8_t selector = byte();
        if (selector < 0xE0) {
            return selector % 21U;
        }
        return raw<std::uint32_t>();
    }

    // A length-prefixed text of up to 255 bytes; shorter when the input ends.
    std::string text() noexcept {
        const std::size_t length = std::min<std::size_t>(byte(), size_);
        std::string value(reinterpret_cast<const char*>(data_), length);
        data_ += length;
        size_ -= length;
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace brim::fuzz
