#include "tools/grading/picture_file.h"

#include <png.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quillant::grading {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
    throw std::runtime_error(path + ": " + why);
}

GreyPicture ReadPng(const std::string& path, const std::string& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) Fail(path, image.message);
    image.format = PNG_FORMAT_GRAY;
    std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&image, &white, buffer.data(), 0, nullptr)) {
        const std::string why = image.message;
        png_image_free(&image);
        Fail(path, why);
    }
    GreyPicture picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.maxLevel = 255;
    picture.levels.assign(buffer.begin(), buffer.end());
    return picture;
}

// PGM header fields are separated by white space and may carry # comments.
class PgmReader {
public:
    PgmReader(std::string path, std::string bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}

    GreyPicture Read() {
        const bool plain = bytes_[1] == '2';
        pos_ = 2;
        GreyPicture picture;
        picture.width = Number();
        picture.height = Number();
        picture.maxLevel = Number();
        if (picture.width <= 0 || picture.height <= 0 || picture.maxLevel <= 0 || picture.maxLevel > 65535) {
            Fail(path_, "a PGM header out of range");
        }
        const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
        picture.levels.resize(count);
        if (plain) {
            for (auto& level : picture.levels) level = static_cast<uint16_t>(Number());
        } else {
            ++pos_;  // the single white-space character after the maximum
            const size_t bytesPerLevel = picture.maxLevel > 255 ? 2 : 1;
            if (bytes_.size() < pos_ + count * bytesPerLevel) Fail(path_, "the PGM data is cut short");
            for (size_t i = 0; i < count; ++i) {
                const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_ + i * bytesPerLevel);
                picture.levels[i] = static_cast<uint16_t>(bytesPerLevel == 2 ? (p[0] << 8) | p[1] : p[0]);
            }
        }
        for (const auto level : picture.levels) {
            if (level > picture.maxLevel) Fail(path_, "a PGM level above its maximum");
        }
        return picture;
    }

private:
    int Number() {
        while (pos_ < bytes_.size()) {
            if (bytes_[pos_] == '#') {
                while (pos_ < bytes_.size() && bytes_[pos_] != '\n') ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(bytes_[pos_]))) {
                ++pos_;
            } else {
                break;
            }
        }
        long value = 0;
        const size_t first = pos_;
        while (pos_ < bytes_.size() && std::isdigit(static_cast<unsigned char>(bytes_[pos_])) && value <= 1000000) {
            value = value * 10 + (bytes_[pos_++] - '0');
        }
        if (pos_ == first || value > 1000000) Fail(path_, "a malformed PGM header or level");
        return static_cast<int>(value);
    }

    std::string path_;
    std::string bytes_;
    size_t pos_ = 0;
};

}  // namespace

GreyPicture ReadPicture(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) Fail(path, "cannot be opened");
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) == 0) {
        return ReadPng(path, bytes);
    }
    if (bytes.size() >= 2 && bytes[0] == 'P' && (bytes[1] == '5' || bytes[1] == '2')) {
        return PgmReader(path, std::move(bytes)).Read();
    }
    Fail(path, "is neither PNG nor PGM");
}

}  // namespace quillant::grading
