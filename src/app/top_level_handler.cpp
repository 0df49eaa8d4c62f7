#include "app/top_level_handler.h"

#include <QMessageBox>

namespace tellwick {

namespace {

void showMessageBox(QWidget* window, const QString& message) {
    QMessageBox::critical(window, QStringLiteral("Tellwick"), message);
}

UncaughtSink& currentSink() {
    static UncaughtSink sink = showMessageBox;
    return sink;
}

} // namespace

UncaughtSink setUncaughtSink(UncaughtSink sink) {
    if (!sink)
        sink = showMessageBox;
    return std::exchange(currentSink(), std::move(sink));
}

void reportUncaught(QWidget* window, const QString& message) {
    currentSink()(window, message);
}

} // namespace tellwick
