#include "model/output/print_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace tav::print {

int marginPixels(int millimetres, int pixelsPerInch) {
    return static_cast<int>(millimetres * pixelsPerInch * 0.03937007874015748 + 0.5);
}

namespace {

// The last slice of a row or column of pages may hold less of the picture than a full one; it is drawn
// at the same scale, centred when asked.
struct Span {
    int sourceStart, sourceLength, destinationStart, destinationLength;
};

Span sliceSpan(int index, int slice, int picture, int available, int start, bool centre) {
    const int from = index * slice;
    const int rest = std::min(slice, picture - from);
    Span span{from, rest, start, available};
    if (rest < slice) {
        span.destinationLength = static_cast<int>(static_cast<double>(rest) / slice * available + 0.5);
        if (centre)
            span.destinationStart += (available - span.destinationLength) >> 1;
    }
    return span;
}

int ceilDiv(int value, int divisor) {
    return (value + divisor - 1) / divisor;
}

} // namespace

PrintPlan planPages(const PageSetup& s) {
    PrintPlan plan;
    plan.headerFontHeight = static_cast<int>(std::lround(s.headerFontHeight * s.scaleY));
    plan.bandHeight = static_cast<int>((s.headerFontHeight + 2) * s.scaleY + 0.5);
    const int availableWidth = s.printableWidth - s.left - s.right;
    const int bands = (s.header ? plan.bandHeight : 0) + (s.footer ? plan.bandHeight : 0);
    const int availableHeight = s.printableHeight - s.top - s.bottom - bands;
    plan.imageWidth = availableWidth;
    plan.imageHeight = availableHeight;
    if (availableWidth <= 0 || availableHeight <= 0 || s.pictureWidth <= 0 || s.pictureHeight <= 0 ||
        s.scaleX <= 0 || s.scaleY <= 0)
        return plan;
    plan.sliceWidth = static_cast<int>(availableWidth / s.scaleX);
    plan.sliceHeight = static_cast<int>(availableHeight / s.scaleY);
    const int left = s.left;
    const int top = (s.header ? plan.bandHeight : 0) + s.top;

    if (s.fitToPage) {
        plan.pagesAcross = plan.pagesDown = 1;
        double k = std::min(availableHeight / (s.pictureHeight * s.scaleY + 0.5),
                            availableWidth / (s.pictureWidth * s.scaleX + 0.5));
        k = std::min(k, 1.0); // never enlarged
        plan.fitScale = k;
        const int width = static_cast<int>(s.scaleX * s.pictureWidth * k + 0.5);
        const int height = static_cast<int>(s.scaleY * k * s.pictureHeight + 0.5);
        int x = left, y = top;
        if (s.centreHorizontally && width < availableWidth)
            x += (availableWidth - width) >> 1;
        if (s.centreVertically && height < availableHeight)
            y += (availableHeight - height) >> 1;
        plan.pages.push_back({1, {0, 0, s.pictureWidth, s.pictureHeight}, {x, y, x + width, y + height}});
        return plan;
    }

    if (plan.sliceWidth <= 0 || plan.sliceHeight <= 0)
        return plan;
    plan.pagesAcross = ceilDiv(s.pictureWidth, plan.sliceWidth);
    plan.pagesDown = ceilDiv(s.pictureHeight, plan.sliceHeight);
    int number = 0;
    for (int column = 0; column < plan.pagesAcross; ++column) {
        const Span across =
            sliceSpan(column, plan.sliceWidth, s.pictureWidth, availableWidth, left, s.centreHorizontally);
        for (int row = 0; row < plan.pagesDown; ++row) {
            const Span down =
                sliceSpan(row, plan.sliceHeight, s.pictureHeight, availableHeight, top, s.centreVertically);
            plan.pages.push_back(
                {++number,
                 {across.sourceStart, down.sourceStart, across.sourceStart + across.sourceLength,
                  down.sourceStart + down.sourceLength},
                 {across.destinationStart, down.destinationStart,
                  across.destinationStart + across.destinationLength,
                  down.destinationStart + down.destinationLength}});
        }
    }
    return plan;
}

std::string expandField(std::string_view field, const JobTexts& job, int page, int pageCount) {
    char text[64];
    if (field == "_%d")
        return job.date;
    if (field == "_%t")
        return job.time;
    if (field == "_%f")
        return job.fileName;
    if (field == "_%fp")
        return job.filePath;
    if (field == "_%p") {
        std::snprintf(text, sizeof text, "%d ﾍﾟｰｼﾞ", page);
        return text;
    }
    if (field == "_%p/a") {
        std::snprintf(text, sizeof text, "%d / %d ﾍﾟｰｼﾞ", page, pageCount);
        return text;
    }
    return std::string(field);
}

namespace {

constexpr std::string_view paperNames[] = {
    "Letter、8 1/2 × 11 ｲﾝﾁ",
    "Letter Small、8 1/2 × 11 ｲﾝﾁ",
    "Tabloid、11 × 17 ｲﾝﾁ",
    "Ledger、17 × 11 ｲﾝﾁ",
    "Legal、8 1/2 × 14 ｲﾝﾁ",
    "Statement、5 1/2 × 8 1/2 ｲﾝﾁ",
    "Executive、7 1/4 × 10 1/2 ｲﾝﾁ",
    "A3 ｼｰﾄ、297 × 420 mm",
    "A4 ｼｰﾄ、210 × 297 mm",
    "A4 small ｼｰﾄ、210 × 297 mm",
    "A5 ｼｰﾄ、148 × 210 mm",
    "B4 ｼｰﾄ、250 × 354 mm",
    "B5 ｼｰﾄ、182 × 257 mm",
    "Folio、8 1/2 × 13 ｲﾝﾁ",
    "Quarto、215 × 275 mm",
    "10 × 14 ｲﾝﾁ ｼｰﾄ",
    "11 × 17 ｲﾝﾁ ｼｰﾄ",
    "Note、8 1/2 × 11 ｲﾝﾁ",
    "#9 Envelope、3 7/8 × 8 7/8 ｲﾝﾁ",
    "#10 Envelope、4 1/8 × 9 1/2 ｲﾝﾁ",
    "#11 Envelope、4 1/2 × 10 3/8 ｲﾝﾁ",
    "#12 Envelope、4 3/4 × 11 ｲﾝﾁ",
    "#14 Envelope、5 × 11 1/2 ｲﾝﾁ",
    "C ｼｰﾄ、17 × 22 ｲﾝﾁ",
    "D ｼｰﾄ、22 × 34 ｲﾝﾁ",
    "E ｼｰﾄ、34 × 44 ｲﾝﾁ",
    "DL Envelope、110 × 220 mm",
    "C5 Envelope、162 × 229 mm",
    "C3 Envelope、324 × 458 mm",
    "C4 Envelope、229 × 324 mm",
    "C6 Envelope、114 × 162 mm",
    "C65 Envelope、114 × 229 mm",
    "B4 Envelope、250 × 353 mm",
    "B5 Envelope、176 × 250 mm",
    "B6 Envelope、176 × 125 mm",
    "Italy Envelope、110 × 230 mm",
    "Monarch Envelope、3 7/8 × 7 1/2 ｲﾝﾁ",
    "6 3/4 Envelope、3 5/8 × 6 1/2 ｲﾝﾁ",
    "US Std Fanfold、14 7/8 × 11 ｲﾝﾁ",
    "German Std Fanfold、8 1/2 × 12 ｲﾝﾁ",
    "German Legal Fanfold、8 1/2 × 13 ｲﾝﾁ",
};

} // namespace

std::string_view paperName(int paperCode) {
    if (paperCode >= 1 && paperCode <= static_cast<int>(std::size(paperNames)))
        return paperNames[paperCode - 1];
    return "Unknown ｻｲｽﾞ";
}

} // namespace tav::print
