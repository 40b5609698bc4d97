// The image export dialog driven as a user would, and the files its save writes read back.
#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/output/image_export.h"
#include "model/platform/little_endian.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/png_writer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "win/output/image_export_dialog.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::RecordingPrompter;

std::wstring text(HWND dialog, int id) {
    return test::windowText(GetDlgItem(dialog, id));
}

void select(HWND dialog, int id, int item) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, item, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Types into the scale edit and leaves it, as a user tabbing away does.
void typeScale(HWND dialog, const wchar_t* keys) {
    HWND edit = GetDlgItem(dialog, IDC_EXPORT_SCALE);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* key = keys; *key; ++key)
        SendMessageW(edit, WM_CHAR, *key, 1);
}

void leaveScale(HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_EXPORT_FILE));
}

void setPath(HWND dialog, const FilePath& path) {
    SetDlgItemTextW(dialog, IDC_EXPORT_FILE, widen(path).c_str());
}

struct Shown {
    std::wstring width, height, fileSize;
};
Shown shown(HWND dialog) {
    return {text(dialog, IDC_EXPORT_WIDTH), text(dialog, IDC_EXPORT_HEIGHT),
            text(dialog, IDC_EXPORT_FILE_SIZE)};
}

class ImageExportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.resize(10, 10, true));
        document.setEditMask(0x0F, 0x0F);
        bool first = true;
        document.setCell(0, 0, layer::background, 3, first); // candidate 3 is pure red
    }
    // Runs the dialog, hands it to drive and closes it with the back button.
    void run(const std::function<void(HWND)>& drive) {
        ImageExportDialog dialog(document, cache, &prompter);
        ASSERT_TRUE(test::driveModal([&] { dialog.runModal(nullptr); },
                                     [&](HWND window) {
                                         drive(window);
                                         test::click(window, IDCANCEL);
                                     }));
    }
    MapDocument document;
    DrawingResourceCache cache;
    RecordingPrompter prompter;
};

// The dialog as the screen shows it, for a person to look at.
void savePicture(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetWindowRect(window, &r);
    test::DibCanvas canvas(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::string folder = test::pictureFolder("export");
    if (!folder.empty())
        test::writePng(folder + name + ".png", canvas.width(), canvas.height(), canvas.snapshot().data());
}

std::wstring comboItem(HWND dialog, int id, int item) {
    wchar_t buffer[64] = {};
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

TEST_F(ImageExportDialogTest, TextsAreTheIntendedCharactersAndTheDefaultsAreSet) {
    std::wstring title, wide, method, bits, scale;
    bool normalChecked = false, bottomChecked = false;
    RECT frame{};
    run([&](HWND w) {
        GetWindowRect(w, &frame);
        savePicture(w, "dialog");
        title = text(w, IDC_TITLE);
        wide = text(w, IDC_EXPORT_WIDE); // 表 has the trail byte 0x5C
        method = comboItem(w, IDC_EXPORT_METHOD, 1);
        bits = comboItem(w, IDC_EXPORT_BITS, SendDlgItemMessageW(w, IDC_EXPORT_BITS, CB_GETCURSEL, 0, 0));
        scale = text(w, IDC_EXPORT_SCALE);
        normalChecked = IsDlgButtonChecked(w, IDC_EXPORT_NORMAL) == BST_CHECKED;
        bottomChecked = IsDlgButtonChecked(w, IDC_EXPORT_BOTTOM) == BST_CHECKED;
    });
    EXPECT_EQ(title, widen(" 画像保存"));
    EXPECT_EQ(wide, widen("広範囲表示モード"));
    EXPECT_EQ(method, widen("ﾆｱﾚｽﾄﾈｲﾊﾞｰ法"));
    EXPECT_EQ(bits, L"24 Bit");
    EXPECT_EQ(scale, L"100");
    EXPECT_TRUE(normalChecked && bottomChecked);
    EXPECT_EQ(frame.right - frame.left, 346);
    EXPECT_EQ(frame.bottom - frame.top, 325);
}

TEST_F(ImageExportDialogTest, SizesFollowViewBandsScaleAndFormat) {
    std::vector<Shown> seen;
    std::wstring scaleAfterSeven, scaleAfterOverflow;
    bool depthEnabledForPng = true, formatEnabled = false;
    std::wstring renamed;
    run([&](HWND w) {
        seen.push_back(shown(w));
        test::click(w, IDC_EXPORT_WIDE);
        test::click(w, IDC_EXPORT_RIGHT); // off
        seen.push_back(shown(w));
        test::click(w, IDC_EXPORT_NORMAL);
        test::click(w, IDC_EXPORT_RIGHT);
        typeScale(w, L"7");
        seen.push_back(shown(w)); // 7 is no scale yet: nothing changes
        leaveScale(w);
        scaleAfterSeven = text(w, IDC_EXPORT_SCALE);
        seen.push_back(shown(w));
        typeScale(w, L"1500");
        leaveScale(w);
        scaleAfterOverflow = text(w, IDC_EXPORT_SCALE);
        select(w, IDC_EXPORT_BITS, 1); // 8 bits
        seen.push_back(shown(w));
        formatEnabled = IsWindowEnabled(GetDlgItem(w, IDC_EXPORT_FORMAT));
        setPath(w, u"C:\\maps\\picture.BMP");
        select(w, IDC_EXPORT_FORMAT, 1);
        seen.push_back(shown(w));
        depthEnabledForPng = IsWindowEnabled(GetDlgItem(w, IDC_EXPORT_BITS));
        renamed = text(w, IDC_EXPORT_FILE);
    });
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].width, L"413");
    EXPECT_EQ(seen[0].height, L"389");
    EXPECT_EQ(seen[0].fileSize, std::to_wstring(54 + 1240 * 389));
    EXPECT_EQ(seen[1].width, std::to_wstring(229 + 40));
    EXPECT_EQ(seen[1].height, std::to_wstring(229 + 40));
    EXPECT_EQ(seen[2].width, L"413");
    EXPECT_EQ(scaleAfterSeven, L"25");
    EXPECT_EQ(seen[3].width, std::to_wstring(174 + 64)) << "25 percent halves the map";
    EXPECT_EQ(scaleAfterOverflow, L"100") << "three characters at most, then clamped";
    EXPECT_EQ(seen[4].fileSize, std::to_wstring(54 + 416 * 389 + 1024));
    EXPECT_TRUE(formatEnabled);
    EXPECT_EQ(seen[5].fileSize, widen("圧縮画像"));
    EXPECT_FALSE(depthEnabledForPng);
    EXPECT_EQ(renamed, L"C:\\maps\\picture.png");
}

std::string fileBytes(const FilePath& path) {
    return test::readBytes(path);
}

const std::uint8_t* bytesOf(const std::string& s) {
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

// Top-down 0x00RRGGBB pixels of a 24-bit BMP file.
std::vector<std::uint32_t> bmpPixels(const std::string& file, int width, int height) {
    const std::uint8_t* p = bytesOf(file);
    const std::uint32_t offset = le::get32(p + 10);
    const std::size_t stride = bmpRowBytes(24, width);
    std::vector<std::uint32_t> out;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = p + offset + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x)
            out.push_back(std::uint32_t(row[3 * x + 2]) << 16 | std::uint32_t(row[3 * x + 1]) << 8 |
                          row[3 * x]);
    }
    return out;
}

// Decodes a PNG through the imaging component's decoder into the same form.
std::vector<std::uint32_t> pngPixels(const FilePath& path, int& width, int& height) {
    std::vector<std::uint32_t> out;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT w = 0, h = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(widen(path).c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                        0, WICBitmapPaletteTypeCustom))) {
        out.resize(std::size_t(w) * h);
        if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(out.size() * 4),
                                         reinterpret_cast<BYTE*>(out.data()))))
            out.clear();
        for (auto& p : out)
            p &= 0xFFFFFF;
    }
    for (IUnknown* u : std::initializer_list<IUnknown*>{converter, frame, decoder, factory})
        if (u)
            u->Release();
    CoUninitialize();
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return out;
}

TEST_F(ImageExportDialogTest, SaveWritesAPictureThatReadsBackAndAsksFirst) {
    test::TempFolder folder;
    const FilePath eight = folder.path() + u"eight.bmp", full = folder.path() + u"full.bmp",
                   png = folder.path() + u"full.png";
    run([&](HWND w) {
        test::click(w, IDOK); // no file yet
        setPath(w, eight);
        select(w, IDC_EXPORT_BITS, 1);
        test::click(w, IDOK);
        setPath(w, full);
        select(w, IDC_EXPORT_BITS, 3);
        test::click(w, IDOK);
        select(w, IDC_EXPORT_FORMAT, 1);
        setPath(w, png);
        test::click(w, IDOK);
    });
    ASSERT_EQ(prompter.shown.size(), 4u);
    EXPECT_EQ(prompter.shown[0].text, "保存先ファイルを指定してください。");
    EXPECT_EQ(prompter.shown[0].type, msg::iconWarning);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(prompter.shown[i].text, "画像ファイルを保存しました。");
        EXPECT_EQ(prompter.shown[i].type, msg::iconInformation);
    }

    const std::string bmp = fileBytes(eight);
    ASSERT_GT(bmp.size(), 54u);
    const std::uint8_t* p = bytesOf(bmp);
    const std::vector<std::uint32_t> table = exportColourTable(document, false, 8);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le::get32(p + 2), bmp.size());
    EXPECT_EQ(le::get32(p + 10), 54 + 4 * table.size());
    EXPECT_EQ(le::getSigned32(p + 18), 413);
    EXPECT_EQ(le::getSigned32(p + 22), 389);
    EXPECT_EQ(le::get16(p + 28), 8);
    EXPECT_EQ(le::get32(p + 34), 416u * 389);
    EXPECT_EQ(le::get32(p + 46), table.size());
    // Cell (0, 0) is red: its inside lands at (32 + 4 + 1, 20 + 4 + 1) onwards in the picture.
    const int x = 32 + 20, y = 20 + 20;
    const std::uint8_t index = p[le::get32(p + 10) + (389 - 1 - y) * 416 + x];
    ASSERT_LT(index, table.size());
    EXPECT_EQ(table[index], 0x0000FFu);

    int width = 0, height = 0;
    const std::vector<std::uint32_t> decoded = pngPixels(png, width, height);
    EXPECT_EQ(width, 413);
    EXPECT_EQ(height, 389);
    const std::string full24 = fileBytes(full);
    ASSERT_EQ(full24.size(), 54u + 1240 * 389);
    const std::vector<std::uint32_t> pixels = bmpPixels(full24, 413, 389);
    EXPECT_EQ(pixels[std::size_t(y) * 413 + x], 0xFF0000u);
    EXPECT_TRUE(decoded == pixels) << "the PNG holds the 24-bit picture's pixels";
    EXPECT_FALSE(test::readBytes(folder.path() + u"full.png.~tmp").size());
}

TEST_F(ImageExportDialogTest, APictureOverSixteenMegabytesIsAskedAboutAndNoStopsSilently) {
    ASSERT_TRUE(document.resize(99, 99, true));
    test::TempFolder folder;
    const FilePath target = folder.path() + u"big.bmp";
    prompter.answers = {msg::idNo};
    run([&](HWND w) {
        setPath(w, target);
        select(w, IDC_EXPORT_BITS, 4);
        test::click(w, IDOK);
    });
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].type, msg::yesNo | msg::iconWarning);
    EXPECT_NE(prompter.shown[0].text.find("46976740"), std::string::npos) << prompter.shown[0].text;
    EXPECT_EQ(GetFileAttributesW(widen(target).c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace tav::win
