#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tellwick {

// Memory for a large text, taken straight from the system: a file's bytes mapped with their pages
// read in one go, and a UTF-16 buffer on huge pages where the system offers them. Either saves the
// clearing and the page-by-page faults that fresh heap buffers cost, which for a text of many
// megabytes take longer than rewriting it.

// A file's bytes (standard input for an empty path or "-"). A pipe or terminal is read instead.
class InputBytes {
public:
    // Nothing, with a message naming the file, when it cannot be opened or read.
    static std::optional<InputBytes> load(const std::string& path, std::string* error);
    InputBytes(InputBytes&& other) noexcept;
    InputBytes& operator=(InputBytes&&) = delete;
    ~InputBytes();

    std::string_view view() const { return view_; }
    // Gives the memory of the bytes before end back to the system where it can (a mapped file's
    // pages); view() must not be read there again.
    void release(std::size_t end);

private:
    InputBytes() = default;
    std::string read_; // what was read, when the file could not be mapped
    void* mapping_ = nullptr;
    std::size_t mappedSize_ = 0;
    std::string_view view_;
};

// Uninitialised room for a number of UTF-16 code units.
class Utf16Buffer {
public:
    explicit Utf16Buffer(std::size_t units);
    Utf16Buffer(const Utf16Buffer&) = delete;
    Utf16Buffer& operator=(const Utf16Buffer&) = delete;
    ~Utf16Buffer();

    char16_t* data() const { return data_; }

private:
    char16_t* data_ = nullptr;
    std::size_t bytes_ = 0;
};

} // namespace tellwick
