#pragma once

#include <QString>

class QProgressDialog;
class QWidget;

namespace tellwick {

// A window-modal progress dialog with Cancel that appears only when the work takes longer than half
// a second, so that short work shows nothing. steps 0: it shows that work goes on, not how much.
// The caller closes it (hide and deleteLater) when the work ends.
QProgressDialog* delayedProgress(QWidget* window, const QString& label, int steps);

} // namespace tellwick
