// What the trainer and F2 cost the user in a book-length text: the pause at the bottom of each
// screenful while the page turns, and the F2 copy of the whole box.
#include "app/main_window.h"
#include "platform/qt_clipboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

using namespace tellwick;

constexpr int bookLines = 20000;

QString book() {
    QStringList lines;
    for (int i = 0; i < bookLines; ++i)
        lines << QStringLiteral("Line %1 of a long book, read one line at a time.").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

void sendKey(QWidget* target, QEvent::Type type, Qt::Key key) {
    QKeyEvent event(type, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

std::unique_ptr<MainWindow> makeWindow() {
    WindowServices platform;
    platform.clipboard = std::make_unique<QtClipboard>();
    auto window = std::make_unique<MainWindow>(std::move(platform));
    window->show();
    window->setInputText(book());
    return window;
}

// One screenful: ScreenLines down arrows, the last of which turns the page.
void TrainerScreenful(benchmark::State& state) {
    auto window = makeWindow();
    auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("txtInput"));
    window->findChild<QPushButton*>(QStringLiteral("cmdSR"))->click();
    QCoreApplication::processEvents();
    const int lines = window->screenLines();
    for (auto _ : state) {
        if (box->textCursor().blockNumber() > bookLines - 2 * lines) {
            state.PauseTiming();
            window->findChild<QPushButton*>(QStringLiteral("cmdSR"))->click();
            window->findChild<QPushButton*>(QStringLiteral("cmdSR"))->click();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        for (int line = 0; line < lines; ++line) {
            sendKey(box, QEvent::KeyPress, Qt::Key_Down);
            sendKey(box, QEvent::KeyRelease, Qt::Key_Down);
        }
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(TrainerScreenful)->Unit(benchmark::kMillisecond);

void CopyBookWithF2(benchmark::State& state) {
    auto window = makeWindow();
    auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("txtInput"));
    for (auto _ : state)
        sendKey(box, QEvent::KeyRelease, Qt::Key_F2);
    state.SetBytesProcessed(state.iterations() * window->inputText().size() *
                            qint64(sizeof(char16_t)));
}
BENCHMARK(CopyBookWithF2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Left to the end of the process: key events made without a platform keyboard leave a device
    // that must not outlive the application's own clean-up.
    auto* application = new QApplication(argc, argv);
    (void)application;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
