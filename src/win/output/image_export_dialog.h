#pragma once
// The image export dialog (360): view mode, ruler bands, depth, format, scale and method, the target file,
// and the picture and file size they give.
#include "model/output/image_export.h"
#include "win/app/dialog_frame.h"
#include "win/app/message_box.h"
#include "win/platform/win32_file_system.h"

namespace tav {
class MapDocument;
}

namespace tav::win {

class DrawingResourceCache;

class ImageExportDialog : public DialogFrame {
public:
    // Without a prompter the dialog's own message box asks, owned by the dialog.
    ImageExportDialog(const MapDocument& document, DrawingResourceCache& cache, Prompter* prompter = nullptr);

    // What the controls choose now.
    ExportOptions options() const;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    void showSizes();
    void formatChanged();
    void browse();
    void save();
    int scaleEntered() const;

    const MapDocument& document_;
    DrawingResourceCache& cache_;
    Win32FileSystem files_;
    MessageBoxPrompter ownPrompter_;
    Prompter& prompter_;
    Font sizeFont_;
};

// What the main window's save-image button and menu item run.
void runImageExportDialog(HWND owner, const MapDocument& document, DrawingResourceCache& cache);

} // namespace tav::win
