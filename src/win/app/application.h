#pragma once
// The application object: start-up, the folders the program lives in, the configuration file and help.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "model/app/recovery.h"
#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "model/marks/mark_history.h"
#include "model/platform/ini_file_settings.h"
#include "win/app/message_box.h"
#include "win/document/halftone_picture_converter.h"
#include "win/platform/win32_file_system.h"
#include "win/platform/win32_processes.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

// The running program's own file; empty when it cannot be had.
FilePath moduleFileName();

class Application {
public:
    Application(MapDocument& document, DrawingResourceCache& cache) : document_(document), cache_(cache) {}
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the whole program inside the main window; always false (no message loop follows).
    bool startUp(const FilePath& commandLineFile);

    // False after showing the message when the display has 8 bits per pixel or fewer.
    bool checkDisplayDepth(int bitsPerPixel);
    // Steps that fix the folders and read the configuration; false when the module folder is empty.
    bool configure(const FilePath& moduleFileName);

    const FilePath& getModuleFolder() const { return moduleFolder_; }
    const FilePath& getDataFolder() const { return dataFolder_; }
    const FilePath& getLastFolder() const { return lastFolder_; }
    void setLastFolder(const FilePath& folder) { lastFolder_ = folder; }
    int mapSizeMax() const;
    void showHelp();

    FileSystem& files() { return files_; }
    PaletteStorage& paletteStorage() { return paletteStorage_; }
    MapFileStorage& mapFiles() { return mapFiles_; }
    Prompter& prompter() { return prompter_; }
    DrawingResourceCache& cache() { return cache_; }
    // The configuration file; before configure() it is absent and reads give defaults.
    Settings& settings();
    // The mark histories in the program folder; none before configure().
    MarkHistory* history() { return history_.get(); }
    // The recovery copies; none before configure().
    Recovery* recovery() { return recovery_.get(); }
    HWND mainWindow() const { return mainWindow_; }
    void setMainWindow(HWND window);

private:
    MapDocument& document_;
    DrawingResourceCache& cache_;
    Win32FileSystem files_;
    MessageBoxPrompter prompter_;
    HalftonePictureConverter pictureConverter_;
    PaletteStorage paletteStorage_{files_, prompter_, &pictureConverter_};
    MapFileStorage mapFiles_{files_, prompter_, paletteStorage_};
    std::unique_ptr<IniFileSettings> settings_;
    std::unique_ptr<MarkHistory> history_;
    Win32Processes processes_;
    std::unique_ptr<Recovery> recovery_;
    EmptySettings noSettings_;
    FilePath moduleFolder_;
    FilePath dataFolder_;
    FilePath lastFolder_;
    HWND mainWindow_ = nullptr;
};

} // namespace tav::win
