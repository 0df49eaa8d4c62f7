#include "documents/document_formats.h"
#include "documents/text_decoding.h"

namespace tellwick {

DocumentReading PlainTextFormat::read(const QByteArray& bytes,
                                      const ReadingMonitor& monitor) const {
    DecodedText decoded = decodeText(bytes);
    if (decoded.encoding != DecodedText::Encoding::Utf16 && looksBinary(bytes))
        return readFailure(QStringLiteral("binary data, not a text document"));
    if (monitor.stopped())
        return readCancelled();
    monitor.report(1);
    if (decoded.text.trimmed().isEmpty())
        return readFailure(QStringLiteral("a text file of blank lines only"));
    return readText(std::move(decoded.text), decoded.encoding == DecodedText::Encoding::Windows1252
                                                 ? legacyEncodingNotice()
                                                 : QString());
}

} // namespace tellwick
