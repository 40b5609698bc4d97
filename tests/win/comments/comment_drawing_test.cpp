#include "win/comments/comment_drawing.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/dib_canvas.h"

#include "support/png_writer.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

using Canvas = test::DibCanvas;

struct Look {
    std::uint8_t frameStyle = comment::frame::rectangle;
    std::uint8_t anchorStyle = comment::anchor::circle;
    std::uint32_t frameColour = red;
    std::uint32_t backgroundColour = yellow;
    std::uint8_t alignment = 0;
    std::string text;

    Look frame(std::uint8_t v) const {
        return with([&](Look& l) { l.frameStyle = v; });
    }
    Look anchor(std::uint8_t v) const {
        return with([&](Look& l) { l.anchorStyle = v; });
    }
    Look frameIn(std::uint32_t v) const {
        return with([&](Look& l) { l.frameColour = v; });
    }
    Look backgroundIn(std::uint32_t v) const {
        return with([&](Look& l) { l.backgroundColour = v; });
    }
    Look aligned(std::uint8_t v) const {
        return with([&](Look& l) { l.alignment = v; });
    }
    Look saying(std::string v) const {
        return with([&](Look& l) { l.text = v; });
    }
    template <typename F> Look with(F f) const {
        Look l = *this;
        f(l);
        return l;
    }
};

// Frame (100, 100)-(200, 160), anchor at (150, 250), on a 20 x 20 map.
CommentArea makeArea(const Look& look, bool wide = false) {
    CommentArea area = CommentArea::create({0, 0, 80, 60}, 20, 20, false);
    area.setFrame({100, 100, 200, 160});
    area.setAnchor(50, 150);
    CommentFormat format = area.format();
    format.frameStyle = look.frameStyle;
    format.anchorStyle = look.anchorStyle;
    format.frameColour = look.frameColour;
    format.backgroundColour = look.backgroundColour;
    format.textColour = blue;
    format.alignment = look.alignment;
    area.setFormat(format);
    area.setText(look.text);
    if (wide)
        area.rescale(true);
    return area;
}

class CommentDrawing : public ::testing::Test {
protected:
    void draw(CommentArea& area, PixelRect visible = {0, 0, 680, 680}, POINT origin = {0, 0}) {
        drawCommentArea(canvas.dc(), area, visible, origin, cache, fonts);
    }
    void draw(const Look& look) {
        CommentArea area = makeArea(look);
        draw(area);
    }
    Canvas canvas{400, 400};
    DrawingResourceCache cache;
    CommentFontCache fonts;
};

TEST_F(CommentDrawing, RectangleFramePointerLineAndCircleMark) {
    ASSERT_TRUE(canvas.ready());
    draw(Look{});
    EXPECT_EQ(canvas.at(100, 130), red); // left outline
    EXPECT_EQ(canvas.at(199, 130), red); // right outline, inside the right edge
    EXPECT_EQ(canvas.at(200, 130), white);
    EXPECT_EQ(canvas.at(150, 100), red);
    EXPECT_EQ(canvas.at(170, 159), red);
    EXPECT_EQ(canvas.at(101, 130), yellow); // fill
    EXPECT_EQ(canvas.at(150, 140), yellow) << "the fill covers the pointer line";
    EXPECT_EQ(canvas.at(150, 200), red); // pointer line below the frame
    EXPECT_EQ(canvas.at(149, 200), white);
    // The 7 x 7 circle around (150, 250).
    EXPECT_EQ(canvas.at(150, 247), red);
    EXPECT_EQ(canvas.at(147, 250), red);
    EXPECT_EQ(canvas.at(153, 250), red);
    EXPECT_EQ(canvas.at(150, 253), red);
    EXPECT_EQ(canvas.at(149, 250), yellow);
    EXPECT_EQ(canvas.at(147, 247), white);
    EXPECT_EQ(canvas.at(150, 254), white);
    EXPECT_EQ(canvas.count({140, 240, 160, 260}, red) + canvas.count({140, 240, 160, 260}, yellow),
              canvas.count({147, 247, 154, 254}, red) + canvas.count({147, 247, 154, 254}, yellow) +
                  canvas.count({150, 240, 151, 247}, red))
        << "nothing of the mark outside its 7 x 7 box but the line";
}

TEST_F(CommentDrawing, AnchorStyles) {
    draw(Look().anchor(comment::anchor::square));
    EXPECT_EQ(canvas.at(147, 247), red);
    EXPECT_EQ(canvas.at(153, 253), red);
    EXPECT_EQ(canvas.at(150, 250), yellow);
    EXPECT_EQ(canvas.at(154, 254), white);
    EXPECT_EQ(canvas.at(146, 246), white);

    Canvas plain(400, 400);
    CommentArea lineOnly = makeArea(Look().anchor(comment::anchor::lineOnly));
    drawCommentArea(plain.dc(), lineOnly, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    EXPECT_EQ(plain.at(150, 200), red);
    EXPECT_EQ(plain.at(150, 250), red); // the line starts at the anchor
    EXPECT_EQ(plain.at(147, 250), white);
    EXPECT_EQ(plain.at(150, 253), white);

    Canvas none(400, 400);
    CommentArea noLine = makeArea(Look().anchor(comment::anchor::noLine));
    drawCommentArea(none.dc(), noLine, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    EXPECT_EQ(none.count({100, 160, 200, 300}, red), 0) << "neither line nor end mark";
    EXPECT_EQ(none.at(100, 130), red);
}

TEST_F(CommentDrawing, FrameStyles) {
    draw(Look().frame(comment::frame::roundedRectangle));
    EXPECT_EQ(canvas.at(100, 100), white);
    EXPECT_EQ(canvas.at(101, 101), white);
    EXPECT_EQ(canvas.at(100, 130), red);
    EXPECT_EQ(canvas.at(150, 100), red);
    EXPECT_EQ(canvas.at(199, 130), red);
    EXPECT_EQ(canvas.at(105, 130), yellow);

    Canvas ellipse(400, 400);
    CommentArea round = makeArea(Look().frame(comment::frame::ellipse));
    drawCommentArea(ellipse.dc(), round, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    EXPECT_EQ(ellipse.at(100, 100), white);
    EXPECT_EQ(ellipse.at(110, 106), white);
    EXPECT_EQ(ellipse.at(100, 130), red);
    EXPECT_EQ(ellipse.at(150, 100), red);
    EXPECT_EQ(ellipse.at(150, 159), red);
    EXPECT_EQ(ellipse.at(120, 130), yellow);
}

TEST_F(CommentDrawing, NoFrameStillDrawsTheTextOnItsBackground) {
    draw(Look().frame(comment::frame::none).saying("あいう"));
    EXPECT_EQ(canvas.count({95, 95, 205, 165}, red), canvas.count({150, 131, 151, 165}, red))
        << "no outline: the only red is the pointer line, which now reaches the centre";
    EXPECT_EQ(canvas.at(150, 131), red);
    EXPECT_EQ(canvas.at(101, 130), white) << "no fill";
    EXPECT_EQ(canvas.at(102, 106), white);
    // The text cells are painted in the background colour, the glyphs in the text colour.
    const RECT line{104, 104, 196, 120};
    EXPECT_GT(canvas.count(line, yellow), 20);
    EXPECT_GT(canvas.count(line, blue), 5);
    const RECT ink = canvas.inkBox({104, 104, 196, 156}, {white, yellow});
    EXPECT_GE(ink.left, 104);
    EXPECT_LT(ink.left, 108);
}

TEST_F(CommentDrawing, MissingColoursDrawNothingOfTheirOwn) {
    draw(Look().frameIn(comment::noColour));
    EXPECT_EQ(canvas.count({90, 90, 210, 270}, red), 0);
    EXPECT_EQ(canvas.at(101, 130), yellow);
    EXPECT_EQ(canvas.at(150, 200), white) << "no pointer line without a frame colour";

    Canvas clear(400, 400);
    CommentArea transparent = makeArea(Look().backgroundIn(comment::noColour).saying("あいう"));
    drawCommentArea(clear.dc(), transparent, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    EXPECT_EQ(clear.at(100, 130), red);
    EXPECT_EQ(clear.at(101, 130), white);
    EXPECT_EQ(clear.at(150, 140), red) << "the line shows through";
    EXPECT_EQ(clear.count({104, 104, 196, 156}, yellow), 0);
    EXPECT_GT(clear.count({104, 104, 196, 156}, blue), 5);
}

TEST_F(CommentDrawing, TextFollowsItsAlignment) {
    const RECT text{104, 104, 196, 156};
    struct Case {
        std::uint8_t alignment;
        int left, right; // where the ink's horizontal middle may lie
        int top, bottom; // and its vertical middle
    } cases[] = {
        {0x00, 104, 130, 104, 116}, {0x01, 140, 160, 104, 116}, {0x02, 170, 196, 104, 116},
        {0x10, 104, 130, 124, 136}, {0x20, 104, 130, 144, 156}, {0x22, 170, 196, 144, 156},
    };
    for (const Case& c : cases) {
        Canvas sheet(400, 400);
        CommentArea area = makeArea(Look().aligned(c.alignment).saying("WW"));
        drawCommentArea(sheet.dc(), area, {0, 0, 680, 680}, {0, 0}, cache, fonts);
        const RECT ink = sheet.inkBox(text, {yellow});
        ASSERT_LT(ink.left, ink.right) << std::hex << int(c.alignment);
        const int x = (ink.left + ink.right) / 2;
        const int y = (ink.top + ink.bottom) / 2;
        EXPECT_TRUE(x >= c.left && x <= c.right) << std::hex << int(c.alignment) << std::dec << " x " << x;
        EXPECT_TRUE(y >= c.top && y <= c.bottom) << std::hex << int(c.alignment) << std::dec << " y " << y;
    }

    // Long text wraps inside the text rectangle; an ampersand is shown, not taken as a mnemonic.
    Canvas wrapped(400, 400);
    CommentArea area = makeArea(Look().saying("WW WW WW WW WW WW WW WW"));
    drawCommentArea(wrapped.dc(), area, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    RECT ink = wrapped.inkBox({100, 100, 200, 160}, {yellow, red});
    EXPECT_GT(ink.bottom - ink.top, 20);
    EXPECT_LE(ink.right, 196);

    Canvas withAmpersand(400, 400), without(400, 400);
    CommentArea amp = makeArea(Look().saying("W&W"));
    CommentArea plain = makeArea(Look().saying("WW"));
    drawCommentArea(withAmpersand.dc(), amp, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    drawCommentArea(without.dc(), plain, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    EXPECT_GT(withAmpersand.inkBox(text, {yellow}).right, without.inkBox(text, {yellow}).right + 3);
}

TEST_F(CommentDrawing, ScrolledViewAndScreenMapping) {
    CommentArea area = makeArea({});
    draw(area, {34, 34, 374, 374}, {25, 25});
    EXPECT_EQ(canvas.at(91, 121), red);
    EXPECT_EQ(canvas.at(92, 121), yellow);
    EXPECT_EQ(area.lastScreenRect(), (PixelRect{91, 91, 191, 151}));
    ASSERT_TRUE(area.hitTest({150, 130}));
    EXPECT_EQ(area.feedback(), (PixelRect{91, 91, 191, 151}));

    // In wide view the same area is drawn smaller, from its stored position.
    Canvas wideCanvas(400, 400);
    CommentArea wide = makeArea({}, true);
    drawCommentArea(wideCanvas.dc(), wide, {0, 0, 440, 440}, {0, 0}, cache, fonts);
    EXPECT_EQ(wide.frame(), (PixelRect{65, 65, 129, 103}));
    EXPECT_EQ(wideCanvas.at(65, 80), red);
    EXPECT_EQ(wideCanvas.at(128, 80), red);
    EXPECT_EQ(wideCanvas.at(129, 80), white);
}

TEST_F(CommentDrawing, FeedbackOfAGrabbedFrame) {
    CommentArea area = makeArea({});
    draw(area);
    ASSERT_TRUE(area.hitTest({150, 130}));
    const auto before = canvas.snapshot();
    drawCommentFeedback(canvas.dc(), area, cache);

    // The 3-pixel hatched border around the frame: frame colour and the pattern's base colour only.
    int hatched = 0, base = 0, other = 0;
    for (int y = 97; y < 163; ++y)
        for (int x = 97; x < 203; ++x) {
            if (x >= 100 && x < 200 && y >= 100 && y < 160)
                continue;
            const COLORREF c = canvas.at(x, y);
            (c == red ? hatched : c == patternBaseColour ? base : other)++;
        }
    EXPECT_EQ(other, 0);
    EXPECT_GT(hatched, 100);
    EXPECT_GT(base, 100);
    EXPECT_EQ(canvas.at(96, 130), white);
    EXPECT_EQ(canvas.at(101, 130), yellow) << "the inside is left alone";

    // The focus outline of the drag changes pixels along the feedback rectangle only.
    const auto now = canvas.snapshot();
    int changedOnEdge = 0;
    for (int x = 100; x < 200; ++x)
        changedOnEdge += now[100 * 400 + x] != before[100 * 400 + x];
    EXPECT_GT(changedOnEdge, 20);
    EXPECT_EQ(now[130 * 400 + 150], before[130 * 400 + 150]);

    // Once the drag has ended only the border shows; a frame without colour gets a black one.
    area.endDrag(false);
    area.select();
    Canvas after(400, 400);
    CommentArea colourless = makeArea(Look().frameIn(comment::noColour));
    drawCommentArea(after.dc(), colourless, {0, 0, 680, 680}, {0, 0}, cache, fonts);
    colourless.select();
    drawCommentFeedback(after.dc(), colourless, cache);
    EXPECT_GT(after.count({97, 97, 203, 100}, RGB(0, 0, 0)), 50);
    EXPECT_EQ(after.count({100, 100, 200, 101}, RGB(0, 0, 0)), 0) << "no focus outline after the drag";
}

TEST_F(CommentDrawing, FeedbackOfAGrabbedAnchor) {
    CommentArea area = makeArea({});
    draw(area);
    ASSERT_TRUE(area.hitTest({150, 250}));
    area.dragBy(20, 0);
    const auto before = canvas.snapshot();
    drawCommentFeedback(canvas.dc(), area, cache);
    // The filled circle stays on the anchor, not on the dragged point.
    EXPECT_EQ(canvas.at(150, 250), red);
    EXPECT_EQ(canvas.at(147, 250), red);
    EXPECT_EQ(canvas.at(153, 250), red);
    EXPECT_EQ(canvas.at(170, 250), white);
    // The focus outline is the 6 x 6 square (167, 247)-(173, 253) around the dragged point.
    const auto now = canvas.snapshot();
    auto changed = [&](int x, int y) { return now[y * 400 + x] != before[y * 400 + x]; };
    int onOutline = 0;
    for (int x = 167; x < 173; ++x)
        onOutline += changed(x, 247) + changed(x, 252);
    EXPECT_GT(onOutline, 4);
    for (int i = 160; i <= 180; ++i) {
        EXPECT_FALSE(changed(i, 246)) << i;
        EXPECT_FALSE(changed(i, 253)) << i;
        EXPECT_FALSE(changed(166, i - 160 + 240)) << i;
        EXPECT_FALSE(changed(173, i - 160 + 240)) << i;
    }
    EXPECT_FALSE(changed(170, 250)) << "only the outline";
}

LOGFONTW fontOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

TEST(CommentFonts, MadeFromTheAreaAndShared) {
    CommentArea area;
    CommentFormat format = area.format();
    format.styleFlags = comment::style::bold | comment::style::italic;
    area.setFormat(format);
    Font font = createCommentFont(area.fontDefinition());
    ASSERT_TRUE(font);
    LOGFONTW lf = fontOf(font.get());
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_FALSE(lf.lfUnderline);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(lf.lfQuality, DRAFT_QUALITY);
    EXPECT_EQ(lf.lfPitchAndFamily, DEFAULT_PITCH | FF_MODERN);
    EXPECT_EQ(std::wstring(lf.lfFaceName), widen("ＭＳ ゴシック"));

    area.rescale(true);
    lf = fontOf(createCommentFont(area.fontDefinition()).get());
    EXPECT_EQ(lf.lfHeight, -8);
    EXPECT_EQ(lf.lfWeight, 500);

    // A face name longer than the font can hold is cut, not refused.
    CommentFontDefinition longFace = area.fontDefinition();
    longFace.face = std::string(40, 'X');
    EXPECT_EQ(std::wstring(fontOf(createCommentFont(longFace).get()).lfFaceName), std::wstring(31, L'X'));

    CommentFontCache fonts(2);
    CommentArea a, b, c;
    c.rescale(true);
    CommentArea d;
    format = d.format();
    format.pointSize = 20;
    d.setFormat(format);
    HFONT fa = fonts.fontFor(a);
    ASSERT_NE(fa, nullptr);
    EXPECT_EQ(fonts.fontFor(b), fa) << "alike areas share one font";
    HFONT fc = fonts.fontFor(c);
    EXPECT_NE(fc, fa);
    EXPECT_EQ(fontOf(fc).lfHeight, -8);
    EXPECT_EQ(fontOf(fonts.fontFor(d)).lfHeight, -27);
    EXPECT_EQ(fonts.size(), 2u);
}

// Every frame style (rows) with every anchor style (columns), in normal and wide view, saved for a person
// to look at.
TEST(CommentPictures, EveryFrameAndAnchorStyleInBothViews) {
    const std::string folder = test::pictureFolder("comments");
    ASSERT_FALSE(folder.empty());
    DrawingResourceCache cache;
    CommentFontCache fonts;
    for (bool wide : {false, true}) {
        const int pitch = commentPitch(wide);
        Canvas sheet(4 * 6 * pitch, 4 * 6 * pitch, patternBaseColour);
        for (int frame = 0; frame < 4; ++frame)
            for (int anchor = 0; anchor < 4; ++anchor) {
                CommentArea area = CommentArea::create({0, 0, 80, 60}, 24, 24, false);
                // Cell-aligned in normal view, so the wide sheet shows the same layout scaled.
                const int left = anchor * 6 * 34 + 17, top = frame * 6 * 34 + 17;
                area.setFrame({left, top, left + 120, top + 85});
                area.setAnchor(150, 150);
                CommentFormat format = area.format();
                format.frameStyle = static_cast<std::uint8_t>(frame);
                format.anchorStyle = static_cast<std::uint8_t>(anchor);
                format.frameColour = RGB(0x20, 0x40, 0xC0);
                format.backgroundColour = frame == 2 ? RGB(0xFF, 0xF0, 0xC0) : RGB(0xFF, 0xFF, 0xFF);
                format.alignment = static_cast<std::uint8_t>((frame % 3) << 4 | anchor % 3);
                format.styleFlags = anchor == 1 ? comment::style::bold : 0;
                area.setFormat(format);
                area.setText("枠" + std::to_string(frame) + " 終点" + std::to_string(anchor) +
                             "\r\nコメント & text");
                area.rescale(wide);
                drawCommentArea(sheet.dc(), area, {0, 0, 24 * pitch, 24 * pitch}, {0, 0}, cache, fonts);
                if (frame == 1 && anchor == 1) { // one selected, as the view shows the area worked on
                    area.select();
                    drawCommentFeedback(sheet.dc(), area, cache);
                }
            }
        const std::string path = folder + (wide ? "styles-wide.png" : "styles-normal.png");
        EXPECT_TRUE(sheet.save(path)) << path;
    }
}

} // namespace
} // namespace tav::win
