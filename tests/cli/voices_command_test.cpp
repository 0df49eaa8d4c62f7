#include <QProcess>

#include <gtest/gtest.h>

namespace tellwick {
namespace {

// One line per voice, the default first, each naming whether it can speak here (bootstrap installs
// every voice's package).
TEST(VoicesCommand, ListsEachVoiceWithItsEngineLanguageRateAndState) {
    QProcess process;
    process.start(QStringLiteral(TELLWICK_BINARY), {QStringLiteral("voices")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    const char* const expected[] = {
        "flite-rms\tflite\tEnglish (US)\t16000 Hz\tusable, default",
        "espeak-ng-en\tespeak-ng\tEnglish\t22050 Hz\tusable",
        "flite-slt\tflite\tEnglish (US)\t16000 Hz\tusable",
        "flite-awb\tflite\tEnglish (US)\t16000 Hz\tusable",
        "flite-kal16\tflite\tEnglish (US)\t16000 Hz\tusable",
    };
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.front(), QLatin1String(expected[0]));
    for (const char* line : expected)
        EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;
}

} // namespace
} // namespace tellwick
