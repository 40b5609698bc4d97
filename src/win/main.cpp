// The program's entry: the process-wide objects live here for the whole run.
#include <windows.h>

#include <shellapi.h>

#include "model/document/map_document.h"
#include "win/app/application.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace {

tav::FilePath commandLineFile() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return {};
    tav::FilePath file = count > 1 ? tav::win::pathOf(arguments[1]) : tav::FilePath{};
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
