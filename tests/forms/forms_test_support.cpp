#include "tests/forms/forms_test_support.h"

#include <algorithm>

#include <wincodec.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/printers.h"
#include "forms/stand_in_objects.h"

namespace quillant::forms::testing {
namespace {

// The objects and WIC live in a single-threaded apartment, as in a script host.
class ComApartment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

LateBound Made(HRESULT (*create)(IDispatch**)) {
    win32::ComPtr<IDispatch> object;
    const HRESULT hr = create(object.Put());
    if (FAILED(hr)) throw std::runtime_error("a stand-in object cannot be made");
    return LateBound(object);
}

void Check(HRESULT hr, const char* step) {
    if (FAILED(hr)) throw std::runtime_error(step);
}

}  // namespace

LateBound NewPictureBox() { return Made(CreatePictureBox); }
LateBound NewPrinter() { return Made(CreatePrinter); }
LateBound NewPrinters() { return Made(CreatePrinters); }

Ink InkOn(HDC dc, int width, int height, COLORREF ground) {
    Ink ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (GetPixel(dc, x, y) == ground) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

DecodedImage ReadImage(const std::wstring& path) {
    win32::ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory.PutVoid()),
          "no imaging factory");
    win32::ComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                             decoder.Put()),
          "the image file cannot be opened");
    win32::ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Put()), "the image has no frame");
    win32::ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Put()), "no format converter");
    // To 32-bit: Wine's converter reads 1-bit and grey pictures into that,
    // not into 24-bit.
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                WICBitmapPaletteTypeCustom),
          "the image cannot be converted");
    DecodedImage image;
    Check(converter->GetSize(&image.width, &image.height), "the image has no size");
    std::vector<BYTE> bgra(static_cast<size_t>(image.width) * image.height * 4);
    Check(converter->CopyPixels(nullptr, image.width * 4, static_cast<UINT>(bgra.size()), bgra.data()),
          "the pixels cannot be read");
    image.bgr.resize(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0, o = 0; i < bgra.size(); i += 4, o += 3) std::copy_n(&bgra[i], 3, &image.bgr[o]);
    return image;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
void RemoveFile(const std::wstring& path) { DeleteFileW(path.c_str()); }

}  // namespace quillant::forms::testing
