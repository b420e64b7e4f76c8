#include "forms/image_file.h"

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
        throw errors::FileAccess("'" + NameForMessage(path_) + "': " + step + " failed (" + code + ")");
    }
}

ImageFileWriter::ImageFileWriter(const std::wstring& path, int width, int height) : path_(path) {
    const GUID& container =
        ImageFormatOf(path) == ImageFormat::kPng ? GUID_ContainerFormatPng : GUID_ContainerFormatBmp;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory_.PutVoid()),
          "starting the imaging component");
    Check(factory_->CreateStream(stream_.Put()), "making a stream");
    Check(stream_->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "creating the file");
    Check(factory_->CreateEncoder(container, nullptr, encoder_.Put()), "making the encoder");
    Check(encoder_->Initialize(stream_.Get(), WICBitmapEncoderNoCache), "starting the encoder");
    win32::ComPtr<IPropertyBag2> options;
    Check(encoder_->CreateNewFrame(frame_.Put(), options.Put()), "making the image");
    Check(frame_->Initialize(options.Get()), "starting the image");
    Check(frame_->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), "sizing the image");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame_->SetPixelFormat(&format), "choosing the pixel format");
    if (format != GUID_WICPixelFormat24bppBGR) Check(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT, "choosing the pixel format");
}

void ImageFileWriter::WriteRows(const uint8_t* rows, int count, int stride) {
    const UINT bytes = static_cast<UINT>(stride) * static_cast<UINT>(count);
    Check(frame_->WritePixels(static_cast<UINT>(count), static_cast<UINT>(stride), bytes, const_cast<BYTE*>(rows)),
          "writing the pixels");
}

void ImageFileWriter::Commit() {
    Check(frame_->Commit(), "finishing the image");
    Check(encoder_->Commit(), "finishing the file");
}

}  // namespace quillant::forms
