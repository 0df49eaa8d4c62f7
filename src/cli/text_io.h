#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tellwick {

// Reads a whole file (or standard input for an empty path) as bytes. On failure returns nothing and
// puts a message naming the file into error.
std::optional<std::string> readAllBytes(const std::string& path, std::string* error);

// Strict UTF-8 to UTF-16. Overlong forms, surrogates and code points past U+10FFFF are invalid.
struct Utf8DecodeResult {
    std::u16string text;
    std::optional<std::size_t> errorOffset; // byte offset of the first invalid sequence
};
Utf8DecodeResult decodeUtf8(std::string_view bytes);
// The same into out, which has room for bytes.size() units (UTF-16 never takes more units than
// UTF-8 takes bytes); returns the units written and the error's offset, if any.
std::pair<std::size_t, std::optional<std::size_t>> decodeUtf8Into(std::string_view bytes,
                                                                  char16_t* out);
// The same, a slice of about sliceBytes at a time, no slice cutting a sequence in two. After each
// slice, decoded is told how many bytes from the start are done, so that the caller can let them
// go. The result is exactly decodeUtf8Into's.
std::pair<std::size_t, std::optional<std::size_t>>
decodeUtf8InSlices(std::string_view bytes, char16_t* out, std::size_t sliceBytes,
                   const std::function<void(std::size_t decoded)>& decoded);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string encodeUtf8(std::u16string_view text);
// The same, written to stream a piece at a time; false when a write fails.
bool writeUtf8(std::u16string_view text, std::FILE* stream);

// Writes a text given in consecutive pieces as UTF-8, as writeUtf8 would write the whole: a
// surrogate pair parted between two pieces is still one character.
class Utf8PieceWriter {
public:
    explicit Utf8PieceWriter(std::FILE* stream) : stream_(stream) {}
    // False when a write fails.
    bool write(std::u16string_view piece);
    // Writes what the last piece left open; false when that write fails.
    bool finish();

private:
    std::FILE* stream_;
    char16_t open_ = 0; // a high surrogate that ended the last piece, or 0
};

} // namespace tellwick
