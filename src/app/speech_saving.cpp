#include "app/speech_saving.h"

#include "app/delayed_progress.h"
#include "speech/audio_file.h"
#include "speech/progress_estimate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

namespace tellwick {

QString partialSpeechFile(const QString& path) {
    const QFileInfo file(path);
    return file.dir().filePath(
        QStringLiteral(".%1.partial.%2").arg(file.completeBaseName(), file.suffix()));
}

namespace {

// The dialog's bar counts tenths of a percent, so that a book's export still moves visibly.
constexpr int progressSteps = 1000;

} // namespace

SpeechSaving::SpeechSaving(QWidget* window)
    : QObject(window), window_(window), progressRefresh_(new QTimer(this)) {
    progressRefresh_->setInterval(progressRefreshMilliseconds);
    connect(progressRefresh_, &QTimer::timeout, this, &SpeechSaving::showProgress);
}

SpeechSaving::~SpeechSaving() {
    stop();
}

void SpeechSaving::stop() {
    cancelled_ = true;
    progressRefresh_->stop();
    if (writing_.joinable())
        writing_.join();
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
    }
}

void SpeechSaving::showProgress() {
    if (!progress_)
        return;
    const double done = done_;
    progress_->setLabelText(task_ + QLatin1Char('\n') +
                            progressDescription(done, elapsed_.elapsed()));
    // Last: a modal dialog runs the event loop as its value changes.
    progress_->setValue(int(done * progressSteps));
}

bool SpeechSaving::save(const QString& text, int readingSpeed, const QString& voiceName,
                        const QString& path, QString* error) {
    if (busy()) {
        *error = tr("A speech file is still being written.");
        return false;
    }
    if (!canWriteAudioFile(path, error))
        return false;
    cancelled_ = false;
    done_ = 0;
    elapsed_.start();
    task_ = tr("Saving the speech as %1…").arg(QFileInfo(path).fileName());
    progress_ = delayedProgress(window_, task_, progressSteps);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancelled_ = true; });
    progressRefresh_->start();
    writing_ = std::thread([this, text, readingSpeed, voiceName, path] {
        const QString partial = partialSpeechFile(path);
        QString failure;
        bool written = writeSpeechFile(
            text, readingSpeed, partial, [this] { return cancelled_.load(); }, &failure, {},
            voiceName, [this](double done) { done_ = done; });
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
