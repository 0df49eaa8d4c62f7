#include "start_size_check.h"
#include "support/x_session.h"
#include "window_fixture.h"

#include "app/controls.h"
#include "app/window_layout.h"

#include <QPlainTextEdit>

#include <QScreen>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

namespace tellwick {
namespace {

// The window as it opens on a real X server with a window manager, reported by a helper run:
// what hides, the client width, and where the frame stands against the screen, in twips.
[[noreturn]] void runStartedWindow() {
    helperApplication();
    MainWindow window{WindowServices{}};
    window.show();
    QWidget* box = window.findChild<QWidget*>(QStringLiteral("txtInput"));
    // The frame comes a moment after the window shows; the layout follows it.
    waitFor([&] { return window.frameGeometry().size() != window.size(); }, 5000);
    waitFor([] { return false; }, 300);
    const TwipScale scale = window.twipScale();
    const QRect screen = window.screen()->geometry();
    const QRect frame = window.frameGeometry();
    say(QStringLiteral("hidden:%1\nclient:%2\nright:%3\ntop:%4\nexpectedTop:%5\nbox:%6\n")
            .arg(hiddenParts(window).join(u','))
            .arg(window.width() * scale.twipsPerPixelX)
            .arg((frame.right() + 1 - screen.width()) * scale.twipsPerPixelX)
            .arg(frame.top() * scale.twipsPerPixelY)
            .arg((screen.height() - frame.height()) * scale.twipsPerPixelY / 2.3)
            .arg((frame.width() - box->width()) * scale.twipsPerPixelX)
            .toUtf8());
    std::_Exit(0);
}

const bool startedWindowRan = [] {
    if (helperRole() == "started-window")
        runStartedWindow();
    return false;
}();

// A target that keeps what it is given, refuses negative sizes as controls do, and reports the
// text box's height rounded to whole pixels of 15 twips, as a screen of 96 dots per inch does.
class RecordingTarget : public LayoutTarget {
public:
    bool set(Control control, LayoutProperty property, double twips) override {
        if ((property == LayoutProperty::Width || property == LayoutProperty::Height) && twips < 0)
            return false;
        values[{control, property}] = twips;
        return true;
    }
    double reportedInputHeight() const override {
        return std::round(values.at({Control::textBox, LayoutProperty::Height}) / 15.0) * 15.0;
    }
    std::map<std::pair<Control, LayoutProperty>, double> values;
};

TEST(LayoutSteps, StopAtTheFirstRefusedSizeAndOtherwiseSetScreenLines) {
    const struct {
        double clientHeight;
        double outerWidth;
        std::size_t stepsTaken;
        std::int16_t screenLines; // starts at 17
    } rows[] = {
        {8040, 3885, 17, 30}, // the design size
        {923, 3885, 17, 0},   // a box lower than one line
        {680, 3885, 17, 0},   // a box of no height at all
        {679, 3885, 0, 17},   // too low: nothing changes
        {0, 0, 0, 17},        // minimised
        {8040, 219, 1, 17},   // too narrow: only the height is set
        {8040, 220, 17, 30},  {16000, 9000, 17, 62},
    };
    for (const auto& row : rows) {
        RecordingTarget target;
        std::int16_t screenLines = 17;
        const bool complete = layOut(target, row.clientHeight, row.outerWidth, screenLines);
        EXPECT_EQ(target.values.size(), row.stepsTaken)
            << row.clientHeight << " x " << row.outerWidth;
        EXPECT_EQ(complete, row.stepsTaken == std::size(layoutSteps));
        EXPECT_EQ(screenLines, row.screenLines) << row.clientHeight << " x " << row.outerWidth;
    }
}

TEST(LayoutSteps, KeepTheBottomRowAndTheRightButtonsAtTheirDistances) {
    RecordingTarget target;
    std::int16_t screenLines = 0;
    layOut(target, 8040, 3885, screenLines);
    const struct {
        Control control;
        LayoutProperty property;
        double twips;
    } rows[] = {
        {Control::textBox, LayoutProperty::Height, 7360},
        {Control::textBox, LayoutProperty::Width, 3665},
        {Control::pasteButton, LayoutProperty::Left, 2010},
        {Control::clearButton, LayoutProperty::Left, 2615},
        {Control::trainerButton, LayoutProperty::Left, 3230},
        {Control::readHighlightedButton, LayoutProperty::Top, 7320},
        {Control::skipBracketedBox, LayoutProperty::Top, 7510},
        {Control::linesAsSpacesBox, LayoutProperty::Top, 7330},
        {Control::speedLabel, LayoutProperty::Top, 7770},
        {Control::visitButton, LayoutProperty::Top, 7740},
    };
    for (const auto& row : rows)
        EXPECT_EQ((target.values[{row.control, row.property}]), row.twips)
            << specOf(row.control).name;
}

TEST(LayoutSteps, ScreenLinesRoundHalvesToEvenBeforeDividing) {
    const struct {
        double height;
        std::int16_t lines;
    } rows[] = {
        {7319.5, 30}, {7318.5, 29}, {487.5, 2}, {488.5, 2}, {487.4, 1}, {243.6, 1}, {243.4, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(screenLinesForHeight(row.height), row.lines) << row.height;
}

class WindowLayout : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        window->show();
        QCoreApplication::processEvents();
    }
    // Resizes the client area to the given twips and lets the resize arrive.
    void resizeTwips(double width, double height) {
        const TwipScale scale = window->twipScale();
        window->resize(std::lround(width / scale.twipsPerPixelX),
                       std::lround(height / scale.twipsPerPixelY));
        QCoreApplication::processEvents();
    }
    std::map<std::string, QRectF> places() const {
        std::map<std::string, QRectF> result;
        for (const ControlSpec& spec : controlTable)
            result[std::string(spec.name)] = window->controlTwips(spec.id);
        return result;
    }
};

TEST_F(WindowLayout, AtTheStartSizeNothingHides) {
    EXPECT_NEAR(window->width() * window->twipScale().twipsPerPixelX, 5275, 15);
    EXPECT_EQ(hiddenParts(*window), QStringList());
}

using StartedWindowX11 = XSessionTest;

TEST_F(StartedWindowX11, OpensWithNothingHiddenAndItsFrame100TwipsPastTheScreen) {
    QProcess helper;
    session->startHelper(helper, "started-window");
    ASSERT_TRUE(helper.waitForFinished(30000));
    std::map<QString, QString> reported;
    for (const QByteArray& line : helper.readAllStandardOutput().split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            reported[QString::fromUtf8(line.left(colon))] = QString::fromUtf8(line.mid(colon + 1));
    }
    ASSERT_EQ(reported.size(), 6u) << helper.readAllStandardError().toStdString();
    EXPECT_EQ(reported["hidden"], QString());
    EXPECT_NEAR(reported["client"].toDouble(), 5275, 15);
    // One pixel is 15 twips here; the placement rounds to whole pixels.
    EXPECT_NEAR(reported["right"].toDouble(), 100, 15);
    EXPECT_NEAR(reported["top"].toDouble(), reported["expectedTop"].toDouble(), 15);
    // The layout took the framed width: the box is the outer width less 220 twips.
    EXPECT_NEAR(reported["box"].toDouble(), 220, 15);
}

TEST_F(WindowLayout, DesignHeightGivesThirtyLinesFromTheBoxsPixelHeight) {
    resizeTwips(startClientWidth, designClientHeight);
    EXPECT_EQ(window->controlTwips(Control::textBox).height(), 7360);
    EXPECT_EQ(control("txtInput")->height(), 491) << "7360 twips of 15";
    EXPECT_EQ(window->screenLines(), 30);
}

// Asked to shrink further, the window stops where every control is still whole and apart, the
// box a line high.
TEST_F(WindowLayout, StopsShrinkingWhereEveryControlIsWholeAndApart) {
    resizeTwips(100, 100);
    const TwipScale scale = window->twipScale();
    EXPECT_NEAR(window->width() * scale.twipsPerPixelX, 4650, 15);
    EXPECT_NEAR(window->height() * scale.twipsPerPixelY, 924, 15);
    EXPECT_EQ(hiddenParts(*window), QStringList());
    EXPECT_EQ(window->screenLines(), 1);
    // Read Hilighted reaches a pixel below the bottom at any size, as designed.
    const QRect whole = window->rect().adjusted(0, 0, 0, 1);
    for (const ControlSpec& spec : controlTable)
        EXPECT_TRUE(whole.contains(control(std::string(spec.name).c_str())->geometry()))
            << spec.name;
}

TEST_F(WindowLayout, WideningMovesOnlyTheThreeRightHandButtons) {
    // Two client widths of whole pixels (352 and 392 of 15 twips), in a frame 4 pixels wider: the
    // box widens by the 600 twips added, the three right-hand buttons move by them, and the rest
    // stays where designed.
    const struct {
        const char* name;
        double left;
        double width;
        double leftWider;
        double widthWider;
    } rows[] = {
        {"txtInput", 0, 5120, 0, 5720},     {"cmdPaste", 3465, 615, 4065, 615},
        {"cmdClear", 4070, 615, 4670, 615}, {"cmdSR", 4685, 435, 5285, 435},
        {"cmdRead", 720, 615, 720, 615},    {"cmdHere", 2095, 250, 2095, 250},
        {"chkSqBr", 2580, 195, 2580, 195},  {"cmdVisit", 1605, 2295, 1605, 2295},
        {"lblSpeed", 840, 1695, 840, 1695},
    };
    resizeTwips(5280, designClientHeight);
    const auto narrow = places();
    resizeTwips(5880, designClientHeight);
    const auto wide = places();
    for (const auto& row : rows) {
        EXPECT_EQ(narrow.at(row.name).left(), row.left) << row.name;
        EXPECT_EQ(narrow.at(row.name).width(), row.width) << row.name;
        EXPECT_EQ(wide.at(row.name).left(), row.leftWider) << row.name;
        EXPECT_EQ(wide.at(row.name).width(), row.widthWider) << row.name;
        EXPECT_EQ(wide.at(row.name).top(), narrow.at(row.name).top()) << row.name;
    }
}

TEST_F(WindowLayout, MinimisingChangesNothingAndRestoringLaysOutAgain) {
    resizeTwips(startClientWidth, designClientHeight);
    const auto before = places();
    window->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_EQ(places(), before);
    EXPECT_EQ(window->screenLines(), 30);
    window->setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->screenLines(), 30);
}

} // namespace
} // namespace tellwick
