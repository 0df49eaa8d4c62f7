// How far a long export is, as the terminal and the window's dialog both tell it.
#include "speech/progress_estimate.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

TEST(ProgressDescription, TellsThePartDoneAndTheTimeLeftAtThePaceSoFar) {
    const struct {
        const char* name;
        double done;
        qint64 elapsedMilliseconds;
        const char* expected;
    } rows[] = {
        {"nothing done yet", 0, 0, "0% done"},
        {"too little done to judge the pace", 0.01, 4000, "1% done"},
        {"a quarter in a minute", 0.25, 60000, "25% done, 3:00 left"},
        {"seconds left", 0.9, 45000, "90% done, 0:05 left"},
        {"hours left", 0.02, 300000, "2% done, 4:05:00 left"},
        {"all done", 1, 90000, "100% done"},
        {"a reckoning past the end", 1.2, 90000, "100% done"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(progressDescription(row.done, row.elapsedMilliseconds).toStdString(),
                  row.expected)
            << row.name;
}

} // namespace
} // namespace tellwick
