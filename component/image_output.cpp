#include "component/image_output.h"

#include <olectl.h>

#include <cstring>
#include <utility>

#include "encoding/vb_error.h"
#include "forms/document_output.h"
#include "forms/file_names.h"
#include "win32/kernel_handle.h"

namespace quillant::component {
namespace {

VbError CannotWrite(const std::wstring& path, const char* why) {
    return vb_errors::WithDetail(vb_errors::kFileAccess, "'" + forms::NameForMessage(path) + "' " + why);
}

// Memory handed to the clipboard; freed unless the clipboard took it.
class GlobalMemory {
public:
    explicit GlobalMemory(size_t bytes) : h_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() {
        if (h_) GlobalFree(h_);
    }
    HGLOBAL Get() const { return h_; }
    HGLOBAL Release() { return std::exchange(h_, nullptr); }

private:
    HGLOBAL h_;
};

class OpenedClipboard {
public:
    OpenedClipboard() : opened_(OpenClipboard(nullptr) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (opened_) CloseClipboard();
    }
    bool Opened() const { return opened_; }

private:
    bool opened_;
};

VbError ClipboardRefused(const char* what) {
    return vb_errors::WithDetail(vb_errors::kCannotOpenClipboard, what);
}

}  // namespace

void ByteArrayVariant(const std::vector<uint8_t>& bytes, VARIANT& out) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) throw vb_errors::WithText(vb_errors::kOutOfMemory);
    if (!bytes.empty()) std::memcpy(array->pvData, bytes.data(), bytes.size());
    V_VT(&out) = VT_ARRAY | VT_UI1;
    V_ARRAY(&out) = array;
}

void WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    const std::wstring partial = forms::PartialFileName(path);
    {
        win32::KernelHandle file(
            CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throw CannotWrite(path, "cannot be created");
        DWORD written = 0;
        const bool whole = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size();
        file = win32::KernelHandle(nullptr);  // closed before the rename
        if (!whole) {
            DeleteFileW(partial.c_str());
            throw CannotWrite(path, "cannot be written (disk full?)");
        }
    }
    if (!MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(partial.c_str());
        throw CannotWrite(path, "cannot be written");
    }
}

win32::ComPtr<IPictureDisp> PictureOfMetafile(win32::EnhMetaFile recording) {
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof(description);
    description.picType = PICTYPE_ENHMETAFILE;
    description.emf.hemf = recording.Get();
    win32::ComPtr<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.PutVoid()))) {
        throw vb_errors::WithText(vb_errors::kCannotCreateImage);
    }
    (void)recording.Detach();  // the picture deletes it
    return picture;
}

void PutOnClipboard(win32::EnhMetaFile recording, const std::vector<uint8_t>& packedDib) {
    GlobalMemory dib(packedDib.size());
    if (!dib.Get()) throw vb_errors::WithText(vb_errors::kOutOfMemory);
    if (void* to = GlobalLock(dib.Get())) {
        std::memcpy(to, packedDib.data(), packedDib.size());
        GlobalUnlock(dib.Get());
    } else {
        throw vb_errors::WithText(vb_errors::kOutOfMemory);
    }
    const OpenedClipboard clipboard;
    if (!clipboard.Opened()) throw ClipboardRefused("another program holds the clipboard, or there is none");
    if (!EmptyClipboard()) throw ClipboardRefused("its contents cannot be replaced");
    if (!SetClipboardData(CF_ENHMETAFILE, recording.Get())) throw ClipboardRefused("it refused the metafile");
    (void)recording.Detach();  // the clipboard's now
    if (!SetClipboardData(CF_DIB, dib.Get())) throw ClipboardRefused("it refused the bitmap");
    dib.Release();
}

}  // namespace quillant::component
