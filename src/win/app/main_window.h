#pragma once
// The main window (dialog 101): hosts the map and the controls around it for the whole run.
#include <string>

#include "model/document/map_document.h"
#include "win/app/dialog.h"
#include "win/platform/handles.h"

namespace tav::win {

class Application;

class MainWindow : public Dialog {
public:
    static constexpr int clientWidth = 634;
    static constexpr int clientHeight = 436;

    MainWindow(Application& app, MapDocument& document, std::string commandLineFile);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroy() override;

private:
    void prepareSystemMenu();
    void layOutControls();
    bool createStartMap();
    void showMapSize();
    void exitFlow();
    void openHomePage();
    void showAbout();

    Application& app_;
    MapDocument& document_;
    std::string commandLineFile_;
    Brush background_;
};

} // namespace tav::win
