#pragma once

namespace tellwick {

// Each command gets the arguments that follow its name and returns the exit status:
// 0 done, 1 runtime failure, 2 bad usage or bad input.
int runRespellCommand(int argc, char** argv);
int runSayCommand(int argc, char** argv);
int runVoicesCommand(int argc, char** argv);
// Ask the running window to read the highlighted text, or to pause or resume.
int runReadSelectionCommand(int argc, char** argv);
int runPauseCommand(int argc, char** argv);

} // namespace tellwick
