// Records of recovery copies left by other programs: the bytes as such a record beside a copy of a
// program that has ended. A record that reads encodes back to the same bytes; one that does not is never
// offered and stays on the disk; one that is offered can be taken over, and then it is this program's.
#include <cstdint>
#include <vector>

#include "model/document/recovery_store.h"
#include "require.h"
#include "support/memory_file_system.h"

namespace {

using namespace tav;
using fuzz::require;

class OneRunning : public Processes {
public:
    ProcessStamp self() override { return me; }
    bool isRunning(const ProcessStamp& p) override { return p == me; }
    ProcessStamp me{2, 2};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    RecoveryRecord record;
    const bool decoded = decodeRecoveryRecord(bytes, record);
    if (decoded)
        require(encodeRecoveryRecord(record) == bytes);

    test::MemoryFileSystem files;
    const FilePath folder = u"C:\\Recovery\\";
    files.addDirectory(folder);
    const std::u16string dead = recoveryStem({1, 1});
    files.putFile(folder + dead + u".own", bytes);
    files.putFile(folder + dead + u".MED", std::vector<std::uint8_t>{'E', 'D', '0', '0'});
    OneRunning processes;
    RecoveryStore store(files, folder, processes.me);
    const auto found = store.leftovers(processes);
    require(found.size() == (decoded ? 1u : 0u));
    if (!decoded) {
        require(files.contents(folder + dead + u".own") == bytes);
        return 0;
    }
    require(found[0].record == record);
    require(store.claim(found[0]));
    require(files.contents(store.recordPath()) == bytes);
    require(store.leftovers(processes).empty());
    return 0;
}
