#pragma once

#include <QByteArrayView>
#include <QString>

namespace tellwick {

// Text bytes as characters: UTF-16 after a byte order mark, UTF-8 (a byte order mark dropped) when
// every sequence is valid, else Windows-1252, the 8-bit encoding old Western files were written in.
struct DecodedText {
    enum class Encoding { Utf8, Utf16, Windows1252 };
    QString text;
    Encoding encoding = Encoding::Utf8;
};
DecodedText decodeText(QByteArrayView bytes);

// Windows-1252 to text; every byte gives one character, so nothing is ever lost.
QString decodeWindows1252(QByteArrayView bytes);

// Whether bytes without a byte order mark are binary rather than text: a text file holds no zero
// byte.
bool looksBinary(QByteArrayView bytes);

} // namespace tellwick
