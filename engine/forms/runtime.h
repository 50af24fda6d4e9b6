#pragma once
// The forms layer: windows built from layout records over Qt Widgets, one
// instance slot per window, the operations the handlers use (Show, Hide,
// Value), the message box, and what happens when an operation fails.

#include "forms/layout.h"

#include <QMargins>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include <QWidget>

namespace forms {

class FormWidget;
class Runtime;

// An operation on a window or control; failure reports name it.
struct Operation {
    enum class Kind { Create, Load, Show, Hide, GetValue, SetValue };
    Kind kind;
    QString window;
    QString control;  // empty for window operations
};

QString operationName(Operation::Kind kind);

// A failed operation. Nothing catches it but the runtime, which reports it and
// ends the program.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(Operation operation, QString reason);
    const Operation& operation() const { return operation_; }
    const QString& reason() const { return reason_; }
    QString report() const;  // the text of the runtime's report

private:
    Operation operation_;
    QString reason_;
};

enum class MessageStyle { Critical = 16, Information = 64 };

// A temporary reference to one control of a loaded window.
class Control {
public:
    std::int16_t value() const;        // option: -1 selected, 0 not; check box: 0, 1 (2 greyed)
    void setValue(std::int16_t value);  // check box only
    const ControlRecord& record() const { return *record_; }
    QWidget* widget() const { return widget_; }

private:
    friend class Window;
    Control(Runtime& runtime, const QString& window, const ControlRecord& record, QWidget* widget)
        : runtime_(&runtime), window_(window), record_(&record), widget_(widget) {}
    Runtime* runtime_;
    QString window_;
    const ControlRecord* record_;
    QPointer<QWidget> widget_;
};

// One window's instance. Created empty (not loaded); the first Show, Hide or
// control access loads it from its layout; the close box unloads it.
class Window {
public:
    Window(Runtime& runtime, int number, const Layout& layout);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void show();  // modeless, no owner; a minimised window comes back restored and in front
    void hide();
    Control control(std::string_view name);  // loads the window first if needed; no status

    int number() const { return number_; }
    QString name() const;
    const Layout& layout() const { return layout_; }
    bool loaded() const { return widget_ != nullptr; }
    bool visible() const;
    QWidget* widget() const;  // nullptr while not loaded

private:
    friend class FormWidget;
    void load();
    void closeRequested(const FormWidget* from, bool& accept);
    // Centres the whole window, frame included, once the window manager has framed it.
    void centreWhenFramed(const FormWidget* from);

    Runtime& runtime_;
    int number_;
    const Layout& layout_;
    FormWidget* widget_ = nullptr;  // owned; deleted on unload
    bool centrePending_ = false;    // loaded, not yet centred by its frame
};

// Everything the handlers reach: the 34 windows of one program.
class Runtime {
public:
    // layouts[0] is Form1 ... layouts[33] is Form34; programName titles the error report.
    Runtime(std::vector<Layout> layouts, QString programName);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // Creates, loads and shows the start window Form1.
    Window& start();
    // The window numbered n (2 to 34): its instance is created in its slot first if the slot is empty.
    Window& ensure(int n);
    Window& startWindow();
    bool hasInstance(int n) const;
    int windowCount() const { return static_cast<int>(layouts_.size()); }

    // Event wiring. Handlers run through run(), one at a time.
    void onClick(int window, std::string control, std::function<void()> handler);
    void onQueryUnload(int window, std::function<void()> handler);

    // Runs one handler; a RuntimeError leaving it is reported and ends the program.
    void run(const std::function<void()>& handler);

    // The modal message box: returns once dismissed. Placed beside `beside`, when given and
    // the screen has room, so that it hides nothing of that window.
    void messageBox(const QString& text, MessageStyle style, const QString& title, const Window* beside = nullptr);
    // Ends the program at once with the given exit status.
    void end(int status);
    bool ended() const { return ended_; }
    int exitStatus() const { return exitStatus_; }

    // Seams for tests. failWhen decides, before an operation runs, that it fails;
    // messageBoxHook replaces the real box; endHook replaces leaving the event loop.
    std::function<bool(const Operation&)> failWhen;
    std::function<void(const QString& text, MessageStyle style, const QString& title)> messageBoxHook;
    std::function<void(int status)> endHook;

    // Throws the RuntimeError of an operation that the seam makes fail.
    void check(const Operation& operation);

private:
    friend class Window;
    struct Wiring {
        int window;
        std::string control;  // empty: the window's own QueryUnload
        std::function<void()> handler;
    };
    void connectHandlers(Window& window);
    const std::function<void()>* queryUnload(int window) const;

    std::vector<Layout> layouts_;
    QString programName_;
    std::vector<std::unique_ptr<Window>> slots_;  // index n-1; Form1's is the runtime's own
    std::vector<Wiring> wiring_;
    // The frame last seen around a window of each border style, so that the next window of
    // that style is placed centred before it is framed; empty until one has been framed.
    QMargins dialogFrame_, toolFrame_;
    bool ended_ = false;
    int exitStatus_ = 0;
};

}  // namespace forms
