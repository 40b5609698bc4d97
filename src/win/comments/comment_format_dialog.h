#pragma once
// The comment format dialog (364): font, appearance and placement of one comment area on three tab pages.
// It edits a working copy; OK leaves the copy as the pages show it, Cancel and the close box leave it as
// it came.
#include <memory>

#include "model/comments/comment_format_rules.h"
#include "win/app/dialog_frame.h"

namespace tav {
class MapDocument;
}

namespace tav::win {

class DrawingResourceCache;

class CommentFormatDialog : public DialogFrame {
public:
    CommentFormatDialog(comment_format::Draft& draft, DrawingResourceCache& cache);
    ~CommentFormatDialog() override;

    enum Page { fontPage, lookPage, placePage };
    // The page window while the dialog runs.
    HWND page(Page which) const;
    // The font page preview's cell height in pixels; 0 while it shows nothing.
    int previewHeight() const;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void showPage(int index);
    void addPageTooltip(HWND page, int controlId, const std::wstring& text);

    struct Pages;
    comment_format::Draft& draft_;
    comment_format::Draft original_;
    std::unique_ptr<Pages> pages_;
};

// Opens the dialog for the area, owned by owner; OK writes the look back as one undo step. True when the
// area changed.
bool editCommentFormat(MapDocument& document, CommentArea& area, HWND owner, DrawingResourceCache& cache);

} // namespace tav::win
