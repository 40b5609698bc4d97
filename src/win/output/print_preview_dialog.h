#pragma once
// The print preview (358): steps through the job's pages, switches between the whole page and 1:1, and
// prints from here. Resizable, with a maximize button of its own.
#include <windows.h>

#include <functional>

#include "model/platform/prompter.h"
#include "win/app/dialog_frame.h"
#include "win/output/print_preview_window.h"

namespace tav::win {

class PrintPreviewDialog : public DialogFrame {
public:
    // Prints with the settings the preview shows; owner is the preview's window.
    using PrintAction = std::function<void(HWND owner)>;

    PrintPreviewDialog(const PreviewJob& job, Prompter& prompter, PrintAction print);

    const PrintPreviewWindow& preview() const { return preview_; }

protected:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    void layOut(int width, int height);
    void pageShown(bool changed);
    void showView();
    void toggleMaximized();
    void drawMaximizeButton(const DRAWITEMSTRUCT& item) const;

    PrintPreviewWindow preview_;
    Prompter& prompter_;
    PrintAction print_;
};

} // namespace tav::win
