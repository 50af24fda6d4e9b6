#pragma once
// The content of Pellmora: 34 layouts and the answer key.

#include "forms/layout.h"
#include "quiz/project.h"

#include <array>
#include <vector>

namespace missing_view {

using forms::Rect;
using forms::Twips;

// One candidate box: Picture<number> at rect, showing candidate drawing V<candidate>.
struct CandidateBox {
    int number;
    Rect rect;
    int candidate;
};

// What one exercise page adds to the layout that every page shares.
struct ExercisePage {
    int page;
    Twips clientWidth, clientHeight;
    Twips label1Left, label1Top;
    Rect command1, command2;
    Twips optionsTop;
    std::array<Twips, 3> optionLeft;      // Option1, Option2, Option3
    std::array<CandidateBox, 3> under;    // the boxes under "Réponse a", "b", "c"
};

struct AidPage {
    int n;
    Twips clientWidth, clientHeight;
};

const std::array<ExercisePage, 16>& exercisePages();
const std::array<AidPage, 16>& aidPages();

forms::Layout exerciseLayout(const ExercisePage& page);
forms::Layout aidLayout(const AidPage& page);

std::vector<forms::Layout> layouts();  // Form1 ... Form34
const quiz::AnswerKey& answerKey();
quiz::Project project();

}  // namespace missing_view
