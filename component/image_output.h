#pragma once
// Where an image goes: a Byte() Variant, a file (whole or not at all), an
// OLE picture, the clipboard.

#include <oaidl.h>
#include <ocidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win32/com_ptr.h"
#include "win32/enh_meta_file.h"

namespace quillant::component {

// VT_ARRAY | VT_UI1, one dimension from 0, as Response.BinaryWrite and
// Access's PictureData take it. out is overwritten (it holds nothing).
void ByteArrayVariant(const std::vector<uint8_t>& bytes, VARIANT& out);

// Writes the file under a partial name and renames it: a failure leaves no
// file behind and the old one, if any, as it was. Error 75 naming the file.
void WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes);

// A picture object owning the recording (StdPicture, PICTYPE_ENHMETAFILE).
win32::ComPtr<IPictureDisp> PictureOfMetafile(win32::EnhMetaFile recording);

// Replaces the clipboard's contents with both forms of one image. Error 521
// when the clipboard cannot be had (another program holds it, or there is
// no desktop, as in a service).
void PutOnClipboard(win32::EnhMetaFile recording, const std::vector<uint8_t>& packedDib);

}  // namespace quillant::component
