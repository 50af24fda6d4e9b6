#pragma once
// The content of exercices: 34 layouts, the questions and aid texts, the answer key.

#include "forms/layout.h"
#include "quiz/project.h"

#include <array>
#include <vector>

namespace threaded_elements {

using forms::Rect;
using forms::Twips;

// One control record of an exercise page. a, b, c, d are left, top, width and height, or
// for a line x1, y1, x2, y2. The caption follows from the name on every page ("Réponse a"
// for Option1, "aide" for Command1, the question for the label), the picture from the
// page and the box's number.
struct ControlRow {
    const char* name;
    forms::Kind kind;
    Twips a, b, c, d;
    int tabIndex = -1;  // a line has none
};

struct ExercisePage {
    int page;
    Twips clientWidth, clientHeight;
    const char* question;
    std::vector<ControlRow> controls;  // stored order: control id = index + 1
};

struct AidPage {
    int n;
    Twips clientWidth, clientHeight;
    Rect label;
    const char* text;
};

const std::array<ExercisePage, 16>& exercisePages();
const std::array<AidPage, 16>& aidPages();

forms::Layout exerciseLayout(const ExercisePage& page);
forms::Layout aidLayout(const AidPage& page);

std::vector<forms::Layout> layouts();  // Form1 ... Form34
const quiz::AnswerKey& answerKey();
quiz::Project project();

}  // namespace threaded_elements
