#include "threaded_elements.h"

#include "common/common.h"
#include "common/windows.h"
#include "picture_names.h"

#include <stdexcept>
#include <string>

namespace threaded_elements {

using namespace forms;

const std::array<ExercisePage, 16>& exercisePages()
{
    using enum Kind;
    // Every control in its stored order, which decides the stacking: a control stored earlier
    // is drawn in front of one stored later, labels and lines behind the other kinds. So the
    // lines of pages 9, 10, 15 and 16 come before the question they cross, and on pages 11
    // and 12 three boxes come before the options that reach one pixel row onto them.
    //  page, client area, question
    //       name         kind           left    top  width height  tab   (a line: x1, y1, x2, y2)
    static const std::array<ExercisePage, 16> pages{{
        {1, 6600, 6825, "Quelle pièce est une vis ?", {
            {"Option3",   OptionButton,   4440,  4200,  1455,   375,  8},
            {"Option2",   OptionButton,   1560,  4200,  1215,   375,  7},
            {"Option1",   OptionButton,   2640,  2160,  1215,   375,  6},
            {"Picture3",  PictureBox,      240,  4080,  3495,  2535,  5},
            {"Picture2",  PictureBox,     4080,  4080,  2175,  2415,  4},
            {"Picture1",  PictureBox,      480,  2040,  5655,  1815,  3},
            {"Command2",  CommandButton,  4680,  1080,  1575,   495,  1},
            {"Command1",  CommandButton,  4680,   600,  1575,   495,  0},
            {"Line1",     Line,            240,  1920,  6360,  1920},
            {"Label1",    Label,           600,   240,  3855,  1575,  2},
        }},
        {2, 6870, 7125, "Quelle(s) pièce(s) est un écrou ?", {
            {"Option3",   OptionButton,   4680,  4560,  1455,   375,  2},
            {"Option2",   OptionButton,   1200,  4560,  1455,   375,  3},
            {"Option1",   OptionButton,   2640,  2400,  1455,   375,  4},
            {"Picture2",  PictureBox,     3960,  4440,  2655,  2535,  8},
            {"Picture1",  PictureBox,      240,  4440,  3495,  2535,  6},
            {"Picture3",  PictureBox,      840,  2280,  4575,  1935,  5},
            {"Command2",  CommandButton,  4800,  1200,  1695,   495,  1},
            {"Command1",  CommandButton,  4800,   720,  1695,   495,  0},
            {"Label1",    Label,           120,   360,  4575,  1575,  7},
            {"Line1",     Line,            360,  2160,  6480,  2160},
        }},
        {3, 7560, 7230, "Quelle(s) pièce(s) est un boulon ?", {
            {"Option3",   OptionButton,   5400,  4320,  1455,   375,  2},
            {"Option2",   OptionButton,    960,  4320,  1455,   375,  3},
            {"Option1",   OptionButton,   2640,  2160,  1455,   375,  4},
            {"Picture1",  PictureBox,     1080,  2040,  4575,  1935,  7},
            {"Picture2",  PictureBox,      240,  4200,  3495,  2775,  6},
            {"Picture3",  PictureBox,     3960,  4200,  3375,  2775,  5},
            {"Command2",  CommandButton,  5160,   960,  1695,   495,  1},
            {"Command1",  CommandButton,  5160,   480,  1695,   495,  0},
            {"Label1",    Label,           120,   120,  4935,  1575,  8},
            {"Line1",     Line,            240,  1800,  7200,  1800},
        }},
        {4, 6600, 7530, "Quelle est la pièce taraudée ?", {
            {"Option3",   OptionButton,   4080,  2040,  1455,   375,  2},
            {"Option2",   OptionButton,   2640,  4680,  1455,   375,  3},
            {"Option1",   OptionButton,    960,  2040,  1455,   375,  4},
            {"Picture1",  PictureBox,      480,  1920,  2655,  2415,  7},
            {"Picture2",  PictureBox,     1560,  4560,  3375,  2775,  6},
            {"Picture3",  PictureBox,     3360,  1920,  2655,  2415,  5},
            {"Command2",  CommandButton,  4680,   840,  1695,   495,  1},
            {"Command1",  CommandButton,  4680,   360,  1695,   495,  0},
            {"Label1",    Label,           240,   120,  4335,  1575,  8},
            {"Line1",     Line,            240,  1800,  6360,  1800},
        }},
        {5, 6975, 6345, "Quelle est la pièce ayant un filetage ?", {
            {"Option1",   OptionButton,   2640,  2640,  1455,   375,  3},
            {"Option2",   OptionButton,    840,  3840,  1455,   375,  4},
            {"Option3",   OptionButton,   3720,  3720,  1455,   375,  5},
            {"Picture3",  PictureBox,     2880,  3600,  3495,  2535,  8},
            {"Picture2",  PictureBox,      480,  3720,  2055,  2175,  7},
            {"Picture1",  PictureBox,      600,  2400,  5655,   975,  2},
            {"Command2",  CommandButton,  5280,   960,  1455,   495,  1},
            {"Command1",  CommandButton,  5280,   480,  1455,   495,  0},
            {"Line1",     Line,            240,  2160,  6720,  2160},
            {"Label1",    Label,           240,   240,  4935,  1695,  6},
        }},
        {6, 8145, 8040, "Sur quel plan est représenté un taraudage ?", {
            {"Option2",   OptionButton,   4200,  3000,  1455,   375,  4},
            {"Picture4",  PictureBox,     4080,  3480,  1695,  2175,  8},
            {"Option3",   OptionButton,   3480,  6120,  1455,   375,  3},
            {"Option1",   OptionButton,    960,  2880,  1455,   375,  5},
            {"Picture1",  PictureBox,      240,  6360,  7575,  1335,  6},
            {"Picture2",  PictureBox,      840,  3360,  1575,  2775,  2},
            {"Command2",  CommandButton,  6000,  1680,  1575,   495,  1},
            {"Command1",  CommandButton,  6000,  1200,  1575,   495,  0},
            {"Label1",    Label,           240,   240,  5535,  2415,  7},
            {"Line1",     Line,            240,  2760,  7800,  2760},
        }},
        {7, 8895, 6990, "Sur quel plan est représenté un taraudage ?", {
            {"Option1",   OptionButton,   2880,  3000,  1455,   375,  6},
            {"Option2",   OptionButton,   2880,  4320,  1455,   375,  5},
            {"Option3",   OptionButton,   6960,  3480,  1455,   375,  4},
            {"Picture1",  PictureBox,      360,  4200,  6135,  2535,  7},
            {"Picture2",  PictureBox,      360,  2760,  6015,  1215,  3},
            {"Picture3",  PictureBox,     6720,  3960,  1935,  1935,  2},
            {"Command2",  CommandButton,  7080,  1080,  1335,   495,  1},
            {"Command1",  CommandButton,  7080,   600,  1335,   495,  0},
            {"Label2",    Label,           120,   360,  6975,  1695,  8},
            {"Line1",     Line,            240,  2520,  8640,  2520},
        }},
        {8, 8070, 7350, "Sur quel plan est représenté un filetage ?", {
            {"Option1",   OptionButton,   3360,  2880,  1455,   375,  6},
            {"Option2",   OptionButton,    480,  4680,  1455,   375,  5},
            {"Option3",   OptionButton,   4560,  4680,  1455,   375,  4},
            {"Picture1",  PictureBox,      360,  5160,  1815,  1935,  7},
            {"Picture2",  PictureBox,      840,  3000,  6135,  1575,  3},
            {"Picture3",  PictureBox,     2400,  5160,  5415,  1455,  2},
            {"Command2",  CommandButton,  5640,  1440,  1695,   495,  1},
            {"Command1",  CommandButton,  5640,   960,  1695,   495,  0},
            {"Label1",    Label,           240,   240,  5175,  2415,  8},
            {"Line1",     Line,            240,  2760,  7800,  2760},
        }},
        {9, 9465, 6945, "Quel plan représente correctement le taraudage autour du trou lisse de cet écrou ?", {
            {"Picture4",  PictureBox,     6120,   480,  2055,  1815,  9},
            {"Picture3",  PictureBox,      840,  4800,  2055,  1815,  7},
            {"Picture2",  PictureBox,     6480,  4800,  2055,  1815,  6},
            {"Option3",   OptionButton,   6840,  4320,  1455,   375,  5},
            {"Option2",   OptionButton,   3840,  4320,  1455,   375,  4},
            {"Option1",   OptionButton,   1200,  4320,  1455,   375,  3},
            {"Picture1",  PictureBox,     3600,  4800,  2055,  1815,  2},
            {"Command2",  CommandButton,  6480,  3240,  1455,   375,  1},
            {"Command1",  CommandButton,  6480,  2880,  1455,   375,  0},
            {"Line1",     Line,            240,  4080,  9240,  4080},
            {"Label1",    Label,           240,     0,  5655,  4095,  8},
        }},
        {10, 8355, 6450, "Quel plan représente correctement le filetage autour du cylindre lisse de cette vis ?", {
            {"Picture4",  PictureBox,     6120,   600,  1695,  1335,  9},
            {"Picture3",  PictureBox,      600,  4680,  1695,  1335,  7},
            {"Picture2",  PictureBox,     6000,  4680,  1695,  1335,  6},
            {"Option3",   OptionButton,   6120,  4200,  1455,   375,  5},
            {"Option2",   OptionButton,   3480,  4200,  1455,   375,  4},
            {"Option1",   OptionButton,    720,  4200,  1455,   375,  3},
            {"Picture1",  PictureBox,     3240,  4680,  1695,  1335,  2},
            {"Command2",  CommandButton,  6240,  3000,  1335,   375,  1},
            {"Command1",  CommandButton,  6240,  2640,  1335,   375,  0},
            {"Line1",     Line,            120,  4080,  8160,  4080},
            {"Label1",    Label,             0,     0,  5655,  4095,  8},
        }},
        {11, 8025, 4305, "Quel plan représente un écrou ?", {
            {"Picture3",  PictureBox,     3000,  2400,  1695,  1335,  7},
            {"Picture2",  PictureBox,     5520,  2160,  1935,  1815,  6},
            {"Option3",   OptionButton,   5880,  1800,  1455,   375,  5},
            {"Option2",   OptionButton,   3240,  1800,  1455,   375,  4},
            {"Option1",   OptionButton,    720,  1800,  1455,   375,  3},
            {"Picture1",  PictureBox,      480,  2400,  1695,  1335,  2},
            {"Command2",  CommandButton,  5880,   840,  1575,   375,  1},
            {"Command1",  CommandButton,  5880,   480,  1575,   375,  0},
            {"Line1",     Line,            120,  1680,  7800,  1680},
            {"Label1",    Label,           120,   120,  5535,  1455,  8},
        }},
        {12, 7815, 5955, "Quel plan représente une vis ?", {
            {"Picture3",  PictureBox,      840,  2040,  3375,  1575,  7},
            {"Picture2",  PictureBox,      840,  4080,  3375,  1575,  6},
            {"Option3",   OptionButton,   1800,  3720,  1455,   375,  5},
            {"Option2",   OptionButton,   5160,  2160,  1455,   375,  4},
            {"Option1",   OptionButton,   1680,  1680,  1455,   375,  3},
            {"Picture1",  PictureBox,     5040,  2640,  1575,  2775,  2},
            {"Command2",  CommandButton,  5880,   720,  1575,   375,  1},
            {"Command1",  CommandButton,  5880,   360,  1575,   375,  0},
            {"Label1",    Label,             0,     0,  5535,  1455,  8},
            {"Line1",     Line,            240,  1560,  7560,  1560},
        }},
        {13, 10020, 8115, "Quel ensemble de vis et d'écrou peut s'assembler ?", {
            {"Option3",   OptionButton,   7080,  3960,  1215,   375,  5},
            {"Option2",   OptionButton,   1920,  5280,  1215,   375,  4},
            {"Picture3",  PictureBox,      120,  5160,  4815,  2775,  7},
            {"Picture2",  PictureBox,     5040,  3840,  4815,  2775,  6},
            {"Option1",   OptionButton,   1920,  2760,  1215,   375,  3},
            {"Picture1",  PictureBox,      120,  2640,  4815,  2415,  2},
            {"Command2",  CommandButton,  7800,  1200,  1695,   375,  1},
            {"Command1",  CommandButton,  7800,   840,  1695,   375,  0},
            {"Line1",     Line,            240,  2520,  9840,  2520},
            {"Label1",    Label,             0,   120,  7455,  2175,  8},
        }},
        {14, 10530, 8340, "Quel assemblage de vis et d'écrou est bien représenté ?", {
            {"Option3",   OptionButton,   7080,  4680,  1455,   375,  5},
            {"Option2",   OptionButton,   2160,  5400,  1455,   375,  4},
            {"Picture3",  PictureBox,      720,  5520,  4335,  2415,  7},
            {"Picture2",  PictureBox,     5280,  4560,  4815,  2535,  6},
            {"Option1",   OptionButton,   2040,  2760,  1455,   375,  3},
            {"Picture1",  PictureBox,      720,  2880,  4335,  2415,  2},
            {"Command2",  CommandButton,  8160,  1200,  1455,   375,  1},
            {"Command1",  CommandButton,  8160,   840,  1455,   375,  0},
            {"Line1",     Line,            120,  2640,  9960,  2640},
            {"Label1",    Label,           120,   480,  7815,  2055,  8},
        }},
        {15, 7035, 10335, "Quel ensemble de pièces s'assemble correctement ?", {
            {"Option3",   OptionButton,    360,  7920,  1455,   375,  5},
            {"Option2",   OptionButton,    360,  5280,  1455,   375,  4},
            {"Picture8",  PictureBox,     5040,  6480,  1095,  1095, 13},
            {"Picture7",  PictureBox,     2640,  5160,  2295,  2415, 12},
            {"Picture6",  PictureBox,      240,  5160,  2295,  2415, 11},
            {"Picture5",  PictureBox,     5040,  5160,  1575,  1215, 10},
            {"Option1",   OptionButton,    360,  2640,  1455,   375,  3},
            {"Picture4",  PictureBox,     5040,  3840,  1095,  1095,  9},
            {"Picture3",  PictureBox,     5040,  2520,  1575,  1215,  7},
            {"Picture2",  PictureBox,      240,  2520,  2295,  2415,  6},
            {"Picture1",  PictureBox,     2640,  2520,  2295,  2415,  2},
            {"Command2",  CommandButton,  5280,  1320,  1575,   375,  1},
            {"Command1",  CommandButton,  5280,   960,  1575,   375,  0},
            {"Picture9",  PictureBox,     5040,  7800,  1575,  1215, 14},
            {"Picture10", PictureBox,      240,  7800,  2295,  2415, 15},
            {"Picture11", PictureBox,     2640,  7800,  2295,  2415, 16},
            {"Picture12", PictureBox,     5040,  9120,   855,   855, 17},
            {"Line3",     Line,            240,  7680,  6840,  7680},
            {"Line2",     Line,            240,  5040,  6840,  5040},
            {"Line1",     Line,            240,  2400,  6840,  2400},
            {"Label1",    Label,           120,     0,  5295,  2415,  8},
        }},
        {16, 8850, 8835, "Parmi ces assemblages, quel est celui qui utilise un trou borgne ?", {
            {"Option3",   OptionButton,   2040,  6960,  1455,   375,  5},
            {"Option2",   OptionButton,   2040,  4920,  1455,   375,  4},
            {"Option1",   OptionButton,   2040,  2760,  1455,   375,  3},
            {"Picture3",  PictureBox,     1800,  6840,  4575,  1815,  7},
            {"Picture2",  PictureBox,     1800,  2640,  4575,  2055,  6},
            {"Picture1",  PictureBox,     1800,  4800,  4575,  1935,  2},
            {"Command2",  CommandButton,  6600,  1200,  1455,   375,  1},
            {"Command1",  CommandButton,  6600,   840,  1455,   375,  0},
            {"Line1",     Line,            480,  2520,  8280,  2520},
            {"Label1",    Label,           120,   120,  6375,  2415,  8},
        }},
    }};
    return pages;
}

const std::array<AidPage, 16>& aidPages()
{
    //  n, client area, Label1 left, top, width, height, aid text
    static const std::array<AidPage, 16> pages{{
        {1, 5145, 1305, {0, 0, 5055, 1215},
         "On nomme vis les éléments filetés mâles."},
        {2, 5280, 1260, {120, 0, 5055, 1215},
         "On nomme écrou les éléments filetés femelles."},
        {3, 5925, 1620, {0, 0, 6015, 1455},
         "On nomme boulon un assemblage d'éléments filetés mâles et femelles."},
        {4, 6165, 780, {0, 0, 6015, 1455},
         "On nomme taraudage un trou fileté."},
        {5, 6060, 1155, {0, 0, 6015, 1455},
         "On nomme filetage un cylindre fileté."},
        {6, 6075, 1155, {0, 0, 6015, 1455},
         "Le taraudage est représenté par un trait  fin."},
        {7, 6315, 1200, {120, 0, 6015, 1455},
         "Le taraudage est représenté par un trait  fin."},
        {8, 6090, 1215, {0, 0, 6135, 1215},
         "Le filetage est représenté par un trait  fin."},
        {9, 6330, 2055, {0, 0, 6135, 1935},
         "En vue de face le taraudage est représenté par un cercle en trait fort et un 3/4 de cercle plus grand en trait fin."},
        {10, 6285, 2055, {0, 0, 6135, 1935},
         "En vue de face le filetage est représenté par un cercle en trait fort et un 3/4 de cercle plus petit en trait fin."},
        {11, 6165, 1740, {0, 0, 6135, 1935},
         "Le trait fin d'un écrou est d'un diamètre plus grand que son trait fort."},
        {12, 6030, 1650, {0, 0, 6135, 1935},
         "Le trait fin d'une vis est d'un diamètre plus faible que son trait fort."},
        {13, 6675, 2715, {0, 0, 6615, 2655},
         "Pour qu'une vis s'assemble avec un écrou il faut que ses traits fins correspondent avec les traits forts de l'écrou et de même pour les traits forts de la vis et les fins de l'écrou."},
        {14, 6810, 2130, {0, 0, 6615, 2055},
         "Lors du dessin d'un assemblage vis écrou, il faut que les traits de la vis aient la priorité (soient représentés à la place) sur ceux de l'écrou."},
        {15, 6855, 2700, {0, 0, 6855, 2655},
         "Un assemblage correct doit comporter : 2 pièces à serrer ; une pièce taraudée (écrou ou une des pièces à serrer) ; une vis ; des surfaces d'appui correcte (bossage ou rondelles)"},
        {16, 7095, 1755, {120, 0, 6975, 1695},
         "Un trou borgne est un trou à travers duquel on ne peut pas voir : il ne traverse pas toute la pièce."},
    }};
    return pages;
}

namespace {

// What every exercise page shares: the fonts of its question and its buttons (the options
// keep the window's default font) and the captions of its buttons and options.
const Font kQuestionFont{"Comic Sans MS", 27.75};
const Font kButtonFont{"Comic Sans MS", 8.25};
const char* const kAnswers[] = {"Réponse a", "Réponse b", "Réponse c"};

// The aid pages' one label.
const Font kAidFont{"Comic Sans MS", 18};

// The number that ends a control's name: 3 for "Option3", 12 for "Picture12".
int numberOf(const std::string& name, const char* prefix)
{
    const std::string::size_type length = std::char_traits<char>::length(prefix);
    if (name.rfind(prefix, 0) != 0 || name.size() == length)
        throw std::logic_error("control " + name + " is not a " + prefix);
    return std::stoi(name.substr(length));
}

ControlRecord control(int page, const ControlRow& row, const std::string& question)
{
    const std::string name = row.name;
    const Rect r{row.a, row.b, row.c, row.d};
    switch (row.kind) {
    case Kind::OptionButton: {
        const int n = numberOf(name, "Option");
        if (n < 1 || n > 3)
            break;
        return optionButton(name, kAnswers[n - 1], r, row.tabIndex);
    }
    case Kind::PictureBox:
        return pictureBox(name, r, row.tabIndex, picture_names::box(page, numberOf(name, "Picture")));
    case Kind::CommandButton:
        if (name == "Command1")
            return commandButton(name, "aide", r, row.tabIndex, kButtonFont);
        if (name == "Command2")
            return commandButton(name, "Valider", r, row.tabIndex, kButtonFont);
        break;
    case Kind::Label:
        return label(name, question, r, row.tabIndex, kQuestionFont, Alignment::Centre);
    case Kind::Line:
        return line(name, row.a, row.b, row.c, row.d);
    case Kind::CheckBox:
        break;
    }
    throw std::logic_error("no exercise page holds a control like " + name);
}

}  // namespace

Layout exerciseLayout(const ExercisePage& p)
{
    Layout l;
    l.window = {"Form" + std::to_string(2 * p.page), "Exercice " + std::to_string(p.page), p.clientWidth,
                p.clientHeight, Border::FixedDialog, "", common::exerciseIcon(), std::nullopt};
    for (const ControlRow& row : p.controls)
        l.controls.push_back(control(p.page, row, p.question));
    return l;
}

Layout aidLayout(const AidPage& p)
{
    Layout l;
    l.window = {"Form" + std::to_string(2 * p.n + 1), "Aide exercice " + std::to_string(p.n), p.clientWidth,
                p.clientHeight, Border::FixedDialog, "", common::aidIcon(), std::nullopt};
    l.controls.push_back(label("Label1", p.text, p.label, 0, kAidFont, Alignment::Centre));
    return l;
}

std::vector<Layout> layouts()
{
    //                         caption, client area, the instruction (Label2) and its width
    Layout start = common::startWindow({"Exercices : Eléments filetés", 4680, 2475,
                                        "Choisir la bonne réponse parmi celles proposées. En cas de problème vous "
                                        "pouvez avoir accès à une aide mais ceci baisse la note.",
                                        4695});
    Layout summary = common::usageSummary("Utilisation des aides", "Aides utilisées dans les exercices suivants :");
    auto page = [](int n) { return exerciseLayout(exercisePages()[static_cast<std::size_t>(n - 1)]); };
    auto aid = [](int n) { return aidLayout(aidPages()[static_cast<std::size_t>(n - 1)]); };
    return common::programWindows(std::move(start), page, aid, std::move(summary));
}

const quiz::AnswerKey& answerKey()
{
    using quiz::Number;
    constexpr Number q = Number::fractional(0.75);
    constexpr Number one = Number::whole(1);
    //                                  correct option, weight, aid penalty
    static const quiz::AnswerKey key{{
        {2, 1, q}, {3, 1, q}, {1, 1, q}, {3, 1, q},         // 1 to 4
        {3, 1, q}, {1, 1, q}, {2, 1, q}, {1, 1, q},         // 5 to 8
        {2, 1, q}, {1, 1, q}, {2, 1, q}, {1, 1, q},         // 9 to 12
        {1, 2, one}, {3, 2, one}, {2, 2, one}, {2, 2, one},  // 13 to 16
    }};
    return key;
}

quiz::Project project() { return {QStringLiteral("exercices"), layouts(), answerKey(), common::resultTexts()}; }

}  // namespace threaded_elements
