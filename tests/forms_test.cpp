// How loaded windows look and behave: sizes, stacking and clicks, pictures
// unscaled and clipped, labels that wrap and clip, tab order and the arrow keys.

#include "forms/pictures.h"
#include "forms/runtime.h"
#include "forms/widgets.h"
#include "missing-view/missing_view.h"
#include "qt_printers.h"
#include "quiz_driver.h"

#include <QAbstractButton>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace forms;

namespace {

QColor pixel(QWidget* w, QPoint p) { return w->grab().toImage().pixelColor(p); }

// A picture made by the test: a solid colour with a one-pixel black frame.
QString writePicture(const char* name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = QDir::temp().filePath(QString::fromLatin1(name));
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

// Form1 of a tiny program, laid out for the case at hand.
struct OneWindow {
    explicit OneWindow(Layout layout) : runtime({std::move(layout)}, QStringLiteral("test"))
    {
        runtime.endHook = [](int) {};
        runtime.start();
    }
    QWidget* form() { return runtime.startWindow().widget(); }
    QWidget* control(const char* name) { return form()->findChild<QWidget*>(QString::fromLatin1(name)); }
    Runtime runtime;
};

Layout window(Twips w, Twips h)
{
    Layout l;
    l.window = {"Form1", "test", w, h, Border::FixedDialog, "", "", std::nullopt};
    return l;
}

}  // namespace

TEST(Forms, WindowsHaveTheirExactFixedClientSizeAndNoMinimiseOrMaximise)
{
    testing_support::QuizDriver driver(missing_view::project());
    driver.start();
    driver.click(1, "Command1");
    for (int n : {2, 34}) {
        QWidget* w = driver.runtime().ensure(n).widget();
        const auto& rec = driver.runtime().ensure(n).layout().window;
        EXPECT_EQ(w->size(), QSize(rec.clientWidth / 15, rec.clientHeight / 15));
        EXPECT_EQ(w->minimumSize(), w->maximumSize());
        EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    }
    EXPECT_EQ(driver.runtime().ensure(34).widget()->windowType(), Qt::Tool);
    EXPECT_EQ(driver.runtime().ensure(2).widget()->windowType(), Qt::Dialog);
}

TEST(Forms, AWindowIsCentredWhenLoadedAndKeepsItsPlaceWhenHidden)
{
    testing_support::QuizDriver driver(missing_view::project());
    driver.start();
    driver.click(1, "Command1");
    QWidget* page = driver.runtime().ensure(2).widget();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // The whole window, frame included, within a pixel.
    EXPECT_NEAR(page->frameGeometry().center().x(), area.center().x(), 1);
    EXPECT_NEAR(page->frameGeometry().center().y(), area.center().y(), 1);
    page->move(page->pos() + QPoint(40, 30));
    const QPoint moved = page->pos();
    driver.click(2, "Command2");   // hidden
    driver.click(1, "Command1");   // shown again
    EXPECT_EQ(driver.runtime().ensure(2).widget()->pos(), moved);
    driver.close(2);
    driver.click(1, "Command1");   // loaded afresh: centred again
    EXPECT_NEAR(driver.runtime().ensure(2).widget()->frameGeometry().center().x(), area.center().x(), 1);
    EXPECT_NEAR(driver.runtime().ensure(2).widget()->frameGeometry().center().y(), area.center().y(), 1);
}

TEST(Forms, TheControlStoredEarlierIsInFrontAndTakesTheClick)
{
    testing_support::QuizDriver driver(missing_view::project());
    driver.start();
    driver.click(1, "Command1");
    // Page 7: Option2 reaches 15 twips (one pixel row) into the box below it.
    for (int n = 1; n <= 6; ++n)
        driver.click(quiz::exercisePage(n), "Command2");
    QWidget* page = driver.runtime().ensure(14).widget();
    QWidget* option2 = page->findChild<QWidget*>("Option2");
    const int overlapRow = 5880 / 15;
    ASSERT_EQ(option2->geometry().bottom(), overlapRow);
    EXPECT_EQ(page->childAt(option2->x() + 20, overlapRow), option2);
    // Command2, stored before Command1, covers its lowest pixel row.
    QWidget* command1 = page->findChild<QWidget*>("Command1");
    EXPECT_EQ(page->childAt(command1->x() + 10, command1->geometry().bottom()), page->findChild<QWidget*>("Command2"));
    // A click on the "?" selects nothing.
    QWidget* label = page->findChild<QWidget*>("Label1");
    QTest::mouseClick(page->windowHandle(), Qt::LeftButton, {}, label->geometry().center());
    for (const char* option : {"Option1", "Option2", "Option3"})
        EXPECT_FALSE(page->findChild<QAbstractButton*>(option)->isChecked());
}

TEST(Forms, AnOptionInsideAPictureBoxIsDrawnInFrontAndSelectedThere)
{
    Layout l = window(3000, 3000);
    l.controls.push_back(optionButton("Option1", "Réponse a", {300, 300, 1455, 375}, 1));
    l.controls.push_back(pictureBox("Picture1", {150, 150, 2400, 2400}, 0,
                                    writePicture("korvessa-red.png", {200, 200}, Qt::red).toStdString()));
    OneWindow w(l);
    QWidget* option = w.control("Option1");
    EXPECT_EQ(w.form()->childAt(option->geometry().center()), option);
    // Clicked through the window, as a student's click finds its widget.
    QTest::mouseClick(w.form()->windowHandle(), Qt::LeftButton, {}, option->geometry().center());
    EXPECT_TRUE(static_cast<QAbstractButton*>(option)->isChecked());
    // The caption's background is opaque over the picture.
    EXPECT_NE(pixel(w.form(), option->geometry().topRight() - QPoint(2, -2)), QColor(Qt::red));
}

TEST(Forms, PictureBoxShowsItsImageUnscaledAndClippedInsideTheBorder)
{
    Layout l = window(3000, 3000);
    // 1200 x 900 twips: 80 x 60 px, of which 76 x 56 inside the 2-pixel border.
    l.controls.push_back(pictureBox("Picture1", {0, 0, 1200, 900}, 0,
                                    writePicture("korvessa-big.png", {100, 100}, Qt::blue).toStdString()));
    l.controls.push_back(pictureBox("Picture2", {1500, 0, 1200, 900}, 1,
                                    writePicture("korvessa-small.png", {30, 20}, Qt::blue).toStdString()));
    OneWindow w(l);
    const QImage big = w.control("Picture1")->grab().toImage();
    EXPECT_EQ(big.size(), QSize(80, 60));
    EXPECT_EQ(big.pixelColor(2, 2), QColor(Qt::blue));
    EXPECT_EQ(big.pixelColor(77, 57), QColor(Qt::blue));
    EXPECT_NE(big.pixelColor(78, 58), QColor(Qt::blue));  // the border, not the picture
    EXPECT_NE(big.pixelColor(1, 1), QColor(Qt::blue));
    const QImage small = w.control("Picture2")->grab().toImage();
    EXPECT_EQ(small.pixelColor(31, 21), QColor(Qt::blue));
    EXPECT_EQ(small.pixelColor(32, 22), w.form()->palette().color(QPalette::Window));  // background beyond
}

TEST(Forms, WindowPictureIsDrawnFromTheTopLeftAndCutAtTheEdges)
{
    Layout l = window(1500, 1500);  // 100 x 100 px
    l.window.picture = writePicture("korvessa-window.png", {120, 60}, Qt::green).toStdString();
    OneWindow w(l);
    const QImage shot = w.form()->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(100, 100));
    EXPECT_EQ(shot.pixelColor(99, 59), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(50, 61), w.form()->palette().color(QPalette::Window));
}

TEST(Forms, LabelsWrapAtWordsKeepDoubleBlanksAndCutWhatDoesNotFit)
{
    const Font font{"Comic Sans MS", 18};
    const QFont qfont = qtFont(font);
    EXPECT_EQ(qfont.pixelSize(), 24);
    const QFontMetrics metrics(qfont);
    EXPECT_GT(metrics.horizontalAdvance(QStringLiteral("trait  fin")), metrics.horizontalAdvance(QStringLiteral("trait fin")));

    Layout l = window(3000, 1500);
    l.window.picture = writePicture("korvessa-under-label.png", {200, 100}, Qt::green).toStdString();
    // Three lines' worth of text in a label a line and a half high.
    l.controls.push_back(label("Label1", "mot mot mot mot mot mot mot mot mot mot mot mot", {0, 0, 1500, 600}, 0, font));
    OneWindow w(l);
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, 100, 1000), Qt::TextWordWrap,
                                               QStringLiteral("mot mot mot mot mot mot mot mot mot mot mot mot"));
    EXPECT_GT(wrapped.height(), 30);  // it does wrap
    EXPECT_LE(wrapped.width(), 100);
    const QImage shot = w.form()->grab().toImage();
    EXPECT_NE(shot.pixelColor(5, 5), QColor(Qt::green));     // opaque over the picture
    EXPECT_EQ(shot.pixelColor(5, 41), QColor(Qt::green));    // nothing of it below its rectangle
    // The second line starts inside the rectangle: its top shows, cut at the edge.
    const QColor text = w.form()->palette().color(QPalette::ButtonText);
    bool inkOfSecondLine = false;
    for (int y = metrics.lineSpacing(); y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            inkOfSecondLine = inkOfSecondLine || shot.pixelColor(x, y) == text;
    EXPECT_TRUE(inkOfSecondLine);
}

TEST(Forms, ADoubleBlankIsDrawnAsTwoBlanks)
{
    auto rightmostInk = [](const char* caption) {
        Layout l = window(3000, 600);
        l.controls.push_back(label("Label1", caption, {0, 0, 3000, 600}, 0, {"Comic Sans MS", 18}));
        OneWindow w(l);
        const QImage shot = w.form()->grab().toImage();
        int right = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y).lightness() < 100)
                    right = std::max(right, x);
        return right;
    };
    const QFontMetrics metrics(qtFont({"Comic Sans MS", 18}));
    EXPECT_NEAR(rightmostInk("trait  fin") - rightmostInk("trait fin"), metrics.horizontalAdvance(QLatin1Char(' ')), 1);
}

TEST(Forms, FontsTakeTheirExactPixelHeights)
{
    struct Row {
        double points;
        int pixels;
    };
    for (const Row& r : {Row{8.25, 11}, Row{9, 12}, Row{9.75, 13}, Row{18, 24}, Row{27.75, 37}})
        EXPECT_EQ(qtFont({"Comic Sans MS", r.points}).pixelSize(), r.pixels) << r.points;
    // Where the system lacks the faces, the bundled ones stand in, and are what is drawn.
    const QStringList families = QFontDatabase::families();
    EXPECT_TRUE(families.contains(QStringLiteral("Comic Neue")));
    EXPECT_TRUE(families.contains(QStringLiteral("Liberation Sans")));
    for (const char* face : {"Comic Sans MS", "MS Sans Serif"})
        EXPECT_EQ(QFontInfo(qtFont({face, 8.25})).family(), resolvedFace(face)) << face;
}

TEST(Forms, TabOrderFollowsTabIndexesAndArrowsMoveTheSelection)
{
    Layout l = window(4000, 2000);
    l.controls.push_back(optionButton("Option3", "c", {2400, 0, 1000, 375}, 3));
    l.controls.push_back(optionButton("Option2", "b", {1200, 0, 1000, 375}, 2));
    l.controls.push_back(optionButton("Option1", "a", {0, 0, 1000, 375}, 1));
    l.controls.push_back(commandButton("Command1", "go", {0, 900, 1000, 375}, 0, {"Comic Sans MS", 8.25}));
    OneWindow w(l);
    w.form()->activateWindow();
    QApplication::setActiveWindow(w.form());
    EXPECT_EQ(w.form()->focusWidget(), w.control("Command1"));
    EXPECT_EQ(w.control("Command1")->nextInFocusChain(), w.control("Option1"));
    EXPECT_EQ(w.control("Option1")->nextInFocusChain(), w.control("Option2"));
    QTest::mouseClick(w.control("Option1"), Qt::LeftButton, {}, QPoint(5, 10));
    QTest::keyClick(w.control("Option1"), Qt::Key_Right);
    EXPECT_TRUE(static_cast<QAbstractButton*>(w.control("Option2"))->isChecked());
    EXPECT_FALSE(static_cast<QAbstractButton*>(w.control("Option1"))->isChecked());
    QTest::mouseClick(w.control("Option2"), Qt::LeftButton, {}, QPoint(5, 10));  // a click on the selected one keeps it
    EXPECT_TRUE(static_cast<QAbstractButton*>(w.control("Option2"))->isChecked());
    // Up and Down as well as Left and Right, going round at the ends, in tab order.
    QTest::keyClick(w.control("Option2"), Qt::Key_Down);
    EXPECT_TRUE(static_cast<QAbstractButton*>(w.control("Option3"))->isChecked());
    QTest::keyClick(w.control("Option3"), Qt::Key_Down);
    EXPECT_TRUE(static_cast<QAbstractButton*>(w.control("Option1"))->isChecked());
    QTest::keyClick(w.control("Option1"), Qt::Key_Up);
    EXPECT_TRUE(static_cast<QAbstractButton*>(w.control("Option3"))->isChecked());
    EXPECT_FALSE(static_cast<QAbstractButton*>(w.control("Option1"))->isChecked());
}

TEST(Forms, LinesAreOnePixelAndLetClicksThrough)
{
    Layout l = window(3000, 1500);
    l.controls.push_back(line("Line1", 150, 300, 2850, 300));
    OneWindow w(l);
    QWidget* lineWidget = w.control("Line1");
    EXPECT_EQ(lineWidget->height(), 1);
    EXPECT_EQ(lineWidget->width(), 181);
    EXPECT_TRUE(lineWidget->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(pixel(w.form(), {50, 20}), w.form()->palette().color(QPalette::WindowText));
}

TEST(Forms, DecodedPicturesStayWithinTheirBudgetAndAreShared)
{
    testing_support::QuizDriver driver(missing_view::project());
    driver.start();
    driver.pass(std::vector<int>(16, 1), {1, 2, 3});  // every window loaded, every picture decoded at least once
    EXPECT_LE(pictures::bytesHeld(), pictures::kBudgetBytes);
    // One file shown in two places is one decoded image.
    const QString v01 = QString::fromStdString(missing_view::exerciseLayout(missing_view::exercisePages()[0]).controls[5].picture);
    EXPECT_EQ(pictures::decode(v01).cacheKey(), pictures::decode(v01).cacheKey());
    // A picture dropped from the budget is decoded again, the same.
    const QImage first = pictures::decode(QStringLiteral(":/missing-view/problem-01.jpg"));
    for (int n = 2; n <= 16; ++n)
        pictures::decode(QStringLiteral(":/missing-view/perspective-%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(pictures::decode(QStringLiteral(":/missing-view/problem-01.jpg")), first);
}
