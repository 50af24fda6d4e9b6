#pragma once
// The Qt widgets that stand for a loaded window and its six kinds of control.

#include "forms/layout.h"

#include <QFrame>
#include <QRadioButton>
#include <QImage>
#include <QWidget>

#include <map>
#include <string>

namespace forms {

class Window;

// Pixels of a twips measure at 96 dpi.
constexpr int pixels(Twips t) { return t / kTwipsPerPixel; }
QRect pixelRect(const Rect& r);

// The Qt font of a layout font: the face where the system has it, the bundled
// substitute elsewhere, at the exact pixel height of its point size at 96 dpi.
QFont qtFont(const Font& font);
// The face drawn for a layout face on this machine.
QString resolvedFace(const std::string& face);
// Registers the bundled substitute faces once.
void registerBundledFonts();

// The client area of a loaded window: background colour, then its picture
// unscaled from the top-left corner and clipped.
class FormWidget : public QWidget {
    Q_OBJECT
public:
    FormWidget(Window& window, QString background);
    QWidget* control(const std::string& name) const;
    void addControl(const std::string& name, QWidget* widget) { controls_[name] = widget; }
    const QString& background() const { return background_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The window manager's frame shows up with the first move after the window is shown.
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    Window& window_;
    QString background_;  // resource path, empty for none
    std::map<std::string, QWidget*> controls_;
};

// An option button. The arrow keys select the next or the previous option of the window,
// in tab order and going round, whatever their places (Qt alone moves only along a row or column).
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A picture box: 2-pixel sunken border, the image unscaled from the inner
// top-left corner, clipped at the inner edge of the border.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(QString picture, QWidget* parent);
    const QString& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString picture_;  // resource path, empty for none
};

// An opaque label: text from the top, wrapped at word boundaries, left or
// centred, clipped to its rectangle.
class Label : public QWidget {
    Q_OBJECT
public:
    Label(QString text, Alignment alignment, bool highlight, QWidget* parent);
    const QString& text() const { return text_; }
    int textFlags() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    Alignment alignment_;
    bool highlight_;
};

// A 1-pixel solid line in the Window Text colour; clicks pass through it.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QPoint from, QPoint to, QWidget* parent);  // in the window's pixels

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_, to_;  // local to the widget
};

}  // namespace forms
