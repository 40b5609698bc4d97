#include "win/output/export_command_run.h"

#include <windows.h>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "model/app/configuration.h"
#include "model/platform/ini_file_settings.h"
#include "win/app/application.h"
#include "win/document/halftone_picture_converter.h"
#include "win/output/image_export.h"
#include "win/output/print_dialog.h"
#include "win/output/print_job.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"

namespace tav::win {

namespace {

bool usable(HANDLE handle) {
    return handle && handle != INVALID_HANDLE_VALUE;
}

bool writeTo(HANDLE handle, const std::wstring& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode))
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) !=
               FALSE;
    // A file or pipe gets UTF-8, which every reader of redirected output takes.
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0)
        return false;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
}

std::wstring withLineEnd(const std::string& cp932) {
    std::wstring text;
    for (wchar_t c : widen(cp932)) {
        if (c == L'\n' && (text.empty() || text.back() != L'\r'))
            text += L'\r';
        text += c;
    }
    if (text.empty() || text.back() != L'\n')
        text += L"\r\n";
    return text;
}

} // namespace

int CollectingPrompter::showMessage(const std::string& text, unsigned type) {
    messages.push_back(text);
    return (type & 0x0F) == msg::yesNo || (type & 0x0F) == msg::yesNoCancel ? msg::idNo : msg::idOk;
}

void writeToConsole(const std::string& cp932, bool error) {
    const std::wstring text = withLineEnd(cp932);
    HANDLE given = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (usable(given) && writeTo(given, text))
        return;
    // A GUI program started from a console window gets no handles of its own: borrow the parent's console.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return;
    FileHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (console)
        writeTo(console.get(), text);
}

namespace {

// The map on the default printer with the header and footer the print dialog stored; the other
// settings are the dialog's defaults.
bool printMap(const MapDocument& document, DrawingResourceCache& cache, FileSystem& files,
              Prompter& prompter) {
    PrinterSetup printer;
    if (!printer.askDefault()) {
        prompter.showMessage("通常使うプリンタが設定されていません。\nプリンタをインストールしてください。",
                             msg::ok | msg::iconWarning);
        return false;
    }
    PrintSettings settings;
    const FilePath folder = config::moduleFolderOf(moduleFileName());
    if (!folder.empty()) {
        IniFileSettings profile(files, folder + config::profileName);
        settings.texts = config::readPageTexts(profile);
    }
    SpoolerTarget target(printer.dc());
    ProgressWindow progress(nullptr);
    return runPrintJob(target, document, cache, settings, jobTexts(document), prompter, &progress);
}

} // namespace

int runCommandLine(const CommandLine& line, MapDocument& document, DrawingResourceCache& cache) {
    switch (line.kind) {
    case CommandLine::Kind::usage:
        writeToConsole(commandLineUsage(), false);
        return exit_status::done;
    case CommandLine::Kind::bad:
        writeToConsole(line.error + "\n" + commandLineUsage(), true);
        return exit_status::badCommandLine;
    case CommandLine::Kind::open:
        return exit_status::badCommandLine;
    case CommandLine::Kind::exportImage:
    case CommandLine::Kind::print:
        break;
    }
    Win32FileSystem files;
    CollectingPrompter prompter;
    HalftonePictureConverter converter;
    PaletteStorage palettes(files, prompter, &converter);
    MapFileStorage maps(files, prompter, palettes);
    const bool print = line.kind == CommandLine::Kind::print;
    const bool done =
        maps.load(document, line.file, map_select::all) &&
        (print ? printMap(document, cache, files, prompter)
               : exportImage(document, cache, line.options, line.output, files, prompter, false));
    if (done)
        return exit_status::done;
    std::string reasons;
    for (const std::string& message : prompter.messages)
        reasons += message + "\n";
    if (reasons.empty())
        reasons = print ? "印刷に失敗しました。" : "保存に失敗しました。";
    writeToConsole(reasons, true);
    return exit_status::failed;
}

} // namespace tav::win
