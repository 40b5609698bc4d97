#pragma once
// The pixel canvas: one N x N picture (N = 23 or 15) shown twelve times magnified, on which the drawing
// tools work, with an undo history of its own. A subclassed static control of its host dialog; it tells
// the host about picked colours, status texts and changes through private messages.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "model/canvas/image_undo_history.h"
#include "win/canvas/floating_selection.h"
#include "win/platform/handles.h"

namespace tav::win {

namespace canvas_message {
constexpr UINT focus = 0xA402;      // sent: the canvas got the focus
constexpr UINT picked = 0xA406;     // posted: wParam 0 left, 1 right, 2 transparent; lParam the colour
constexpr UINT switchTool = 0xA407; // sent: wParam the tool index
constexpr UINT changing = 0xA408;   // to itself, before a change: a snapshot for undo
constexpr UINT changed = 0xA409;    // posted to the host: lParam the canvas's control id
constexpr UINT status = 0xA40A;     // sent: wParam a CP932 text, valid during the call
} // namespace canvas_message

namespace canvas_tool {
constexpr std::uint8_t pencil = 0x10;
constexpr std::uint8_t line = 0x20;
constexpr std::uint8_t eraser = 0x30;
constexpr std::uint8_t fill = 0x40;
constexpr std::uint8_t rectangle = 0x50;
constexpr std::uint8_t ellipse = 0x60;
constexpr std::uint8_t picker = 0x70;
constexpr std::uint8_t selection = 0x80;
constexpr std::uint8_t filled = 0x01;
} // namespace canvas_tool

namespace colour_target {
constexpr WPARAM left = 0;
constexpr WPARAM right = 1;
constexpr WPARAM transparent = 2;
} // namespace colour_target

class PixelCanvas {
public:
    static constexpr int zoom = 12;

    explicit PixelCanvas(int undoLimit);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    // Takes over a static control of the host; big gives the 23 x 23 picture, else 15 x 15. The picture
    // starts in the transparent colour. False when a context or bitmap cannot be made.
    bool create(HWND control, bool big);
    HWND handle() const { return window_; }
    int side() const { return side_; }

    void setTool(std::uint8_t tool);
    std::uint8_t tool() const { return tool_; }
    void setLeftColour(COLORREF colour) { left_ = colour; }
    void setRightColour(COLORREF colour) { right_ = colour; }
    void setTransparentColour(COLORREF colour);
    void setTransparencyEnabled(bool enabled);
    COLORREF transparentColour() const { return transparent_; }
    bool transparencyEnabled() const { return transparencyEnabled_; }

    // Copies the bitmap's top-left N x N pixels in: no undo step, no change message.
    bool loadPicture(HBITMAP bitmap);
    // The picture as drawn on: read it through this context, don't select another bitmap into it.
    HDC pictureContext() const { return picture_.dc(); }
    // An independent copy of the picture.
    // Commits a floating piece first.
    bool copyPicture(Bitmap& copy);
    // Scales another canvas's picture onto this one: no undo step, no change message.
    void stretchCopyFrom(HDC other);
    // Ends a line, rectangle or ellipse drag; with the selection tool commits or drops the floating piece.
    void cancelOperation(bool commit);

    // The selection tool's floating piece: a bitmap that fits becomes the piece at the top-left; a larger
    // one is cut or reduced as the user chooses in the import dialog.
    enum class Paste { pasted, cancelled, failed };
    Paste pasteBitmap(HBITMAP bitmap);
    // A packed bitmap (a 40-byte header, its colours and bits) of size bytes, as a BMP file holds it after
    // its file header; failed for any other header.
    Paste pastePackedDib(const std::uint8_t* data, std::size_t size);
    void centreSelection();
    void rotateSelection();
    const FloatingSelection* selection() const { return selection_.get(); }

    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // Canvas commands (undo, redo, the picture clipboard, Esc and the arrows); true when the id was one.
    bool onCommand(int id);

private:
    // A memory context holding a 32-bit top-down section, so undo snapshots are plain copies of its bits.
    class Surface {
    public:
        bool make(HDC reference, int side);
        HDC dc() const { return dc_.get(); }
        std::uint32_t* bits() const { return bits_; }
        std::size_t pixelCount() const { return static_cast<std::size_t>(side_) * side_; }
        PicturePixels pixels() const;
        void setPixels(const PicturePixels& pixels);
        ~Surface();

    private:
        MemoryDc dc_;
        Bitmap bitmap_;
        HGDIOBJ previous_ = nullptr;
        std::uint32_t* bits_ = nullptr;
        int side_ = 0;
    };

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void press(POINT at, bool leftButton);
    void move(POINT at);
    void release(POINT at);
    bool pick(POINT at, WPARAM target);
    void paint();
    void drawOverlay(HDC dc);
    void beginChange();
    void endChange();
    void sendStatus(const char* text);
    void pointStatus(POINT pixel);
    void dragStatus();
    void endDrag();
    bool selecting() const { return (tool_ >> 4) == (canvas_tool::selection >> 4); }
    void selectionStatus();
    void showMenu(POINT at);
    void copyToClipboard();
    void pasteFromClipboard();
    POINT pixelOf(POINT window) const;
    bool inside(POINT window) const;

    HWND window_ = nullptr;
    int side_ = 0;
    Surface picture_;
    Surface composition_;
    HACCEL accelerators_ = nullptr; // a resource: freed with the module
    std::uint8_t tool_ = canvas_tool::pencil;
    COLORREF left_ = 0x000000;
    COLORREF right_ = 0xFFFFFF;
    COLORREF transparent_ = 0x008000;
    bool transparencyEnabled_ = false;
    bool tracking_ = false;

    // Pencil and eraser strokes; line, rectangle and ellipse drags.
    bool stroking_ = false;
    bool dragging_ = false;
    bool filled_ = false;
    COLORREF colour_ = 0;
    POINT start_{};
    POINT current_{};
    ImageUndoHistory history_;
    std::unique_ptr<FloatingSelection> selection_;
};

} // namespace tav::win
