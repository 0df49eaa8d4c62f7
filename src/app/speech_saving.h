#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <thread>

class QProgressDialog;
class QTimer;
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

    // Starts writing text, as the voice named says it at the reading speed; false, with a
    // message, when path names no format that can be written or another file is being written.
    bool save(const QString& text, int readingSpeed, const QString& voiceName, const QString& path,
              QString* error);
    bool busy() const { return writing_.joinable(); }

signals:
    // The writing ended: written, or a message (empty when the user cancelled).
    void finished(bool written, const QString& error);

private:
    void stop();
    void showProgress();

    QWidget* window_;
    std::thread writing_;
    std::atomic<bool> cancelled_ = false;
    // The part of the text written, set by the writing and shown by the dialog now and then.
    std::atomic<double> done_ = 0;
    QElapsedTimer elapsed_;
    QString task_;
    QPointer<QProgressDialog> progress_;
    QTimer* progressRefresh_;
};

// The hidden file a speech file is written to until it is complete: beside it, with its extension.
QString partialSpeechFile(const QString& path);

} // namespace tellwick
