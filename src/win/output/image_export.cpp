#include "win/output/image_export.h"

#include <objbase.h>
#include <wincodec.h>

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
const char* const encodeFailedText = "保存に失敗しました。\n\n画像を圧縮できませんでした。";

// Releases a COM interface on scope exit.
template <typename T> class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_)
            p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** out() { return &p_; }

private:
    T* p_ = nullptr;
};

// COM for this thread while the encoder runs; a thread already in another apartment is fine as it is.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

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

bool writeEncoded(IWICImagingFactory* factory, const GUID& container, IStream* stream,
                  const std::uint8_t* bits, int width, int height) {
    ComRef<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(container, nullptr, encoder.out())) ||
        FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache)))
        return false;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> properties;
    if (FAILED(encoder->CreateNewFrame(frame.out(), properties.out())) ||
        FAILED(frame->Initialize(properties.get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))))
        return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR)
        return false;
    // The section is stored bottom-up; the encoders take rows from the top.
    const UINT stride = static_cast<UINT>(bmpRowBytes(24, width));
    for (int y = height - 1; y >= 0; --y) {
        BYTE* row = const_cast<BYTE*>(bits + std::size_t(y) * stride);
        if (FAILED(frame->WritePixels(1, stride, stride, row)))
            return false;
    }
    return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

} // namespace

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

bool encodeCompressed(ImageFormat format, const std::uint8_t* bits, int width, int height,
                      std::vector<std::uint8_t>& out) {
    if (format == ImageFormat::bmp || width <= 0 || height <= 0)
        return false;
    ComScope com;
    if (!com.usable())
        return false;
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))))
        return false;
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out())))
        return false;
    const GUID& container = format == ImageFormat::png ? GUID_ContainerFormatPng : GUID_ContainerFormatJpeg;
    if (!writeEncoded(factory.get(), container, stream.get(), bits, width, height))
        return false;
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream.get(), &memory)))
        return false;
    const void* data = GlobalLock(memory);
    if (!data)
        return false;
    const std::size_t size = static_cast<std::size_t>(stat.cbSize.QuadPart);
    const bool copied = [&] {
        try {
            out.assign(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size);
            return true;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }();
    GlobalUnlock(memory);
    return copied;
}

bool exportImage(const MapDocument& document, DrawingResourceCache& cache, const ExportOptions& options,
                 const FilePath& output, FileSystem& files, Prompter& prompter, bool askLarge) {
    const auto stop = [&](const char* text) {
        prompter.showMessage(text, msg::ok | msg::iconError);
        return false;
    };
    const ExportGeometry g = exportGeometry(document.width(), document.height(), options);
    // PNG and JPEG are encoded from the full-colour picture.
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
    if (options.format == ImageFormat::bmp) {
        const std::vector<std::uint8_t> head = bmpFileHeader(info.size(), imageBytes);
        const std::array<std::span<const std::uint8_t>, 3> pieces{
            std::span(head), std::span(info), std::span(bytes, static_cast<std::size_t>(imageBytes))};
        return writeFileWhole(files, output, pieces, prompter);
    }
    std::vector<std::uint8_t> encoded;
    if (!encodeCompressed(options.format, bytes, g.width, g.height, encoded))
        return stop(encodeFailedText);
    const std::array<std::span<const std::uint8_t>, 1> pieces{std::span(encoded)};
    return writeFileWhole(files, output, pieces, prompter);
}

} // namespace tav::win
