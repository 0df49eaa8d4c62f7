#pragma once

#include "app/main_window.h"
#include "app/top_level_handler.h"
#include "app/window_commands.h"
#include "support/fake_clipboard.h"
#include "support/fake_launcher.h"
#include "support/fake_voice.h"
#include "support/test_application.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace tellwick {

// The answer to a command that the window answers at once (its doubles answer at once); empty
// when it has not answered.
inline QString answerTo(MainWindow& window, const QString& command) {
    QString answer;
    runWindowCommand(window, command, [&answer](const QString& given) { answer = given; });
    return answer;
}

// A window built on test doubles. Uncaught failures are collected instead of shown.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        previousSink_ =
            setUncaughtSink([this](QWidget*, const QString& message) { reported.append(message); });
        WindowServices platform;
        auto clipboardDouble = std::make_unique<FakeClipboard>();
        auto launcherDouble = std::make_unique<FakeLauncher>();
        clipboard = clipboardDouble.get();
        launcher = launcherDouble.get();
        platform.clipboard = std::move(clipboardDouble);
        platform.launcher = std::move(launcherDouble);
        platform.voices = voices.namedFactory();
        platform.settingsFile = settingsFile;
        platform.voiceCatalogue = voiceCatalogue;
        window = std::make_unique<MainWindow>(std::move(platform));
    }

    void TearDown() override {
        window.reset();
        setUncaughtSink(std::move(previousSink_));
    }

    // A fresh window and fresh doubles, for the next row of a table.
    void startOver() {
        TearDown();
        voices = FakeVoiceFactory();
        reported.clear();
        SetUp();
    }

    template <typename T = QWidget> T* control(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    // Presses a button as the user does, through the window's top-level handling.
    void click(const char* name) const { button(name)->click(); }
    QString pauseCaption() const { return button("cmdPause")->text(); }
    QString speedCaption() const { return control<QLabel>("lblSpeed")->text(); }

    FakeVoiceFactory voices;
    FakeClipboard* clipboard = nullptr;
    FakeLauncher* launcher = nullptr;
    // Where the next window remembers its settings; empty: nowhere.
    QString settingsFile;
    // The voices the next window offers; none: the default one only.
    std::vector<VoiceDescription> voiceCatalogue;
    std::unique_ptr<MainWindow> window;
    QStringList reported;

private:
    UncaughtSink previousSink_;
};

} // namespace tellwick
