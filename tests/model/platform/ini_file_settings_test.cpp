#include "model/platform/ini_file_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/app/configuration.h"
#include "support/memory_file_system.h"

namespace tav {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

class IniFile : public ::testing::Test {
protected:
    void SetUp() override { files.addDirectory(u"C:\\地図"); }
    test::MemoryFileSystem files;
    const FilePath path = u"C:\\地図\\Tavrosin.ini";
    const FilePath aside = u"C:\\地図\\Tavrosin.ini.tmp";
    IniFileSettings settings{files, path};
};

TEST_F(IniFile, FirstWriteMakesACp932FileAndLeavesNothingAside) {
    EXPECT_EQ(settings.readString("SYSTEM", "PREPATH"), std::nullopt);
    config::writeLastFolder(settings, u"D:\\表ソ\\");
    EXPECT_EQ(files.contents(path), bytesOf("[SYSTEM]\r\nPREPATH=D:\\表ソ\\\r\n"));
    EXPECT_FALSE(files.hasFile(aside));
    EXPECT_EQ(settings.readString("system", "prepath"), std::optional<std::string>("D:\\表ソ\\"));
}

TEST_F(IniFile, AFailureAtAnyFileCallKeepsTheOldFileWhole) {
    const Bytes old = bytesOf("; mine\r\n[SYSTEM]\r\nPREPATH=C:\\old\\\r\n");
    for (long failing = 0;; ++failing) {
        files.putFile(path, old);
        files.failAt(failing, FileCause::diskFull);
        const bool written = settings.writeString("SYSTEM", "PREPATH", "C:\\new\\");
        const bool failed = !written;
        files.failAt(-1000, FileCause::none); // disarm
        if (written) {
            EXPECT_EQ(files.contents(path), bytesOf("; mine\r\n[SYSTEM]\r\nPREPATH=C:\\new\\\r\n"));
            EXPECT_FALSE(files.hasFile(aside));
            EXPECT_GE(failing, 6) << "every call before the last one can fail";
            break;
        }
        EXPECT_TRUE(failed);
        EXPECT_EQ(files.contents(path), old) << "call " << failing;
        EXPECT_FALSE(files.hasFile(aside)) << "call " << failing;
    }
}

TEST_F(IniFile, ReadOnlyOrOversizedFilesAreNeverRewritten) {
    const Bytes old = bytesOf("[SYSTEM]\r\nPREPATH=C:\\old\\\r\n");
    files.putFile(path, old, attr::readOnly);
    EXPECT_FALSE(settings.writeString("SYSTEM", "PREPATH", "C:\\new\\"));
    EXPECT_EQ(files.contents(path), old);
    EXPECT_FALSE(files.hasFile(aside));

    Bytes huge(IniFileSettings::largestFile + 1, 'x');
    std::copy(old.begin(), old.end(), huge.begin());
    files.putFile(path, huge);
    EXPECT_EQ(settings.readString("SYSTEM", "PREPATH"), std::nullopt);
    EXPECT_FALSE(settings.writeString("SYSTEM", "PREPATH", "C:\\new\\"));
    EXPECT_EQ(files.contents(path).size(), huge.size());
}

TEST_F(IniFile, BadFilesGiveDefaultsAndKeepEverythingElseWhenWritten) {
    std::string garbage;
    for (int i = 0; i < 3000; ++i)
        garbage.push_back(static_cast<char>(i * 37 % 256));
    const std::vector<std::string> inputs = {
        garbage,
        "[PROPERTY]\r\nURDOMAX=" + std::string(100 * 1024, '9') + "\r\n",
        "[PROPERTY]\rURDOMAX=5\rURDOMAX=7\r[SYSTEM\rPREPATH=C:\\x\\", // CR only, an unclosed section
        "[PROPERTY]\nURDOMAX=5\nURDOMAX=7\n[PROPERTY]\nURDOMAX=9\n",
    };
    const int depths[] = {config::defaultUndoDepth, 65535, 7, 5};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        files.putFile(path, inputs[i]);
        EXPECT_EQ(config::readUndoDepth(settings), i == 2 ? 5 : depths[i]) << i;
        EXPECT_EQ(config::readCacheLimit(settings), config::defaultCacheLimit) << i;
        config::writeLastFolder(settings, u"C:\\地図\\");
        const Bytes written = files.contents(path);
        ASSERT_GE(written.size(), inputs[i].size()) << i;
        EXPECT_EQ(Bytes(written.begin(), written.begin() + static_cast<long>(inputs[i].size())),
                  bytesOf(inputs[i]))
            << i;
        EXPECT_EQ(settings.readString("SYSTEM", "PREPATH"), std::optional<std::string>("C:\\地図\\")) << i;
    }
}

} // namespace
} // namespace tav
