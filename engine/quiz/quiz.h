#pragma once
// The handlers of a quiz program and the table that wires them to its windows.

#include "forms/runtime.h"
#include "quiz/project.h"

#include <functional>
#include <string>
#include <vector>

namespace quiz {

// Which comment the grade takes (index into ResultTexts::comments) and its icon:
// the first that holds of below 10, equal to 20, above 15, otherwise.
struct Verdict {
    int comment;
    forms::MessageStyle style;
};
Verdict verdict(Number grade);

class Quiz {
public:
    Quiz(forms::Runtime& runtime, const AnswerKey& key, const ResultTexts& texts);

    void debuter();          // Form1.Command1_Click
    void queryUnload();      // Form1.Form_QueryUnload
    void aidButton(int n);   // Form2n.Command1_Click
    void valider(int n);     // Form2n.Command2_Click, n = 1 to 15
    void grader();           // Form32.Command2_Click

private:
    forms::Runtime& rt_;
    const AnswerKey& key_;
    const ResultTexts& texts_;
};

// One row of the event wiring: window, control (empty: the window's QueryUnload), handler.
struct WiringRow {
    int window;
    std::string control;
    std::function<void(Quiz&)> handler;
};
std::vector<WiringRow> wiringTable();

// Wires every row of the table to the runtime's windows.
void wire(forms::Runtime& runtime, Quiz& quiz);

// Runs a program: the start window, then the event loop until the program ends.
int runProgram(const Project& project, int argc, char** argv);

// Sets up the application the way every window expects it (style, palette, fonts).
void prepareApplication();

}  // namespace quiz
