#include "documents/text_decoding.h"

#include <QStringDecoder>

namespace tellwick {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five bytes it leaves undefined keep
// their Latin-1 code points, as browsers read them, so that no byte is lost.
constexpr char16_t windows1252High[32] = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

bool startsWith(QByteArrayView bytes, const char* mark, qsizetype size) {
    return bytes.size() >= size && bytes.first(size) == QByteArrayView(mark, size);
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = (value >= 0x80 && value < 0xA0) ? QChar(windows1252High[value - 0x80])
                                                 : QChar(char16_t(value));
    }
    return text;
}

DecodedText decodeText(QByteArrayView bytes) {
    if (startsWith(bytes, "\xFF\xFE", 2) || startsWith(bytes, "\xFE\xFF", 2)) {
        QStringDecoder decoder(startsWith(bytes, "\xFF\xFE", 2) ? QStringDecoder::Utf16LE
                                                                : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        return {decoder(bytes.sliced(2)), DecodedText::Encoding::Utf16};
    }
    const QByteArrayView body = startsWith(bytes, "\xEF\xBB\xBF", 3) ? bytes.sliced(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(body);
    if (!utf8.hasError())
        return {std::move(text), DecodedText::Encoding::Utf8};
    return {decodeWindows1252(bytes), DecodedText::Encoding::Windows1252};
}

bool looksBinary(QByteArrayView bytes) {
    return bytes.contains('\0');
}

} // namespace tellwick
