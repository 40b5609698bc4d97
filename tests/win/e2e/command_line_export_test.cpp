// Tavrosin.exe /export run as a user would from a console: the files it writes, its exit status and
// what it says.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "model/output/image_export.h"
#include "model/platform/little_endian.h"
#include "support/program_run.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"

namespace tav::test {
namespace {

struct Outcome {
    DWORD status = 0xFFFFFFFF;
    std::string output; // UTF-8, as redirected output gets it
};

// Starts the built program in folder with its output going to a file, and waits for it.
Outcome runProgram(const FilePath& folder, const std::wstring& arguments) {
    Outcome outcome;
    const FilePath log = folder + u"output.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win::FileHandle file(CreateFileW(win::widen(log).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                     CREATE_ALWAYS, 0, nullptr));
    if (!file)
        return outcome;
    const std::wstring exe = win::widen(builtProgramPath());
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file.get();
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        win::widen(folder).c_str(), &startup, &info))
        return outcome;
    CloseHandle(info.hThread);
    if (WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &outcome.status);
    CloseHandle(info.hProcess);
    file.reset();
    outcome.output = readBytes(log);
    return outcome;
}

bool exists(const FilePath& path) {
    return GetFileAttributesW(win::widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Header {
    int width = 0, height = 0, bits = 0;
    bool whole = false; // bfSize equals the file's size
};
Header bmpHeader(const FilePath& path) {
    const std::string bytes = readBytes(path);
    Header h;
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0)
        return h;
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    h.width = le::getSigned32(p + 18);
    h.height = le::getSigned32(p + 22);
    h.bits = le::get16(p + 28);
    h.whole = le::get32(p + 2) == bytes.size();
    return h;
}

class CommandLineExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.path().empty());
        win::Win32FileSystem files;
        RecordingPrompter prompter;
        PaletteStorage palettes(files, prompter);
        MapFileStorage storage(files, prompter, palettes);
        MapDocument document;
        ASSERT_TRUE(document.resize(10, 10, true));
        document.setEditMask(0x0F, 0x0F);
        bool first = true;
        document.setCell(2, 1, layer::background, 3, first);
        ASSERT_TRUE(storage.save(document, map));
    }
    std::wstring quoted(const FilePath& path) const { return L"\"" + win::widen(path) + L"\""; }
    Outcome exportTo(const FilePath& output, const std::wstring& options = L"") {
        return runProgram(folder.path(), L"/export " + quoted(output) + L" " + quoted(map) + L" " + options);
    }

    TempFolder folder;
    FilePath map = folder.path() + u"map.med";
};

TEST_F(CommandLineExport, WritesThePictureTheOptionsAsk) {
    struct Case {
        const char16_t* name;
        const wchar_t* options;
        int width, height, bits;
    };
    const Case cases[] = {
        {u"default.bmp", L"", 413, 389, 24},
        {u"wide.bmp", L"/wide", 229 + 64, 229 + 40, 24},
        {u"quarter.bmp", L"/scale:25", 174 + 64, 174 + 40, 24},
        {u"eight.bmp", L"/bits:8 /rulers:TL /method:nearest", 349 + 40, 349 + 28, 8},
    };
    for (const Case& c : cases) {
        const FilePath output = folder.path() + c.name;
        const Outcome outcome = exportTo(output, c.options);
        EXPECT_EQ(outcome.status, 0u) << outcome.output;
        const Header h = bmpHeader(output);
        EXPECT_EQ(h.width, c.width) << win::widen(output);
        EXPECT_EQ(h.height, c.height);
        EXPECT_EQ(h.bits, c.bits);
        EXPECT_TRUE(h.whole);
        EXPECT_FALSE(exists(temporaryBeside(output)));
    }

    const FilePath png = folder.path() + u"map.png";
    EXPECT_EQ(exportTo(png).status, 0u);
    const std::string bytes = readBytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(p[16] << 24 | p[17] << 16 | p[18] << 8 | p[19], 413); // IHDR width, big-endian
    EXPECT_EQ(p[20] << 24 | p[21] << 16 | p[22] << 8 | p[23], 389);

    const FilePath jpeg = folder.path() + u"map.jpg";
    EXPECT_EQ(exportTo(jpeg).status, 0u);
    EXPECT_EQ(readBytes(jpeg).substr(0, 2), "\xFF\xD8");
}

TEST_F(CommandLineExport, FailuresSayWhyLeaveNoFileAndEndWithANonZeroStatus) {
    const FilePath output = folder.path() + u"out.bmp";
    const FilePath broken = folder.path() + u"broken.med";
    ASSERT_TRUE(writeBytes(broken, "ED00 this is no map"));
    Outcome outcome = runProgram(folder.path(), L"/export " + quoted(output) + L" " + quoted(broken));
    EXPECT_NE(outcome.status, 0u);
    EXPECT_FALSE(outcome.output.empty());

    outcome =
        runProgram(folder.path(), L"/export " + quoted(output) + L" " + quoted(folder.path() + u"none.med"));
    EXPECT_NE(outcome.status, 0u);
    EXPECT_NE(outcome.output.find("none.med"), std::string::npos) << outcome.output;
    EXPECT_FALSE(exists(output));

    const FilePath nowhere = folder.path() + u"no such folder\\out.bmp";
    outcome = exportTo(nowhere);
    EXPECT_NE(outcome.status, 0u);
    EXPECT_NE(outcome.output.find("out.bmp"), std::string::npos) << outcome.output;
    EXPECT_FALSE(exists(nowhere));
    EXPECT_FALSE(exists(temporaryBeside(nowhere)));

    outcome = exportTo(output, L"/bits:7");
    EXPECT_EQ(outcome.status, 2u);
    EXPECT_NE(outcome.output.find("/bits:7"), std::string::npos);
    EXPECT_FALSE(exists(output));

    outcome = runProgram(folder.path(), L"/?");
    EXPECT_EQ(outcome.status, 0u);
    EXPECT_NE(outcome.output.find("/export"), std::string::npos);
}

} // namespace
} // namespace tav::test
