#pragma once
// A colour swatch: a subclassed notify static painted in a colour or a fill pattern, with an optional
// selection marker and its own focus frame. It posts chosen keys and mouse buttons to its parent.
#include <windows.h>

#include <cstdint>

namespace tav::win {

class DrawingResourceCache;

// Posted to the swatch's parent; lParam is the swatch window. They reach the dialog that holds the swatch,
// never the main window, so they may share numbers with view_message.
namespace swatch_message {
constexpr UINT key = 0xA404;   // wParam '\r' or ' '
constexpr UINT mouse = 0xA405; // wParam WM_LBUTTONDBLCLK, WM_RBUTTONDOWN or WM_MBUTTONDOWN
} // namespace swatch_message

// Which inputs a swatch forwards instead of handling them.
namespace swatch_input {
constexpr std::uint8_t enter = 0x01;
constexpr std::uint8_t space = 0x02;
constexpr std::uint8_t middleDown = 0x10;
constexpr std::uint8_t rightDown = 0x20;
constexpr std::uint8_t leftDoubleClick = 0x40;
} // namespace swatch_input

class ColourSwatch {
public:
    enum Marker : std::uint8_t { noMarker = 0, unselected = 1, selected = 2 };

    explicit ColourSwatch(DrawingResourceCache& cache) : cache_(cache) {}
    ~ColourSwatch();
    ColourSwatch(const ColourSwatch&) = delete;
    ColourSwatch& operator=(const ColourSwatch&) = delete;

    // Subclasses a static control (it needs SS_NOTIFY for clicks); false when it could not.
    bool attach(HWND control);
    void detach();
    HWND handle() const { return control_; }

    // Keeps the low 24 bits.
    void setColour(std::uint32_t colour, bool repaint);
    std::uint32_t colour() const { return colour_; }
    // 0 solid, 1..10 a fill pattern; anything above 10 is painted solid.
    void setPattern(unsigned type);
    unsigned pattern() const { return pattern_; }
    void setMarker(Marker marker);
    Marker marker() const { return marker_; }
    void setInputFlags(std::uint8_t flags) { inputFlags_ = flags; }
    void setHandCursor(bool hand) { handCursor_ = hand; }
    void enable(bool enabled);

    // The picture of the swatch in a client rectangle; focused draws the focus frame.
    void paint(HDC dc, const RECT& client, bool focused) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool forwards(std::uint8_t flag) const { return (inputFlags_ & flag) != 0; }
    // The input flag a key or character asks for, 0 when the swatch does not take it.
    std::uint8_t keyFlag(WPARAM key) const;
    void repaint() const;

    DrawingResourceCache& cache_;
    HWND control_ = nullptr;
    std::uint32_t colour_ = 0;
    unsigned pattern_ = 0;
    Marker marker_ = noMarker;
    std::uint8_t inputFlags_ = 0;
    bool handCursor_ = false;
};

} // namespace tav::win
