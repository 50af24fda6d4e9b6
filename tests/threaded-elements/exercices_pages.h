#pragma once
// Reaching an exercise page of exercices the way the student does.

#include "quiz_driver.h"

#include <QWidget>

namespace exercices_testing {

// Exercise page n loaded and shown: "Débuter", then "Valider" on the pages before it.
inline QWidget* page(testing_support::QuizDriver& d, int n)
{
    d.click(1, "Command1");
    for (int k = 1; k < n; ++k)
        d.click(quiz::exercisePage(k), "Command2");
    return d.runtime().ensure(quiz::exercisePage(n)).widget();
}

}  // namespace exercices_testing
