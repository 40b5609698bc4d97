#include "model/app/map_file_name.h"

#include "model/platform/cp932.h"

namespace tav::map_file_name {

bool isMapFile(std::string_view path) {
    return cp932::equalsIgnoreCase(cp932::extensionOf(path), extension);
}

} // namespace tav::map_file_name
