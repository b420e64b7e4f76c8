#include "encoding/vb_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "encoding/vb_error.h"

namespace quillant::vb {
namespace {

bool Overflows(void (*f)()) {
    try {
        f();
    } catch (const VbError& e) {
        return e.number() == 6 && e.description() == "Overflow";
    }
    return false;
}

TEST(VbNumbers, ConversionRoundsHalfToEven) {
    const struct {
        double in;
        int32_t out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                 {2.4999, 2}, {2.5001, 3}, {10.526315789473685, 11}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& test : cases) {
        EXPECT_EQ(ToInt32(test.in), test.out) << test.in;
        EXPECT_EQ(ToInt16(test.in), test.out) << test.in;
    }
    EXPECT_EQ(ToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(ToInt32(-2147483648.5), -2147483648LL);
}

TEST(VbNumbers, OutOfRangeRaisesOverflow) {
    EXPECT_TRUE(Overflows([] { ToInt16(32767.5); }));
    EXPECT_TRUE(Overflows([] { ToInt16(-32769); }));
    EXPECT_TRUE(Overflows([] { ToInt32(2147483647.5); }));
    EXPECT_TRUE(Overflows([] { ToInt32(std::nan("")); }));
    EXPECT_TRUE(Overflows([] { ToInt16(std::numeric_limits<double>::infinity()); }));
    EXPECT_TRUE(Overflows([] { Add16(32767, 1); }));
    EXPECT_TRUE(Overflows([] { Mul16(16384, 2); }));
    EXPECT_TRUE(Overflows([] { Add32(2147483647, 1); }));
    EXPECT_TRUE(Overflows([] { Sub32(-2147483647 - 1, 1); }));
    EXPECT_TRUE(Overflows([] { Mul32(65536, 32768); }));
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(Mul16(-16384, 2), -32768);
    EXPECT_EQ(Sub32(0, 2147483647), -2147483647);
    EXPECT_EQ(Mul32(-65536, 32768), -2147483647 - 1);
}

}  // namespace
}  // namespace quillant::vb
