// Page breaking for the help document. The document is laid out once as a tall strip per
// source (the manual, its contents list); the strip is cut into pieces that must never be
// split: a line of text, a table row, a picture, a formula. paginate fills pages with whole
// pieces, honours pieces that must stay with the next one (a heading, a table's header row, the
// first and last lines of a paragraph) and chapters that open a page, and repeats a table's
// header row at the top of a page on which the table goes on. No Qt here: the geometry is
// plain numbers, so the rules are testable without laying out a document.
#pragma once

#include <vector>

namespace helppdf {

struct Piece {
    int source = 0;  // which strip the piece is cut from
    double top = 0;  // extent in its strip
    double bottom = 0;
    bool breakBefore = false;   // starts a new page
    bool keepWithNext = false;  // shares its page with the next piece
    int header = -1;            // a piece shown first when this one opens a page (-1: none)
};

// A run of pieces of one strip, shown in one go at height y of the page's content area.
struct Slice {
    int source = 0;
    double top = 0;
    double bottom = 0;
    double y = 0;
    int firstPiece = 0;  // the pieces the slice shows, [firstPiece, endPiece)
    int endPiece = 0;
};

struct Page {
    std::vector<Slice> slices;
    int firstPiece = 0;  // the pieces the page carries, not counting a repeated header
    int endPiece = 0;
};

// Fills pages of the given height; `sourceGap` separates consecutive slices of different
// strips. A piece taller than a page gets a page of its own (and overflows it).
std::vector<Page> paginate(const std::vector<Piece>& pieces, double pageHeight, double sourceGap);

}  // namespace helppdf
