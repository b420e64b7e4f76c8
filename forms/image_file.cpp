#include "forms/image_file.h"

#include <algorithm>

#include "forms/file_names.h"
#include "forms/forms_errors.h"
#include "forms/raster_image.h"

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

ImageFileWriter::ImageFileWriter(const std::wstring& path, int width, int height, PixelDepth depth, int32_t dpi)
    : what_("'" + NameForMessage(path) + "'"), width_(width), depth_(depth), dpi_(dpi) {
    const ImageFormat format = ImageFormatOf(path);
    if (format == ImageFormat::kBmp) depth_ = PixelDepth::kColour;
    file_.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) throw errors::FileAccess(what_ + " cannot be created");
    if (format == ImageFormat::kPng) {
        png_.emplace([this](const uint8_t* bytes, size_t count) { Write(bytes, count); }, width, height, depth_, dpi);
    } else {
        pixels_.reserve(static_cast<size_t>(RasterImage::StrideOf(width)) * static_cast<size_t>(height));
    }
    if (depth_ == PixelDepth::kBlackWhite || depth_ == PixelDepth::kGrey) row_.resize(PackedRowBytes(width, depth_));
}

void ImageFileWriter::Write(const uint8_t* bytes, size_t count) {
    while (count > 0) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file_.Get(), bytes, piece, &written, nullptr) || written != piece) {
            throw errors::FileAccess(what_ + " cannot be written");
        }
        bytes += piece;
        count -= piece;
    }
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
    for (int y = 0; y < count; ++y, ++rows_) {
        const uint8_t* row = rows + static_cast<size_t>(y) * stride;
        if (png_) {
            png_->WriteRow(row);
        } else {
            const size_t bytes = static_cast<size_t>(width_) * 3;
            pixels_.insert(pixels_.end(), row, row + bytes);
            pixels_.resize(pixels_.size() + static_cast<size_t>(RasterImage::StrideOf(width_)) - bytes);
        }
    }
}

void ImageFileWriter::Commit() {
    if (png_) {
        png_->Finish();
        return;
    }
    const render::PixelRows rows{pixels_.data(), width_, rows_, static_cast<size_t>(RasterImage::StrideOf(width_))};
    const std::vector<uint8_t> bmp = render::BmpFile(rows, dpi_);
    Write(bmp.data(), bmp.size());
}

}  // namespace quillant::forms
