#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tellwick {

// A document's bytes, read whole before anything is made of them: a file (or, for a command,
// standard input for an empty path or "-"), a pipe or a terminal alike.
//
// The bytes are read into memory of our own rather than mapped from the file: a mapped file that
// another program truncates kills the reader (SIGBUS) when it touches a page past the new end, and
// one that is changed shows the change after it was checked. A file changed while it is read is an
// error. The memory grows in place, so that the text is held once and never copied, and the part
// already used can be given back.
class InputBytes {
public:
    // Why the bytes could not be had.
    struct Failure {
        enum class Kind { CannotOpen, CannotRead, Changed };
        Kind kind = Kind::CannotRead;
        int systemError = 0; // errno, when the file could not be opened or read

        // The cause in a few words, without the file's name.
        std::string cause() const;
    };

    // Nothing, with failure, when the file cannot be opened or read, or it changed while it was
    // read.
    static std::optional<InputBytes> load(const std::string& path, Failure* failure);
    // The same, with a command's message naming the file.
    static std::optional<InputBytes> load(const std::string& path, std::string* error);
    InputBytes(InputBytes&& other) noexcept;
    InputBytes& operator=(InputBytes&&) = delete;
    ~InputBytes();

    std::string_view view() const { return view_; }
    // Gives the memory of the bytes before end back to the system; view() must not be read there
    // again.
    void release(std::size_t end);

private:
    InputBytes() = default;
    // Reads descriptor to its end, with room for expectedSize bytes from the start; returns 0, or
    // the errno of the read that failed.
    int readAll(int descriptor, std::size_t expectedSize);

    void* memory_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t released_ = 0; // bytes from the start already given back
    std::string_view view_;
};

} // namespace tellwick
