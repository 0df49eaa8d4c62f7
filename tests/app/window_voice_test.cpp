// The choice of voice: the Voice submenu of the box, the voice each reading and saving asks for,
// the choice remembered for the next start, and the welcome text naming the voice that reads it.
#include "app/input_box.h"
#include "app/voice_choice.h"
#include "app/welcome_text.h"

#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace tellwick {
namespace {

const QString espeak = QStringLiteral("espeak-ng-en");
const QString slt = QStringLiteral("flite-slt");
const QString rms = QStringLiteral("flite-rms");
const QString hts = QStringLiteral("festival-slt-hts");
const QString htsMissing = QStringLiteral("festvox-us-slt-hts is not installed");

// Voices as the catalogue describes them on a machine without festival's voice.
std::vector<VoiceDescription> catalogue() {
    return {{espeak, QStringLiteral("espeak-ng"), QStringLiteral("English"), 22050, {}},
            {slt, QStringLiteral("flite"), QStringLiteral("English (US)"), 16000, {}},
            {rms, QStringLiteral("flite"), QStringLiteral("English (US)"), 16000, {}},
            {hts, QStringLiteral("festival"), QStringLiteral("English (US)"), 32000, htsMissing}};
}

TEST(RestoredVoice, FallsBackToTheDefaultWithANotice) {
    std::vector<VoiceDescription> defaultMissing = catalogue();
    defaultMissing[0].unavailableBecause = QStringLiteral("espeak-ng-data is not installed");
    const struct {
        const char* name;
        std::vector<VoiceDescription> voices;
        QString remembered;
        QString voice;
        QString notice;
    } rows[] = {
        {"nothing remembered", catalogue(), {}, espeak, {}},
        {"a voice that reads here", catalogue(), rms, rms, {}},
        {"a voice whose data is missing", catalogue(), hts, espeak,
         QStringLiteral("The voice festival-slt-hts, chosen last time, cannot be used here "
                        "(festvox-us-slt-hts is not installed): espeak-ng-en reads instead.")},
        {"a voice not known", catalogue(), QStringLiteral("mbrola-en1"), espeak,
         QStringLiteral("The voice mbrola-en1, chosen last time, is not known here: espeak-ng-en "
                        "reads instead.")},
        {"the default's data missing", defaultMissing, {}, slt, {}},
        {"no voices described", {}, {}, {}, {}},
    };
    for (const auto& row : rows) {
        const RestoredVoice restored = restoredVoice(row.voices, row.remembered);
        EXPECT_EQ(restored.name, row.voice) << row.name;
        EXPECT_EQ(restored.notice.toStdString(), row.notice.toStdString()) << row.name;
    }
}

TEST(VoiceWords, NameTheEngineAndTheVoiceWhereTheEngineHasSeveral) {
    const std::vector<VoiceDescription> voices = catalogue();
    const struct {
        const char* name;
        const VoiceDescription* voice;
        const char* words;
        const char* nickname;
    } rows[] = {
        {"espeak-ng, its engine's one voice", &voices[0], "the espeak-ng voice", "espeak"},
        {"one of flite's voices", &voices[1], "the flite voice (slt)", "flite"},
        {"festival's one voice", &voices[3], "the festival voice", "festival"},
        {"no voice described", nullptr, "the espeak-ng voice", "espeak"},
    };
    for (const auto& row : rows) {
        const VoiceWords words = voiceWords(row.voice, voices);
        EXPECT_EQ(words.voice.toStdString(), row.words) << row.name;
        EXPECT_EQ(words.nickname.toStdString(), row.nickname) << row.name;
    }
}

class WindowVoice : public WindowFixture {
protected:
    void SetUp() override {
        settingsFile = folder.filePath(QStringLiteral("tellwick.conf"));
        voiceCatalogue = catalogue();
        WindowFixture::SetUp();
    }

    void TearDown() override {
        delete menu;
        WindowFixture::TearDown();
    }

    // The box's menu is made anew each time it opens, as the user would see it then.
    QMenu* voiceMenu() {
        delete menu;
        menu = static_cast<InputBox*>(control("txtInput"))->createContextMenu({5, 5});
        return menu->findChild<QMenu*>(QStringLiteral("voice-menu"));
    }
    QAction* voiceItem(const QString& name) {
        return voiceMenu()->findChild<QAction*>(QStringLiteral("voice-") + name);
    }
    // The voice the next Read asks for.
    QString readingVoice() {
        window->setInputText(QStringLiteral("Hello."));
        click("cmdRead");
        return voices.log().voiceNames.value(voices.log().voiceNames.size() - 1);
    }

    QTemporaryDir folder;
    QPointer<QMenu> menu;
};

TEST_F(WindowVoice, MenuListsEveryVoiceTheUsableOnesToChoose) {
    const struct {
        QString voice;
        const char* text;
        bool checked;
        bool enabled;
        QString toolTip;
    } rows[] = {
        {espeak, "espeak-ng-en (English, espeak-ng)", true, true, {}},
        {slt, "flite-slt (English (US), flite)", false, true, {}},
        {rms, "flite-rms (English (US), flite)", false, true, {}},
        {hts, "festival-slt-hts (English (US), festival)", false, false, htsMissing},
    };
    QMenu* shown = voiceMenu();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->title(), QStringLiteral("&Voice"));
    EXPECT_EQ(shown->actions().size(), std::size(rows));
    for (const auto& row : rows) {
        const QAction* item = voiceItem(row.voice);
        ASSERT_NE(item, nullptr) << row.text;
        EXPECT_EQ(item->text().toStdString(), row.text);
        EXPECT_TRUE(item->isCheckable()) << row.text;
        EXPECT_EQ(item->isChecked(), row.checked) << row.text;
        EXPECT_EQ(item->isEnabled(), row.enabled) << row.text;
        if (!row.toolTip.isEmpty()) {
            EXPECT_EQ(item->toolTip(), row.toolTip) << row.text;
        }
    }
}

TEST_F(WindowVoice, TheChosenVoiceReadsAndIsRememberedAtTheNextStart) {
    // The first start ever remembers no voice and reads with the default.
    EXPECT_EQ(readingVoice(), espeak);
    startOver();
    EXPECT_FALSE(QSettings(settingsFile, QSettings::IniFormat).contains("reading/voice"));

    voiceItem(slt)->trigger();
    EXPECT_TRUE(voiceItem(slt)->isChecked());
    EXPECT_FALSE(voiceItem(espeak)->isChecked());
    EXPECT_EQ(readingVoice(), slt);
    startOver();
    EXPECT_TRUE(voiceItem(slt)->isChecked());
    EXPECT_EQ(readingVoice(), slt);
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('|')).toStdString();
}

TEST_F(WindowVoice, ARememberedVoiceThatCannotReadFallsBackWithANotice) {
    window.reset();
    QSettings(settingsFile, QSettings::IniFormat).setValue("reading/voice", hts);
    startOver();
    QStringList notices;
    QObject::connect(window.get(), &MainWindow::noticeShown,
                     [&notices](const QString& notice) { notices << notice; });
    ASSERT_TRUE(QTest::qWaitFor([&notices] { return !notices.isEmpty(); }, 5000));
    EXPECT_EQ(notices, QStringList{QStringLiteral(
                           "The voice festival-slt-hts, chosen last time, cannot be used here "
                           "(festvox-us-slt-hts is not installed): espeak-ng-en reads instead.")});
    EXPECT_TRUE(voiceItem(espeak)->isChecked());
    EXPECT_EQ(readingVoice(), espeak);
    // The choice stays for when the voice's package comes back.
    startOver();
    EXPECT_EQ(QSettings(settingsFile, QSettings::IniFormat).value("reading/voice").toString(), hts);
}

// The welcome text names the voice that reads it, also after a choice while the box still holds
// it; a box the user changed is left alone.
TEST_F(WindowVoice, WelcomeTextNamesTheVoiceThatReadsIt) {
    const auto names = [this](const char* words) {
        return window->inputText().contains(QString::fromLatin1(words));
    };
    EXPECT_TRUE(names("a front end to the espeak-ng voice that improves"));
    EXPECT_TRUE(names("So it is an 'educated espeak' if you like."));
    voiceItem(rms)->trigger();
    EXPECT_TRUE(names("a front end to the flite voice (rms) that improves"));
    EXPECT_TRUE(names("So it is an 'educated flite' if you like."));
    window->setInputText(QStringLiteral("My own text."));
    voiceItem(espeak)->trigger();
    EXPECT_EQ(window->inputText(), QStringLiteral("My own text."));
}

} // namespace
} // namespace tellwick
