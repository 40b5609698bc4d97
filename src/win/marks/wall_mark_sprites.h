#pragma once
// Wall marks of the map copied from kept pictures (see sprite_store.h) instead of drawn shape by shape:
// the same pixels for a small part of the calls. The pictures are keyed by what the mark looks like, so
// palette edits need nothing done to them.
#include <windows.h>

#include "model/marks/mark_palette.h"
#include "win/marks/mark_drawing.h"

namespace tav::win {

class DrawingResourceCache;

// Whether copies give dc exactly what drawing gives: a true-colour target in the default mapping, filling
// and mixing. Ask once per pass; when false, draw directly.
bool wallSpritesFit(HDC dc);

// As drawWallMarkRecord and drawWallMark, for a dc where wallSpritesFit holds. Icon scale, and any mark
// whose picture cannot be kept, is drawn directly.
void copyWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                        WallDirection direction, DrawingResourceCache& cache);
void copyWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                  WallDirection direction, DrawingResourceCache& cache);

} // namespace tav::win
