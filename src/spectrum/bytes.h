// Little-endian, packed reading and writing of the native file's fields. A read
// never goes past the end of what the file holds: it throws ShortFile instead.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace spectrum {

// What is wrong with a file, worded to follow its name in a message.
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes ran out inside the named section of a file.
class ShortFile : public FileFormatError {
public:
    explicit ShortFile(const std::string& section)
        : FileFormatError("ends inside its " + section) {}
};

// A count stored in the file that no file could satisfy.
class BadCount : public FileFormatError {
public:
    explicit BadCount(const std::string& section)
        : FileFormatError("holds an impossible count in its " + section) {}
};

class ByteReader {
public:
    ByteReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return size_ - position_; }
    bool AtEnd() const { return position_ == size_; }

    // The section name goes into the error when the bytes run out.
    void SetSection(const char* section) { section_ = section; }
    const char* Section() const { return section_; }

    void Need(std::size_t count) const {
        if (count > Remaining()) {
            throw ShortFile(section_);
        }
    }

    void operator()(uint8_t& v) { v = Take<uint8_t>(); }
    void operator()(int16_t& v) { v = static_cast<int16_t>(Take<uint16_t>()); }
    void operator()(uint16_t& v) { v = Take<uint16_t>(); }
    void operator()(int32_t& v) { v = static_cast<int32_t>(Take<uint32_t>()); }
    void operator()(float& v) { v = std::bit_cast<float>(Take<uint32_t>()); }
    void operator()(double& v) { v = std::bit_cast<double>(Take<uint64_t>()); }
    template <std::size_t N>
    void operator()(std::array<uint8_t, N>& bytes) {
        Need(N);
        std::memcpy(bytes.data(), data_ + position_, N);
        position_ += N;
    }
    void Bytes(std::vector<uint8_t>& out, std::size_t count) {
        Need(count);
        out.assign(data_ + position_, data_ + position_ + count);
        position_ += count;
    }

    // count little-endian values of type Stored, each widened to double: one
    // bounds check for the whole array, one pass over its bytes. A spectrum
    // file is mostly such arrays, and every batch reads one per input.
    // storage, when given, lends its memory: a vector of the same size is
    // neither reallocated nor cleared before the values are copied in.
    template <typename Stored>
    std::vector<double> Values(std::size_t count, std::vector<double> storage = {}) {
        static_assert(std::is_arithmetic_v<Stored>);
        if (count > Remaining() / sizeof(Stored)) {
            throw ShortFile(section_);
        }
        std::vector<double> values = std::move(storage);
        values.resize(count);
        const uint8_t* from = data_ + position_;
        if constexpr (std::is_same_v<Stored, double> &&
                      std::endian::native == std::endian::little) {
            std::memcpy(values.data(), from, count * sizeof(double));
        } else {
            for (std::size_t i = 0; i < count; ++i, from += sizeof(Stored)) {
                values[i] = static_cast<double>(Load<Stored>(from));
            }
        }
        position_ += count * sizeof(Stored);
        return values;
    }

private:
    // One little-endian value from its bytes, on a host of either order.
    template <typename T>
    static T Load(const uint8_t* from) {
        std::array<uint8_t, sizeof(T)> bytes;
        std::memcpy(bytes.data(), from, sizeof(T));
        if constexpr (std::endian::native == std::endian::big) {
            std::reverse(bytes.begin(), bytes.end());
        }
        return std::bit_cast<T>(bytes);
    }

    template <typename T>
    T Take() {
        Need(sizeof(T));
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value |= static_cast<T>(static_cast<T>(data_[position_ + i]) << (8 * i));
        }
        position_ += sizeof(T);
        return value;
    }

    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    const char* section_ = "header";
};

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void operator()(const uint8_t& v) { Put<uint8_t>(v); }
    void operator()(const int16_t& v) { Put<uint16_t>(static_cast<uint16_t>(v)); }
    void operator()(const uint16_t& v) { Put<uint16_t>(v); }
    void operator()(const int32_t& v) { Put<uint32_t>(static_cast<uint32_t>(v)); }
    void operator()(const float& v) { Put<uint32_t>(std::bit_cast<uint32_t>(v)); }
    void operator()(const double& v) { Put<uint64_t>(std::bit_cast<uint64_t>(v)); }
    template <std::size_t N>
    void operator()(const std::array<uint8_t, N>& bytes) {
        out_.insert(out_.end(), bytes.begin(), bytes.end());
    }
    void Bytes(const std::vector<uint8_t>& bytes) {
        out_.insert(out_.end(), bytes.begin(), bytes.end());
    }

    // Every value narrowed to Stored, little-endian, in one pass: the
    // counterpart of ByteReader::Values for the arrays a batch writes.
    template <typename Stored>
    void Values(const std::vector<double>& values) {
        static_assert(std::is_floating_point_v<Stored>);
        const std::size_t at = out_.size();
        out_.resize(at + values.size() * sizeof(Stored));
        uint8_t* to = out_.data() + at;
        std::size_t i = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // Eight at a time, so that the narrowing goes several at once.
            constexpr std::size_t Block = 8;
            for (; i + Block <= values.size(); i += Block, to += Block * sizeof(Stored)) {
                Stored block[Block];
                for (std::size_t k = 0; k < Block; ++k) {
                    block[k] = static_cast<Stored>(values[i + k]);
                }
                std::memcpy(to, block, sizeof block);
            }
        }
        for (double v : std::span(values).subspan(i)) {
            const auto stored = static_cast<Stored>(v);
            std::memcpy(to, &stored, sizeof(Stored));
            if constexpr (std::endian::native == std::endian::big) {
                std::reverse(to, to + sizeof(Stored));
            }
            to += sizeof(Stored);
        }
    }

private:
    template <typename T>
    void Put(T value) {
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    }

    std::vector<uint8_t>& out_;
};

// Counts the bytes a fixed record takes on disk, at compile time, from the same
// field list that reads and writes it.
struct SizeCounter {
    std::size_t size = 0;
    template <typename T>
    constexpr void operator()(const T&) {
        size += sizeof(T);
    }
    template <std::size_t N>
    constexpr void operator()(const std::array<uint8_t, N>&) {
        size += N;
    }
};

}  // namespace spectrum
