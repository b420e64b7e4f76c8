// Every Latin-1 letter in every caption look, drawn by Quillant2 as an image
// and read back from its pixels: each letter leaves ink (none is a blank for
// a glyph the face lacks), and the caption's ink is centred on the bars'
// within a pixel. The letter stands between two H's, whose ink is symmetric
// in their cells, so the caption's ink centre is the centre of its measure:
// "H H" is centred on the bars, and every "H?H" where "H H" is.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/pictures/picture_client.h"

namespace quillant::testing {
namespace {

constexpr int kDpi = 203;

struct Look {
    const char* name;
    int position;  // bcCaptionBelow, bcCaptionAbove, bcCaptionNone
    bool bold;
    bool italic;
};
const Look kLooks[] = {
    {"OCR-A below", 0, false, false},
    {"OCR-A bold", 0, true, false},
    {"OCR-A italic", 0, false, true},
    {"OCR-A above", 1, false, false},
};

std::vector<wchar_t> Letters() {
    std::vector<wchar_t> letters;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) letters.push_back(c), letters.push_back(static_cast<wchar_t>(c + 32));
    for (const wchar_t c : {L'\xAA', L'\xB5', L'\xBA'}) letters.push_back(c);
    for (wchar_t c = 0xC0; c <= 0xFF; ++c) {
        if (c != 0xD7 && c != 0xF7) letters.push_back(c);
    }
    return letters;
}

// Dark pixels of an image, by row, and the rows the bars fill.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> dark;  // row by row
    bool Dark(int x, int y) const { return dark[static_cast<size_t>(y) * width + x] != 0; }
    // Columns a row inks, first and last; -1 for a blank row.
    std::pair<int, int> Span(int y) const {
        int first = -1, last = -1;
        for (int x = 0; x < width; ++x) {
            if (Dark(x, y)) {
                if (first < 0) first = x;
                last = x;
            }
        }
        return {first, last};
    }
};

Ink Draw(const LateBound& label) {
    const std::vector<uint8_t> dib = BytesOf(label.Call(L"ImageBytes", {Arg(L"dib"), Arg(kDpi)}));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    Ink ink{info->bmiHeader.biWidth, std::abs(info->bmiHeader.biHeight), {}};
    forms::RasterImage canvas(ink.width, ink.height, RGB(255, 255, 255));
    SetDIBitsToDevice(canvas.Dc(), 0, 0, ink.width, ink.height, 0, 0, 0, ink.height, dib.data() + info->bmiHeader.biSize,
                      info, DIB_RGB_COLORS);
    ink.dark.resize(static_cast<size_t>(ink.width) * ink.height);
    for (int y = 0; y < ink.height; ++y) {
        for (int x = 0; x < ink.width; ++x) ink.dark[static_cast<size_t>(y) * ink.width + x] = GetGValue(canvas.Pixel(x, y)) < 128;
    }
    return ink;
}

// The caption's rows are those that differ from the bars' edge row (the
// first row below, the last above): their ink, the centre of its extent and
// of its foot (the lowest row, which an italic's slant leaves in place).
struct Caption {
    int dark = 0;
    double centre = 0;
    double foot = 0;
    double barsCentre = 0;
};
Caption ReadCaption(const Ink& ink, bool above) {
    const int edge = above ? ink.height - 1 : 0;
    const auto bars = ink.Span(edge);
    Caption caption;
    caption.barsCentre = (bars.first + bars.second) / 2.0;
    int left = ink.width, right = -1;
    for (int y = 0; y < ink.height; ++y) {
        bool bar = true;
        for (int x = 0; x < ink.width && bar; ++x) bar = ink.Dark(x, y) == ink.Dark(x, edge);
        if (bar) continue;
        const auto span = ink.Span(y);
        if (span.first < 0) continue;
        for (int x = span.first; x <= span.second; ++x) caption.dark += ink.Dark(x, y);
        left = std::min(left, span.first);
        right = std::max(right, span.second);
        caption.foot = (span.first + span.second) / 2.0;
    }
    caption.centre = (left + right) / 2.0;
    return caption;
}

LateBound Label(const Look& look) {
    const LateBound label = NewLabel();
    label.Put(L"ElementWidth", 30);  // 4 dots at 203 dpi, a 15.8-point caption
    label.Put(L"BarHeight", 360);
    label.Put(L"IndentedCode", false);
    label.Put(L"CaptionPosition", look.position);
    win32::Variant font = label.Get(L"CaptionFont");
    const LateBound captionFont(win32::ComPtr<IDispatch>(V_DISPATCH(font.Get())));
    captionFont.Put(L"Bold", look.bold);
    captionFont.Put(L"Italic", look.italic);
    return label;
}

TEST(CaptionInk, EveryLatin1LetterIsInkedAndCentredInEveryLook) {
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        const LateBound label = Label(look);
        const bool above = look.position == 1;
        label.Put(L"EncodeString", L"H H");
        const Caption spaced = ReadCaption(Draw(label), above);
        ASSERT_GT(spaced.dark, 0) << "the H's leave no ink";
        EXPECT_NEAR(spaced.foot, spaced.barsCentre, 1.0);
        for (const wchar_t letter : Letters()) {
            const std::wstring text = std::wstring(L"H") + letter + L"H";
            label.Put(L"EncodeString", text);
            const Caption caption = ReadCaption(Draw(label), above);
            SCOPED_TRACE(static_cast<int>(letter));
            EXPECT_GT(caption.dark, spaced.dark + 20) << "a blank where the letter belongs";
            // Between the same H's, as far off the bars' centre as they are.
            EXPECT_NEAR(caption.centre - caption.barsCentre, spaced.centre - spaced.barsCentre, 1.0);
        }
    }
}

// No caption: nothing but the bars, whatever the text.
TEST(CaptionInk, NoneLeavesOnlyTheBars) {
    const LateBound label = Label({"none", 2, false, false});
    label.Put(L"EncodeString", L"H\xE9H");
    const Ink ink = Draw(label);
    EXPECT_EQ(ReadCaption(ink, false).dark, 0);
}

}  // namespace
}  // namespace quillant::testing
