#pragma once

#include <optional>
#include <string>

// Where the desktop game finds its images. Their paths are "Data/..."; they are read relative to
// a root folder, chosen once at start-up:
//   1. the working directory, when it has Data/ (a game started from its source tree), else
//   2. the data directory of an installed game, found from the program's own folder (so an
//      install under any prefix, or in a staging directory, works as it is).

// The root to read "Data/..." from: "" for the working directory, else a folder ending in '/'.
// Nothing when neither place has the images. `programDir` is the folder the running program is
// in; `installedFromProgram` the data directory's path relative to it.
std::optional<std::string> findDataRoot(const std::string& workingDir,
                                        const std::string& programDir,
                                        const std::string& installedFromProgram);

// One line, without a newline, that says where the images were looked for.
std::string describeMissingData(const std::string& workingDir, const std::string& programDir,
                                const std::string& installedFromProgram);
