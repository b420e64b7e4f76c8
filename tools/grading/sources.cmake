# The grader's library sources, shared by the native build and the build
# machine's copy that the Windows builds make for their tests.
set(QUILLANT_GRADING_SOURCES
  grey_picture.cpp
  picture_file.cpp
  symbol_band.cpp
  scan_profile.cpp
  code128_characters.cpp
  code128_text.cpp
  reference_decode.cpp
  grade_scale.cpp
  scan_line_grade.cpp
  symbol_grade.cpp
  grade_report.cpp
)
