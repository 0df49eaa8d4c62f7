#include "book_text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// How long `tellwick say --out` takes to write the speech of a 300-page book (600,000
// characters) with one synthesis process and with two, and the memory the export takes at its
// peak, all processes together.
namespace {

// The resident memory of a process and all its descendants, in kB.
long treeMemory(pid_t pid) {
    long total = 0;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                total += line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(tasks.filePath(task + QStringLiteral("/children")));
        if (!children.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& child : children.readAll().split(' ')) {
            if (!child.trimmed().isEmpty())
                total += treeMemory(pid_t(child.trimmed().toInt()));
        }
    }
    return total;
}

void measure(const QString& text, const QString& out, int jobs) {
    const std::string jobsText = std::to_string(jobs);
    const QByteArray textPath = QFile::encodeName(text);
    const QByteArray outPath = QFile::encodeName(out);
    std::vector<const char*> argv = {TELLWICK_BINARY, "say",
                                     "--jobs",        jobsText.c_str(),
                                     "--file",        textPath.constData(),
                                     "--out",         outPath.constData(),
                                     nullptr};
    QElapsedTimer clock;
    clock.start();
    pid_t pid = -1;
    if (posix_spawn(&pid, TELLWICK_BINARY, nullptr, nullptr, const_cast<char**>(argv.data()),
                    environ) != 0) {
        std::perror("tellwick");
        return;
    }
    long peak = 0;
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        peak = std::max(peak, treeMemory(pid));
        usleep(100'000);
    }
    // The processor time of the export and of the synthesis processes it waited for.
    const double processor = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                             double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("jobs %d: %.1f s, processor %.1f s, peak memory %.0f MB, exit %d, %.0f MB of "
                "sound\n",
                jobs, double(clock.elapsed()) / 1000, processor, double(peak) / 1024,
                WEXITSTATUS(status), double(QFileInfo(out).size()) / 1e6);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString text = folder.filePath(QStringLiteral("book.txt"));
    QFile file(text);
    file.open(QIODevice::WriteOnly);
    file.write(bookParagraphs(600'000).join(u'\n').left(600'000).toUtf8());
    file.close();
    const QString out = folder.filePath(QStringLiteral("book.wav"));
    // Jobs to measure, one and two unless given.
    std::vector<int> jobs;
    for (int i = 1; i < argc; ++i)
        jobs.push_back(std::atoi(argv[i]));
    if (jobs.empty())
        jobs = {1, 2};
    for (const int count : jobs)
        measure(text, out, count);
    return 0;
}
