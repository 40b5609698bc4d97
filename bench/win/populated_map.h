#pragma once
// The map the drawing harnesses time: the program's limits, with every cell and palette slot in use.
#include <functional>
#include <string>
#include <vector>

#include "model/document/map_document.h"

namespace tav::bench {

constexpr double frameMs = 1000.0 / 60.0;

// Every wall slot with both shapes, every room slot with a see-through picture, eight backgrounds.
void fullPalette(MarkPalette& palette);
// Both walls, a room mark and a background in every cell.
void fillEveryCell(MapDocument& document);
// Areas of 100x100 pixels scattered over the map, always at the same places; none over keepClear (map
// pixels of the current view), so that a press there reaches the map.
void addComments(MapDocument& document, int count, const PixelRect& keepClear = {});

// Milliseconds per call: the best of several timed batches, each long enough to swamp the timer.
double timePerCall(const std::function<void()>& call);

// The same when each call follows a preparation that is not timed (the program waiting for input).
double timePerCallAfter(const std::function<void()>& prepare, const std::function<void()>& call);

struct Row {
    std::string name;
    double ms;
};
// The time per call and its share of a 60 Hz frame.
void printTable(const std::vector<Row>& rows);

} // namespace tav::bench
