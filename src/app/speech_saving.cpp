#include "app/speech_saving.h"

#include "app/delayed_progress.h"
#include "speech/audio_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QProgressDialog>
#include <QWidget>

namespace tellwick {

QString partialSpeechFile(const QString& path) {
    const QFileInfo file(path);
    return file.dir().filePath(
        QStringLiteral(".%1.partial.%2").arg(file.completeBaseName(), file.suffix()));
}

SpeechSaving::SpeechSaving(QWidget* window) : QObject(window), window_(window) {}

SpeechSaving::~SpeechSaving() {
    stop();
}

void SpeechSaving::stop() {
    cancelled_ = true;
    if (writing_.joinable())
        writing_.join();
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
    }
}

bool SpeechSaving::save(const QString& text, int readingSpeed, const QString& path,
                        QString* error) {
    if (busy()) {
        *error = tr("A speech file is still being written.");
        return false;
    }
    if (!canWriteAudioFile(path, error))
        return false;
    cancelled_ = false;
    progress_ =
        delayedProgress(window_, tr("Saving the speech as %1…").arg(QFileInfo(path).fileName()), 0);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancelled_ = true; });
    writing_ = std::thread([this, text, readingSpeed, path] {
        const QString partial = partialSpeechFile(path);
        QString failure;
        bool written = writeSpeechFile(
            text, readingSpeed, partial, [this] { return cancelled_.load(); }, &failure);
        if (written) {
            QFile::remove(path);
            if (!QFile::rename(partial, path)) {
                written = false;
                failure = tr("cannot replace %1").arg(path);
            }
        }
        if (!written)
            QFile::remove(partial);
        if (cancelled_)
            failure.clear();
        QMetaObject::invokeMethod(
            this,
            [this, written, failure] {
                stop();
                emit finished(written, failure);
            },
            Qt::QueuedConnection);
    });
    return true;
}

} // namespace tellwick
