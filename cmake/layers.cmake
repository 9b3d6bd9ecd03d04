# Walls between the layers. A library sees its own headers and those of the
# libraries it links, nothing else: each target gets an include folder of
# its own in the build tree, holding symbolic links to exactly its headers
# under their usual paths (include/<target>/texts/strings.h -> texts/strings.h),
# and that folder is the target's include directory, PUBLIC for a library
# so that whatever links it sees them too. Nothing includes from the source
# tree, so a header of a layer above is simply not found and the build
# fails. Includes keep their spelling: "texts/strings.h".
#
#   kanvio_export_headers(<target> [<header>...])
#     Exports headers of the current folder as the target's own: the ones
#     named, or every header of the folder when none is named (a folder
#     that is one library).
#
#   kanvio_sources(<target> <file>...)
#     Compiles each .cpp into the target, a layer of the Qt program, and
#     exports its header (X.h beside X.cpp) and every .h named. A file that
#     includes a header of its own folder without the folder
#     ("stationlistmodel.h") finds it beside itself whatever the walls, so
#     such an include must name one of the target's own files, or
#     configuring fails: a folder holding files of two layers would
#     otherwise let one reach the other.
#
#   kanvio_layer(<target> LINKS <target>...)
#     A static library layer of the Qt program over the layers it names.

set(KANVIO_INCLUDE_ROOT ${PROJECT_BINARY_DIR}/include)

# Links made by an earlier configure would keep a header reachable that its
# layer no longer owns.
file(GLOB_RECURSE kanvio_old_links LIST_DIRECTORIES false ${KANVIO_INCLUDE_ROOT}/*)
foreach(link IN LISTS kanvio_old_links)
  if(IS_SYMLINK ${link})
    file(REMOVE ${link})
  endif()
endforeach()

function(kanvio_include_root target out)
  set(root ${KANVIO_INCLUDE_ROOT}/${target})
  get_target_property(rooted ${target} KANVIO_INCLUDE_ROOTED)
  if(NOT rooted)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_include_directories(${target} PRIVATE ${root})
    else()
      target_include_directories(${target} PUBLIC ${root})
    endif()
    set_target_properties(${target} PROPERTIES KANVIO_INCLUDE_ROOTED TRUE)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

function(kanvio_export_headers target)
  set(headers ${ARGN})
  if(NOT headers)
    file(GLOB headers RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  kanvio_link_headers(${target} "${headers}")
endfunction()

function(kanvio_link_headers target headers)
  kanvio_include_root(${target} root)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header IN LISTS headers)
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
  endforeach()
endfunction()

# Fails when a file of the list includes a header of its folder that is not
# in the list, or climbs out of its folder with "..".
function(kanvio_check_includes files)
  foreach(file IN LISTS files)
    file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
      if(included MATCHES "\\.\\.")
        message(FATAL_ERROR "${file} includes \"${included}\": name headers from the project root")
      endif()
      if(NOT included MATCHES "/" AND NOT included MATCHES "\\.moc$" AND NOT included IN_LIST files)
        message(FATAL_ERROR "${file} includes \"${included}\", which is not a file of its own layer")
      endif()
    endforeach()
  endforeach()
endfunction()

function(kanvio_sources target)
  set(headers)
  set(own ${ARGN})
  foreach(file IN LISTS ARGN)
    if(file MATCHES "\\.cpp$")
      target_sources(${target} PRIVATE ${file})
      string(REGEX REPLACE "\\.cpp$" ".h" header ${file})
      if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
        list(APPEND headers ${header})
        list(APPEND own ${header})
      endif()
    else()
      list(APPEND headers ${file})
    endif()
  endforeach()
  kanvio_check_includes("${own}")
  kanvio_link_headers(${target} "${headers}")
endfunction()

function(kanvio_layer target)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  add_library(${target} STATIC)
  target_link_libraries(${target} PUBLIC ${ARG_LINKS})
  kanvio_include_root(${target} root)
endfunction()
