#include "support/x_session.h"

// X11's headers come after every Qt header: their macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tellwick {

bool XSession::start(QString* why) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    // Xvfb picks a free display itself and writes its number to the descriptor given.
    server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!server.waitForStarted(5000) ||
        !waitForOutput(server, [](const QByteArray& out) { return out.endsWith('\n'); })) {
        *why = QStringLiteral("Xvfb did not start");
        return false;
    }
    display = ":" + server.readAllStandardOutput().trimmed();
    environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    // The windows started here remember their settings in the session, never the developer's.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       runtime.path() + QStringLiteral("/config"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    windowManager.setProcessEnvironment(environment);
    windowManager.start(openbox, {QStringLiteral("--sm-disable")});
    if (!windowManager.waitForStarted(5000) || !waitForWindowManager()) {
        *why = QStringLiteral("openbox did not take over the display");
        return false;
    }
    return true;
}

XSession::~XSession() {
    for (QProcess* process : {&windowManager, &server}) {
        process->kill();
        process->waitForFinished(5000);
    }
}

void XSession::startHelper(QProcess& helper, const char* role) const {
    QProcessEnvironment helperEnvironment = environment;
    helperEnvironment.insert(QString::fromLatin1(helperRoleVariable), QString::fromLatin1(role));
    helper.setProcessEnvironment(helperEnvironment);
    helper.start(QCoreApplication::applicationFilePath(), {});
}

void XSession::startProgram(QProcess& process, const QString& program, const QStringList& arguments,
                            const QProcessEnvironment& added) const {
    QProcessEnvironment programEnvironment = environment;
    programEnvironment.insert(added);
    process.setProcessEnvironment(programEnvironment);
    process.start(program, arguments);
}

std::optional<QByteArray> XSession::runTool(const QString& program,
                                            const QStringList& arguments) const {
    QProcess tool;
    startProgram(tool, program, arguments);
    if (!tool.waitForFinished(20000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0)
        return std::nullopt;
    return tool.readAllStandardOutput();
}

std::optional<QString> XSession::highlightInTerminal(QProcess& terminal, const QString& line,
                                                     const QString& program) const {
    startProgram(terminal, QStringLiteral("xterm"),
                 {"-geometry", "200x4+0+0", "-e", "sh", "-c",
                  QStringLiteral("echo %1; exec %2").arg(line, program)});
    const auto found =
        runTool(QStringLiteral("xdotool"), {"search", "--sync", "--onlyvisible", "--pid",
                                            QString::number(terminal.processId())});
    if (!found)
        return std::nullopt;
    const QString window = QString::fromLatin1(found->trimmed().split('\n').first());
    if (!runTool(QStringLiteral("xdotool"),
                 {"windowactivate", "--sync", window, "mousemove", "--window", window, "30", "8",
                  "click", "--repeat", "3", "--delay", "80", "1"}))
        return std::nullopt;
    return window;
}

int XSession::heldKeys() const {
    Display* x = XOpenDisplay(display.constData());
    if (!x)
        return -1;
    char keys[32] = {};
    XQueryKeymap(x, keys);
    XCloseDisplay(x);
    int held = 0;
    for (const char byte : keys)
        held += __builtin_popcount(static_cast<unsigned char>(byte));
    return held;
}

// openbox announces itself on the root window once it manages the display.
bool XSession::waitForWindowManager() const {
    Display* x = XOpenDisplay(display.constData());
    if (!x)
        return false;
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    const bool ready = waitFor(
        [&] {
            Atom type = 0;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            const bool found =
                XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, XA_WINDOW, &type,
                                   &format, &items, &after, &data) == Success &&
                items == 1;
            if (data)
                XFree(data);
            return found;
        },
        10000);
    XCloseDisplay(x);
    return ready;
}

} // namespace tellwick
