# Compiles an IDL file with the mingw widl into a type library, a header and
# the GUID definitions:
#   quillant_widl(OUT_VAR path/to/X.idl [headers the IDL includes...])
# sets OUT_VAR_TLB, OUT_VAR_HEADER, OUT_VAR_IID (absolute paths in the binary dir)
# and OUT_VAR_DIR (the directory holding them, for include paths and windres).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUILLANT_WIDL_ARCH -m64)
  set(QUILLANT_WIDL_LIBDIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
else()
  set(QUILLANT_WIDL_ARCH -m32)
  set(QUILLANT_WIDL_LIBDIR /usr/lib/i386-linux-gnu/wine/i386-windows)
endif()
find_program(QUILLANT_WIDL ${QUILLANT_MINGW_TRIPLE}-widl REQUIRED)

function(quillant_widl out idl)
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/idl)
  file(MAKE_DIRECTORY ${dir})
  add_custom_command(
    OUTPUT ${dir}/${name}.tlb ${dir}/${name}_h.h ${dir}/${name}_i.c
    COMMAND ${QUILLANT_WIDL} ${QUILLANT_WIDL_ARCH}
            -I /usr/include/wine/wine/windows -I ${PROJECT_SOURCE_DIR} -L ${QUILLANT_WIDL_LIBDIR}
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
