// The program's entry: the process-wide objects live here for the whole run.
#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "model/document/map_document.h"
#include "model/output/export_command.h"
#include "win/app/application.h"
#include "win/output/export_command_run.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace {

// The words after the program's own name.
std::vector<tav::FilePath> commandLineWords() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return {};
    std::vector<tav::FilePath> words;
    for (int i = 1; i < count; ++i)
        words.push_back(tav::win::pathOf(arguments[i]));
    LocalFree(arguments);
    return words;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The three objects that live for the whole process.
    tav::win::DrawingResourceCache cache;
    tav::MapDocument document;
    const tav::CommandLine line = tav::parseCommandLine(commandLineWords());
    if (line.kind != tav::CommandLine::Kind::open)
        return tav::win::runCommandLine(line, document, cache);
    tav::win::Application application(document, cache);
    application.startUp(line.file);
    return 0;
}
