#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tellwick {

// A large text's bytes, taken straight from the system: a mapped file saves the copy into a fresh
// heap buffer and its page faults, and its pages can be given back as soon as they are read.

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

} // namespace tellwick
