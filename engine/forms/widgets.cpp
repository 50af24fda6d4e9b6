#include "forms/widgets.h"

#include "forms/pictures.h"
#include "forms/runtime.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>

#include <cmath>

namespace forms {

QRect pixelRect(const Rect& r)
{
    return {pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
}

void registerBundledFonts()
{
    static const bool registered = [] {
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/ComicNeue-Regular.otf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
        return true;
    }();
    (void)registered;
}

QString resolvedFace(const std::string& face)
{
    registerBundledFonts();
    const QString wanted = QString::fromStdString(face);
    if (QFontDatabase::families().contains(wanted, Qt::CaseInsensitive))
        return wanted;
    if (wanted.compare(QStringLiteral("Comic Sans MS"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Comic Neue");
    return QStringLiteral("Liberation Sans");
}

QFont qtFont(const Font& font)
{
    QFont f(resolvedFace(font.face));
    // 8.25, 9, 9.75, 18 and 27.75 pt are whole pixel heights at 96 dpi; setting the
    // pixel size keeps text where the layout put it whatever the desktop's font dpi.
    f.setPixelSize(static_cast<int>(std::lround(font.points * 96.0 / 72.0)));
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

FormWidget::FormWidget(Window& window, QString background)
    : window_(window), background_(std::move(background))
{
}

QWidget* FormWidget::control(const std::string& name) const
{
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void FormWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!background_.isEmpty())
        p.drawImage(QPoint(0, 0), pictures::decode(background_));
}

void FormWidget::closeEvent(QCloseEvent* event)
{
    bool accept = true;
    window_.closeRequested(this, accept);
    if (accept)
        event->accept();
    else
        event->ignore();
}

void FormWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    window_.centreWhenFramed(this);
}

void FormWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    window_.centreWhenFramed(this);
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down: step = 1; break;
    case Qt::Key_Left:
    case Qt::Key_Up: step = -1; break;
    default: QRadioButton::keyPressEvent(event); return;
    }
    // The window's options in tab order: the focus chain was laid out by tab index.
    std::vector<OptionButton*> options;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (auto* o = qobject_cast<OptionButton*>(w); o && o->parentWidget() == parentWidget())
            options.push_back(o);
    if (options.empty())
        return;
    OptionButton* next = step > 0 ? options.front() : options.back();
    next->setFocus(Qt::TabFocusReason);
    next->setChecked(true);
    event->accept();
}

PictureBox::PictureBox(QString picture, QWidget* parent) : QFrame(parent), picture_(std::move(picture))
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (picture_.isEmpty())
        return;
    QPainter p(this);
    const QRect inner = contentsRect();
    p.setClipRect(inner);
    p.drawImage(inner.topLeft(), pictures::decode(picture_));
}

Label::Label(QString text, Alignment alignment, bool highlight, QWidget* parent)
    : QWidget(parent), text_(std::move(text)), alignment_(alignment), highlight_(highlight)
{
    setFocusPolicy(Qt::NoFocus);
}

int Label::textFlags() const
{
    return Qt::AlignTop | Qt::TextWordWrap |
           (alignment_ == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(highlight_ ? QPalette::Highlight : QPalette::ButtonText));
    p.setFont(font());
    p.setClipRect(rect());
    p.drawText(rect(), textFlags(), text_);
}

Line::Line(QPoint from, QPoint to, QWidget* parent) : QWidget(parent)
{
    const QPoint origin(std::min(from.x(), to.x()), std::min(from.y(), to.y()));
    setGeometry(QRect(origin, QSize(std::abs(to.x() - from.x()) + 1, std::abs(to.y() - from.y()) + 1)));
    from_ = from - origin;
    to_ = to - origin;
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 0));
    p.drawLine(from_, to_);
}

}  // namespace forms
