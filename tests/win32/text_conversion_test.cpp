#include "win32/text_conversion.h"

#include <gtest/gtest.h>

#include "win32/variant.h"

namespace quillant::win32 {
namespace {

// ASCII is widened without the system; everything else must come out as the
// system converts it, surrogate pairs and replaced bad bytes included.
TEST(TextConversion, Utf16FromUtf8AgreesWithTheSystemOnEveryKindOfText) {
    EXPECT_EQ(Utf16FromUtf8(""), u"");
    EXPECT_EQ(Utf16FromUtf8("Sucess"), u"Sucess");
    EXPECT_EQ(Utf16FromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), u"caf\u00E9 \u20AC");
    EXPECT_EQ(Utf16FromUtf8("a\xF0\x9F\x98\x80z"), u"a\U0001F600z");
    EXPECT_EQ(Utf16FromUtf8(std::string_view("n\0l", 3)), std::u16string(u"n\0l", 3));
    EXPECT_EQ(WideFromUtf8("caf\xC3\xA9 ok"), L"caf\u00E9 ok");
    const std::u16string bad = Utf16FromUtf8("x\xFFy");
    EXPECT_EQ(bad, u"x\uFFFDy");
}

TEST(TextConversion, AVariantGivenAwayIsLeftEmpty) {
    Variant held;
    EXPECT_EQ(V_VT(held.Get()), VT_EMPTY);
    V_VT(held.Get()) = VT_BSTR;
    V_BSTR(held.Get()) = SysAllocString(L"kept");
    Variant moved(std::move(held));
    EXPECT_EQ(V_VT(held.Get()), VT_EMPTY);
    VARIANT out;
    moved.Detach(&out);
    EXPECT_EQ(V_VT(moved.Get()), VT_EMPTY);
    ASSERT_EQ(V_VT(&out), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&out), L"kept");
    VariantClear(&out);
}

}  // namespace
}  // namespace quillant::win32
