#pragma once
// The sizes of the Pellmora pictures and what stands where on them.

#include <QColor>
#include <QRect>
#include <QSize>

#include <vector>

namespace missing_view::models {

inline QColor problemGround() { return QColor(229, 231, 220); }

struct ProblemDrawing {
    QSize size;
    QRect blank;  // the pure white place of the missing front view
};
const ProblemDrawing& problemDrawing(int page);

struct CandidateDrawing {
    QSize size;
    bool white;     // on white, else on the ground of the problem drawings
    int rightPage;  // the page where it is the missing view, or 0
};
const CandidateDrawing& candidateDrawing(int v);
inline int rightPage(int v) { return candidateDrawing(v).rightPage; }
// The pages and boxes where the candidate stands, as (page, the box's inner pixel size).
std::vector<std::pair<int, QSize>> candidatePlaces(int v);

QSize perspectiveSize(int n);

}  // namespace missing_view::models
