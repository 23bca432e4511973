// A saved state with something in every group, for the tests that load one: options effects only (5), pad x
// 100 and y 64 (10, 11), pad size 10 (12), overscan 1 (14), as loading keeps them off a console. Badges 0 and
// 31. Easy empty, Normal as after 500 was recorded over 900, 800, 500, 100, Hard's best 70. The checksums are
// worked out by hand.
#pragma once

#include <string>

#include "tests/support/text.h"

const std::string kSettings = "0|0|0|0|0|2|0|0|0|0|100|64|10|0|1|0|0|0|0|0|0|0|0|0|0|1848|";
const std::string kBadges = "-2147483647|0|0|0|0|0|0|0|-2147483647|";
const std::string kScores = Zeros(21) + "900|500|800|0|500|0|500|0|100|0|" + Zeros(10) + "16900|" + "70|0|" +
                            Zeros(18) + "280|" + Zeros(21) + "500|0|" + Zeros(18) + "2000|" + Zeros(21 * 3);
