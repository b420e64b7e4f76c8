#pragma once
// The texts the image benchmarks draw, on both sides of the comparison:
// shipping and product codes of 8 to 24 characters, digits and capitals.

#include <string>
#include <vector>

namespace quillant::bench {

inline const std::vector<std::string>& ImageTexts() {
    static const std::vector<std::string> texts = {
        "PARCEL 0042-1187", "9780201633610",   "ORDER-2026-000917", "LOT4711/B",       "SSCC 340123450000000017",
        "QUILLANT 128",     "A1B2C3D4E5",       "0012345678905",     "RETURN 88-231-X", "Z 99 Y 88 X 77",
    };
    return texts;
}

}  // namespace quillant::bench
