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
    // Every control in its stored order. A row is: name, left, top, width, height, tab index;
    // for a line: name, x1, y1, x2, y2.
    //  page, client area, question
    static const std::array<ExercisePage, 16> pages{{
        {1, 6600, 6825, "Quelle pièce est une vis ?", {
            {"Option3", 4440, 4200, 1455, 375, 8},
            {"Option2", 1560, 4200, 1215, 375, 7},
            {"Option1", 2640, 2160, 1215, 375, 6},
            {"Picture3", 240, 4080, 3495, 2535, 5},
            {"Picture2", 4080, 4080, 2175, 2415, 4},
            {"Picture1", 480, 2040, 5655, 1815, 3},
            {"Command2", 4680, 1080, 1575, 495, 1},
            {"Command1", 4680, 600, 1575, 495, 0},
            {"Line1", 240, 1920, 6360, 1920},
            {"Label1", 600, 240, 3855, 1575, 2},
        }},
        {2, 6870, 7125, "Quelle(s) pièce(s) est un écrou ?", {
            {"Option3", 4680, 4560, 1455, 375, 2},
            {"Option2", 1200, 4560, 1455, 375, 3},
            {"Option1", 2640, 2400, 1455, 375, 4},
            {"Picture2", 3960, 4440, 2655, 2535, 8},
            {"Picture1", 240, 4440, 3495, 2535, 6},
            {"Picture3", 840, 2280, 4575, 1935, 5},
            {"Command2", 4800, 1200, 1695, 495, 1},
            {"Command1", 4800, 720, 1695, 495, 0},
            {"Label1", 120, 360, 4575, 1575, 7},
            {"Line1", 360, 2160, 6480, 2160},
        }},
        {3, 7560, 7230, "Quelle(s) pièce(s) est un boulon ?", {
            {"Option3", 5400, 4320, 1455, 375, 2},
            {"Option2", 960, 4320, 1455, 375, 3},
            {"Option1", 2640, 2160, 1455, 375, 4},
            {"Picture1", 1080, 2040, 4575, 1935, 7},
            {"Picture2", 240, 4200, 3495, 2775, 6},
            {"Picture3", 3960, 4200, 3375, 2775, 5},
            {"Command2", 5160, 960, 1695, 495, 1},
            {"Command1", 5160, 480, 1695, 495, 0},
            {"Label1", 120, 120, 4935, 1575, 8},
            {"Line1", 240, 1800, 7200, 1800},
        }},
        {4, 6600, 7530, "Quelle est la pièce taraudée ?", {
            {"Option3", 4080, 2040, 1455, 375, 2},
            {"Option2", 2640, 4680, 1455, 375, 3},
            {"Option1", 960, 2040, 1455, 375, 4},
            {"Picture1", 480, 1920, 2655, 2415, 7},
            {"Picture2", 1560, 4560, 3375, 2775, 6},
            {"Picture3", 3360, 1920, 2655, 2415, 5},
            {"Command2", 4680, 840, 1695, 495, 1},
            {"Command1", 4680, 360, 1695, 495, 0},
            {"Label1", 240, 120, 4335, 1575, 8},
            {"Line1", 240, 1800, 6360, 1800},
        }},
        {5, 6975, 6345, "Quelle est la pièce ayant un filetage ?", {
            {"Option1", 2640, 2640, 1455, 375, 3},
            {"Option2", 840, 3840, 1455, 375, 4},
            {"Option3", 3720, 3720, 1455, 375, 5},
            {"Picture3", 2880, 3600, 3495, 2535, 8},
            {"Picture2", 480, 3720, 2055, 2175, 7},
            {"Picture1", 600, 2400, 5655, 975, 2},
            {"Command2", 5280, 960, 1455, 495, 1},
            {"Command1", 5280, 480, 1455, 495, 0},
            {"Line1", 240, 2160, 6720, 2160},
            {"Label1", 240, 240, 4935, 1695, 6},
        }},
        {6, 8145, 8040, "Sur quel plan est représenté un taraudage ?", {
            {"Option2", 4200, 3000, 1455, 375, 4},
            {"Picture4", 4080, 3480, 1695, 2175, 8},
            {"Option3", 3480, 6120, 1455, 375, 3},
            {"Option1", 960, 2880, 1455, 375, 5},
            {"Picture1", 240, 6360, 7575, 1335, 6},
            {"Picture2", 840, 3360, 1575, 2775, 2},
            {"Command2", 6000, 1680, 1575, 495, 1},
            {"Command1", 6000, 1200, 1575, 495, 0},
            {"Label1", 240, 240, 5535, 2415, 7},
            {"Line1", 240, 2760, 7800, 2760},
        }},
        {7, 8895, 6990, "Sur quel plan est représenté un taraudage ?", {
            {"Option1", 2880, 3000, 1455, 375, 6},
            {"Option2", 2880, 4320, 1455, 375, 5},
            {"Option3", 6960, 3480, 1455, 375, 4},
            {"Picture1", 360, 4200, 6135, 2535, 7},
            {"Picture2", 360, 2760, 6015, 1215, 3},
            {"Picture3", 6720, 3960, 1935, 1935, 2},
            {"Command2", 7080, 1080, 1335, 495, 1},
            {"Command1", 7080, 600, 1335, 495, 0},
            {"Label2", 120, 360, 6975, 1695, 8},
            {"Line1", 240, 2520, 8640, 2520},
        }},
        {8, 8070, 7350, "Sur quel plan est représenté un filetage ?", {
            {"Option1", 3360, 2880, 1455, 375, 6},
            {"Option2", 480, 4680, 1455, 375, 5},
            {"Option3", 4560, 4680, 1455, 375, 4},
            {"Picture1", 360, 5160, 1815, 1935, 7},
            {"Picture2", 840, 3000, 6135, 1575, 3},
            {"Picture3", 2400, 5160, 5415, 1455, 2},
            {"Command2", 5640, 1440, 1695, 495, 1},
            {"Command1", 5640, 960, 1695, 495, 0},
            {"Label1", 240, 240, 5175, 2415, 8},
            {"Line1", 240, 2760, 7800, 2760},
        }},
        {9, 9465, 6945, "Quel plan représente correctement le taraudage autour du trou lisse de cet écrou ?", {
            {"Picture4", 6120, 480, 2055, 1815, 9},
            {"Picture3", 840, 4800, 2055, 1815, 7},
            {"Picture2", 6480, 4800, 2055, 1815, 6},
            {"Option3", 6840, 4320, 1455, 375, 5},
            {"Option2", 3840, 4320, 1455, 375, 4},
            {"Option1", 1200, 4320, 1455, 375, 3},
            {"Picture1", 3600, 4800, 2055, 1815, 2},
            {"Command2", 6480, 3240, 1455, 375, 1},
            {"Command1", 6480, 2880, 1455, 375, 0},
            {"Line1", 240, 4080, 9240, 4080},
            {"Label1", 240, 0, 5655, 4095, 8},
        }},
        {10, 8355, 6450, "Quel plan représente correctement le filetage autour du cylindre lisse de cette vis ?", {
            {"Picture4", 6120, 600, 1695, 1335, 9},
            {"Picture3", 600, 4680, 1695, 1335, 7},
            {"Picture2", 6000, 4680, 1695, 1335, 6},
            {"Option3", 6120, 4200, 1455, 375, 5},
            {"Option2", 3480, 4200, 1455, 375, 4},
            {"Option1", 720, 4200, 1455, 375, 3},
            {"Picture1", 3240, 4680, 1695, 1335, 2},
            {"Command2", 6240, 3000, 1335, 375, 1},
            {"Command1", 6240, 2640, 1335, 375, 0},
            {"Line1", 120, 4080, 8160, 4080},
            {"Label1", 0, 0, 5655, 4095, 8},
        }},
        {11, 8025, 4305, "Quel plan représente un écrou ?", {
            {"Picture3", 3000, 2400, 1695, 1335, 7},
            {"Picture2", 5520, 2160, 1935, 1815, 6},
            {"Option3", 5880, 1800, 1455, 375, 5},
            {"Option2", 3240, 1800, 1455, 375, 4},
            {"Option1", 720, 1800, 1455, 375, 3},
            {"Picture1", 480, 2400, 1695, 1335, 2},
            {"Command2", 5880, 840, 1575, 375, 1},
            {"Command1", 5880, 480, 1575, 375, 0},
            {"Line1", 120, 1680, 7800, 1680},
            {"Label1", 120, 120, 5535, 1455, 8},
        }},
        {12, 7815, 5955, "Quel plan représente une vis ?", {
            {"Picture3", 840, 2040, 3375, 1575, 7},
            {"Picture2", 840, 4080, 3375, 1575, 6},
            {"Option3", 1800, 3720, 1455, 375, 5},
            {"Option2", 5160, 2160, 1455, 375, 4},
            {"Option1", 1680, 1680, 1455, 375, 3},
            {"Picture1", 5040, 2640, 1575, 2775, 2},
            {"Command2", 5880, 720, 1575, 375, 1},
            {"Command1", 5880, 360, 1575, 375, 0},
            {"Label1", 0, 0, 5535, 1455, 8},
            {"Line1", 240, 1560, 7560, 1560},
        }},
        {13, 10020, 8115, "Quel ensemble de vis et d'écrou peut s'assembler ?", {
            {"Option3", 7080, 3960, 1215, 375, 5},
            {"Option2", 1920, 5280, 1215, 375, 4},
            {"Picture3", 120, 5160, 4815, 2775, 7},
            {"Picture2", 5040, 3840, 4815, 2775, 6},
            {"Option1", 1920, 2760, 1215, 375, 3},
            {"Picture1", 120, 2640, 4815, 2415, 2},
            {"Command2", 7800, 1200, 1695, 375, 1},
            {"Command1", 7800, 840, 1695, 375, 0},
            {"Line1", 240, 2520, 9840, 2520},
            {"Label1", 0, 120, 7455, 2175, 8},
        }},
        {14, 10530, 8340, "Quel assemblage de vis et d'écrou est bien représenté ?", {
            {"Option3", 7080, 4680, 1455, 375, 5},
            {"Option2", 2160, 5400, 1455, 375, 4},
            {"Picture3", 720, 5520, 4335, 2415, 7},
            {"Picture2", 5280, 4560, 4815, 2535, 6},
            {"Option1", 2040, 2760, 1455, 375, 3},
            {"Picture1", 720, 2880, 4335, 2415, 2},
            {"Command2", 8160, 1200, 1455, 375, 1},
            {"Command1", 8160, 840, 1455, 375, 0},
            {"Line1", 120, 2640, 9960, 2640},
            {"Label1", 120, 480, 7815, 2055, 8},
        }},
        {15, 7035, 10335, "Quel ensemble de pièces s'assemble correctement ?", {
            {"Option3", 360, 7920, 1455, 375, 5},
            {"Option2", 360, 5280, 1455, 375, 4},
            {"Picture8", 5040, 6480, 1095, 1095, 13},
            {"Picture7", 2640, 5160, 2295, 2415, 12},
            {"Picture6", 240, 5160, 2295, 2415, 11},
            {"Picture5", 5040, 5160, 1575, 1215, 10},
            {"Option1", 360, 2640, 1455, 375, 3},
            {"Picture4", 5040, 3840, 1095, 1095, 9},
            {"Picture3", 5040, 2520, 1575, 1215, 7},
            {"Picture2", 240, 2520, 2295, 2415, 6},
            {"Picture1", 2640, 2520, 2295, 2415, 2},
            {"Command2", 5280, 1320, 1575, 375, 1},
            {"Command1", 5280, 960, 1575, 375, 0},
            {"Picture9", 5040, 7800, 1575, 1215, 14},
            {"Picture10", 240, 7800, 2295, 2415, 15},
            {"Picture11", 2640, 7800, 2295, 2415, 16},
            {"Picture12", 5040, 9120, 855, 855, 17},
            {"Line3", 240, 7680, 6840, 7680},
            {"Line2", 240, 5040, 6840, 5040},
            {"Line1", 240, 2400, 6840, 2400},
            {"Label1", 120, 0, 5295, 2415, 8},
        }},
        {16, 8850, 8835, "Parmi ces assemblages, quel est celui qui utilise un trou borgne ?", {
            {"Option3", 2040, 6960, 1455, 375, 5},
            {"Option2", 2040, 4920, 1455, 375, 4},
            {"Option1", 2040, 2760, 1455, 375, 3},
            {"Picture3", 1800, 6840, 4575, 1815, 7},
            {"Picture2", 1800, 2640, 4575, 2055, 6},
            {"Picture1", 1800, 4800, 4575, 1935, 2},
            {"Command2", 6600, 1200, 1455, 375, 1},
            {"Command1", 6600, 840, 1455, 375, 0},
            {"Line1", 480, 2520, 8280, 2520},
            {"Label1", 120, 120, 6375, 2415, 8},
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

const Font kButtonFont{"Comic Sans MS", 8.25};
const Font kQuestionFont{"Comic Sans MS", 27.75};
const Font kAidFont{"Comic Sans MS", 18};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

ControlRecord control(int page, const ControlRow& row, const std::string& question)
{
    const std::string name = row.name;
    const Rect r{row.a, row.b, row.c, row.d};
    if (startsWith(name, "Option")) {
        static const char* const answers[] = {"Réponse a", "Réponse b", "Réponse c"};
        return optionButton(name, answers[std::stoi(name.substr(6)) - 1], r, row.tabIndex);
    }
    if (startsWith(name, "Picture"))
        return pictureBox(name, r, row.tabIndex, picture_names::box(page, std::stoi(name.substr(7))));
    if (name == "Command1")
        return commandButton(name, "aide", r, row.tabIndex, kButtonFont);
    if (name == "Command2")
        return commandButton(name, "Valider", r, row.tabIndex, kButtonFont);
    if (startsWith(name, "Label"))
        return label(name, question, r, row.tabIndex, kQuestionFont, Alignment::Centre);
    if (startsWith(name, "Line"))
        return line(name, row.a, row.b, row.c, row.d);
    throw std::logic_error("unknown control " + name);
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
    std::vector<Layout> all;
    all.push_back(common::startWindow({"Exercices : Eléments filetés", 4680, 2475,
                                       "Choisir la bonne réponse parmi celles proposées. En cas de problème vous "
                                       "pouvez avoir accès à une aide mais ceci baisse la note.",
                                       4695}));
    for (int n = 1; n <= 16; ++n) {
        all.push_back(exerciseLayout(exercisePages()[static_cast<std::size_t>(n - 1)]));
        all.push_back(aidLayout(aidPages()[static_cast<std::size_t>(n - 1)]));
    }
    all.push_back(common::usageSummary("Utilisation des aides", "Aides utilisées dans les exercices suivants :"));
    return all;
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
