#pragma once

#include "documents/document_format.h"

namespace tellwick {

// The formats, each in its own file. Plain text recognises anything, so it is asked last.

class PdfFormat : public DocumentFormat {
public:
    QString name() const override { return QStringLiteral("PDF"); }
    bool recognises(QByteArrayView start) const override;
    DocumentReading read(const QByteArray& bytes, const ReadingMonitor& monitor) const override;
};

class EpubFormat : public DocumentFormat {
public:
    QString name() const override { return QStringLiteral("EPUB"); }
    bool recognises(QByteArrayView start) const override;
    DocumentReading read(const QByteArray& bytes, const ReadingMonitor& monitor) const override;
};

class HtmlFormat : public DocumentFormat {
public:
    QString name() const override { return QStringLiteral("HTML"); }
    bool recognises(QByteArrayView start) const override;
    DocumentReading read(const QByteArray& bytes, const ReadingMonitor& monitor) const override;
};

class PlainTextFormat : public DocumentFormat {
public:
    QString name() const override { return QStringLiteral("text"); }
    bool recognises(QByteArrayView) const override { return true; }
    DocumentReading read(const QByteArray& bytes, const ReadingMonitor& monitor) const override;
};

} // namespace tellwick
