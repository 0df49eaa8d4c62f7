#pragma once

#include "platform/launcher.h"

#include <QList>
#include <QSet>

#include <functional>

namespace tellwick {

// Starts nothing. Programs listed in existing start successfully; every other one fails as a
// missing file would. Every attempt is recorded, failed ones included.
class FakeLauncher : public Launcher {
public:
    struct Start {
        QString program;
        QStringList arguments;
        bool started = false;
    };

    bool start(const QString& program, const QStringList& arguments, QString* error) override;

    QSet<QString> existing;
    QList<Start> attempts;
    // Called at each attempt, before it is recorded; may be empty.
    std::function<void()> onStart;
};

} // namespace tellwick
