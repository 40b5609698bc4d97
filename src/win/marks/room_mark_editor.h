#pragma once
// The room mark editor (371): the 23x23 and 15x15 pictures of a room mark painted on two pixel canvases,
// with a sixteen-colour pattern kept in the configuration, the mouse buttons' and the transparent colours,
// the drawing tools, previews, stretch copies between the pictures, loading a bitmap file and starting from
// an earlier mark.
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "model/app/configuration.h"
#include "model/marks/room_mark.h"
#include "model/platform/file_system.h"
#include "model/platform/prompter.h"
#include "model/platform/settings.h"
#include "win/app/dialog_frame.h"
#include "win/canvas/image_preview.h"
#include "win/canvas/pixel_canvas.h"
#include "win/view/colour_swatch.h"
#include "win/view/coloured_button.h"
#include "win/view/latch_button.h"

namespace tav::win {

class DrawingResourceCache;

// The room history as the editor sees it. Either may be empty: the history button is then disabled, or
// nothing is appended.
struct RoomHistoryHooks {
    // Lets the user pick an earlier mark; nothing when cancelled or no history.
    std::function<std::optional<RoomMarkSlot>(HWND owner)> pick;
    // Appends a registered mark to the history; reports its own failures.
    std::function<void(const RoomMarkSlot&)> add;
};

// What the editor uses of the program: the colour pattern and undo depth come from the settings, image
// files are read through files, and the import reports its failures through the prompter.
struct RoomEditorContext {
    DrawingResourceCache& cache;
    Settings& settings;
    FileSystem& files;
    Prompter& prompter;
};

class RoomMarkEditor : public DialogFrame {
public:
    static constexpr int patternCount = 16;

    RoomMarkEditor(const RoomEditorContext& context, RoomHistoryHooks hooks);

    // The slot's mark, before run; an unregistered one starts two empty pictures.
    void setSlot(const RoomMarkSlot& slot) { slot_ = slot; }
    // Runs the editor modally; IDOK when a mark was registered.
    INT_PTR run(HWND owner) { return runWithOwnLoop(owner); }
    // After IDOK both pictures with their transparent colours (none when that picture's box was off).
    const RoomMarkSlot& result() const { return result_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroy() override;
    // Esc anywhere in the dialog asks before closing.
    bool preTranslate(MSG& message) override;

private:
    enum Picture { normal = 0, wide = 1 };

    bool createCanvases();
    void setUpSwatches();
    void setUpButtons();
    // Loads a slot's two pictures and transparent colours into the canvases; undoable when asked.
    void loadSlot(const RoomMarkSlot& slot, bool undoable);
    void activate(int picture);
    void showTransparency();
    void refreshPreview(int picture);

    void selectTool(int index);
    void chooseOption(int id);
    std::uint8_t toolByte() const;

    void setLeftColour(COLORREF colour);
    void setRightColour(COLORREF colour);
    void setTransparentColour(COLORREF colour);
    void chooseColour(HWND swatch);
    ColourSwatch* swatchOf(HWND window);
    int patternIndexOf(int id) const;

    void stretchCopy(int target);
    void loadImage();
    void pickFromHistory();
    void registerMark();
    void askBeforeClosing();

    PixelCanvas& canvas(int picture) { return *canvases_[static_cast<std::size_t>(picture)]; }

    RoomEditorContext context_;
    RoomHistoryHooks hooks_;
    RoomMarkSlot slot_;
    RoomMarkSlot result_;

    std::array<std::unique_ptr<PixelCanvas>, 2> canvases_;
    std::array<ImagePreview, 2> previews_;
    int active_ = normal;

    config::ColourList pattern_{};
    bool patternRead_ = false;
    std::array<std::unique_ptr<ColourSwatch>, patternCount> patternSwatches_;
    std::unique_ptr<ColourSwatch> leftSwatch_;
    std::unique_ptr<ColourSwatch> rightSwatch_;
    std::unique_ptr<ColourSwatch> transparentSwatch_;
    COLORREF left_ = RGB(0, 0, 0);
    COLORREF right_ = RGB(255, 255, 255);

    std::array<LatchButton, 8> tools_;
    std::array<LatchButton, 2> options_;
    std::array<ColouredButton, 4> buttons_;
    int tool_ = 0;
    bool rectangleFilled_ = false;
    bool circleFilled_ = false;

    Brush activeLabel_;
    Brush inactiveLabel_;
    // The chooser's sixteen custom colours, kept from one opening to the next.
    std::array<COLORREF, 16> customColours_;
};

// Runs the editor on a slot's mark (registered or not): the registered pictures, or nothing when the user
// cancelled or the dialog could not be made.
std::optional<RoomMarkSlot> editRoomMark(HWND owner, const RoomMarkSlot& start,
                                         const RoomEditorContext& context, const RoomHistoryHooks& hooks);

} // namespace tav::win
