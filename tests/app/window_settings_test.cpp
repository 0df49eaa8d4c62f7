// The settings the window remembers from one start to the next, and where a remembered place
// that no screen shows any more goes.
#include "app/window_settings.h"

#include "window_fixture.h"

#include <QCheckBox>
#include <QTemporaryDir>

namespace tellwick {
namespace {

TEST(PlaceOnScreens, KeepsTheTitleBarWithinReach) {
    const QRect primary(0, 0, 1920, 1040);
    const QRect rightOfIt(1920, 0, 1280, 1024);
    const struct {
        const char* name;
        QRect frame;
        QList<QRect> screens;
        QPoint expected;
    } rows[] = {
        {"on the primary screen", {100, 80, 600, 500}, {primary}, {100, 80}},
        {"on the second screen", {2000, 100, 600, 500}, {primary, rightOfIt}, {2000, 100}},
        {"mostly off but grabbable", {1860, 1000, 600, 500}, {primary}, {1860, 1000}},
        {"second screen gone", {2000, 100, 600, 500}, {primary}, {1320, 100}},
        {"above every screen", {300, -400, 600, 500}, {primary}, {300, 0}},
        {"title bar just too narrow", {1900, 100, 600, 500}, {primary}, {1320, 100}},
        {"larger than the screen", {-50, 5000, 2500, 1200}, {primary}, {0, 0}},
        {"no screens at all", {-5000, -5000, 600, 500}, {}, {-5000, -5000}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(placeOnScreens(row.frame, row.screens), row.expected) << row.name;
}

using WindowSettings = WindowFixture;

TEST_F(WindowSettings, NextWindowStartsAsTheUserLeftTheLast) {
    QTemporaryDir folder;
    settingsFile = folder.filePath(QStringLiteral("tellwick/tellwick.conf"));
    startOver();
    // The first start ever is as if nothing were remembered.
    EXPECT_EQ(speedCaption(), QStringLiteral("Speed: +1"));
    EXPECT_TRUE(control<QCheckBox>("chkSqBr")->isChecked());

    window->reader().setSpeed(-3);
    control<QCheckBox>("chkSqBr")->setChecked(false);
    window->resize(window->width() + 40, window->height() + 30);
    window->move(120, 90);
    const QSize size = window->size();
    startOver();

    EXPECT_EQ(speedCaption(), QStringLiteral("Speed: -3"));
    EXPECT_FALSE(control<QCheckBox>("chkSqBr")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("chkCrPause")->isChecked());
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(window->pos(), QPoint(120, 90));
}

} // namespace
} // namespace tellwick
