#pragma once
// A page of a tabbed dialog: a child dialog on the dark body of the common frame.
#include "win/app/dialog.h"
#include "win/platform/handles.h"

namespace tav::win {

class DialogPage : public Dialog {
public:
    // Creates the page hidden inside parent, over the given client rectangle of parent.
    bool create(HWND parent, const RECT& place);
    void show(bool shown);

protected:
    explicit DialogPage(int templateId) : Dialog(templateId) {}

    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // OK and Cancel belong to the dialog around the page.
    bool onCommand(int id, int code, HWND control) override;
    void onDestroy() override { bodyBrush_.reset(); }

private:
    Brush bodyBrush_;
};

} // namespace tav::win
