#pragma once

#include "platform/launcher.h"

namespace tellwick {

// Starts programs detached from Tellwick, so that closing Tellwick leaves them running.
class ProcessLauncher : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments, QString* error) override;
};

} // namespace tellwick
