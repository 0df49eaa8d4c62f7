#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tellwick {

// A large text's bytes, taken straight from the system: a mapped file saves the copy into a fresh
// heap buffer and its page faults, and its pages can be given back as soon as they are read.

// A file's bytes (standard input for an empty path or "-"). A pipe or terminal is read instead,
// into memory that grows in place, so that its text is held once and never copied.
class InputBytes {
public:
    // Nothing, with a message naming the file, when it cannot be opened or read.
    static std::optional<InputBytes> load(const std::string& path, std::string* error);
    InputBytes(InputBytes&& other) noexcept;
    InputBytes& operator=(InputBytes&&) = delete;
    ~InputBytes();

    std::string_view view() const { return view_; }
    // Gives the memory of the bytes before end back to the system where it can: a mapped file's
    // pages, which are read from the file again if view() is read there again.
    void release(std::size_t end);

private:
    InputBytes() = default;
    // Reads descriptor to its end; returns 0, or the errno of the read that failed.
    int readAll(int descriptor);

    void* mapping_ = nullptr;
    std::size_t mappedSize_ = 0;
    bool fileBacked_ = false;
    std::string_view view_;
};

} // namespace tellwick
