#pragma once
// Drives one quiz program headless through real clicks on its widgets, with the
// message box and the end of the program caught so that a test can look at them.

#include "forms/runtime.h"
#include "quiz/project.h"
#include "quiz/quiz.h"

#include <QString>

#include <optional>
#include <set>
#include <vector>

namespace testing_support {

struct Message {
    QString text;
    forms::MessageStyle style;
    QString title;
    bool summaryShown;          // Form34 on screen while the box was up
    std::set<int> ticked;       // the usage marks ticked at that moment
    std::set<int> visible;      // the windows on screen at that moment
};

class QuizDriver {
public:
    explicit QuizDriver(quiz::Project project);
    ~QuizDriver();

    forms::Runtime& runtime() { return runtime_; }
    const quiz::Project& project() const { return project_; }

    void start();                                   // the program's start: Form1 on screen
    void click(int window, const char* control);    // a real mouse click on that control
    void select(int page, int option);              // clicks Option<option> of exercise page <page>
    void close(int window);                         // the window's close box
    void processEvents();                           // lets deferred deletions happen

    // From "Débuter" to the result: choices[n-1] is the option clicked on page n (0: none);
    // the aid button is pressed on the pages in aids.
    void pass(const std::vector<int>& choices, const std::set<int>& aids = {});

    bool visible(int window);
    std::set<int> ticked();

    std::vector<Message> messages;
    std::optional<int> endedWith;

private:
    quiz::Project project_;
    forms::Runtime runtime_;
    quiz::Quiz quiz_;
};

}  // namespace testing_support
