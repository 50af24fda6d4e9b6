#include "picture_names.h"

#include <map>
#include <utility>

namespace threaded_elements::picture_names {

std::string boxFile(int page, int number)
{
    // page, box -> image; an image shown in several places is one file.
    static const std::map<std::pair<int, int>, const char*> files{
        {{1, 1}, "shank-in-frame"}, {{1, 2}, "cap-nut"}, {{1, 3}, "cap-screw"},
        {{2, 1}, "hex-screw"}, {{2, 2}, "hex-nut"}, {{2, 3}, "screw-with-nut"},
        {{3, 1}, "screw-with-nut"}, {{3, 2}, "hex-screw"}, {{3, 3}, "cap-screw"},
        {{4, 1}, "plain-nut"}, {{4, 2}, "cap-screw"}, {{4, 3}, "hex-nut"},
        {{5, 1}, "twist-drill"}, {{5, 2}, "cap-nut"}, {{5, 3}, "hex-screw"},
        {{6, 1}, "hex-screw-two-views"}, {{6, 2}, "tapped-bore-section"}, {{6, 4}, "plain-bore-section-AA"},
        {{7, 1}, "blind-tapped-joint-section"}, {{7, 2}, "threaded-bar"}, {{7, 3}, "plain-bore-section-BB"},
        {{8, 1}, "V18"}, {{8, 2}, "hex-screw-thread-drawn"}, {{8, 3}, "hex-screw-two-views"},
        {{9, 1}, "nut-end-outer-three-quarter"}, {{9, 2}, "nut-end-outer-full"},
        {{9, 3}, "nut-end-inner-three-quarter"}, {{9, 4}, "nut-end"},
        {{10, 1}, "screw-end-outer-three-quarter"}, {{10, 2}, "screw-end"},
        {{10, 3}, "screw-end-inner-three-quarter"}, {{10, 4}, "screw-end"},
        {{11, 1}, "screw-end-inner-three-quarter"}, {{11, 2}, "nut-end-outer-full"},
        {{11, 3}, "screw-end-outer-three-quarter"},
        {{12, 1}, "tapped-bore-section"}, {{12, 2}, "screw-side-plain"}, {{12, 3}, "screw-side-threaded"},
        {{13, 1}, "pair-matching"}, {{13, 2}, "pair-screw-larger-nut"}, {{13, 3}, "pair-larger-nut-smaller-screw"},
        {{14, 1}, "assembly-thick-lines"}, {{14, 2}, "assembly-correct"}, {{14, 3}, "assembly-thin-lines"},
        {{15, 1}, "z-bar-plain-left"}, {{15, 2}, "z-bar-boss-right"}, {{15, 3}, "small-cap-screw"},
        {{15, 4}, "small-hex-nut"}, {{15, 5}, "small-cap-screw"}, {{15, 6}, "z-bar-boss-left"},
        {{15, 7}, "z-bar-boss-right"}, {{15, 8}, "small-hex-nut"}, {{15, 9}, "small-cap-screw"},
        {{15, 10}, "z-bar-plain-left"}, {{15, 11}, "z-bar-plain-left"}, {{15, 12}, "washer"},
        {{16, 1}, "joint-blind-hole"}, {{16, 2}, "joint-bolt"}, {{16, 3}, "joint-through-hole"},
    };
    auto it = files.find({page, number});
    return it == files.end() ? std::string() : std::string("threaded-elements/") + it->second + ".jpg";
}

}  // namespace threaded_elements::picture_names
