#include "cli/text_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tellwick {

namespace {

// Reads stream to its end; returns 0, or the errno of the read that failed. C streams are used
// because iostreams turn a read error (a directory, a broken device) into an empty read or an
// exception instead of reporting it.
int readStream(std::FILE* stream, std::string* bytes) {
    char chunk[1 << 16];
    for (;;) {
        const std::size_t count = std::fread(chunk, 1, sizeof chunk, stream);
        if (count < sizeof chunk && std::ferror(stream) != 0)
            return errno != 0 ? errno : EIO;
        bytes->append(chunk, count);
        if (count < sizeof chunk)
            return 0;
    }
}

} // namespace

std::optional<std::string> readAllBytes(const std::string& path, std::string* error) {
    std::string bytes;
    if (path.empty() || path == "-") {
        if (const int readError = readStream(stdin, &bytes)) {
            *error = std::string("cannot read standard input: ") + std::strerror(readError);
            return std::nullopt;
        }
        return bytes;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = "cannot open '" + path + "': " + std::strerror(errno);
        return std::nullopt;
    }
    const int readError = readStream(file, &bytes);
    std::fclose(file);
    if (readError != 0) {
        *error = "cannot read '" + path + "': " + std::strerror(readError);
        return std::nullopt;
    }
    return bytes;
}

Utf8DecodeResult decodeUtf8(std::string_view bytes) {
    Utf8DecodeResult result;
    result.text.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            result.text.push_back(lead);
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
            result.errorOffset = i;
            return result;
        }
        if (i + extra >= size) {
            result.errorOffset = i;
            return result;
        }
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = data[i + k];
            if ((next & 0xC0) != 0x80) {
                result.errorOffset = i;
                return result;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            result.errorOffset = i;
            return result;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            result.text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            result.text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            result.text.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return result;
}

std::string encodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < size && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

} // namespace tellwick
