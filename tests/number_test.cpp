#include "quiz/number.h"
#include "quiz/quiz.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using quiz::Number;

TEST(Number, KeepsItsKindThroughArithmetic)
{
    const Number w = Number::whole(3) + Number::whole(2);
    EXPECT_TRUE(w.isWhole());
    const Number f = w - Number::fractional(0.75);
    EXPECT_FALSE(f.isWhole());
    EXPECT_FALSE((f + Number::whole(1)).isWhole());  // stays fractional
    EXPECT_DOUBLE_EQ(f.value(), 4.25);
}

struct TextCase {
    const char* name;
    Number value;
    const char* french;
    const char* english;
};

class NumberText : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberText, PrintsShortestFormWithTheSeparator)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(c.value.toText(QStringLiteral(",")).toStdString(), c.french);
    EXPECT_EQ(c.value.toText(QStringLiteral(".")).toStdString(), c.english);
}

INSTANTIATE_TEST_SUITE_P(
    Grades, NumberText,
    ::testing::Values(TextCase{"whole20", Number::whole(20), "20", "20"},
                      TextCase{"wholeZero", Number::whole(0), "0", "0"},
                      TextCase{"wholeNegative", Number::whole(-3), "-3", "-3"},
                      TextCase{"quarter", Number::fractional(16.25), "16,25", "16.25"},
                      TextCase{"half", Number::fractional(12.5), "12,5", "12.5"},
                      TextCase{"belowOne", Number::fractional(0.25), "0,25", "0.25"},
                      TextCase{"negativeFraction", Number::fractional(-0.75), "-0,75", "-0.75"},
                      TextCase{"lowest", Number::fractional(-14.25), "-14,25", "-14.25"},
                      TextCase{"fractionalWholeValue", Number::fractional(17), "17", "17"},
                      TextCase{"fractionalZero", Number::fractional(0.75) - Number::fractional(0.75), "0", "0"}),
    [](const auto& row) { return std::string(row.param.name); });

// Pashto's separator is U+066B, two bytes in UTF-8: it goes in whole, as a character.
TEST(NumberText, TakesASeparatorBeyondAscii)
{
    const QString arabic(QChar(0x066B));
    EXPECT_EQ(Number::fractional(16.25).toText(arabic).toStdString(), "16\xd9\xab" "25");
    EXPECT_EQ(Number::fractional(-0.75).toText(arabic).toStdString(), "-0\xd9\xab" "75");
    EXPECT_EQ(Number::fractional(17).toText(arabic).toStdString(), "17");
}

// QApplication sets the C library's locale from the environment. The grade's text
// must take neither that locale's separator nor its encoding.
TEST(NumberText, IgnoresTheCLibraryLocale)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    int tried = 0;
    for (const char* name : {"ps_AF.UTF-8", "fr_FR.UTF-8"}) {
        if (!std::setlocale(LC_NUMERIC, name))
            continue;
        ++tried;
        EXPECT_EQ(Number::fractional(16.25).toText(QStringLiteral(".")).toStdString(), "16.25") << name;
        EXPECT_EQ(Number::fractional(-14.25).toText(QString(QChar(0x066B))).toStdString(), "-14\xd9\xab" "25") << name;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (tried == 0)
        GTEST_SKIP() << "neither ps_AF.UTF-8 nor fr_FR.UTF-8 is installed (scripts/install-deps.sh generates them)";
}

TEST(Verdict, ThresholdsInTheirOrder)
{
    struct Row {
        double grade;
        int comment;
        forms::MessageStyle style;
    };
    using forms::MessageStyle;
    for (const Row& r : {Row{9.75, 0, MessageStyle::Critical}, Row{10, 3, MessageStyle::Information},
                         Row{15, 3, MessageStyle::Information}, Row{15.25, 2, MessageStyle::Information},
                         Row{19.75, 2, MessageStyle::Information}, Row{20, 1, MessageStyle::Information},
                         Row{-14.25, 0, MessageStyle::Critical}, Row{0, 0, MessageStyle::Critical}}) {
        const auto v = quiz::verdict(Number::fractional(r.grade));
        EXPECT_EQ(v.comment, r.comment) << r.grade;
        EXPECT_EQ(v.style, r.style) << r.grade;
    }
}
