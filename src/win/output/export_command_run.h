#pragma once
// The command line's image export: load the map, save the picture, say why when that fails; no window.
#include <string>
#include <vector>

#include "model/output/export_command.h"
#include "model/platform/prompter.h"

namespace tav {
class MapDocument;
}

namespace tav::win {

class DrawingResourceCache;

// Keeps every message instead of showing it; questions are answered no.
class CollectingPrompter : public Prompter {
public:
    int showMessage(const std::string& text, unsigned type) override;
    std::vector<std::string> messages;
};

// Text to the console the program was started from: the standard handle it was given, else the console
// of its parent process. Nothing happens when there is neither.
void writeToConsole(const std::string& cp932, bool error);

namespace exit_status {
constexpr int done = 0;
constexpr int failed = 1;
constexpr int badCommandLine = 2;
} // namespace exit_status

// Runs a command line of kind exportImage, usage or bad and returns the process's exit status.
int runCommandLine(const CommandLine& line, MapDocument& document, DrawingResourceCache& cache);

} // namespace tav::win
