#include "documents/document_formats.h"
#include "documents/html_text.h"
#include "documents/text_decoding.h"

namespace tellwick {

bool HtmlFormat::recognises(QByteArrayView start) const {
    // A page may open with a byte order mark, white space, an XML declaration, a doctype or a
    // comment before its <html>.
    const QByteArray head = start.first(std::min<qsizetype>(start.size(), 1024)).toByteArray();
    const QByteArray opening = head.trimmed().toLower();
    const qsizetype bom = opening.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const bool markupFirst = opening.mid(bom).trimmed().startsWith('<');
    return markupFirst && (opening.contains("<html") || opening.contains("<!doctype html"));
}

DocumentReading HtmlFormat::read(const QByteArray& bytes, const ReadingMonitor& monitor) const {
    const DecodedText decoded = decodeText(bytes);
    if (monitor.stopped())
        return readCancelled();
    QString text = htmlToText(decoded.text);
    monitor.report(1);
    if (text.trimmed().isEmpty())
        return readFailure(QStringLiteral("an HTML page that shows no text"));
    return readText(std::move(text), decoded.encoding == DecodedText::Encoding::Windows1252
                                         ? legacyEncodingNotice()
                                         : QString());
}

} // namespace tellwick
