#pragma once

#include "platform/launcher.h"

#include <QStringList>

namespace tellwick {

// The programs that open the web page, tried in this order.
inline const QStringList browserPaths = {QStringLiteral("/usr/bin/xdg-open"),
                                         QStringLiteral("/usr/bin/x-www-browser")};

// The help page that ships with Tellwick, as a file:// URL: the installed copy beside the program,
// else the one in the install prefix, else the one in the source tree (a build that was not
// installed).
QString helpPageAddress();

// Starts the first browser path on the address; only when that fails, the second. The address is
// the one argument of each, never part of a command line. A failure of the second start throws
// UncaughtFailure.
void openWebPage(Launcher& launcher, const QString& address);

} // namespace tellwick
