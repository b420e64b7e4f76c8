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
# The licence and the address for reports, named in the version resources
# and the installers' entry in Programs and Features (README.md says the same).
set(QUILLANT_LICENSE "Apache License 2.0")
set(QUILLANT_ISSUES_URL "https://quillant.invalid/issues" CACHE STRING
    "Where users report problems: the project's issue tracker")
set(QUILLANT_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quillant_version.h.in ${QUILLANT_GENERATED_DIR}/quillant_version.h @ONLY)
