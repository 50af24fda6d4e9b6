#include "missing_view.h"

#include "common/common.h"
#include "common/windows.h"
#include "picture_names.h"

#include <algorithm>
#include <map>
#include <string>

namespace missing_view {

using namespace forms;

const std::array<ExercisePage, 16>& exercisePages()
{
    // page  client area   Label1      Command1                  Command2                 options' top, lefts
    //       under "Réponse a"                   under "Réponse b"                  under "Réponse c"
    static const std::array<ExercisePage, 16> pages{{
        {1, 9210, 8490, 2760, 2520, {6720, 2400, 1575, 615}, {6720, 3000, 1575, 495}, 5880, {840, 3840, 6600},
         {{{1, {600, 6360, 1815, 1695}, 1}, {2, {3720, 6360, 1455, 1815}, 2}, {3, {6360, 6360, 1815, 1695}, 3}}}},
        {2, 7875, 8520, 3120, 2520, {5880, 840, 1695, 495}, {5880, 1320, 1695, 495}, 6000, {600, 3240, 5880},
         {{{3, {480, 6480, 1815, 1815}, 4}, {2, {3000, 6480, 1815, 1815}, 5}, {1, {5640, 6480, 1815, 1695}, 6}}}},
        {3, 8715, 8355, 2520, 2280, {6600, 2280, 1695, 615}, {6600, 2880, 1695, 495}, 5760, {840, 3840, 6600},
         {{{1, {720, 6240, 1815, 1695}, 1}, {2, {3720, 6240, 1815, 1815}, 7}, {3, {6360, 6240, 1815, 1815}, 8}}}},
        {4, 9615, 7710, 2520, 2280, {6720, 2280, 1695, 495}, {6720, 2760, 1695, 495}, 5280, {960, 3960, 6720},
         {{{1, {600, 5760, 1815, 1695}, 8}, {2, {3720, 5760, 1695, 1695}, 9}, {3, {6600, 5760, 1695, 1695}, 10}}}},
        {5, 9600, 8430, 2640, 2280, {6720, 2160, 1455, 615}, {6720, 2760, 1455, 495}, 5880, {1440, 4440, 7200},
         {{{2, {1080, 6360, 1815, 1575}, 11}, {1, {4200, 6360, 1815, 1695}, 1}, {3, {6960, 6360, 1575, 1695}, 12}}}},
        {6, 8955, 8490, 2520, 2160, {6360, 2160, 1575, 495}, {6360, 2640, 1575, 495}, 5760, {720, 3720, 6480},
         {{{2, {360, 6240, 1815, 1575}, 3}, {1, {3360, 6240, 1935, 1695}, 8}, {3, {6120, 6240, 2055, 1815}, 13}}}},
        {7, 9210, 8130, 2400, 2280, {6600, 2280, 1335, 495}, {6600, 2760, 1335, 495}, 5520, {840, 3840, 6840},
         {{{1, {720, 6000, 1815, 1455}, 14}, {3, {3600, 5880, 1695, 1695}, 10}, {2, {6600, 5880, 1695, 1815}, 7}}}},
        {8, 9585, 8085, 2640, 2400, {6600, 2400, 1695, 495}, {6600, 2880, 1695, 495}, 5520, {1320, 4320, 7320},
         {{{2, {960, 6000, 1815, 1695}, 15}, {1, {4080, 6000, 1815, 1575}, 16}, {3, {6960, 6000, 1695, 1575}, 17}}}},
        {9, 9465, 8505, 2520, 2400, {6720, 2400, 1455, 495}, {6720, 2880, 1455, 495}, 5640, {1320, 4320, 7320},
         {{{3, {1080, 6240, 1815, 1695}, 6}, {1, {4080, 6120, 1695, 1815}, 15}, {2, {7080, 6120, 1815, 1695}, 1}}}},
        {10, 8805, 9465, 3360, 2880, {7200, 2640, 1335, 495}, {7200, 3120, 1335, 495}, 6720, {720, 3720, 6720},
         {{{3, {480, 7320, 1815, 1935}, 18}, {1, {3480, 7320, 1695, 1695}, 19}, {2, {6360, 7320, 1575, 1695}, 17}}}},
        {11, 9030, 10515, 3600, 3240, {6720, 1320, 1575, 495}, {6720, 1800, 1575, 495}, 7680, {960, 3960, 6960},
         {{{1, {720, 8400, 1695, 1575}, 17}, {3, {3720, 8280, 1815, 1935}, 18}, {2, {6600, 8280, 1815, 1815}, 19}}}},
        {12, 9030, 8190, 3000, 2400, {6960, 2520, 1575, 495}, {6960, 3000, 1575, 495}, 5400, {1080, 4080, 7080},
         {{{1, {840, 6000, 1695, 1455}, 20}, {3, {3840, 6000, 1815, 1695}, 11}, {2, {6960, 5880, 1455, 1815}, 2}}}},
        {13, 8955, 8670, 2760, 2640, {6600, 2640, 1695, 495}, {6600, 3120, 1695, 495}, 5760, {1200, 4200, 7200},
         {{{1, {840, 6360, 1815, 1695}, 11}, {2, {3960, 6240, 1815, 1935}, 21}, {3, {6840, 6240, 1815, 1935}, 18}}}},
        {14, 8355, 9450, 3480, 3120, {6240, 1320, 1455, 495}, {6240, 1800, 1455, 495}, 6960, {1200, 3840, 6360},
         {{{1, {960, 7560, 1815, 1575}, 22}, {3, {3600, 7440, 1695, 1695}, 23}, {2, {6000, 7440, 1815, 1815}, 4}}}},
        {15, 8745, 9735, 3120, 3120, {6480, 1440, 1575, 615}, {6480, 1920, 1575, 495}, 7200, {1320, 3960, 6480},
         {{{2, {960, 7680, 1695, 1815}, 24}, {1, {3720, 7680, 1815, 1695}, 8}, {3, {6240, 7680, 1935, 1695}, 15}}}},
        {16, 8910, 9525, 3240, 3000, {7320, 3000, 1455, 495}, {7320, 3480, 1455, 495}, 6960, {960, 3600, 6360},
         {{{2, {600, 7560, 1815, 1695}, 23}, {1, {3360, 7800, 1815, 1095}, 20}, {3, {6240, 7440, 1575, 1695}, 17}}}},
    }};
    return pages;
}

const std::array<AidPage, 16>& aidPages()
{
    static const std::array<AidPage, 16> pages{{
        {1, 7095, 7410}, {2, 5610, 6030}, {3, 5760, 6465}, {4, 6735, 7620},
        {5, 5805, 5685}, {6, 6885, 7005}, {7, 6675, 7530}, {8, 8745, 7560},
        {9, 7080, 6825}, {10, 6270, 6690}, {11, 4965, 6435}, {12, 6975, 5355},
        {13, 6480, 6495}, {14, 6945, 6735}, {15, 6720, 6540}, {16, 9255, 7875},
    }};
    return pages;
}

namespace {

// The controls that hold tab indexes 2 to 7, per page.
const char* tabOrder(int page)
{
    switch (page) {
    case 1: return "Picture1 Picture2 Picture3 Option1 Option2 Option3";
    case 2: return "Option3 Option2 Option1 Picture3 Picture1 Picture2";
    case 3:
    case 4: return "Option3 Option2 Option1 Picture3 Picture2 Picture1";
    case 6:
    case 7:
    case 8: return "Picture3 Picture2 Option3 Option2 Option1 Picture1";
    default: return "Picture1 Option1 Option2 Option3 Picture2 Picture3";  // 5, 9 to 16
    }
}

std::map<std::string, int> tabIndexes(int page)
{
    std::map<std::string, int> indexes;
    std::string order = tabOrder(page);
    int index = 2;
    for (std::size_t start = 0; start < order.size();) {
        std::size_t end = order.find(' ', start);
        if (end == std::string::npos)
            end = order.size();
        indexes[order.substr(start, end - start)] = index++;
        start = end + 1;
    }
    return indexes;
}

const Font kButtonFont{"Comic Sans MS", 8.25};
const char* const kAnswers[3] = {"Réponse a", "Réponse b", "Réponse c"};

}  // namespace

Layout exerciseLayout(const ExercisePage& p)
{
    Layout l;
    l.window = {"Form" + std::to_string(2 * p.page), "Exercice " + std::to_string(p.page), p.clientWidth,
                p.clientHeight, Border::FixedDialog, picture_names::problemDrawing(p.page), common::exerciseIcon(),
                std::nullopt};

    // Ids 1 to 6: the options and boxes in decreasing tab index (7 down to 2).
    const auto tabs = tabIndexes(p.page);
    std::vector<ControlRecord> answers;
    for (int i = 0; i < 3; ++i) {
        const std::string option = "Option" + std::to_string(i + 1);
        answers.push_back(optionButton(option, kAnswers[i], {p.optionLeft[static_cast<std::size_t>(i)], p.optionsTop, 1455, 375},
                                       tabs.at(option)));
        const CandidateBox& box = p.under[static_cast<std::size_t>(i)];
        const std::string name = "Picture" + std::to_string(box.number);
        answers.push_back(pictureBox(name, box.rect, tabs.at(name), picture_names::candidate(box.candidate)));
    }
    std::sort(answers.begin(), answers.end(), [](const auto& a, const auto& b) { return a.tabIndex > b.tabIndex; });
    l.controls = std::move(answers);

    l.controls.push_back(commandButton("Command2", "Valider", p.command2, 1, kButtonFont));
    l.controls.push_back(commandButton("Command1", "perspective", p.command1, 0, kButtonFont));
    l.controls.push_back(label("Label1", "?", {p.label1Left, p.label1Top, 855, 735}, 8, {"Comic Sans MS", 27.75},
                               Alignment::Centre));
    return l;
}

Layout aidLayout(const AidPage& p)
{
    Layout l;
    // Aid page 7 carries no icon.
    l.window = {"Form" + std::to_string(2 * p.n + 1), "Perspective exercice " + std::to_string(p.n), p.clientWidth,
                p.clientHeight, Border::FixedDialog, picture_names::perspective(p.n),
                p.n == 7 ? std::string() : common::aidIcon(), std::nullopt};
    return l;
}

std::vector<Layout> layouts()
{
    //                         caption, client area, the instruction (Label2) and its width
    Layout start = common::startWindow({"Exercices de dessin industriel", 4800, 2385,
                                        "Choisir parmi les vues proposées la vue de face manquante. En cas de problème "
                                        "vous pouvez avoir accès à la perpective de la pièce mais ceci baisse la note.",
                                        4815});
    Layout summary = common::usageSummary("Utilisation des perspectives", "Perspectives utilisées dans les exercices suivants :");
    auto page = [](int n) { return exerciseLayout(exercisePages()[static_cast<std::size_t>(n - 1)]); };
    auto aid = [](int n) { return aidLayout(aidPages()[static_cast<std::size_t>(n - 1)]); };
    return common::programWindows(std::move(start), page, aid, std::move(summary));
}

const quiz::AnswerKey& answerKey()
{
    using quiz::Number;
    constexpr Number q = Number::fractional(0.75);
    constexpr Number h = Number::fractional(1.5);
    //                                  correct option, weight, aid penalty
    static const quiz::AnswerKey key{{
        {1, 1, q}, {3, 1, q}, {3, 1, q}, {2, 1, q},   // 1 to 4
        {3, 1, q}, {1, 1, q}, {2, 1, q}, {2, 1, q},   // 5 to 8
        {2, 2, q}, {3, 2, q}, {3, 2, q}, {1, 2, q},   // 9 to 12
        {1, 1, q}, {1, 1, h}, {1, 1, h}, {1, 1, h},   // 13 to 16
    }};
    return key;
}

quiz::Project project() { return {QStringLiteral("Pellmora"), layouts(), answerKey(), common::resultTexts()}; }

}  // namespace missing_view
