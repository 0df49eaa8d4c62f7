#include "support/fake_launcher.h"

namespace tellwick {

bool FakeLauncher::start(const QString& program, const QStringList& arguments, QString* error) {
    if (onStart)
        onStart();
    const bool found = existing.contains(program);
    attempts.append({program, arguments, found});
    if (!found && error)
        *error = QStringLiteral("%1: no such file").arg(program);
    return found;
}

} // namespace tellwick
