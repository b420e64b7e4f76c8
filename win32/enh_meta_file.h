#pragma once
// Ownership of enhanced metafiles and of the DCs that record them. No raw
// CloseEnhMetaFile/DeleteEnhMetaFile outside these types.

#include <windows.h>

#include "win32/unique_handle.h"

namespace quillant::win32 {

struct EnhMetaFileTraits : NullIsNone<HENHMETAFILE> {
    static void Close(HENHMETAFILE file) noexcept { DeleteEnhMetaFile(file); }
};
using EnhMetaFile = UniqueHandle<EnhMetaFileTraits>;

// A DC recording an enhanced metafile (CreateEnhMetaFile). Close() hands over
// the recording; dropping the DC unclosed discards it.
struct MetaFileDcTraits : NullIsNone<HDC> {
    static void Close(HDC dc) noexcept { DeleteEnhMetaFile(CloseEnhMetaFile(dc)); }
};
class MetaFileDc : public UniqueHandle<MetaFileDcTraits> {
public:
    using UniqueHandle::UniqueHandle;

    EnhMetaFile Close() {
        const HDC dc = Detach();
        return EnhMetaFile(dc ? CloseEnhMetaFile(dc) : nullptr);
    }
};

}  // namespace quillant::win32
