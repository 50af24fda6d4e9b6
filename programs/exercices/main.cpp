// exercices: the 16 threaded-element questions on the quiz engine.
#include "quiz/quiz.h"
#include "threaded-elements/threaded_elements.h"

int main(int argc, char** argv) { return quiz::runProgram(threaded_elements::project(), argc, argv); }
