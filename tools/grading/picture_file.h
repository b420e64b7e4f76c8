#pragma once
// Reads a picture file as grey levels: PNG (any colour type; colour is turned
// to grey and transparency laid on white, as on paper) or PGM (P5 or P2).

#include <string>

#include "tools/grading/grey_picture.h"

namespace quillant::grading {

// std::runtime_error naming the file and the reason when it cannot be read.
GreyPicture ReadPicture(const std::string& path);

}  // namespace quillant::grading
