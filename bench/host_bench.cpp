// Encode onto the stand-in picture box, timed as a host sees it, against the
// same rectangles (and the same caption) drawn straight with GDI on the same
// surface in the same run, and Quillant2's Encode of the same text beside
// Quillant1's. A third column replays the very IDispatch calls one
// Encode makes on the picture box, so the cost splits into the component's
// own work and the drawing object's. Run under Wine by bench/host_bench.sh;
// it prints figures and fails only when the two drawings differ.
//   host_bench.exe [CALLS_PER_ROUND [ROUNDS]]
//   host_bench.exe --quillant2-only CASE CALLS   (a profiler's loop)

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Quillant_h.h"
#include "QuillantForms_h.h"
#include "win32/bstr.h"
#include "win32/com_ptr.h"
#include "win32/gdi_object.h"
#include "adapters/dispatch_drawing_object.h"
#include "tests/support/in_proc_server.h"
#include "tests/support/late_bound.h"
#include "encoding/symbol_encoder.h"
#include "win32/variant.h"

namespace {

using quillant::win32::Bstr;
using quillant::win32::Brush;
using quillant::win32::ComPtr;
using quillant::win32::Font;
using quillant::win32::Pen;
using quillant::win32::Selection;
using quillant::win32::Variant;

// Forwards every call to the real drawing object and keeps a copy of each
// Invoke, so that the calls of one Encode can be replayed without the component.
class RecordingProxy final : public IDispatch {
public:
    struct Call {
        DISPID member;
        WORD flags;
        bool namedPut;
        std::vector<Variant> args;  // as passed: last argument first
    };

    explicit RecordingProxy(IDispatch* target) : target_(target) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return target_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override {
        return target_->GetTypeInfo(index, lcid, out);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        ++lookups_;
        return target_->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argError) override {
        Call call{member, flags, params->cNamedArgs == 1, {}};
        call.args.resize(params->cArgs);
        for (UINT i = 0; i < params->cArgs; ++i) VariantCopy(call.args[i].Get(), &params->rgvarg[i]);
        calls_.push_back(std::move(call));
        return target_->Invoke(member, iid, lcid, flags, params, result, excep, argError);
    }

    const std::vector<Call>& calls() const { return calls_; }
    int lookups() const { return lookups_; }

private:
    IDispatch* target_;
    ULONG references_ = 1;
    std::vector<Call> calls_;
    int lookups_ = 0;
};

// Replays recorded calls on the object: what the drawing object costs for
// one Encode, without the component.
class Replay {
public:
    Replay(IDispatch* target, const std::vector<RecordingProxy::Call>& calls) : target_(target), calls_(calls) {
        for (const auto& call : calls_) {
            std::vector<VARIANT> args;
            for (const auto& arg : call.args) args.push_back(*arg.Get());  // shallow: calls_ owns them
            args_.push_back(std::move(args));
        }
    }
    void operator()() {
        static DISPID named = DISPID_PROPERTYPUT;
        for (size_t i = 0; i < calls_.size(); ++i) {
            const auto& call = calls_[i];
            DISPPARAMS params{args_[i].data(), call.namedPut ? &named : nullptr, static_cast<UINT>(args_[i].size()),
                              call.namedPut ? 1u : 0u};
            Variant result;
            target_->Invoke(call.member, IID_NULL, LOCALE_USER_DEFAULT, call.flags, &params,
                            (call.flags & DISPATCH_PROPERTYPUT) ? nullptr : result.Put(), nullptr, nullptr);
        }
    }

private:
    IDispatch* target_;
    const std::vector<RecordingProxy::Call>& calls_;
    std::vector<std::vector<VARIANT>> args_;
};

// The picture box's mapping of twips to its 96 dpi pixels, and the box a Line
// covers: both corner pixels included.
int PixelOf(double twips) { return static_cast<int>(std::floor(twips * 96.0 / 1440.0 + 0.5)); }
RECT InclusiveBox(double x1, double y1, double x2, double y2) {
    const int px1 = PixelOf(x1), py1 = PixelOf(y1), px2 = PixelOf(x2), py2 = PixelOf(y2);
    return RECT{std::min(px1, px2), std::min(py1, py2), std::max(px1, px2) + 1, std::max(py1, py2) + 1};
}

struct Layout {
    double x = 300;
    double y = 300;
    double elementWidth = 20;
    double barHeight = 1500;
};

// What a host program would do to draw the same symbol itself: pens, brushes
// and the caption font made once, then per module the outline and the filled
// box Encode asks for, then the notch and the text.
class DirectGdi {
public:
    DirectGdi(HDC dc, std::string modules, std::wstring text, Layout layout, const LOGFONTW& captionFont)
        : dc_(dc), modules_(std::move(modules)), text_(std::move(text)), layout_(layout),
          font_(CreateFontIndirectW(&captionFont)) {
        for (int i = 0; i < 2; ++i) {
            const COLORREF colour = i ? RGB(255, 255, 255) : RGB(0, 0, 0);
            pens_[i].Reset(CreatePen(PS_SOLID | PS_INSIDEFRAME, 1, colour));
            brushes_[i].Reset(CreateSolidBrush(colour));
        }
    }

    void Bars() {
        const Selection hollow(dc_, GetStockObject(NULL_BRUSH));
        const HGDIOBJ previousPen = GetCurrentObject(dc_, OBJ_PEN);
        double left = layout_.x;
        for (const char module : modules_) {
            const int light = module == '1' ? 0 : 1;
            const RECT box = InclusiveBox(left, layout_.y, left + layout_.elementWidth, layout_.y + layout_.barHeight);
            SelectObject(dc_, pens_[light].Get());
            Rectangle(dc_, box.left, box.top, box.right, box.bottom);
            FillRect(dc_, &box, brushes_[light].Get());
            left += layout_.elementWidth;
        }
        SelectObject(dc_, previousPen);
    }

    // Centred under the bars, set into a notch of the background colour.
    void Caption() {
        const Selection font(dc_, font_.Get());
        SIZE extent{};
        GetTextExtentPoint32W(dc_, text_.data(), static_cast<int>(text_.size()), &extent);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        const double width = extent.cx * 15.0;
        const double indent = (metrics.tmHeight + metrics.tmExternalLeading) * 15.0 / 1.9;
        const double w = layout_.elementWidth;
        const double cx = layout_.x + w * static_cast<double>(modules_.size()) / 2.0 - width / 2.0;
        const double bottom = layout_.y + layout_.barHeight;
        const RECT notch = InclusiveBox(cx - w, bottom - indent, cx + width + 2 * w, bottom);
        FillRect(dc_, &notch, brushes_[1].Get());
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        TextOutW(dc_, PixelOf(cx), PixelOf(bottom - indent), text_.data(), static_cast<int>(text_.size()));
    }

private:
    HDC dc_;
    std::string modules_;
    std::wstring text_;
    Layout layout_;
    Font font_;
    Pen pens_[2];
    Brush brushes_[2];
};

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

// Microseconds per call, median over rounds; the contenders take turns within
// each round so that both see the same machine.
std::vector<double> MedianMicroseconds(const std::vector<std::function<void()>>& contenders, int callsPerRound,
                                       int rounds) {
    std::vector<std::vector<double>> samples(contenders.size());
    for (const auto& run : contenders) {
        for (int i = 0; i < callsPerRound / 10 + 1; ++i) run();  // warm-up
    }
    for (int round = 0; round < rounds; ++round) {
        for (size_t c = 0; c < contenders.size(); ++c) {
            const double start = Now();
            for (int i = 0; i < callsPerRound; ++i) contenders[c]();
            GdiFlush();
            samples[c].push_back((Now() - start) * 1e6 / callsPerRound);
        }
    }
    std::vector<double> medians;
    for (auto& s : samples) {
        std::sort(s.begin(), s.end());
        medians.push_back(s[s.size() / 2]);
    }
    return medians;
}

// The picture's pixels, for comparing the two ways of drawing.
std::vector<BYTE> Pixels(HDC dc) {
    GdiFlush();
    const HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP shape{};
    GetObjectW(bitmap, sizeof shape, &shape);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shape.bmWidth, -shape.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> bits(static_cast<size_t>((shape.bmWidth * 3 + 3) & ~3) * shape.bmHeight);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(shape.bmHeight), bits.data(), &info, DIB_RGB_COLORS);
    return bits;
}

size_t DifferentBytes(const std::vector<BYTE>& a, const std::vector<BYTE>& b) {
    size_t different = a.size() == b.size() ? 0 : std::max(a.size(), b.size());
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) different += a[i] != b[i];
    return different;
}

struct Case {
    const char* name;
    const wchar_t* text;
    bool caption;
};

constexpr Case kCases[] = {
    {"empty text, bars", L"", false},
    {"EMPTY, bars", L"EMPTY", false},
    {"40 characters, bars", L"INV-2024/00815 Lot 7731904 qty:12 (Bx#9)", false},
    {"EMPTY, bars and caption", L"EMPTY", true},
    {"40 characters, bars and caption", L"INV-2024/00815 Lot 7731904 qty:12 (Bx#9)", true},
};


// Where a module's time goes: single calls on the picture box, each timed alone.
void Anatomy(IPictureBox* box, int calls) {
    ComPtr<IDispatch> dispatch;
    box->QueryInterface(IID_IDispatch, dispatch.PutVoid());
    DISPID currentX = 0, line = 0, backColor = 0, fontBold = 0, textWidth = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"CurrentX"), const_cast<LPOLESTR>(L"Line"),
                        const_cast<LPOLESTR>(L"BackColor"), const_cast<LPOLESTR>(L"FontBold"),
                        const_cast<LPOLESTR>(L"TextWidth")};
    dispatch->GetIDsOfNames(IID_NULL, &names[0], 1, 0, &currentX);
    dispatch->GetIDsOfNames(IID_NULL, &names[1], 1, 0, &line);
    dispatch->GetIDsOfNames(IID_NULL, &names[2], 1, 0, &backColor);
    dispatch->GetIDsOfNames(IID_NULL, &names[3], 1, 0, &fontBold);
    dispatch->GetIDsOfNames(IID_NULL, &names[4], 1, 0, &textWidth);
    LONG dcValue = 0;
    box->get_hDC(&dcValue);
    const HDC dc = reinterpret_cast<HDC>(static_cast<INT_PTR>(dcValue));
    const RECT rect = InclusiveBox(300, 300, 320, 1800);

    auto putCurrentX = [&] {
        VARIANT arg;
        V_VT(&arg) = VT_R8;
        V_R8(&arg) = 300;
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&arg, &named, 1, 1};
        dispatch->Invoke(currentX, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    };
    auto getBackColor = [&] {
        DISPPARAMS params{nullptr, nullptr, 0, 0};
        Variant result;
        dispatch->Invoke(backColor, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, result.Put(), nullptr, nullptr);
    };
    auto invokeLine = [&] {
        VARIANT args[6];
        const double corners[4] = {1800, 320, 300, 300};  // last to first: y2, x2, y1, x1
        V_VT(&args[0]) = VT_I4;
        V_I4(&args[0]) = 0;
        for (int i = 0; i < 4; ++i) {
            V_VT(&args[i + 1]) = VT_R8;
            V_R8(&args[i + 1]) = corners[i];
        }
        V_VT(&args[5]) = VT_I2;
        V_I2(&args[5]) = 36;
        DISPPARAMS params{args, nullptr, 6, 0};
        Variant result;
        dispatch->Invoke(line, IID_NULL, 0, DISPATCH_METHOD, &params, result.Put(), nullptr, nullptr);
    };
    auto vtableLine = [&] { box->Line(36, 300, 300, 320, 1800, 0); };
    // The caption's members: a font member set to the value it has, and a
    // measure.
    auto putFontBold = [&] {
        VARIANT arg;
        V_VT(&arg) = VT_BOOL;
        V_BOOL(&arg) = VARIANT_FALSE;
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&arg, &named, 1, 1};
        dispatch->Invoke(fontBold, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    };
    auto vtablePutFontBold = [&] { box->put_FontBold(VARIANT_FALSE); };
    const Bstr measured(L"EMPTY");
    auto invokeTextWidth = [&] {
        VARIANT arg;
        V_VT(&arg) = VT_BSTR;
        V_BSTR(&arg) = measured.Get();
        DISPPARAMS params{&arg, nullptr, 1, 0};
        Variant result;
        dispatch->Invoke(textWidth, IID_NULL, 0, DISPATCH_METHOD, &params, result.Put(), nullptr, nullptr);
    };
    auto vtableTextWidth = [&] {
        double width = 0;
        box->TextWidth(measured.Get(), &width);
    };
    auto vtablePutCurrentX = [&] { box->put_CurrentX(300); };
    auto brushAndFill = [&] {
        const Brush brush(CreateSolidBrush(0));
        FillRect(dc, &rect, brush.Get());
    };
    const Brush black(CreateSolidBrush(0));
    auto fillOnly = [&] { FillRect(dc, &rect, black.Get()); };
    auto lookUpName = [&] {
        DISPID id = 0;
        dispatch->GetIDsOfNames(IID_NULL, &names[2], 1, 0, &id);
    };
    auto askPrinter = [&] {
        // The forms runtime's Printer interface, which a picture box does not have.
        ComPtr<IUnknown> answer;
        dispatch->QueryInterface(quillant::render::win32::IID_VbPrinter, answer.PutVoid());
    };

    const std::vector<double> us = MedianMicroseconds(
        {putCurrentX, vtablePutCurrentX, getBackColor, invokeLine, vtableLine, putFontBold, vtablePutFontBold,
         invokeTextWidth, vtableTextWidth, brushAndFill, fillOnly, lookUpName, askPrinter}, calls, 5);
    const char* const rows[] = {"Invoke put CurrentX", "vtable put_CurrentX", "Invoke get BackColor",
                                "Invoke Line (filled box)", "vtable Line (filled box)",
                                "Invoke put FontBold (unchanged)", "vtable put_FontBold (unchanged)",
                                "Invoke TextWidth", "vtable TextWidth",
                                "CreateSolidBrush + FillRect + DeleteObject", "FillRect",
                                "GetIDsOfNames BackColor", "QueryInterface for the Printer interface"};
    std::printf("\n%-44s %10s\n", "one call on the picture box", "us");
    for (size_t i = 0; i < us.size(); ++i) std::printf("%-44s %10.2f\n", rows[i], us[i]);
}

// Quillant2 draws the area once and every bar as one box where Quillant1
// makes two calls a module: the same texts, on the same box, in one run.
// Quillant2's modules are 2 pixels (30 twips), so both classes draw the same
// pixel widths' worth of calls; direct GDI draws Quillant2's boxes.
int CompareClasses(const quillant::testing::InProcServer& component, IPictureBox* box, _Quillant1* first,
                   const Layout& layout, int callsPerRound, int rounds) {
    ComPtr<_Quillant2> second;
    if (FAILED(component.Create(CLSID_Quillant2, second))) {
        std::printf("FAIL: no Quillant2 in Quillant.dll\n");
        return 1;
    }
    LONG position = static_cast<LONG>(layout.x);
    second->put_XPosition(&position);
    position = static_cast<LONG>(layout.y);
    second->put_YPosition(&position);
    second->put_BarHeight(static_cast<short>(layout.barHeight));
    second->put_ElementWidth(30);
    first->put_ElementWidth(30);
    ComPtr<IDispatch> boxDispatch;
    box->QueryInterface(IID_IDispatch, boxDispatch.PutVoid());
    second->putref_DeviceObject(boxDispatch.Get());
    first->putref_DeviceObject(boxDispatch.Get());
    LONG dcValue = 0;
    box->get_hDC(&dcValue);
    const HDC dc = reinterpret_cast<HDC>(static_cast<INT_PTR>(dcValue));

    std::printf("%-34s %10s %10s %10s %10s %10s  %s\n", "case (picture box, 30 twips)", "Q1 us", "Q2 us", "GDI us",
                "Q1 / Q2", "Q2 / GDI", "same pixels");
    for (const Case& c : kCases) {
        const Bstr text{std::wstring(c.text)};
        first->put_EncodeString(text.Get());
        second->put_EncodeString(text.Get());
        first->put_VisibleCode(c.caption ? VARIANT_TRUE : VARIANT_FALSE);
        second->put_VisibleCode(c.caption ? VARIANT_TRUE : VARIANT_FALSE);
        Bstr pattern;
        second->get_ModulePattern(pattern.Put());
        const std::wstring modules(pattern.View());
        // Quillant2 leaves its caption's font in the box's DC; a host
        // drawing the caption itself measures and prints it in that font.
        box->Cls();
        Bstr drawn;
        second->Encode(drawn.Put());
        const std::vector<BYTE> encoded = Pixels(dc);
        LOGFONTW captionFont{};
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof captionFont, &captionFont);
        Bstr captionText;
        second->get_CaptionText(captionText.Put());
        Layout secondLayout = layout;
        secondLayout.elementWidth = 30;
        DirectGdi caption(dc, std::string(modules.begin(), modules.end()), std::wstring(captionText.View()),
                          secondLayout, captionFont);
        // The same bars and caption as Quillant2 draws them, with GDI alone.
        const Brush black(CreateSolidBrush(0)), white(CreateSolidBrush(0xFFFFFF));
        auto direct = [&] {
            const RECT area{20, 20, 20 + static_cast<LONG>(modules.size()) * 2, 120};
            FillRect(dc, &area, white.Get());
            for (size_t i = 0; i < modules.size();) {
                size_t end = i;
                while (end < modules.size() && modules[end] == modules[i]) ++end;
                if (modules[i] == L'1') {
                    const RECT bar{20 + static_cast<LONG>(i) * 2, 20, 20 + static_cast<LONG>(end) * 2, 120};
                    FillRect(dc, &bar, black.Get());
                }
                i = end;
            }
            if (c.caption) caption.Caption();
        };
        box->Cls();
        direct();
        const size_t different = DifferentBytes(encoded, Pixels(dc));
        auto encodeFirst = [&] {
            Bstr r;
            first->Encode(r.Put());
        };
        auto encodeSecond = [&] {
            Bstr r;
            second->Encode(r.Put());
        };
        const std::vector<double> us = MedianMicroseconds({encodeFirst, encodeSecond, direct}, callsPerRound, rounds);
        std::printf("%-34s %10.1f %10.1f %10.1f %9.2fx %9.2fx  %s\n", c.name, us[0], us[1], us[2], us[0] / us[1],
                    us[1] / us[2], different == 0 ? "yes" : (std::to_string(different) + " bytes differ").c_str());
    }
    std::printf("Q1 / Q2: how many times faster Quillant2 draws the same text; Q2 / GDI: Quillant2 against drawing\n"
                "its boxes and caption with GDI alone. The caption's letters may sit a pixel apart: Quillant2 places\n"
                "them at the font's outline advances, TextOut at its hinted ones.\n\n");
    return 0;
}

// A page of barcodes written by the stand-in printer's EndDoc, against the
// least any PNG writer must do for the same page: WIC encoding the page's
// 24-bit pixels, already in memory, in the same run.
void PageOutput(const quillant::testing::InProcServer& forms, int rounds) {
    constexpr UINT kWidth = 5100, kHeight = 6600;  // Letter at 600 dpi
    ComPtr<IDispatch> printerObject;
    if (FAILED(forms.Create(CLSID_Printer, printerObject))) return;
    const quillant::testing::LateBound printer(printerObject);
    printer.Put(L"OutputFile", L"host_bench_page.png");
    auto endDoc = [&] {
        for (int bar = 0; bar < 40; ++bar) {
            const double x = 1440.0 + 60.0 * bar * (bar % 3 + 1);
            printer.Call(L"Line", {short{6}, x, 1440.0, x + 30.0 * (bar % 4 + 1), 2880.0, 0});
        }
        printer.Call(L"EndDoc");
    };
    const std::vector<BYTE> white(static_cast<size_t>(kWidth) * 3 * kHeight, 0xFF);
    auto plainEncode = [&] {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        ComPtr<IPropertyBag2> options;
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         factory.PutVoid());
        factory->CreateStream(stream.Put());
        stream->InitializeFromFilename(L"host_bench_plain.png", GENERIC_WRITE);
        factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put());
        encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
        encoder->CreateNewFrame(frame.Put(), options.Put());
        frame->Initialize(options.Get());
        frame->SetSize(kWidth, kHeight);
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        frame->SetPixelFormat(&format);
        frame->WritePixels(kHeight, kWidth * 3, static_cast<UINT>(white.size()), const_cast<BYTE*>(white.data()));
        frame->Commit();
        encoder->Commit();
    };
    const std::vector<double> us = MedianMicroseconds({endDoc, plainEncode}, 1, rounds);
    std::printf("page output (Letter, 600 dpi, 40 bars): EndDoc %.0f ms, plain 24-bit PNG encode of the page %.0f ms, "
                "ratio %.2f\n\n",
                us[0] / 1000, us[1] / 1000, us[0] / us[1]);
    DeleteFileW(L"host_bench_page.png");
    DeleteFileW(L"host_bench_plain.png");
}

int Run(int callsPerRound, int rounds) {
    const quillant::testing::InProcServer component(L"Quillant.dll");
    const quillant::testing::InProcServer forms(L"QuillantForms.dll");
    ComPtr<IPictureBox> box;
    ComPtr<_Quillant1> barcode;
    if (FAILED(forms.Create(CLSID_PictureBox, box)) || FAILED(component.Create(CLSID_Quillant1, barcode))) {
        std::printf("FAIL: cannot load Quillant.dll and QuillantForms.dll from the program's folder\n");
        return 1;
    }
    const Layout layout;
    box->put_Width(9000);
    box->put_Height(2400);
    LONG dcValue = 0;
    box->get_hDC(&dcValue);
    const HDC dc = reinterpret_cast<HDC>(static_cast<INT_PTR>(dcValue));
    LONG position = static_cast<LONG>(layout.x);
    barcode->put_XPosition(&position);
    position = static_cast<LONG>(layout.y);
    barcode->put_YPosition(&position);
    barcode->put_ElementWidth(static_cast<short>(layout.elementWidth));
    barcode->put_BarHeight(static_cast<short>(layout.barHeight));

    std::printf("%-34s %8s %10s %10s %10s %8s %8s  %s\n", "case (picture box, twips)", "modules", "Encode us",
                "replay us", "GDI us", "ratio", "calls", "same pixels");
    int status = 0;
    for (const Case& c : kCases) {
        const std::wstring text(c.text);
        const std::string modules =
            quillant::ModulePattern(std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size()),
                                    quillant::Encoding::Quillant1);
        barcode->put_EncodeString(Bstr(text).Get());
        barcode->put_VisibleCode(c.caption ? VARIANT_TRUE : VARIANT_FALSE);

        // One Encode through the recording proxy: the calls it makes, and
        // the caption font it leaves selected in the box's DC.
        ComPtr<IDispatch> boxDispatch;
        box.As(boxDispatch);
        RecordingProxy proxy(boxDispatch.Get());
        barcode->putref_DeviceObject(&proxy);
        Bstr result;
        box->Cls();
        barcode->Encode(result.Put());
        if (result.View() != L"Sucess") {
            std::printf("FAIL %s: Encode returned %ls\n", c.name, result.Get());
            return 1;
        }
        const std::vector<BYTE> encoded = Pixels(dc);
        LOGFONTW captionFont{};
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof captionFont, &captionFont);
        barcode->putref_DeviceObject(boxDispatch.Get());

        DirectGdi direct(dc, modules, text, layout, captionFont);
        auto drawDirect = [&] {
            direct.Bars();
            if (c.caption) direct.Caption();
        };
        box->Cls();
        drawDirect();
        const size_t different = DifferentBytes(encoded, Pixels(dc));

        Replay replay(boxDispatch.Get(), proxy.calls());
        auto encode = [&] {
            Bstr r;
            barcode->Encode(r.Put());
        };
        const std::vector<double> us = MedianMicroseconds({encode, std::ref(replay), drawDirect}, callsPerRound, rounds);
        std::printf("%-34s %8zu %10.1f %10.1f %10.1f %7.2fx %8zu  %s\n", c.name, modules.size(), us[0], us[1], us[2],
                    us[0] / us[2], proxy.calls().size(),
                    different == 0 ? "yes" : (std::to_string(different) + " bytes differ").c_str());
        if (different != 0) status = 1;
    }
    std::printf("Encode: the component onto the picture box through IDispatch; replay: the same Invoke calls made\n"
                "directly on the box; GDI: the same pixels drawn with GDI alone; ratio = Encode / GDI.\n\n");
    if (CompareClasses(component, box.Get(), barcode.Get(), layout, callsPerRound, rounds) != 0) status = 1;
    Anatomy(box.Get(), callsPerRound * 50);
    PageOutput(forms, rounds);
    return status;
}

}  // namespace

// Quillant2's Encode of one case and nothing else, for a profiler.
int ProfileQuillant2(const Case& c, int calls) {
    const quillant::testing::InProcServer component(L"Quillant.dll");
    const quillant::testing::InProcServer forms(L"QuillantForms.dll");
    ComPtr<IPictureBox> box;
    ComPtr<_Quillant2> barcode;
    if (FAILED(forms.Create(CLSID_PictureBox, box)) || FAILED(component.Create(CLSID_Quillant2, barcode))) return 1;
    box->put_Width(9000);
    box->put_Height(2400);
    ComPtr<IDispatch> boxDispatch;
    box.As(boxDispatch);
    barcode->putref_DeviceObject(boxDispatch.Get());
    barcode->put_ElementWidth(30);
    barcode->put_EncodeString(Bstr(std::wstring(c.text)).Get());
    barcode->put_VisibleCode(c.caption ? VARIANT_TRUE : VARIANT_FALSE);
    for (int i = 0; i < calls; ++i) {
        Bstr result;
        barcode->Encode(result.Put());
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 3 && std::strcmp(argv[1], "--quillant2-only") == 0) {
        const size_t index = static_cast<size_t>(std::atoi(argv[2]));
        if (FAILED(CoInitialize(nullptr)) || index >= std::size(kCases)) return 1;
        const int status = ProfileQuillant2(kCases[index], std::atoi(argv[3]));
        CoUninitialize();
        return status;
    }
    const int callsPerRound = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (FAILED(CoInitialize(nullptr))) return 1;
    const int status = Run(callsPerRound, rounds);
    CoUninitialize();
    return status;
}
