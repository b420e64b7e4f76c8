#include "forms/font_settings.h"

#include <algorithm>
#include <cmath>

namespace quillant::forms {
namespace {

// Faces a caller may ask for that are often missing, with free faces that
// look the same. The captions are set in "OCR A Extended", which ships with
// Windows Office but not with Wine; Debian's fonts-ocr-a installs it as "OCRA".
struct FaceFallback {
    const wchar_t* requested;
    const wchar_t* stand_in;
};
constexpr FaceFallback kFaceFallbacks[] = {
    {L"OCR A Extended", L"OCRA"},
    {L"OCR A Extended", L"OCR A Std"},
    {L"OCR A Extended", L"OCR-A BT"},
};

bool SameFace(const std::wstring& a, const wchar_t* b) { return lstrcmpiW(a.c_str(), b) == 0; }

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// A DC to ask about fonts: compatible with the screen, no drawing on it.
win32::CreatedDc InformationDc() { return win32::CreatedDc(CreateCompatibleDC(nullptr)); }

}  // namespace

std::wstring InstalledFace(const std::wstring& requested) {
    const win32::CreatedDc dc = InformationDc();
    if (!dc || IsInstalled(dc.Get(), requested.c_str())) return requested;
    for (const FaceFallback& fallback : kFaceFallbacks) {
        if (SameFace(requested, fallback.requested) && IsInstalled(dc.Get(), fallback.stand_in)) return fallback.stand_in;
    }
    return requested;
}

RealizedFont RealizeFont(const FontSettings& settings, double dpi) {
    LOGFONTW lf = {};
    // A height of 0 asks GDI for its default size, not the smallest: a size
    // below half a pixel is realised one pixel high instead.
    lf.lfHeight = -std::max<LONG>(1, static_cast<LONG>(std::lround(settings.points * dpi / 72.0)));
    lf.lfWeight = settings.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = settings.italic;
    lf.lfUnderline = settings.underline;
    lf.lfStrikeOut = settings.strikethru;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = PROOF_QUALITY;
    const std::wstring face = InstalledFace(settings.face);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);

    RealizedFont result{win32::Font(CreateFontIndirectW(&lf)), face};
    if (!result.font) return result;
    // Report the face GDI chose, as a Visual Basic object reports the face
    // it substituted for a missing one.
    const win32::CreatedDc dc = InformationDc();
    if (dc) {
        const win32::Selection selected(dc.Get(), result.font.Get());
        wchar_t chosen[LF_FACESIZE] = {};
        if (GetTextFaceW(dc.Get(), LF_FACESIZE, chosen) > 0) result.face = chosen;
    }
    return result;
}

}  // namespace quillant::forms
