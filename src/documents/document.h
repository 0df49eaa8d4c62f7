#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace tellwick {

// What reading a document gave.
struct DocumentReading {
    enum class Status { Read, Failed, Cancelled };
    Status status = Status::Failed;
    // Read: the text, lines separated by '\n' (a paragraph or heading a line).
    QString text;
    // Read: something to tell the user once, such as a guessed encoding; else empty.
    QString notice;
    // Failed: one line naming the file and the cause.
    QString error;

    bool read() const { return status == Status::Read; }
};

// Lets the caller follow a long reading and stop it. Both are called on the reading's thread.
struct ReadingMonitor {
    // The part done, from 0 to 1.
    std::function<void(double)> progress;
    // True once the caller no longer wants the text.
    std::function<bool()> cancelled;

    void report(double done) const {
        if (progress)
            progress(done);
    }
    bool stopped() const { return cancelled && cancelled(); }
};

// Reads the text of the document at path: plain text (UTF-8, UTF-16 with a byte order mark, or
// Windows-1252 when not UTF-8), PDF, EPUB or HTML, told apart by their contents, never by the
// file's name. Blocks until done: a window runs it off its own thread (see DocumentLoader).
DocumentReading readDocument(const QString& path, const ReadingMonitor& monitor = {});
// The same for a file's bytes already read, its name (without folder) given for messages.
DocumentReading readDocumentBytes(const QByteArray& bytes, const QString& name,
                                  const ReadingMonitor& monitor = {});

// The kind of document bytes starting with start are, as readDocument tells them apart: "PDF",
// "EPUB", "HTML" or "text".
QString documentKind(QByteArrayView start);

} // namespace tellwick
