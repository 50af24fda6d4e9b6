#pragma once
// The Pellmora pictures drawn from the part models: the problem drawings (four views in the
// first-angle arrangement around the blank), the candidate drawings (front views) and the
// perspective drawings.

#include "drawing/views/arrangement.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <vector>

namespace missing_view::models {

// High enough that the blank decodes white and the ground keeps its colour, within a few levels.
constexpr int kJpegQuality = 100;  // the blank and the grounds decode to their exact colours

// The views of a model, worked out once.
const drawing::views::View& viewOf(const drawing::views::Model& model, drawing::views::Side side);
// What a view's lines cover, centre lines included, in view coordinates.
QRectF contentBounds(const drawing::views::View& view);

// The rectangles (pixels) of the controls of an exercise page that stand over its drawing,
// `Label1` aside, which stands on the blank.
std::vector<QRectF> controlsOver(int page);

// The candidate drawing that is page `page`'s missing view.
int rightCandidate(int page);

// The views are drawn at the scale of the page's right candidate, around the blank.
struct ProblemLayout {
    drawing::views::Arrangement at;  // `front` is where the missing view belongs, on the blank
    QSize size;
    QRect blank;
};
ProblemLayout problemLayout(int page);
QImage drawProblem(int page);

struct CandidateLayout {
    drawing::views::Placement at;
    QSize size;
    QRect shown;  // what every box that shows the drawing lets be seen
    QColor ground;
};
CandidateLayout candidateLayout(int v);
QImage drawCandidate(int v);
// The file of candidate drawing V<v>. V18 also stands on a page of the exercices program, which
// embeds these very bytes.
QByteArray candidateJpeg(int v);

// Perspective drawing n: the shaded part, then its axis marker (on every drawing but the first)
// where the part leaves room for it.
QImage drawPerspectivePart(int n);
QImage withAxisMarker(int n, QImage part);
QImage drawPerspective(int n);

}  // namespace missing_view::models
