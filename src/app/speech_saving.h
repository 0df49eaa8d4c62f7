#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <thread>

class QProgressDialog;
class QWidget;

namespace tellwick {

// Writes the speech of a text to an audio file for the window, off the user-interface thread,
// with a progress dialog that can cancel. The speech goes first to a hidden file beside the one
// asked for, which takes its place only when complete: a cancelled or failed file is removed, and
// a file it would have replaced stays as it was.
class SpeechSaving : public QObject {
    Q_OBJECT

public:
    explicit SpeechSaving(QWidget* window);
    // Cancels a writing under way and waits for it to stop.
    ~SpeechSaving() override;

    // Starts writing; false, with a message, when path names no format that can be written or
    // another file is being written.
    bool save(const QString& text, int readingSpeed, const QString& path, QString* error);
    bool busy() const { return writing_.joinable(); }

signals:
    // The writing ended: written, or a message (empty when the user cancelled).
    void finished(bool written, const QString& error);

private:
    void stop();

    QWidget* window_;
    std::thread writing_;
    std::atomic<bool> cancelled_ = false;
    QPointer<QProgressDialog> progress_;
};

// The hidden file a speech file is written to until it is complete: beside it, with its extension.
QString partialSpeechFile(const QString& path);

} // namespace tellwick
