#include "forms/runtime.h"

#include "forms/pictures.h"
#include "forms/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace forms {

QString operationName(Operation::Kind kind)
{
    switch (kind) {
    case Operation::Kind::Create: return QStringLiteral("create instance");
    case Operation::Kind::Load: return QStringLiteral("Load");
    case Operation::Kind::Show: return QStringLiteral("Show");
    case Operation::Kind::Hide: return QStringLiteral("Hide");
    case Operation::Kind::GetValue: return QStringLiteral("Value (get)");
    case Operation::Kind::SetValue: return QStringLiteral("Value (let)");
    }
    return {};
}

RuntimeError::RuntimeError(Operation operation, QString reason)
    : std::runtime_error(reason.toStdString()), operation_(std::move(operation)), reason_(std::move(reason))
{
}

QString RuntimeError::report() const
{
    QString where = operation_.window;
    if (!operation_.control.isEmpty())
        where += QLatin1Char('.') + operation_.control;
    return QStringLiteral("Erreur d'exécution : l'opération %1 a échoué sur %2.\n\n%3\n\nLe programme va se terminer.")
        .arg(operationName(operation_.kind), where, reason_);
}

// --- Control -------------------------------------------------------------

std::int16_t Control::value() const
{
    runtime_->check({Operation::Kind::GetValue, window_, QString::fromStdString(record_->name)});
    if (auto* option = qobject_cast<QRadioButton*>(widget_.data()))
        return option->isChecked() ? -1 : 0;
    if (auto* box = qobject_cast<QCheckBox*>(widget_.data()))
        return static_cast<std::int16_t>(box->checkState() == Qt::Checked ? 1
                                         : box->checkState() == Qt::PartiallyChecked ? 2 : 0);
    throw RuntimeError({Operation::Kind::GetValue, window_, QString::fromStdString(record_->name)},
                       QStringLiteral("ce contrôle n'a pas de valeur"));
}

void Control::setValue(std::int16_t value)
{
    const Operation op{Operation::Kind::SetValue, window_, QString::fromStdString(record_->name)};
    runtime_->check(op);
    auto* box = qobject_cast<QCheckBox*>(widget_.data());
    if (!box)
        throw RuntimeError(op, QStringLiteral("seule une case à cocher reçoit une valeur"));
    if (value < 0 || value > 2)
        throw RuntimeError(op, QStringLiteral("valeur %1 hors des valeurs 0, 1 et 2").arg(value));
    box->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

// --- Window --------------------------------------------------------------

Window::Window(Runtime& runtime, int number, const Layout& layout)
    : runtime_(runtime), number_(number), layout_(layout)
{
}

Window::~Window() { delete widget_; }

QString Window::name() const { return QString::fromStdString(layout_.window.name); }

bool Window::visible() const { return widget_ && widget_->isVisible(); }

QWidget* Window::widget() const { return widget_; }

namespace {

// The picture's path once it is known to decode; empty for none.
QString checkedPicture(const std::string& path, const Operation& op)
{
    if (path.empty())
        return {};
    const QString file = QString::fromStdString(path);
    QString error;
    if (pictures::decode(file, &error).isNull())
        throw RuntimeError(op, QStringLiteral("l'image %1 ne peut être lue (%2)").arg(file, error));
    return file;
}

QIcon decodeIcon(const std::string& path, const Operation& op)
{
    if (path.empty())
        return {};
    const QString file = QString::fromStdString(path);
    QImageReader reader(file);
    QIcon icon;
    QList<QSize> sizes;
    for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
        // An icon may hold several images of one size in other colour depths: the first stands.
        if (!sizes.contains(image.size())) {
            sizes.append(image.size());
            icon.addPixmap(QPixmap::fromImage(image));
        }
        if (!reader.jumpToNextImage())
            break;
    }
    if (icon.isNull())
        throw RuntimeError(op, QStringLiteral("l'icône %1 ne peut être lue (%2)").arg(file, reader.errorString()));
    return icon;
}

// Shows a window restored and in front. A window manager may offer a minimise button whatever a
// window asks for (openbox and KWin do; Mutter honours the Motif hints), so a window the student
// minimised is never left iconic. Raising and activating is left out where the platform cannot
// do it (the headless platform of the tests, which says so at every call).
void bringToFront(QWidget* w)
{
    if (w->windowState() & Qt::WindowMinimized)
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        w->raise();
        w->activateWindow();
    }
}

bool takesFocus(Kind kind) { return kind != Kind::Label && kind != Kind::Line; }
bool lowerLayer(Kind kind) { return kind == Kind::Label || kind == Kind::Line; }

}  // namespace

void Window::load()
{
    const Operation op{Operation::Kind::Load, name(), {}};
    runtime_.check(op);
    const WindowRecord& w = layout_.window;

    // Decode first, so that a picture that does not decode leaves the window unloaded.
    QString background = checkedPicture(w.picture, op);
    QIcon icon = decodeIcon(w.icon, op);
    std::vector<QString> boxPictures;
    for (const ControlRecord& c : layout_.controls)
        boxPictures.push_back(c.kind == Kind::PictureBox
                                  ? checkedPicture(c.picture, {Operation::Kind::Load, name(), QString::fromStdString(c.name)})
                                  : QString());

    auto form = std::make_unique<FormWidget>(*this, std::move(background));
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    flags |= w.border == Border::FixedToolWindow ? Qt::Tool : Qt::Dialog;
    form->setWindowFlags(flags);
    form->setWindowTitle(QString::fromStdString(w.caption));
    form->setWindowIcon(icon);
    form->setFixedSize(pixels(w.clientWidth), pixels(w.clientHeight));
    const QFont windowFont = qtFont(w.font.value_or(defaultFont()));
    form->setFont(windowFont);

    std::vector<std::pair<const ControlRecord*, QWidget*>> built;
    for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
        const ControlRecord& c = layout_.controls[i];
        const QString caption = QString::fromStdString(c.caption);
        QWidget* widget = nullptr;
        switch (c.kind) {
        case Kind::CommandButton: {
            auto* b = new QPushButton(caption, form.get());
            // No button is the window's default; a focused one answers Enter as well as Space.
            b->setAutoDefault(true);
            b->setDefault(false);
            widget = b;
            break;
        }
        case Kind::OptionButton:
            widget = new OptionButton(caption, form.get());
            break;
        case Kind::CheckBox:
            widget = new QCheckBox(caption, form.get());
            break;
        case Kind::PictureBox:
            widget = new PictureBox(boxPictures[i], form.get());
            break;
        case Kind::Label:
            widget = new Label(caption, c.alignment, c.highlight, form.get());
            break;
        case Kind::Line:
            widget = new Line({pixels(c.x1), pixels(c.y1)}, {pixels(c.x2), pixels(c.y2)}, form.get());
            break;
        }
        widget->setObjectName(QString::fromStdString(c.name));
        if (c.kind != Kind::Line)
            widget->setGeometry(pixelRect(c.rect));
        if (c.kind == Kind::OptionButton || c.kind == Kind::CheckBox || c.kind == Kind::CommandButton)
            widget->setAutoFillBackground(true);  // opaque, also over a picture
        widget->setFont(c.font ? qtFont(*c.font) : windowFont);
        form->addControl(c.name, widget);
        built.emplace_back(&c, widget);
    }

    // Stacking: labels and lines lie behind the other kinds; within a layer the
    // control stored earlier is in front (and so takes the click).
    for (bool lower : {true, false})
        for (auto it = built.rbegin(); it != built.rend(); ++it)
            if (lowerLayer(it->first->kind) == lower)
                it->second->raise();

    // Tab order by tab index over the controls that take the focus.
    std::vector<std::pair<int, QWidget*>> focusable;
    for (auto& [record, widget] : built)
        if (takesFocus(record->kind))
            focusable.emplace_back(record->tabIndex, widget);
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
    if (!focusable.empty())
        focusable.front().second->setFocus(Qt::OtherFocusReason);

    widget_ = form.release();
    runtime_.connectHandlers(*this);

    // Centred on the screen each time the window is loaded, not each time it is shown. The frame
    // is known only once the window manager has framed the window: until then the window stands
    // where the frame last seen around a window of its style would be centred.
    const QMargins frame = w.border == Border::FixedToolWindow ? runtime_.toolFrame_ : runtime_.dialogFrame_;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize outer = widget_->size().grownBy(frame);
        widget_->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    }
    centrePending_ = true;
}

void Window::centreWhenFramed(const FormWidget* from)
{
    if (!centrePending_ || from != widget_ || !widget_->isVisible())
        return;
    const QRect frame = widget_->frameGeometry();
    const QRect client = widget_->geometry();
    if (frame == client)
        return;  // not framed yet
    centrePending_ = false;
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                           frame.bottom() - client.bottom());
    (layout_.window.border == Border::FixedToolWindow ? runtime_.toolFrame_ : runtime_.dialogFrame_) = margins;
    const QScreen* screen = widget_->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QPoint centred(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
    if (frame.topLeft() != centred)
        widget_->move(centred);  // a window's position is that of its frame
}

void Window::show()
{
    if (!loaded())
        load();
    runtime_.check({Operation::Kind::Show, name(), {}});
    bringToFront(widget_);
}

void Window::hide()
{
    if (!loaded())
        load();
    runtime_.check({Operation::Kind::Hide, name(), {}});
    widget_->hide();
}

Control Window::control(std::string_view controlName)
{
    if (!loaded())
        load();
    const ControlRecord* record = findControl(layout_, controlName);
    QWidget* widget = record ? widget_->control(record->name) : nullptr;
    if (!widget)
        throw RuntimeError({Operation::Kind::GetValue, name(), QString::fromUtf8(controlName.data(), qsizetype(controlName.size()))},
                           QStringLiteral("ce contrôle n'existe pas dans la fenêtre"));
    return Control(runtime_, name(), *record, widget);
}

void Window::closeRequested(const FormWidget* from, bool& accept)
{
    if (from != widget_) {
        // A late close request for a widget already unloaded (say a double click on the close
        // box): that widget is on its way out, and the window may have been loaded afresh since.
        accept = true;
        return;
    }
    if (const auto* handler = runtime_.queryUnload(number_)) {
        accept = false;  // the handler decides: the start window's ends the program
        runtime_.run(*handler);
        return;
    }
    // No QueryUnload handler: the close box unloads the window; its slot keeps the instance.
    accept = true;
    FormWidget* gone = widget_;
    widget_ = nullptr;
    gone->deleteLater();
}

// --- Runtime -------------------------------------------------------------

Runtime::Runtime(std::vector<Layout> layouts, QString programName)
    : layouts_(std::move(layouts)), programName_(std::move(programName))
{
    slots_.resize(layouts_.size());
}

Runtime::~Runtime() = default;

void Runtime::check(const Operation& operation)
{
    if (failWhen && failWhen(operation))
        throw RuntimeError(operation, QStringLiteral("échec provoqué de l'opération"));
}

Window& Runtime::start()
{
    if (!slots_[0])
        slots_[0] = std::make_unique<Window>(*this, 1, layouts_[0]);
    slots_[0]->show();
    return *slots_[0];
}

Window& Runtime::startWindow()
{
    if (!slots_[0])
        slots_[0] = std::make_unique<Window>(*this, 1, layouts_[0]);
    return *slots_[0];
}

Window& Runtime::ensure(int n)
{
    auto& slot = slots_.at(static_cast<std::size_t>(n - 1));
    if (!slot) {
        check({Operation::Kind::Create, QString::fromStdString(layouts_[static_cast<std::size_t>(n - 1)].window.name), {}});
        slot = std::make_unique<Window>(*this, n, layouts_[static_cast<std::size_t>(n - 1)]);
    }
    return *slot;
}

bool Runtime::hasInstance(int n) const { return slots_.at(static_cast<std::size_t>(n - 1)) != nullptr; }

void Runtime::onClick(int window, std::string control, std::function<void()> handler)
{
    wiring_.push_back({window, std::move(control), std::move(handler)});
}

void Runtime::onQueryUnload(int window, std::function<void()> handler)
{
    wiring_.push_back({window, {}, std::move(handler)});
}

const std::function<void()>* Runtime::queryUnload(int window) const
{
    for (const auto& w : wiring_)
        if (w.window == window && w.control.empty())
            return &w.handler;
    return nullptr;
}

void Runtime::connectHandlers(Window& window)
{
    for (const auto& w : wiring_) {
        if (w.window != window.number() || w.control.empty())
            continue;
        auto* button = qobject_cast<QAbstractButton*>(static_cast<FormWidget*>(window.widget())->control(w.control));
        if (!button)
            continue;
        QObject::connect(button, &QAbstractButton::clicked, button, [this, handler = w.handler] { run(handler); });
    }
}

void Runtime::run(const std::function<void()>& handler)
{
    if (ended_)
        return;
    try {
        handler();
    } catch (const RuntimeError& error) {
        messageBox(error.report(), MessageStyle::Critical, programName_);
        end(1);
    } catch (const std::exception& error) {
        messageBox(QStringLiteral("Erreur d'exécution : %1\n\nLe programme va se terminer.").arg(QString::fromLocal8Bit(error.what())),
                   MessageStyle::Critical, programName_);
        end(1);
    }
}

void Runtime::messageBox(const QString& text, MessageStyle style, const QString& title, const Window* beside)
{
    if (messageBoxHook) {
        messageBoxHook(text, style, title);
        return;
    }
    QMessageBox box(style == MessageStyle::Critical ? QMessageBox::Critical : QMessageBox::Information, title, text,
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    if (beside && beside->visible()) {
        box.adjustSize();
        const QRect next = beside->widget()->frameGeometry();
        const QRect area = beside->widget()->screen()->availableGeometry();
        const int gap = 12;
        const int y = std::clamp(next.center().y() - box.height() / 2, area.top(), area.bottom() - box.height());
        if (next.right() + gap + box.width() <= area.right())
            box.move(next.right() + gap, y);
        else if (next.left() - gap - box.width() >= area.left())
            box.move(next.left() - gap - box.width(), y);
    }
    // While the box is up nothing else of the program takes input: minimised, it would leave the
    // student with a program that answers nothing, so it comes straight back.
    box.winId();
    QObject::connect(box.windowHandle(), &QWindow::windowStateChanged, &box, [&box](Qt::WindowState state) {
        if (state == Qt::WindowMinimized)
            QMetaObject::invokeMethod(&box, [&box] { bringToFront(&box); }, Qt::QueuedConnection);
    });
    box.exec();
}

void Runtime::end(int status)
{
    if (ended_)
        return;
    ended_ = true;
    exitStatus_ = status;
    if (endHook) {
        endHook(status);
        return;
    }
    for (auto& slot : slots_)
        if (slot && slot->widget())
            slot->widget()->hide();
    QCoreApplication::exit(status);
}

}  // namespace forms
