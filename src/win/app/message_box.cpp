#include "win/app/message_box.h"

#include <algorithm>
#include <vector>

#include "model/app/message_layout.h"
#include "resource.h"
#include "win/app/dialog_frame.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/view/coloured_button.h"

namespace tav::win {

namespace {

constexpr int maxDialogTextWidth = 624;
constexpr int iconLeft = 12;
constexpr int iconSize = 32;
constexpr int plainTextLeft = 16;
constexpr int textTop = 14;
constexpr int rightMargin = 16;
constexpr int buttonWidth = 70;
constexpr int buttonHeight = 23;
constexpr int buttonGap = 12;
constexpr int bottomMargin = 12;
constexpr int minimumHeight = 56;

FrameColours messageColours() {
    FrameColours colours;
    colours.body = 0xE0E8E0;
    colours.staticText = 0x101010;
    colours.titleBackground = 0xE0E8E0;
    colours.titleText = 0x101010;
    colours.transparentText = true;
    return colours;
}

LPCWSTR iconFor(unsigned type) {
    switch (type & 0x70) {
    case msg::iconError:
        return IDI_HAND;
    case msg::iconQuestion:
        return IDI_QUESTION;
    case msg::iconWarning:
        return IDI_EXCLAMATION;
    case msg::iconInformation:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

class MessageBoxDialog : public DialogFrame {
public:
    MessageBoxDialog(std::string text, unsigned type)
        : DialogFrame(IDD_MESSAGE, messageColours()), text_(std::move(text)), type_(type) {}

protected:
    bool onInitDialog() override {
        if (!layOut()) {
            end(msg::idNo);
            return false;
        }
        return false; // focus was set on the first button
    }

    bool onCommand(int id, int code, HWND control) override {
        const unsigned buttons = type_ & 7;
        switch (id) {
        case IDC_MESSAGE_YES:
        case IDOK:
            end(buttons <= 1 ? msg::idOk : msg::idYes);
            return true;
        case IDC_MESSAGE_NO:
            end(buttons == 1 ? msg::idCancel : msg::idNo);
            return true;
        case IDCANCEL: // Escape answers with the second button, or the only one
            if (buttons == 0)
                end(msg::idOk);
            else
                end(buttons == 1 ? msg::idCancel : msg::idNo);
            return true;
        default:
            return DialogFrame::onCommand(id, code, control);
        }
    }

    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DRAWITEM) {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (first_.draw(draw) || second_.draw(draw))
                return TRUE;
        }
        return DialogFrame::handleMessage(message, wParam, lParam);
    }

private:
    bool layOut();

    std::string text_;
    unsigned type_;
    ColouredButton first_;
    ColouredButton second_;
};

bool MessageBoxDialog::layOut() {
    HWND window = handle();
    HWND textControl = item(IDC_MESSAGE_TEXT);
    HWND iconControl = item(IDC_MESSAGE_ICON);
    HWND yes = item(IDC_MESSAGE_YES);
    HWND no = item(IDC_MESSAGE_NO);
    if (!textControl || !iconControl || !yes || !no)
        return false;

    LPCWSTR iconName = iconFor(type_);
    HICON icon = iconName ? LoadIconW(nullptr, iconName) : nullptr; // shared system icon: not destroyed
    if (icon)
        SendMessageW(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);

    WindowDc dc(window);
    if (!dc)
        return false;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    SelectObjectScope selectFont(dc.get(), font);
    auto measure = [&](std::string_view line) {
        std::wstring wide = widen(line);
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    };
    SIZE lineSize{};
    if (!GetTextExtentPoint32W(dc.get(), L"あ", 1, &lineSize))
        return false;

    const int textLeft = icon ? iconLeft + iconSize + 12 : plainTextLeft;
    const int maxTextWidth = maxDialogTextWidth - textLeft;
    std::vector<std::string> lines = wrapMessageLines(text_, maxTextWidth, measure);
    int textWidth = 0;
    std::string shown;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        textWidth = std::max(textWidth, measure(lines[i].empty() ? "あ" : lines[i]));
        if (i > 0)
            shown += "\r\n";
        shown += lines[i];
    }
    const int textHeight = static_cast<int>(lines.size()) * lineSize.cy;
    SetWindowTextW(textControl, widen(shown).c_str());
    MoveWindow(textControl, textLeft, textTop, textWidth + 2, textHeight, FALSE);

    int contentBottom = textTop + textHeight;
    if (icon) {
        int iconTop = std::max(6, textTop + textHeight / 2 - iconSize / 2);
        MoveWindow(iconControl, iconLeft, iconTop, iconSize, iconSize, FALSE);
        ShowWindow(iconControl, SW_SHOW);
        contentBottom = std::max(contentBottom, iconTop + iconSize);
    } else {
        ShowWindow(iconControl, SW_HIDE);
    }

    const unsigned buttons = type_ & 7;
    const int buttonCount = buttons == 0 ? 1 : 2;
    const int buttonsWidth = buttonCount * buttonWidth + (buttonCount - 1) * buttonGap;
    const int width = std::max(textLeft + textWidth + rightMargin, buttonsWidth + 2 * 24);
    const int buttonTop = contentBottom + 14;
    const int height = std::max(minimumHeight, buttonTop + buttonHeight + bottomMargin);
    int buttonLeft = (width - buttonsWidth) / 2;

    if (buttons == 0) {
        SetWindowTextW(yes, L"OK");
        ShowWindow(no, SW_HIDE);
    } else if (buttons == 1) {
        SetWindowTextW(yes, L"OK");
        SetWindowTextW(no, widen("ｷｬﾝｾﾙ").c_str());
    } else {
        SetWindowTextW(yes, widen("はい").c_str());
        SetWindowTextW(no, widen("いいえ").c_str());
    }
    MoveWindow(yes, buttonLeft, buttonTop, buttonWidth, buttonHeight, FALSE);
    MoveWindow(no, buttonLeft + buttonWidth + buttonGap, buttonTop, buttonWidth, buttonHeight, FALSE);

    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;

    RECT around{};
    HWND owner = GetWindow(window, GW_OWNER);
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &around))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    int x = around.left + (around.right - around.left - outerWidth) / 2;
    int y = around.top + (around.bottom - around.top - outerHeight) / 2;
    SetWindowPos(window, nullptr, x, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    // The system owns the region once it is set.
    HRGN region = CreateRoundRectRgn(0, 0, outerWidth + 1, outerHeight + 1, 16, 16);
    if (region && !SetWindowRgn(window, region, TRUE))
        DeleteObject(region);

    first_.attach(yes, 0xB0C0B0, 0xFFFFFF, 0x707070);
    second_.attach(no, 0xB0C0B0, 0xFFFFFF, 0x707070);
    SendMessageW(window, DM_SETDEFID, IDC_MESSAGE_YES, 0);
    SetFocus(yes);
    return true;
}

} // namespace

int showMessage(const std::string& text, HWND owner, unsigned type) {
    MessageBoxDialog dialog(text, type);
    INT_PTR result = dialog.runModal(owner);
    return result == -1 || result == 0 ? msg::idNo : static_cast<int>(result);
}

int MessageBoxPrompter::showMessage(const std::string& text, unsigned type) {
    return win::showMessage(text, owner_ && IsWindow(owner_) ? owner_ : nullptr, type);
}

} // namespace tav::win
