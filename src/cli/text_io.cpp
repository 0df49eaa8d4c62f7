#include "cli/text_io.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tellwick {

namespace {

constexpr bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Seven-bit characters come eight at a time, as one machine word, when none has its top bit set.
constexpr std::uint64_t topBits = 0x8080808080808080ULL;

bool asciiWord(const unsigned char* data) {
    std::uint64_t word = 0;
    std::memcpy(&word, data, sizeof word);
    return (word & topBits) == 0;
}

// Encodes text from *position on into out (room bytes, at least 4) until out is full or the text
// ends; returns the bytes written.
std::size_t encodeSome(std::u16string_view text, std::size_t* position, char* out,
                       std::size_t room) {
    const std::size_t size = text.size();
    std::size_t i = *position;
    char* const begin = out;
    char* const end = out + room;
    while (i < size && end - out >= 4) {
        if (i + 8 <= size && end - out >= 8) {
            std::uint64_t pair[2];
            std::memcpy(pair, text.data() + i, 2 * sizeof pair[0]);
            if (((pair[0] | pair[1]) & 0xFF80FF80FF80FF80ULL) == 0) {
                for (int k = 0; k < 8; ++k)
                    out[k] = static_cast<char>(text[i + k]);
                out += 8;
                i += 8;
                continue;
            }
        }
        char32_t code = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < size && isLowSurrogate(text[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        ++i;
        if (code < 0x80) {
            *out++ = static_cast<char>(code);
        } else if (code < 0x800) {
            *out++ = static_cast<char>(0xC0 | (code >> 6));
            *out++ = static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (code >> 12));
            *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (code & 0x3F));
        } else {
            *out++ = static_cast<char>(0xF0 | (code >> 18));
            *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    *position = i;
    return std::size_t(out - begin);
}

} // namespace

std::pair<std::size_t, std::optional<std::size_t>> decodeUtf8Into(std::string_view bytes,
                                                                  char16_t* out) {
    char16_t* const begin = out;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    const auto fail = [&] {
        return std::pair<std::size_t, std::optional<std::size_t>>(std::size_t(out - begin), i);
    };
    while (i < size) {
        if (i + 8 <= size && asciiWord(data + i)) {
            for (int k = 0; k < 8; ++k)
                out[k] = data[i + k];
            out += 8;
            i += 8;
            continue;
        }
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            *out++ = lead;
            ++i;
            continue;
        }
        int extra = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, code = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, code = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, code = lead & 0x07, minimum = 0x10000;
        } else {
            return fail();
        }
        if (i + extra >= size)
            return fail();
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = data[i + k];
            if ((next & 0xC0) != 0x80)
                return fail();
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return fail();
        if (code >= 0x10000) {
            code -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (code >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(code);
        }
        i += extra + 1;
    }
    return {std::size_t(out - begin), std::nullopt};
}

bool Utf8Slices::next(std::u16string& text) {
    if (ended())
        return false;
    std::size_t end = std::min(bytes_.size(), done_ + std::max<std::size_t>(slice_, 4));
    // Back to the start of the sequence the cut falls in. Without a start within a sequence's
    // reach, the byte at the cut belongs to no valid sequence and may start a slice.
    for (std::size_t back = 0; end < bytes_.size() && back <= 3 && end - back > done_; ++back) {
        if ((static_cast<unsigned char>(bytes_[end - back]) & 0xC0) != 0x80) {
            end -= back;
            break;
        }
    }
    const std::size_t start = text.size();
    text.resize(start + (end - done_));
    const auto [units, errorOffset] =
        decodeUtf8Into(bytes_.substr(done_, end - done_), text.data() + start);
    if (errorOffset) {
        text.resize(start);
        error_ = done_ + *errorOffset;
        return false;
    }
    text.resize(start + units);
    done_ = end;
    return true;
}

Utf8DecodeResult decodeUtf8(std::string_view bytes) {
    Utf8DecodeResult result;
    result.text.resize(bytes.size());
    const auto [length, errorOffset] = decodeUtf8Into(bytes, result.text.data());
    result.text.resize(length);
    result.errorOffset = errorOffset;
    return result;
}

std::string encodeUtf8(std::u16string_view text) {
    // Room for three bytes a unit, the most any takes, and the encoder's margin.
    std::string out(text.size() * 3 + 8, '\0');
    std::size_t position = 0;
    out.resize(encodeSome(text, &position, out.data(), out.size()));
    return out;
}

bool writeUtf8(std::u16string_view text, std::FILE* stream) {
    char buffer[1 << 16];
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t count = encodeSome(text, &position, buffer, sizeof buffer);
        if (std::fwrite(buffer, 1, count, stream) != count)
            return false;
    }
    return true;
}

bool Utf8PieceWriter::write(std::u16string_view piece) {
    if (piece.empty())
        return true;
    if (open_ != 0) {
        const char16_t pair[2] = {open_, piece.front()};
        const bool paired = isLowSurrogate(piece.front());
        open_ = 0;
        if (!writeUtf8(std::u16string_view(pair, paired ? 2 : 1), stream_))
            return false;
        if (paired)
            piece.remove_prefix(1);
    }
    if (!piece.empty() && isHighSurrogate(piece.back())) {
        open_ = piece.back();
        piece.remove_suffix(1);
    }
    return writeUtf8(piece, stream_);
}

bool Utf8PieceWriter::finish() {
    const char16_t open = open_;
    open_ = 0;
    return open == 0 || writeUtf8(std::u16string_view(&open, 1), stream_);
}

} // namespace tellwick
