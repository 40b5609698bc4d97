#include "win/output/image_export.h"

#include <array>
#include <cstdio>
#include <new>
#include <string>

#include "model/document/map_document.h"
#include "model/view/map_layout.h"
#include "win/comments/comment_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_rendering.h"

namespace tav::win {

namespace {

const char* const outOfMemoryText = "保存に失敗しました。\n\nメモリが不足しています。\n"
                                    "他のアプリケーションを終了する等してメモリ領域を確保してください。";
const char* const largeText = "あなたのマシンに自信はありますか？\n\n\n必要メモリサイズ(最低)：%10d Byte\n\n"
                              "Windows 95/98/Me は16MBを超えると無理っぽいです。";
const char* const drawingFailedText = "保存に失敗しました。\n\nWindows 95/98/Me\n"
                                      "伸縮率100％時のFileサイズが16MBを超えないようにしてください。\n"
                                      "（手抜きました。ご勘弁を・・・）";
const char* const sectionFailedText = "保存に失敗しました。\n\nWindows 95/98/Me\n"
                                      "Fileサイズが16MBを超えないようにしてください。\n"
                                      "（手抜きました。ご勘弁を・・・）";

int stretchModeOf(ScaleMethod method) {
    switch (method) {
    case ScaleMethod::nearest:
        return COLORONCOLOR;
    case ScaleMethod::bilinear:
        return HALFTONE;
    default:
        return BLACKONWHITE;
    }
}

Font rulerFont(int height) {
    LOGFONTW lf{};
    lf.lfHeight = -height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    const std::wstring face = widen("ＭＳ ゴシック");
    face.copy(lf.lfFaceName, std::size(lf.lfFaceName) - 1);
    return Font(CreateFontIndirectW(&lf));
}

void drawNumber(HDC dc, std::int32_t value, const PixelRect& box, UINT format) {
    wchar_t text[16];
    const int length = std::swprintf(text, std::size(text), L"%d", static_cast<int>(value));
    RECT r{box.left, box.top, box.right, box.bottom};
    DrawTextW(dc, text, length, &r, format | DT_SINGLELINE | DT_NOPREFIX);
}

// The screen's numbers for the same columns and rows, so the picture reads as the map view does.
void drawRulerNumbers(HDC dc, const MapDocument& document, const ExportOptions& o, const ExportGeometry& g) {
    Font font = rulerFont(g.rulerFontHeight);
    SelectObjectScope fontScope(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const RulerNumbers numbers = rulerNumbers(document.getRuler(), document.width(), document.height(), 0, 0);
    for (int i = 0; i < document.width(); ++i) {
        const std::int32_t value = numbers.column(i);
        if (!rulerLabelled(value))
            continue;
        if (o.topBand)
            drawNumber(dc, value, g.columnLabelBox(i, false), DT_CENTER | DT_BOTTOM);
        if (o.bottomBand)
            drawNumber(dc, value, g.columnLabelBox(i, true), DT_CENTER | DT_TOP);
    }
    for (int j = 0; j < document.height(); ++j) {
        const std::int32_t value = numbers.row(j);
        if (!rulerLabelled(value))
            continue;
        if (o.leftBand)
            drawNumber(dc, value, g.rowLabelBox(j, false), DT_RIGHT | DT_VCENTER);
        if (o.rightBand)
            drawNumber(dc, value, g.rowLabelBox(j, true), DT_LEFT | DT_VCENTER);
    }
}

} // namespace

bool exportImage(const MapDocument& document, DrawingResourceCache& cache, const ExportOptions& options,
                 const FilePath& output, FileSystem& files, Prompter& prompter, bool askLarge) {
    const auto stop = [&](const char* text) {
        prompter.showMessage(text, msg::ok | msg::iconError);
        return false;
    };
    const ExportGeometry g = exportGeometry(document.width(), document.height(), options);
    const int bits = options.format == ImageFormat::bmp && validExportBits(options.bits) ? options.bits : 24;
    std::vector<std::uint8_t> info;
    try {
        info = bmpInfo(bits, g.width, g.height, exportColourTable(document, options.wide, bits));
    } catch (const std::bad_alloc&) {
        return stop(outOfMemoryText);
    }
    const std::uint64_t imageBytes = bmpImageBytes(bits, g.width, g.height);
    if (askLarge && imageBytes > image_export::largePicture) {
        char text[512];
        std::snprintf(text, sizeof text, largeText, static_cast<int>(imageBytes));
        if (prompter.showMessage(text, msg::yesNo | msg::iconWarning) != msg::idYes)
            return false;
    }

    // The map at its own size, as the screen would draw it.
    WindowDc screen(nullptr);
    MemoryDc mapDc(CreateCompatibleDC(screen.get()));
    Bitmap mapBitmap(CreateCompatibleBitmap(screen.get(), g.mapWidth, g.mapHeight));
    if (!mapDc || !mapBitmap)
        return stop(drawingFailedText);
    SelectObjectScope mapSelection(mapDc.get(), mapBitmap.get());
    RoomMarkImages rooms;
    rooms.rebuild(document.palette());
    CommentFontCache fonts;
    if (!drawWholeMap(mapDc.get(), document, options.wide, 0, 0, document.width(), document.height(),
                      g.mapWidth, g.mapHeight, map_view::exportMargin, map_view::exportMargin,
                      MapDrawingTools{cache, rooms, fonts}))
        return stop(drawingFailedText);

    void* pixels = nullptr;
    MemoryDc pictureDc(CreateCompatibleDC(screen.get()));
    Bitmap picture(CreateDIBSection(screen.get(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                                    DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!pictureDc || !picture || !pixels)
        return stop(sectionFailedText);
    {
        SelectObjectScope pictureSelection(pictureDc.get(), picture.get());
        HDC dc = pictureDc.get();
        RECT all{0, 0, g.width, g.height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetStretchBltMode(dc, stretchModeOf(options.method));
        if (options.method == ScaleMethod::bilinear)
            SetBrushOrgEx(dc, g.mapLeft % 8, g.mapTop % 8, nullptr);
        StretchBlt(dc, g.mapLeft, g.mapTop, g.scaledWidth, g.scaledHeight, mapDc.get(), 0, 0, g.mapWidth,
                   g.mapHeight, SRCCOPY);
        drawRulerNumbers(dc, document, options, g);
        GdiFlush();
    }

    const auto* bytes = static_cast<const std::uint8_t*>(pixels);
    const std::vector<std::uint8_t> head = bmpFileHeader(info.size(), imageBytes);
    const std::array<std::span<const std::uint8_t>, 3> pieces{
        std::span(head), std::span(info), std::span(bytes, static_cast<std::size_t>(imageBytes))};
    return writeFileWhole(files, output, pieces, prompter);
}

} // namespace tav::win
