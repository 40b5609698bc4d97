#pragma once
// The arithmetic of a print job: how the map's picture is cut into pages or shrunk onto one, where each
// slice lands on its page, and the header and footer texts of each page.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/comments/pixel_rect.h"

namespace tav::print {

// Millimetres to device pixels at this many pixels per inch, rounded.
int marginPixels(int millimetres, int pixelsPerInch);

struct PageSetup {
    int pictureWidth = 0, pictureHeight = 0;      // the map's picture in screen pixels
    int printableWidth = 0, printableHeight = 0;  // HORZRES and VERTRES
    double scaleX = 1, scaleY = 1;                // printer pixels per screen pixel
    int left = 0, right = 0, top = 0, bottom = 0; // margins in printer pixels
    int headerFontHeight = 0;                     // |lfHeight| of the chosen font, in screen pixels
    bool header = false, footer = false;
    bool fitToPage = false;
    bool centreHorizontally = false, centreVertically = false;
};

struct Page {
    int number = 0;        // from 1, column by column
    PixelRect source;      // in the picture
    PixelRect destination; // on the page
};

struct PrintPlan {
    int bandHeight = 0;                  // of the header or the footer, in printer pixels
    int headerFontHeight = 0;            // in printer pixels
    int imageWidth = 0, imageHeight = 0; // the area inside the margins and bands
    int sliceWidth = 0, sliceHeight = 0; // picture pixels per page when not fitting
    int pagesAcross = 0, pagesDown = 0;
    double fitScale = 1; // below 1 when fitting shrinks the picture
    std::vector<Page> pages;
    int pageCount() const { return pagesAcross * pagesDown; }
};

// Empty pages when the printable area leaves no room for the picture.
PrintPlan planPages(const PageSetup& setup);

// What a header or footer field prints: a field equal to a token is replaced, anything else stays.
struct JobTexts {
    std::string date;     // "%Y/%m/%d" of the job's start
    std::string time;     // "%H:%M:%S"
    std::string fileName; // the map file's name with its extension
    std::string filePath; // its full path
};
std::string expandField(std::string_view field, const JobTexts& job, int page, int pageCount);

// The printer's paper by its paper code; "Unknown ｻｲｽﾞ" for a code not in the table.
std::string_view paperName(int paperCode);

} // namespace tav::print
