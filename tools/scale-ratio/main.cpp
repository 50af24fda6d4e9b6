// scale-ratio FOLDER: on the exercise pages of Pellmora as a contact sheet grabbed them
// (FOLDER/windows/Pellmora-Form<2n>.png), how large the right candidate is drawn against the size
// that the four views give the missing front view. Sizes are the spans of the thick lines: across
// for the views above and below the blank, up and down for those left and right of it.

#include "missing-view/missing_view.h"
#include "missing-view/models/drawings.h"
#include "missing-view/models/tables.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

using missing_view::models::candidateDrawing;
using missing_view::models::controlsOver;
using missing_view::models::problemDrawing;
using missing_view::models::problemGround;

// How much of a pixel a line covers, from its colour over the ground.
double darkness(QRgb c, QColor ground)
{
    const double g = ground.red() + ground.green() + ground.blue();
    return std::clamp(1 - (qRed(c) + qGreen(c) + qBlue(c)) / g, 0.0, 1.0);
}

// The number of pixels that the thick lines in a region span, across (`alongX`) or up and down,
// leaving out what lies under the controls. Thin centre lines do not count: a pixel counts when it
// is dark and the line through it carries more than a pixel of ink across that direction's
// perpendicular.
int thickSpan(const QImage& image, QRect region, QColor ground, bool alongX, const std::vector<QRectF>& controls = {})
{
    region &= image.rect();
    int lo = 1 << 20, hi = -(1 << 20);
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            if (std::any_of(controls.begin(), controls.end(), [&](const QRectF& r) { return r.contains(QPointF(x + 0.5, y + 0.5)); }))
                continue;
            const QRgb c = image.pixel(x, y);
            if (qRed(c) + qGreen(c) + qBlue(c) >= 3 * 128)
                continue;
            double across = 0;
            for (int k = -1; k <= 1; ++k) {
                const QPoint q = alongX ? QPoint(x, y + k) : QPoint(x + k, y);
                if (region.contains(q))
                    across += darkness(image.pixel(q), ground);
            }
            if (across < 1.3)
                continue;
            lo = std::min(lo, alongX ? x : y);
            hi = std::max(hi, alongX ? x : y);
        }
    return hi >= lo ? hi - lo + 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: scale-ratio FOLDER (a contact sheet)\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    std::printf("page  candidate  views      across  up-down  ratio\n");
    double sum = 0;
    for (int n = 1; n <= 16; ++n) {
        const QString file = QStringLiteral("%1/windows/Pellmora-Form%2.png").arg(folder).arg(2 * n);
        const QImage window = QImage(file).convertToFormat(QImage::Format_RGB32);
        if (window.isNull()) {
            std::fprintf(stderr, "scale-ratio: cannot read %s\n", qPrintable(file));
            return 1;
        }
        const missing_view::ExercisePage& page = missing_view::exercisePages()[std::size_t(n - 1)];
        const int option = missing_view::answerKey()[std::size_t(n - 1)].correctOption;
        const missing_view::CandidateBox& box = page.under[std::size_t(option - 1)];
        constexpr int k = forms::kTwipsPerPixel;
        // what the box shows of its picture: inside its 2 px border
        const QRect shown(box.rect.left / k + 2, box.rect.top / k + 2, box.rect.width / k - 4, box.rect.height / k - 4);
        const QColor ground = candidateDrawing(box.candidate).white ? QColor(Qt::white) : problemGround();
        const int cw = thickSpan(window, shown, ground, true), ch = thickSpan(window, shown, ground, false);

        const QRect blank = problemDrawing(n).blank;
        const QSize size = problemDrawing(n).size;
        const QRect above(blank.left(), 0, blank.width(), blank.top());
        const QRect below(blank.left(), blank.bottom() + 1, blank.width(), size.height() - blank.bottom() - 1);
        const QRect toLeft(0, blank.top(), blank.left(), blank.height());
        const QRect toRight(blank.right() + 1, blank.top(), size.width() - blank.right() - 1, blank.height());
        const std::vector<QRectF> controls = controlsOver(n);
        const auto span = [&](QRect r, bool alongX) { return thickSpan(window, r, problemGround(), alongX, controls); };
        const double vw = (span(above, true) + span(below, true)) / 2.0;
        const double vh = (span(toLeft, false) + span(toRight, false)) / 2.0;
        const double across = cw / vw, upDown = ch / vh, ratio = (across + upDown) / 2;
        sum += ratio;
        std::printf("%4d  %3d x %3d  %5.1f x %5.1f  %5.2f  %6.2f  %5.2f\n", n, cw, ch, vw, vh, across, upDown, ratio);
    }
    std::printf("mean ratio %.3f\n", sum / 16);
    return 0;
}
