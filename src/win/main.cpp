// The program's entry: the process-wide objects live here for the whole run.
#include <windows.h>

#include <shellapi.h>

#include "model/document/map_document.h"
#include "win/app/application.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace {

std::string commandLineFile() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return {};
    std::string file = count > 1 ? tav::win::narrow(arguments[1]) : std::string{};
    LocalFree(arguments);
    return file;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The three objects that live for the whole process.
    tav::win::DrawingResourceCache cache;
    tav::MapDocument document;
    tav::win::Application application(document, cache);
    application.startUp(commandLineFile());
    return 0;
}
