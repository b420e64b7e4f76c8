# The layers of the tree, lowest first. A target of one layer may include the
# headers of its own layer and of the layers below it, and no others: its
# include directory is a view of the tree that holds only those folders, so
# an include that points upward does not compile.
#
# Headers are included by a path that names their layer ("render/encode.h").
# A folder inside a layer that is not itself a layer (win32/com_server,
# forms/server) belongs to the layer around it.
set(QUILLANT_LAYERS encoding render win32 adapters forms component)

# The view for one layer, made at configure time: build/layers/<layer>/ holds
# symbolic links to the headers of every layer up to and including it.
function(_quillant_layer_view layer out_dir)
  string(REPLACE "/" "_" view_name "${layer}")
  set(view "${CMAKE_BINARY_DIR}/layers/${view_name}")
  set(${out_dir} "${view}" PARENT_SCOPE)
  get_property(made GLOBAL PROPERTY QUILLANT_VIEW_${view_name})
  if(made)
    return()
  endif()
  set_property(GLOBAL PROPERTY QUILLANT_VIEW_${view_name} TRUE)

  list(FIND QUILLANT_LAYERS "${layer}" top)
  file(REMOVE_RECURSE "${view}")
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS
       RELATIVE "${PROJECT_SOURCE_DIR}"
       "${PROJECT_SOURCE_DIR}/encoding/*.h" "${PROJECT_SOURCE_DIR}/encoding/*.inc"
       "${PROJECT_SOURCE_DIR}/render/*.h" "${PROJECT_SOURCE_DIR}/win32/*.h"
       "${PROJECT_SOURCE_DIR}/adapters/*.h"
       "${PROJECT_SOURCE_DIR}/forms/*.h" "${PROJECT_SOURCE_DIR}/component/*.h")
  foreach(header IN LISTS headers)
    # The header belongs to the deepest layer whose folder contains it.
    set(owner -1)
    set(owner_length 0)
    foreach(candidate IN LISTS QUILLANT_LAYERS)
      string(LENGTH "${candidate}/" length)
      string(SUBSTRING "${header}" 0 ${length} prefix)
      if(prefix STREQUAL "${candidate}/" AND length GREATER owner_length)
        list(FIND QUILLANT_LAYERS "${candidate}" owner)
        set(owner_length ${length})
      endif()
    endforeach()
    if(owner GREATER_EQUAL 0 AND owner LESS_EQUAL top)
      get_filename_component(folder "${view}/${header}" DIRECTORY)
      file(MAKE_DIRECTORY "${folder}")
      file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${header}" "${view}/${header}" SYMBOLIC)
    endif()
  endforeach()
endfunction()

# Puts a target in a layer: it sees that layer and the ones below, and so do
# the targets that link it.
function(quillant_layer target layer)
  if(NOT "${layer}" IN_LIST QUILLANT_LAYERS)
    message(FATAL_ERROR "${target}: ${layer} is not one of the layers ${QUILLANT_LAYERS}")
  endif()
  _quillant_layer_view("${layer}" view)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE" OR type STREQUAL "MODULE_LIBRARY" OR type STREQUAL "SHARED_LIBRARY")
    target_include_directories(${target} PRIVATE "${view}")
  else()
    target_include_directories(${target} PUBLIC "${view}")
  endif()
endfunction()
