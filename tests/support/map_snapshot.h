#pragma once
// Everything a map file load or save may change in a document, so a test can tell whether a document
// stayed exactly as it was or equals another.
#include <string>
#include <vector>

#include "model/document/map_document.h"

namespace tav::test {

struct MapSnapshot {
    struct Comment {
        CommentRecord record;
        std::string text;
        PixelRect frame;
        PixelPoint anchor;
        bool operator==(const Comment&) const = default;
    };

    int width = 0;
    int height = 0;
    std::vector<Cell> cells;
    RulerSettings ruler;
    MarkPalette palette;
    std::vector<Comment> comments;
    FilePath fileName;
    bool modified = false;
    bool canUndo = false;

    static MapSnapshot of(const MapDocument& doc) {
        MapSnapshot s;
        s.width = doc.width();
        s.height = doc.height();
        s.cells = doc.grid().cells();
        s.ruler = doc.getRuler();
        s.palette = doc.palette();
        for (const auto& area : doc.comments())
            s.comments.push_back({area->copyRecord(), area->text(), area->frame(), area->anchor()});
        s.fileName = doc.currentFileName();
        s.modified = doc.isModified();
        s.canUndo = doc.canUndo();
        return s;
    }
    // The map's content alone: not its name, flag or journal.
    bool sameMap(const MapSnapshot& other) const {
        return width == other.width && height == other.height && cells == other.cells &&
               ruler == other.ruler && palette == other.palette && comments == other.comments;
    }
    bool operator==(const MapSnapshot&) const = default;
};

} // namespace tav::test
