#pragma once
#include <string>
#include <string_view>

#include "model/platform/file_path.h"

namespace tav::test {

// A fresh folder under the system's temporary folder, removed with its contents at scope exit.
// The path ends with a backslash; it is empty when the folder could not be made (a name the file system
// cannot hold).
class TempFolder {
public:
    explicit TempFolder(std::u16string_view name = u"tav");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const FilePath& path() const { return path_; }

private:
    FilePath path_;
};

bool writeBytes(const FilePath& path, const std::string& bytes);
std::string readBytes(const FilePath& path);

} // namespace tav::test
