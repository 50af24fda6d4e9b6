// Pellmora: the 16 missing-view exercises on the quiz engine.
#include "missing-view/missing_view.h"
#include "quiz/quiz.h"

int main(int argc, char** argv) { return quiz::runProgram(missing_view::project(), argc, argv); }
