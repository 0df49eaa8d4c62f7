#include "app/document_opening.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <QWidget>

#include <cmath>

namespace tellwick {

namespace {

// Short readings open without a dialog flashing by.
constexpr int progressDelayMilliseconds = 500;
constexpr int progressSteps = 100;

} // namespace

DocumentOpening::DocumentOpening(QWidget* window) : QObject(window), window_(window) {
    connect(&loader_, &DocumentLoader::progressed, this, [this](double done) {
        if (progress_)
            progress_->setValue(static_cast<int>(std::lround(done * progressSteps)));
    });
    connect(&loader_, &DocumentLoader::finished, this, [this](const DocumentReading& reading) {
        closeProgress();
        if (reading.status != DocumentReading::Status::Cancelled)
            emit opened(reading);
    });
}

DocumentOpening::~DocumentOpening() {
    closeProgress();
}

void DocumentOpening::open(const QString& path) {
    closeProgress();
    auto* progress = new QProgressDialog(tr("Opening %1…").arg(QFileInfo(path).fileName()),
                                         tr("Cancel"), 0, progressSteps, window_);
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(progressDelayMilliseconds);
    connect(progress, &QProgressDialog::canceled, &loader_, &DocumentLoader::cancel);
    // The dialog's timer that shows it starts with its first value.
    progress->setValue(0);
    progress_ = progress;
    loader_.start(path);
}

void DocumentOpening::closeProgress() {
    if (!progress_)
        return;
    progress_->disconnect(&loader_);
    progress_->deleteLater();
    progress_->hide();
    progress_ = nullptr;
}

} // namespace tellwick
