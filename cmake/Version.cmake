# The product's version is project(VERSION) alone. It reaches the DLLs'
# version resources (generated/quillant_version.h), the installers'
# ProductVersion and the release's file names from here.
#
# The resources spell it the way Visual Basic components do, major.minor.
# revision ("1.00.0132"), and there is no room for a third number in that:
# releases count up the fourth.
if(NOT PROJECT_VERSION_PATCH EQUAL 0)
  message(FATAL_ERROR "Version ${PROJECT_VERSION}: keep the third number 0, count releases in the fourth")
endif()
set(QUILLANT_VERSION ${PROJECT_VERSION})
function(_quillant_pad value width out)
  string(LENGTH "${value}" length)
  while(length LESS width)
    string(PREPEND value 0)
    string(LENGTH "${value}" length)
  endwhile()
  set(${out} ${value} PARENT_SCOPE)
endfunction()
_quillant_pad(${PROJECT_VERSION_MINOR} 2 _minor)
_quillant_pad(${PROJECT_VERSION_TWEAK} 4 _revision)
set(QUILLANT_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${_minor}.${_revision}")
set(QUILLANT_VERSION_COMMAS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
set(QUILLANT_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quillant_version.h.in ${QUILLANT_GENERATED_DIR}/quillant_version.h @ONLY)
