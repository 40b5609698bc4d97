#pragma once
#include <string>

namespace tav::test {

// A fresh folder under the system's temporary folder, removed with its contents at scope exit.
// The path is CP932 and ends with a backslash; it is empty when the folder could not be made (a name
// the file system cannot hold).
class TempFolder {
public:
    explicit TempFolder(const std::string& name = "tav");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);

} // namespace tav::test
