#include "win/app/history_page.h"

#include "model/app/settings_entries.h"
#include "resource.h"
#include "win/app/dialog_items.h"

namespace tav::win {

HistoryPage::HistoryPage(const config::HistorySettings& history)
    : DialogPage(IDD_PAGE_HISTORY), shown_(history) {}

bool HistoryPage::onInitDialog() {
    for (int edit : {IDC_HISTORY_WALLS, IDC_HISTORY_ROOMS})
        SendDlgItemMessageW(handle(), edit, EM_LIMITTEXT, 4, 0);
    setUpSpin(handle(), IDC_HISTORY_WALLS_SPIN, 0, config::largestHistoryLimit, shown_.wallLimit);
    setUpSpin(handle(), IDC_HISTORY_ROOMS_SPIN, 0, config::largestHistoryLimit, shown_.roomLimit);
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
