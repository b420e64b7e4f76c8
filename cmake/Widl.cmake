# Compiles an IDL file with the mingw widl into a type library, a header and
# the GUID definitions:
#   quillant_widl(OUT_VAR path/to/X.idl [headers the IDL includes...])
# sets OUT_VAR_TLB, OUT_VAR_HEADER, OUT_VAR_IID (absolute paths in the binary dir)
# and OUT_VAR_DIR (the directory holding them, for include paths and windres).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUILLANT_WIDL_ARCH -m64)
  set(wine_windows_dirs x86_64-linux-gnu/wine/x86_64-windows wine/x86_64-windows)
else()
  set(QUILLANT_WIDL_ARCH -m32)
  set(wine_windows_dirs i386-linux-gnu/wine/i386-windows wine/i386-windows)
endif()
find_program(QUILLANT_WIDL ${QUILLANT_MINGW_TRIPLE}-widl DOC "The IDL compiler of mingw-w64-tools")
if(NOT QUILLANT_WIDL)
  message(FATAL_ERROR "${QUILLANT_MINGW_TRIPLE}-widl was not found (Debian package mingw-w64-tools): run "
                      "scripts/setup.sh, or set QUILLANT_WIDL to its path")
endif()
# Wine's IDL files (oaidl.idl and the rest the IDL imports) and the
# stdole2.tlb of this width that importlib reads: the build machine's own
# Wine, not the cross-compiler's root.
find_path(QUILLANT_WINE_IDL_DIR oaidl.idl PATH_SUFFIXES wine/wine/windows wine/windows NO_CMAKE_FIND_ROOT_PATH
          DOC "Wine's IDL files")
find_path(QUILLANT_WIDL_LIBDIR stdole2.tlb PATHS /usr/lib /usr/local/lib PATH_SUFFIXES ${wine_windows_dirs}
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH DOC "Wine's Windows DLLs of this width, with stdole2.tlb")
if(NOT QUILLANT_WINE_IDL_DIR OR NOT QUILLANT_WIDL_LIBDIR)
  message(FATAL_ERROR "Wine's IDL files (oaidl.idl: ${QUILLANT_WINE_IDL_DIR}) or its stdole2.tlb of this width "
                      "(${QUILLANT_WIDL_LIBDIR}) were not found (Debian packages libwine-dev and wine64 or "
                      "wine32): run scripts/setup.sh, or set QUILLANT_WINE_IDL_DIR and QUILLANT_WIDL_LIBDIR")
endif()

function(quillant_widl out idl)
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/idl)
  file(MAKE_DIRECTORY ${dir})
  add_custom_command(
    OUTPUT ${dir}/${name}.tlb ${dir}/${name}_h.h ${dir}/${name}_i.c
    COMMAND ${QUILLANT_WIDL} ${QUILLANT_WIDL_ARCH}
            -I ${QUILLANT_WINE_IDL_DIR} -I ${PROJECT_SOURCE_DIR} -L ${QUILLANT_WIDL_LIBDIR}
            -t -T ${dir}/${name}.tlb -h -H ${dir}/${name}_h.h -u -U ${dir}/${name}_i.c
            ${idl_abs}
    DEPENDS ${idl_abs} ${ARGN}
    COMMENT "widl ${name}.idl"
    VERBATIM)
  set(${out}_TLB ${dir}/${name}.tlb PARENT_SCOPE)
  set(${out}_HEADER ${dir}/${name}_h.h PARENT_SCOPE)
  set(${out}_IID ${dir}/${name}_i.c PARENT_SCOPE)
  set(${out}_DIR ${dir} PARENT_SCOPE)
endfunction()
