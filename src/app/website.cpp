#include "app/website.h"

#include "app/top_level_handler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tellwick {

namespace {

const QString helpPageName = QStringLiteral("help.html");

QStringList helpPageCandidates() {
    return {QDir(QCoreApplication::applicationDirPath())
                .filePath(QStringLiteral("../share/tellwick/") + helpPageName),
            QDir(QStringLiteral(TELLWICK_INSTALL_DATA_DIR)).filePath(helpPageName),
            QDir(QStringLiteral(TELLWICK_SOURCE_DATA_DIR)).filePath(helpPageName)};
}

} // namespace

QString helpPageAddress() {
    const QStringList candidates = helpPageCandidates();
    QString page = candidates.at(1);
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            page = candidate;
            break;
        }
    }
    return QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()).toString();
}

void openWebPage(Launcher& launcher, const QString& address) {
    QString error;
    if (launcher.start(browserPaths.at(0), {address}, &error))
        return;
    if (!launcher.start(browserPaths.at(1), {address}, &error))
        throw UncaughtFailure{QStringLiteral("The web page could not be opened: %1").arg(error)};
}

} // namespace tellwick
