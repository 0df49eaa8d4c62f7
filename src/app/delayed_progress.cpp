#include "app/delayed_progress.h"

#include <QProgressDialog>

namespace tellwick {

namespace {

constexpr int delayMilliseconds = 500;

} // namespace

QProgressDialog* delayedProgress(QWidget* window, const QString& label, int steps) {
    auto* progress = new QProgressDialog(label, QProgressDialog::tr("Cancel"), 0, steps, window);
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(delayMilliseconds);
    // The dialog's timer that shows it starts with its first value.
    progress->setValue(0);
    return progress;
}

} // namespace tellwick
