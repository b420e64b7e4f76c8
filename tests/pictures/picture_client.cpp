#include "tests/pictures/picture_client.h"

#include <gtest/gtest.h>

#include <cstring>

#include "Quillant_h.h"
#include "forms/image_file.h"
#include "tests/support/servers_in_apartment.h"

namespace quillant::testing {
LateBound NewLabel() {
    win32::ComPtr<IDispatch> object;
    EXPECT_HRESULT_SUCCEEDED(Component().Create(CLSID_Quillant2, object)) << "Quillant.dll beside the test";
    return LateBound(object);
}

std::vector<uint8_t> BytesOf(const win32::Variant& value) {
    EXPECT_EQ(V_VT(value.Get()), VT_ARRAY | VT_UI1);
    if (V_VT(value.Get()) != (VT_ARRAY | VT_UI1)) return {};
    SAFEARRAY* array = V_ARRAY(value.Get());
    EXPECT_EQ(SafeArrayGetDim(array), 1u);
    LONG low = 1, high = 0;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    EXPECT_EQ(low, 0);
    const auto* data = static_cast<const uint8_t*>(array->pvData);
    return std::vector<uint8_t>(data, data + (high - low + 1));
}

void SavePng(const forms::RasterImage& canvas, const std::wstring& path) {
    forms::ImageFileWriter file(path, canvas.Width(), canvas.Height());
    file.WriteRows(canvas.Bits(), canvas.Height(), canvas.Stride());
    file.Commit();
}

Size PngSize(const std::vector<uint8_t>& png) {
    if (png.size() < 24 || std::memcmp(png.data() + 1, "PNG", 3) != 0) return {};
    const auto be32 = [&](size_t at) {
        return static_cast<int>(png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]);
    };
    return Size{be32(16), be32(20)};
}

}  // namespace quillant::testing
