#include "pagination.h"

namespace helppdf {
namespace {

double height(const Piece& piece) { return piece.bottom - piece.top; }

Page makePage(const std::vector<Piece>& pieces, int first, int end, double sourceGap) {
    Page page;
    page.firstPiece = first;
    page.endPiece = end;
    double y = 0;
    const int header = pieces[first].header;
    if (header >= 0) {
        const Piece& h = pieces[header];
        page.slices.push_back({h.source, h.top, h.bottom, y, header, header + 1});
        y += height(h);
    }
    for (int run = first; run < end;) {
        int runEnd = run + 1;
        while (runEnd < end && pieces[runEnd].source == pieces[run].source) ++runEnd;
        if (run > first) y += sourceGap;
        const Slice slice{
            pieces[run].source, pieces[run].top, pieces[runEnd - 1].bottom, y, run, runEnd};
        page.slices.push_back(slice);
        y += slice.bottom - slice.top;
        run = runEnd;
    }
    return page;
}

}  // namespace

std::vector<Page> paginate(const std::vector<Piece>& pieces, double pageHeight, double sourceGap) {
    std::vector<Page> pages;
    const int count = static_cast<int>(pieces.size());
    for (int first = 0; first < count;) {
        const int header = pieces[first].header;
        double used = header >= 0 ? height(pieces[header]) : 0;
        int end = first;
        while (end < count) {
            const Piece& piece = pieces[end];
            if (end > first && piece.breakBefore) break;
            double grows = height(piece);
            if (end > first) {
                const Piece& above = pieces[end - 1];
                grows = piece.source == above.source ? piece.bottom - above.bottom
                                                     : sourceGap + height(piece);
            }
            if (end > first && used + grows > pageHeight) break;
            used += grows;
            ++end;
        }
        // Pieces that must stay with the next one leave for the next page with it, unless
        // the whole page is one such chain.
        if (end < count && !pieces[end].breakBefore) {
            int keep = end;
            while (keep > first && pieces[keep - 1].keepWithNext) --keep;
            if (keep > first) end = keep;
        }
        pages.push_back(makePage(pieces, first, end, sourceGap));
        first = end;
    }
    return pages;
}

}  // namespace helppdf
