#pragma once
// One row of a program's grade table and the pass that checks it: real clicks from
// "Débuter" to the result, then the message as the student reads it.

#include "quiz_driver.h"
#include "result_comments.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <vector>

namespace testing_support {

struct GradeRow {
    const char* name;
    std::vector<int> choices;  // the option clicked on each page, 0 for none
    std::set<int> aids;        // the pages whose aid button is pressed
    const char* grade;         // as printed under French settings
    const char* comment;
};

inline void PrintTo(const GradeRow& r, std::ostream* os) { *os << r.name; }

// The correct option on the given pages of an answer key, a wrong one on the others.
inline std::vector<int> rightOn(const quiz::AnswerKey& key, const std::set<int>& pages)
{
    std::vector<int> choices;
    for (int n = 1; n <= 16; ++n) {
        const int correct = key[static_cast<std::size_t>(n - 1)].correctOption;
        choices.push_back(pages.count(n) ? correct : correct % 3 + 1);
    }
    return choices;
}

// The pages from..to.
inline std::set<int> range(int from, int to)
{
    std::set<int> s;
    for (int n = from; n <= to; ++n)
        s.insert(n);
    return s;
}

inline void expectResult(quiz::Project project, const GradeRow& r)
{
    QuizDriver driver(std::move(project));
    driver.start();
    driver.pass(r.choices, r.aids);
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_EQ(driver.messages[0].text, resultText(r.grade, r.comment));
    EXPECT_EQ(driver.messages[0].style, resultStyle(r.comment));
    EXPECT_EQ(driver.messages[0].title, QStringLiteral("Résultat"));
}

}  // namespace testing_support
