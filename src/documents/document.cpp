#include "documents/document.h"

#include "documents/document_formats.h"
#include "documents/input_bytes.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <optional>
#include <string>

namespace tellwick {

namespace {

const DocumentFormat& formatOf(QByteArrayView start) {
    static const PdfFormat pdf;
    static const EpubFormat epub;
    static const HtmlFormat html;
    static const PlainTextFormat plainText;
    static const std::array<const DocumentFormat*, 4> formats = {&pdf, &epub, &html, &plainText};
    for (const DocumentFormat* format : formats) {
        if (format->recognises(start))
            return *format;
    }
    return plainText;
}

DocumentReading failedToRead(const QString& name, const QString& cause) {
    return readFailure(QStringLiteral("%1: %2").arg(name, cause));
}

} // namespace

DocumentReading readText(QString text, QString notice) {
    DocumentReading reading;
    reading.status = DocumentReading::Status::Read;
    reading.text = std::move(text);
    reading.notice = std::move(notice);
    return reading;
}

DocumentReading readFailure(QString cause) {
    DocumentReading reading;
    reading.error = std::move(cause);
    return reading;
}

DocumentReading readCancelled() {
    DocumentReading reading;
    reading.status = DocumentReading::Status::Cancelled;
    return reading;
}

QString legacyEncodingNotice() {
    return QStringLiteral("not UTF-8: read as Windows-1252");
}

QString documentKind(QByteArrayView start) {
    return formatOf(start).name();
}

DocumentReading readDocument(const QString& path, const ReadingMonitor& monitor) {
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).isDir())
        return failedToRead(name, QStringLiteral("a folder, not a document"));
    // Read whole and checked as the command line reads a file: a file that another program
    // changes meanwhile would give a text that was never in it. The path is made whole, so that
    // "-" names a file here, never standard input.
    const std::string file = QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
    InputBytes::Failure failure{InputBytes::Failure::Kind::CannotOpen, ENOENT};
    const std::optional<InputBytes> input =
        file.empty() ? std::nullopt : InputBytes::load(file, &failure);
    if (!input)
        return failedToRead(name, QString::fromLocal8Bit(failure.cause()));
    // The bytes stay where they were read, held as long as the text is made.
    return readDocumentBytes(
        QByteArray::fromRawData(input->view().data(), qsizetype(input->view().size())), name,
        monitor);
}

DocumentReading readDocumentBytes(const QByteArray& bytes, const QString& name,
                                  const ReadingMonitor& monitor) {
    if (bytes.isEmpty())
        return failedToRead(name, QStringLiteral("an empty file"));
    DocumentReading reading = formatOf(bytes).read(bytes, monitor);
    if (reading.status == DocumentReading::Status::Failed)
        return failedToRead(name, reading.error);
    if (!reading.notice.isEmpty())
        reading.notice = QStringLiteral("%1: %2").arg(name, reading.notice);
    return reading;
}

} // namespace tellwick
