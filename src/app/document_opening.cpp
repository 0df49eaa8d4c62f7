#include "app/document_opening.h"

#include "app/delayed_progress.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <QWidget>

#include <cmath>

namespace tellwick {

namespace {

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
    progress_ =
        delayedProgress(window_, tr("Opening %1…").arg(QFileInfo(path).fileName()), progressSteps);
    connect(progress_, &QProgressDialog::canceled, &loader_, &DocumentLoader::cancel);
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
