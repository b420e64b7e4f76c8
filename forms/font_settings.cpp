#include "forms/font_settings.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <optional>
#include <string>

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

// Answers already found, by what was asked; any thread may ask. Holds
// a bounded number, so a caller inventing names cannot grow it for ever.
class FaceLookup {
public:
    std::optional<std::wstring> Find(const std::wstring& requested) const;
    void Keep(const std::wstring& requested, const std::wstring& face);

private:
    static constexpr size_t kMostFaces = 256;
    mutable std::mutex mutex_;
    std::map<std::wstring, std::wstring> faces_;
};

std::optional<std::wstring> FaceLookup::Find(const std::wstring& requested) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = faces_.find(requested);
    if (found == faces_.end()) return std::nullopt;
    return found->second;
}

void FaceLookup::Keep(const std::wstring& requested, const std::wstring& face) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (faces_.size() < kMostFaces) faces_.emplace(requested, face);
}

}  // namespace

std::wstring InstalledFace(const std::wstring& requested) {
    // Every font a surface makes asks this, and Wine lists all its fonts to
    // answer for a face it lacks (OCR A Extended, the caption's): the
    // answers are kept for the process's life. A face installed later is
    // found by the next process; until then GDI's mapper stands in.
    static FaceLookup answers;
    if (auto known = answers.Find(requested)) return *known;
    std::wstring face = requested;
    const win32::CreatedDc dc = InformationDc();
    if (!dc) return face;
    if (!IsInstalled(dc.Get(), requested.c_str())) {
        for (const FaceFallback& fallback : kFaceFallbacks) {
            if (SameFace(requested, fallback.requested) && IsInstalled(dc.Get(), fallback.stand_in)) {
                face = fallback.stand_in;
                break;
            }
        }
    }
    answers.Keep(requested, face);
    return face;
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

    RealizedFont result{win32::Font(CreateFontIndirectW(&lf)), face, lf};
    if (!result.font) return result;
    // Report the face GDI chose, as a Visual Basic object reports the face
    // it substituted for a missing one. GDI chooses the same face for the
    // same request all the process long, and asking costs a DC and a
    // realised font: an image makes several fonts.
    static FaceLookup chosenFaces;
    const std::wstring request = face + L'|' + std::to_wstring(lf.lfHeight) + L'|' + std::to_wstring(lf.lfWeight) +
                                 (settings.italic ? L"|i" : L"|");
    if (auto known = chosenFaces.Find(request)) {
        result.face = *known;
        return result;
    }
    const win32::CreatedDc dc = InformationDc();
    if (dc) {
        const win32::Selection selected(dc.Get(), result.font.Get());
        wchar_t chosen[LF_FACESIZE] = {};
        if (GetTextFaceW(dc.Get(), LF_FACESIZE, chosen) > 0) {
            result.face = chosen;
            chosenFaces.Keep(request, result.face);
        }
    }
    return result;
}

}  // namespace quillant::forms
