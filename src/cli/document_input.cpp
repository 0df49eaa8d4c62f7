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

std::optional<std::u16string> readDocumentText(const char* command, const std::string& path,
                                               int* status) {
    const QString file = QString::fromStdString(path);
    const DocumentReading reading = readDocument(file);
    if (!reading.read()) {
        std::fprintf(stderr, "tellwick %s: %s\n", command, qPrintable(reading.error));
        *status = QFileInfo(file).isReadable() ? 2 : 1;
        return std::nullopt;
    }
    if (!reading.notice.isEmpty())
        std::fprintf(stderr, "tellwick %s: %s\n", command, qPrintable(reading.notice));
    return reading.text.toStdU16String();
}

} // namespace tellwick
