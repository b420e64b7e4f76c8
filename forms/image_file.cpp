#include "forms/image_file.h"

#include <algorithm>

#include "forms/file_names.h"
#include "forms/forms_errors.h"

namespace quillant::forms {
namespace {

constexpr ExtensionRow<ImageFormat> kFormats[] = {
    {L".png", ImageFormat::kPng},
    {L".bmp", ImageFormat::kBmp},
};

}  // namespace

ImageFormat ImageFormatOf(const std::wstring& path) {
    return FormatOfFileName(path, kFormats, "'" + NameForMessage(path) + "'");
}

void ImageFileWriter::Check(HRESULT hr, const char* step) const {
    if (FAILED(hr)) {
        char code[16];
        wsprintfA(code, "0x%08X", static_cast<unsigned>(hr));
        throw errors::FileAccess(what_ + ": " + step + " failed (" + code + ")");
    }
}

PixelDepth DepthOf(const uint8_t* rows, int width, int count, int stride, PixelDepth atLeast) {
    PixelDepth depth = atLeast;
    for (int y = 0; y < count && depth != PixelDepth::kColour; ++y) {
        const uint8_t* pixel = rows + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int x = 0; x < width; ++x, pixel += 3) {
            if (pixel[0] != pixel[1] || pixel[1] != pixel[2]) return PixelDepth::kColour;
            if (pixel[0] != 0 && pixel[0] != 255) depth = PixelDepth::kGrey;
        }
    }
    return depth;
}

size_t PackedRowBytes(int width, PixelDepth depth) {
    const size_t pixels = static_cast<size_t>(width);
    switch (depth) {
        case PixelDepth::kBlackWhite: return (pixels + 7) / 8;
        case PixelDepth::kGrey: return pixels;
        case PixelDepth::kColour: return pixels * 3;
        case PixelDepth::kColourAlpha: break;
    }
    return pixels * 4;
}

void PackRow(const uint8_t* pixels, int width, PixelDepth depth, uint8_t* out) {
    if (depth == PixelDepth::kGrey) {
        for (int x = 0; x < width; ++x) out[x] = pixels[3 * x];
        return;
    }
    std::fill(out, out + PackedRowBytes(width, depth), uint8_t{0});
    for (int x = 0; x < width; ++x) {
        if (pixels[3 * x]) out[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
    }
}

ImageFileWriter::ImageFileWriter(const std::wstring& path, int width, int height, PixelDepth depth)
    : what_("'" + NameForMessage(path) + "'"), width_(width), depth_(depth) {
    const ImageFormat format = ImageFormatOf(path);
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory_.PutVoid()),
          "starting the imaging component");
    Check(factory_->CreateStream(stream_.Put()), "making a stream");
    Check(stream_->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "creating the file");
    Start(format, width, height);
}

ImageFileWriter::ImageFileWriter(IStream* stream, ImageFormat format, const std::string& what, int width, int height,
                                 PixelDepth depth)
    : what_(what), width_(width), depth_(depth) {
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory_.PutVoid()),
          "starting the imaging component");
    Check(factory_->CreateStream(stream_.Put()), "making a stream");
    Check(stream_->InitializeFromIStream(stream), "opening the stream");
    Start(format, width, height);
}

void ImageFileWriter::Start(ImageFormat container, int width, int height) {
    const bool png = container == ImageFormat::kPng;
    if (!png) depth_ = PixelDepth::kColour;
    Check(factory_->CreateEncoder(png ? GUID_ContainerFormatPng : GUID_ContainerFormatBmp, nullptr, encoder_.Put()),
          "making the encoder");
    Check(encoder_->Initialize(stream_.Get(), WICBitmapEncoderNoCache), "starting the encoder");
    win32::ComPtr<IPropertyBag2> options;
    Check(encoder_->CreateNewFrame(frame_.Put(), options.Put()), "making the image");
    Check(frame_->Initialize(options.Get()), "starting the image");
    Check(frame_->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), "sizing the image");
    const WICPixelFormatGUID wanted = depth_ == PixelDepth::kBlackWhite ? GUID_WICPixelFormatBlackWhite
                                      : depth_ == PixelDepth::kGrey      ? GUID_WICPixelFormat8bppGray
                                      : depth_ == PixelDepth::kColour    ? GUID_WICPixelFormat24bppBGR
                                                                         : GUID_WICPixelFormat32bppBGRA;
    WICPixelFormatGUID format = wanted;
    Check(frame_->SetPixelFormat(&format), "choosing the pixel format");
    if (format != wanted) Check(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT, "choosing the pixel format");
    if (depth_ == PixelDepth::kBlackWhite || depth_ == PixelDepth::kGrey) row_.resize(PackedRowBytes(width, depth_));
}

void ImageFileWriter::WriteRows(const uint8_t* rows, int count, int stride) {
    if (depth_ == PixelDepth::kColour || depth_ == PixelDepth::kColourAlpha) {
        WritePackedRows(rows, count, static_cast<size_t>(stride));
        return;
    }
    for (int y = 0; y < count; ++y) {
        PackRow(rows + static_cast<size_t>(y) * static_cast<size_t>(stride), width_, depth_, row_.data());
        WritePackedRows(row_.data(), 1, row_.size());
    }
}

void ImageFileWriter::WritePackedRows(const uint8_t* rows, int count, size_t stride) {
    const UINT bytes = static_cast<UINT>(stride * static_cast<size_t>(count));
    Check(frame_->WritePixels(static_cast<UINT>(count), static_cast<UINT>(stride), bytes, const_cast<BYTE*>(rows)),
          "writing the pixels");
}

void ImageFileWriter::Commit() {
    Check(frame_->Commit(), "finishing the image");
    Check(encoder_->Commit(), "finishing the file");
}

}  // namespace quillant::forms
