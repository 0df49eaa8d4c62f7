#include "cli/document_input.h"
#include "documents/document.h"

#include <QFileInfo>

#include <cstdio>

namespace tellwick {

bool isFormattedDocument(std::string_view start) {
    const QByteArrayView bytes(start.data(), qsizetype(start.size()));
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") ||
           documentKind(bytes) != QLatin1String("text");
}

std::optional<std::u16string> documentText(const char* command, std::string_view bytes,
                                           const std::string& path, int* status) {
    // The bytes are the file's, held as long as the text is made.
    const DocumentReading reading =
        readDocumentBytes(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())),
                          QFileInfo(QString::fromStdString(path)).fileName());
    if (!reading.read()) {
        std::fprintf(stderr, "tellwick %s: %s\n", command, qPrintable(reading.error));
        *status = 2;
        return std::nullopt;
    }
    if (!reading.notice.isEmpty())
        std::fprintf(stderr, "tellwick %s: %s\n", command, qPrintable(reading.notice));
    return reading.text.toStdU16String();
}

} // namespace tellwick
