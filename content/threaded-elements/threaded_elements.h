#pragma once
// The content of exercices: 34 layouts, the questions and aid texts, the answer key.

#include "forms/layout.h"
#include "quiz/project.h"

#include <array>
#include <vector>

namespace threaded_elements {

using forms::Rect;
using forms::Twips;

// One control of an exercise page: its name tells its kind and caption; a, b, c, d are
// left, top, width and height, or for a line x1, y1, x2, y2.
struct ControlRow {
    const char* name;
    Twips a, b, c, d;
    int tabIndex = -1;
};

struct ExercisePage {
    int page;
    Twips clientWidth, clientHeight;
    const char* question;
    std::vector<ControlRow> controls;  // stored order
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
