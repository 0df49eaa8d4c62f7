#pragma once

#include "documents/document.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tellwick {

// One kind of document. A format recognises its own bytes from their start, and reads the text of
// a whole file; a failure gives only the cause, which the caller puts after the file's name.
class DocumentFormat {
public:
    virtual ~DocumentFormat() = default;
    virtual QString name() const = 0;
    virtual bool recognises(QByteArrayView start) const = 0;
    virtual DocumentReading read(const QByteArray& bytes, const ReadingMonitor& monitor) const = 0;
};

// The results a format gives, in one place so that every format words them alike.
DocumentReading readText(QString text, QString notice = {});
DocumentReading readFailure(QString cause);
DocumentReading readCancelled();
// What the user is told once of a text that was not UTF-8.
QString legacyEncodingNotice();

} // namespace tellwick
