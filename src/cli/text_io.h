#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tellwick {

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
// Strict UTF-8 to UTF-16 a slice of about sliceBytes at a time, no slice cutting a sequence in
// two, for a text too large to decode at once.
class Utf8Slices {
public:
    Utf8Slices(std::string_view bytes, std::size_t sliceBytes)
        : bytes_(bytes), slice_(sliceBytes) {}
    // Appends the next slice's text to text; false, appending nothing, once every byte is decoded
    // or an invalid sequence was met.
    bool next(std::u16string& text);
    bool ended() const { return done_ == bytes_.size() || error_.has_value(); }
    // How many bytes from the start are decoded.
    std::size_t done() const { return done_; }
    // The byte offset of the first invalid sequence, once met.
    std::optional<std::size_t> error() const { return error_; }

private:
    std::string_view bytes_;
    std::size_t slice_;
    std::size_t done_ = 0;
    std::optional<std::size_t> error_;
};

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
