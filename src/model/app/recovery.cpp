#include "model/app/recovery.h"

#include "model/document/map_document.h"
#include "model/document/map_file.h"

namespace tav {

std::string leftoverQuestion(const RecoveryRecord& record) {
    const std::string name = record.original.empty() ? "(名前のないマップ)" : record.original.text();
    return "保存されていない編集内容が見つかりました。\n\nマップ: " + name +
           "\n日時: " + formatLocalTime(record.written) +
           "\n\n復元しますか？\n「いいえ」を選ぶと、この内容は削除されます。";
}

void Recovery::tick(const MapDocument& document, std::uint64_t nowMs, const LocalTime& now) {
    if (!schedule_.due(document.isModified(), document.revision(), nowMs))
        return;
    schedule_.attempted(document.revision(), nowMs, store_.write(document, now));
}

std::optional<RecoveryRecord> Recovery::offerLeftovers(Processes& processes, Prompter& prompter) {
    for (const RecoveryLeftover& leftover : store_.leftovers(processes)) {
        if (!store_.claim(leftover))
            continue; // another program starting now took it
        if (prompter.showMessage(leftoverQuestion(leftover.record), msg::yesNo | msg::iconQuestion) ==
            msg::idYes)
            return leftover.record;
        store_.discard();
    }
    return std::nullopt;
}

bool Recovery::restore(MapDocument& document, MapFileStorage& mapFiles, const RecoveryRecord& taken,
                       std::uint64_t nowMs) {
    if (!mapFiles.load(document, store_.copyPath(), map_select::all)) {
        store_.discard();
        return false;
    }
    document.setCurrentFileName(taken.original);
    document.setHasFile(!taken.original.empty());
    document.setModified(true);
    // The copy on the disk is this very map already.
    schedule_.attempted(document.revision(), nowMs, true);
    return true;
}

} // namespace tav
