#include "win/app/application.h"

#include <commctrl.h>
#include <shellapi.h>

#include "model/app/configuration.h"
#include "model/platform/cp932.h"
#include "win/app/main_window.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

int desktopBitsPerPixel() {
    HWND desktop = GetDesktopWindow();
    if (!desktop)
        return -1;
    HDC dc = GetDC(desktop);
    if (!dc)
        return -1;
    int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(desktop, dc);
    return bits;
}

} // namespace

FilePath moduleFileName() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return pathOf(buffer);
        }
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

Application::~Application() {
    // Only once the configuration file is known: otherwise the platform would pick its own file.
    if (settings_)
        config::writeLastFolder(*settings_, lastFolder_);
}

Settings& Application::settings() {
    return settings_ ? static_cast<Settings&>(*settings_) : noSettings_;
}

void Application::setMainWindow(HWND window) {
    mainWindow_ = window;
    prompter_.setOwner(window);
}

bool Application::checkDisplayDepth(int bitsPerPixel) {
    if (bitsPerPixel > 8)
        return true;
    prompter_.showMessage(
        "画面モードを [ High Color (16Bit) ] 以上にして実行してください\nすみません。手抜きました。",
        msg::iconInformation);
    return false;
}

bool Application::configure(const FilePath& moduleFile) {
    moduleFolder_ = config::moduleFolderOf(moduleFile);
    if (moduleFolder_.empty())
        return false;
    settings_ = std::make_unique<IniFileSettings>(files_, moduleFolder_ + config::profileName);
    history_ =
        std::make_unique<MarkHistory>(files_, prompter_, *settings_, moduleFolder_, &pictureConverter_);
    dataFolder_ = config::dataFolderOf(moduleFolder_);
    config::ensureDataFolder(files_, moduleFolder_);
    lastFolder_ = config::readLastFolder(*settings_, files_, dataFolder_);
    document_.setPalettePaths(moduleFolder_ + config::startPaletteName,
                              moduleFolder_ + config::basePaletteName);
    document_.setUndoDepth(config::readUndoDepth(*settings_));
    cache_.setLimit(config::readCacheLimit(*settings_));
    recovery_ = std::make_unique<Recovery>(files_, config::recoveryFolderOf(moduleFolder_), processes_.self(),
                                           config::readAutosaveInterval(*settings_));
    return true;
}

int Application::mapSizeMax() const {
    if (!settings_)
        return config::defaultMapSizeMax;
    return config::readMapSizeMax(*settings_);
}

bool Application::startUp(const FilePath& commandLineFile) {
    int bits = desktopBitsPerPixel();
    if (bits < 0)
        return false;
    if (!checkDisplayDepth(bits))
        return false;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!configure(moduleFileName()))
        return false;

    // Asked before the window opens; a map on the command line is opened after the answer.
    std::optional<RecoveryRecord> restore = recovery_->offerLeftovers(processes_, prompter_);
    MainWindow window(*this, document_, commandLineFile, std::move(restore));
    // Only a normal exit gives up the copy: after a failed start it is offered again next time.
    if (window.run() == IDOK)
        recovery_->discard();
    setMainWindow(nullptr);
    return false;
}

void Application::showHelp() {
    const FilePath path = moduleFolder_ + config::helpFileName;
    if (!files_.exists(path)) {
        prompter_.showMessage(
            cp932::formatWith(
                "ヘルプファイルが見つかりません。\n下記のファイルが存在しているか確認してください。\n\n%s",
                path.text()),
            msg::iconWarning);
        return;
    }
    ShellExecuteW(mainWindow_, nullptr, widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace tav::win
