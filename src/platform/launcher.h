#pragma once

#include <QString>
#include <QStringList>

namespace tellwick {

// Starts a program file with an argument vector; no shell and no command-line string.
class Launcher {
public:
    virtual ~Launcher() = default;
    // False when the program file does not exist or cannot be started; error says why.
    virtual bool start(const QString& program, const QStringList& arguments, QString* error) = 0;
};

} // namespace tellwick
