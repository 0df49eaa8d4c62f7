#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

namespace tellwick {

// A line on a terminal that shows the part of a long task done and the time left, rewritten in
// place; it shows nothing when the stream is no terminal (a log or a pipe).
class TerminalProgress {
public:
    TerminalProgress(std::FILE* stream, QString task);
    ~TerminalProgress() { clear(); }

    void update(double done);
    // Takes the line away, so that what is printed next starts on a clean line.
    void clear();

private:
    std::FILE* stream_;
    QString task_;
    bool terminal_;
    bool shown_ = false;
    QElapsedTimer elapsed_;
    qint64 lastShown_ = -1;
};

} // namespace tellwick
