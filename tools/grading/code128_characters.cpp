#include "tools/grading/code128_characters.h"

#include <map>

namespace quillant::grading {

// ISO/IEC 15417's symbol character table; every row sums to 11 modules and
// its bars to an even number.
// clang-format off
const std::array<std::string_view, kStop + 1> kCharacterWidths = {{
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",  // 0..
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",  // 10..
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",  // 20..
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",  // 30..
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",  // 40..
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",  // 50..
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",  // 60..
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  // 70..
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",  // 80..
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",  // 90..
    "114131", "311141", "411131", "211412", "211214", "211232", "233111",  // 100..
}};
// clang-format on

std::optional<int> CharacterFromSums(const std::array<int, 4>& sums) {
    // The sums tell every character apart, so one map built once answers.
    static const std::map<std::array<int, 4>, int> bySums = [] {
        std::map<std::array<int, 4>, int> map;
        for (int value = 0; value <= kStop; ++value) {
            const auto w = kCharacterWidths[static_cast<size_t>(value)];
            std::array<int, 4> key{};
            for (size_t j = 0; j < 4; ++j) key[j] = (w[j] - '0') + (w[j + 1] - '0');
            map.emplace(key, value);
        }
        return map;
    }();
    const auto found = bySums.find(sums);
    if (found == bySums.end()) return std::nullopt;
    return found->second;
}

}  // namespace quillant::grading
