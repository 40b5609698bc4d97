#include "win/app/background_chooser.h"

#include <string>

#include "win/platform/dib_image.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {
constexpr COLORREF frameColour = RGB(96, 96, 96);
constexpr COLORREF textColour = RGB(0, 0, 0);
} // namespace

void BackgroundChooser::attach(HWND combo) {
    combo_ = combo;
    controlId_ = combo ? GetDlgCtrlID(combo) : 0;
    // The combo box measured its items before it could be asked: set the field and the list alike.
    if (combo) {
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
        SendMessageW(combo, CB_SETITEMHEIGHT, 0, itemHeight);
    }
}

bool BackgroundChooser::addImage(HDC reference, std::uint32_t candidate) {
    void* bits = nullptr;
    Bitmap image = createDibSection(reference, imageWidth, imageHeight, 24, bits);
    MemoryDc dc(CreateCompatibleDC(reference));
    if (!image || !dc)
        return false;
    {
        SelectObjectScope select(dc.get(), image.get());
        RECT whole{0, 0, imageWidth, imageHeight};
        const unsigned type = candidate >> 24;
        HBRUSH fill = cache_.patternBrush(type, candidate & 0xFFFFFF);
        if (fill) {
            alignBrushOrigin(dc.get(), fill, 0, 0);
            FillRect(dc.get(), &whole, fill);
        }
        FrameRect(dc.get(), &whole, cache_.solidBrush(frameColour));
    }
    return ImageList_Add(images_.get(), image.get(), nullptr) >= 0;
}

bool BackgroundChooser::rebuild(const BackgroundCandidates& candidates) {
    const int previous = combo_ ? selected() : 0;
    images_.reset(ImageList_Create(imageWidth, imageHeight, ILC_COLOR24, backgroundCandidateCount, 0));
    bool built = static_cast<bool>(images_);
    if (built) {
        WindowDc screen(nullptr);
        for (std::uint32_t candidate : candidates)
            built = addImage(screen.get(), candidate) && built;
    }
    if (combo_) {
        SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen("無地").c_str()));
        for (int i = 1; i <= backgroundCandidateCount; ++i)
            SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
        select(previous);
    }
    return built;
}

void BackgroundChooser::select(int item) {
    if (combo_)
        SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(item >= 0 ? item : 0), 0);
}

int BackgroundChooser::selected() const {
    LRESULT item = combo_ ? SendMessageW(combo_, CB_GETCURSEL, 0, 0) : CB_ERR;
    return item == CB_ERR ? 0 : static_cast<int>(item);
}

bool BackgroundChooser::measure(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_COMBOBOX || static_cast<int>(item.CtlID) != controlId_)
        return false;
    item.itemHeight = itemHeight;
    return true;
}

bool BackgroundChooser::draw(const DRAWITEMSTRUCT& item) const {
    if (!combo_ || item.hwndItem != combo_)
        return false;
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool highlighted = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int index = static_cast<int>(item.itemID);
    if (index > 0 && index <= backgroundCandidateCount && images_) {
        ImageList_Draw(images_.get(), index - 1, dc, r.left + 2, r.top + (r.bottom - r.top - imageHeight) / 2,
                       ILD_NORMAL);
    } else if (index >= 0) {
        const int length = static_cast<int>(SendMessageW(combo_, CB_GETLBTEXTLEN, item.itemID, 0));
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        if (length > 0)
            SendMessageW(combo_, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        RECT textRect = r;
        textRect.left += 3;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : textColour);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &r);
    return true;
}

} // namespace tav::win
