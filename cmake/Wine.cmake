# Running Windows test programs under Wine.
#
# Every build tree has its own prefix. CTest fixtures keep one wineserver, and
# one desktop (tests/support/desktop_holder.cpp), alive for the whole run
# (starting them per test costs seconds each), and tests that need the COM
# servers registered chain to the registration fixtures, which in turn require
# the wine fixture.
set(QUILLANT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(QUILLANT_WINE_ARCH STREQUAL "win64")
  # Plain 'wine' would start 32-bit programs such as cscript in a 64-bit
  # prefix; 64-bit registrations are only visible to the 64-bit loader.
  # Debian keeps the loaders out of PATH, in its Wine folder.
  find_program(QUILLANT_WINE64 wine64 PATHS /usr/lib/wine DOC "Wine's 64-bit loader")
  if(NOT QUILLANT_WINE64)
    message(FATAL_ERROR "wine64, Wine's 64-bit loader, was not found (Debian package wine64): run "
                        "scripts/setup.sh, or set QUILLANT_WINE64 to the loader's path")
  endif()
  set(QUILLANT_WINE_LOADER ${QUILLANT_WINE64})
else()
  # Natively where the kernel runs 32-bit programs, else under QEMU in a
  # namespace of its own (scripts/wine32): the 32-bit tests run everywhere.
  set(QUILLANT_WINE_LOADER ${PROJECT_SOURCE_DIR}/scripts/wine32)
endif()
# CUPS_SERVER points nowhere: whatever printers this machine's CUPS has, the
# test prefix has none. The stand-in printer's page follows the default
# printer, and these tests draw on the printer-less page; tests/printing
# brings queues of its own.
set(QUILLANT_WINE_ENV
  env -u DISPLAY
  CUPS_SERVER=${CMAKE_BINARY_DIR}/no-cups.sock
  WINEPREFIX=${QUILLANT_WINEPREFIX}
  WINEARCH=${QUILLANT_WINE_ARCH}
  WINEDEBUG=-all
  WINEDLLOVERRIDES=mscoree,mshtml=)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLANT_WINE_ENV} ${QUILLANT_WINE_LOADER})
set(QUILLANT_WINE_SESSION ${CMAKE_SOURCE_DIR}/cmake/wine-session.sh)
# Wine's own programs (cscript, regsvr32) are started by their file in the
# prefix: given a bare name, the loader first starts start.exe to look the
# name up, a second Wine process for every call.
set(QUILLANT_WINE_SYSTEM32 ${QUILLANT_WINEPREFIX}/drive_c/windows/system32)

add_test(NAME wine.start COMMAND ${QUILLANT_WINE_ENV} sh ${QUILLANT_WINE_SESSION} start ${QUILLANT_WINE_LOADER}
  $<TARGET_FILE:desktop_holder>)
add_test(NAME wine.stop COMMAND ${QUILLANT_WINE_ENV} sh ${QUILLANT_WINE_SESSION} stop)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# A Windows test program run through the emulator inside the wine session.
function(quillant_add_wine_test name target)
  cmake_parse_arguments(ARG "" "FIXTURE" "ARGS" ${ARGN})
  add_test(NAME ${name} COMMAND ${target} ${ARG_ARGS})
  set(fixture wine)
  if(ARG_FIXTURE)
    set(fixture ${ARG_FIXTURE})
  endif()
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixture}")
endfunction()

# A script run by Wine's own cscript, a client we did not write. cscript exits 0
# even when a script fails to compile, so success is read from the output: the
# script must print its PASS line and no FAIL line.
function(quillant_add_cscript_test name script)
  cmake_parse_arguments(ARG "CHECKS" "FIXTURE;WORKING_DIRECTORY" "ARGS" ${ARGN})
  # CHECKS: the script is run with tests/support/checks.vbs in front of it
  # (Check, CheckTrue, Finish, the property helpers), as Wine 8's VBScript
  # cannot include a file itself.
  if(ARG_CHECKS)
    set(checks ${PROJECT_SOURCE_DIR}/tests/support/checks.vbs)
    get_filename_component(script_name ${script} NAME)
    set(joined ${CMAKE_CURRENT_BINARY_DIR}/scripts/${script_name})
    file(READ ${checks} prelude)
    file(READ ${script} body)
    file(WRITE ${joined} "${prelude}${body}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${checks} ${script})
    set(script ${joined})
  endif()
  set(fixture wine)
  if(ARG_FIXTURE)
    set(fixture ${ARG_FIXTURE})
  endif()
  set(workdir ${CMAKE_BINARY_DIR}/bin)
  if(ARG_WORKING_DIRECTORY)
    set(workdir ${ARG_WORKING_DIRECTORY})
  endif()
  # cscript reads a leading "/" as a switch: an absolute Unix path goes in
  # as its Wine drive path Z:\...
  set(script_path ${script})
  if(IS_ABSOLUTE ${script})
    string(REPLACE "/" "\\" script_path "Z:${script}")
  endif()
  add_test(NAME ${name}
    COMMAND ${QUILLANT_WINE_ENV} ${QUILLANT_WINE_LOADER} ${QUILLANT_WINE_SYSTEM32}/cscript.exe //nologo ${script_path} ${ARG_ARGS}
    WORKING_DIRECTORY ${workdir})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED "${fixture}"
    PASS_REGULAR_EXPRESSION "^PASS|\nPASS"
    FAIL_REGULAR_EXPRESSION "FAIL|Microsoft VBScript|JScript runtime error|compilation error")
endfunction()
