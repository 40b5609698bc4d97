#include "win/app/history_page.h"

#include "model/app/settings_entries.h"
#include "resource.h"
#include "win/app/dialog_items.h"

namespace tav::win {

namespace {

constexpr ControlPlace places[] = {
    {IDC_HISTORY_COUNT_GROUP, 10, 8, 284, 78},     {IDC_HISTORY_WALLS_LABEL, 28, 32, 90, 16},
    {IDC_HISTORY_WALLS, 124, 29, 52, 22},          {IDC_HISTORY_WALLS_SPIN, 176, 29, 16, 22},
    {IDC_HISTORY_ROOMS_LABEL, 28, 58, 90, 16},     {IDC_HISTORY_ROOMS, 124, 55, 52, 22},
    {IDC_HISTORY_ROOMS_SPIN, 176, 55, 16, 22},     {IDC_HISTORY_ORDER_GROUP, 10, 94, 284, 48},
    {IDC_HISTORY_FIFO, 28, 114, 80, 18},           {IDC_HISTORY_FILO, 120, 114, 80, 18},
    {IDC_HISTORY_NO_DUPLICATES, 14, 154, 270, 18},
};

} // namespace

HistoryPage::HistoryPage(const config::HistorySettings& history)
    : DialogPage(IDD_PAGE_HISTORY), shown_(history) {}

bool HistoryPage::onInitDialog() {
    placeControls(handle(), places);
    for (int edit : {IDC_HISTORY_WALLS, IDC_HISTORY_ROOMS})
        SendDlgItemMessageW(handle(), edit, EM_LIMITTEXT, 4, 0);
    setUpSpin(handle(), IDC_HISTORY_WALLS_SPIN, IDC_HISTORY_WALLS, 0, config::largestHistoryLimit,
              shown_.wallLimit);
    setUpSpin(handle(), IDC_HISTORY_ROOMS_SPIN, IDC_HISTORY_ROOMS, 0, config::largestHistoryLimit,
              shown_.roomLimit);
    setItemText(handle(), IDC_HISTORY_WALLS, std::to_string(shown_.wallLimit));
    setItemText(handle(), IDC_HISTORY_ROOMS, std::to_string(shown_.roomLimit));
    CheckRadioButton(handle(), IDC_HISTORY_FIFO, IDC_HISTORY_FILO,
                     shown_.keepOldestWhenFull ? IDC_HISTORY_FILO : IDC_HISTORY_FIFO);
    CheckDlgButton(handle(), IDC_HISTORY_NO_DUPLICATES, shown_.allowDuplicates ? BST_UNCHECKED : BST_CHECKED);
    return true;
}

config::HistorySettings HistoryPage::history() const {
    const int limit = config::largestHistoryLimit;
    config::HistorySettings history;
    history.wallLimit = entries::numberIn(itemText(handle(), IDC_HISTORY_WALLS), 0, limit, shown_.wallLimit);
    history.roomLimit = entries::numberIn(itemText(handle(), IDC_HISTORY_ROOMS), 0, limit, shown_.roomLimit);
    history.keepOldestWhenFull = IsDlgButtonChecked(handle(), IDC_HISTORY_FILO) == BST_CHECKED;
    history.allowDuplicates = IsDlgButtonChecked(handle(), IDC_HISTORY_NO_DUPLICATES) != BST_CHECKED;
    return history;
}

} // namespace tav::win
