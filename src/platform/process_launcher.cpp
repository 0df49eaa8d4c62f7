#include "platform/process_launcher.h"

#include <QFileInfo>
#include <QProcess>

namespace tellwick {

bool ProcessLauncher::start(const QString& program, const QStringList& arguments, QString* error) {
    const auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    // Checked first so that a missing program fails here, before any process is forked.
    const QFileInfo file(program);
    if (!file.exists())
        return fail(QStringLiteral("%1 does not exist.").arg(program));
    if (!file.isFile() || !file.isExecutable())
        return fail(QStringLiteral("%1 is not a program.").arg(program));
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached())
        return fail(
            QStringLiteral("%1 could not be started: %2").arg(program, process.errorString()));
    return true;
}

} // namespace tellwick
