#pragma once

// The one QApplication of a test program, and texts shown as texts in test failures.

#include <QApplication>
#include <QIcon>
#include <QInputDevice>
#include <QStringList>

#include <ostream>

// Lets test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts)
        *out << ' ' << '"' << text.toStdString() << '"';
    *out << " }";
}

namespace tellwick {

// One QApplication for the whole test program, made on first use.
inline QApplication& testApplication() {
    // The first key event made without a platform keyboard creates a default one, owned by the
    // application and listed in a global device list. Creating that list before the application
    // makes it outlive the application at exit, so the device can still unlist itself then.
    static const QList<const QInputDevice*> devicesBeforeTheApplication = QInputDevice::devices();
    // Likewise Qt's cache of theme icons (the text box's standard context menu fills it), which the
    // application empties as it ends: made after the application, it would be gone by then.
    [[maybe_unused]] static const bool iconCacheBeforeTheApplication =
        (QIcon::fromTheme(QStringLiteral("tellwick-no-icon")), true);
    static int argc = 1;
    static char name[] = "tellwick_app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

} // namespace tellwick
