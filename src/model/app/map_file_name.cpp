#include "model/app/map_file_name.h"


namespace tav::map_file_name {

bool isMapFile(const FilePath& path) {
    return path.hasExtension(extension);
}

} // namespace tav::map_file_name
