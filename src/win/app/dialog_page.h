#pragma once
// A page of a tabbed dialog: a child dialog on the dark body of the common frame.
#include <initializer_list>

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

// Adds the named tabs (CP932) to a dialog's tab control and answers where its pages go: the control's
// display area in the dialog's client coordinates.
RECT addTabs(HWND dialog, int tabsId, std::initializer_list<const char*> names);
// The tab now chosen when this notification is the tab control's selection change, else -1.
int chosenTab(const NMHDR& header, int tabsId);

} // namespace tav::win
