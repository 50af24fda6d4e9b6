#include "missing-view/models/tables.h"

#include "missing-view/missing_view.h"

#include <array>
#include <stdexcept>

namespace missing_view::models {

const ProblemDrawing& problemDrawing(int page)
{
    static const std::array<ProblemDrawing, 16> drawings{{
        {{441, 398}, {155, 133, 117, 115}}, {{448, 394}, {171, 136, 126, 121}},
        {{405, 377}, {144, 124, 117, 112}}, {{396, 359}, {136, 116, 119, 119}},
        {{397, 377}, {140, 119, 128, 117}}, {{382, 356}, {135, 110, 121, 118}},
        {{389, 367}, {132, 119, 120, 119}}, {{407, 365}, {140, 123, 130, 121}},
        {{399, 368}, {140, 126, 125, 122}}, {{489, 455}, {164, 143, 168, 150}},
        {{533, 538}, {184, 164, 175, 173}}, {{450, 383}, {161, 137, 130, 94}},
        {{405, 392}, {143, 135, 130, 125}}, {{530, 481}, {204, 185, 124, 103}},
        {{480, 483}, {159, 158, 162, 167}}, {{476, 453}, {168, 148, 148, 148}},
    }};
    return drawings.at(std::size_t(page - 1));
}

const CandidateDrawing& candidateDrawing(int v)
{
    constexpr bool grey = false, white = true;
    static const std::array<CandidateDrawing, 24> drawings{{
        {{110, 107}, grey, 1},  {{91, 113}, white, 0},  {{110, 107}, grey, 6},  {{117, 113}, white, 0},
        {{113, 113}, white, 0}, {{110, 105}, grey, 2},  {{113, 122}, white, 0}, {{110, 105}, grey, 3},
        {{110, 111}, grey, 4},  {{110, 107}, grey, 7},  {{110, 107}, grey, 13}, {{110, 101}, grey, 5},
        {{127, 113}, white, 0}, {{113, 91}, white, 0},  {{110, 107}, grey, 9},  {{110, 102}, grey, 8},
        {{110, 98}, grey, 10},  {{113, 126}, white, 0}, {{110, 109}, grey, 11}, {{110, 80}, grey, 12},
        {{113, 123}, white, 0}, {{110, 91}, grey, 14},  {{110, 111}, grey, 16}, {{110, 114}, grey, 15},
    }};
    return drawings.at(std::size_t(v - 1));
}

std::vector<std::pair<int, QSize>> candidatePlaces(int v)
{
    std::vector<std::pair<int, QSize>> places;
    for (const ExercisePage& p : exercisePages())
        for (const CandidateBox& box : p.under)
            if (box.candidate == v)
                places.emplace_back(p.page, QSize(box.rect.width / forms::kTwipsPerPixel - 4,
                                                  box.rect.height / forms::kTwipsPerPixel - 4));
    return places;
}

QSize perspectiveSize(int n)
{
    static const std::array<QSize, 16> sizes{{
        {478, 504}, {383, 410}, {397, 440}, {459, 508}, {388, 381}, {461, 470}, {449, 503}, {586, 513},
        {471, 458}, {428, 452}, {334, 419}, {469, 354}, {432, 437}, {463, 449}, {450, 434}, {616, 527},
    }};
    return sizes.at(std::size_t(n - 1));
}

}  // namespace missing_view::models
