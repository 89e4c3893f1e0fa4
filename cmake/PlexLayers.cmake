# The layers of our libraries, and their names: a library target is named
# after the folder that holds it. A library links, and takes include folders
# from, only libraries of lower layers (and its own folder); siblings of one
# layer stay apart. plex_check_layers() walks every library target of the
# source tree at configure time and stops the configuration at the first
# link or include folder that goes up or sideways. Tests may link anything.
#
# One entry per layer, lowest first; an entry lists its units, each a folder
# relative to the top of the source tree, or folders joined by "+" that are
# one unit. A folder ending in /* makes each of its sub-folders a unit of its
# own in that layer.
set(PLEX_LAYERS
  "src/pxcommon+plexcore"
  "platform/*"
  "plexwizard"
  "plexlogin"
  "plexlink"
  "src/pxapp src/pxsdo"
  "src/model"
  "src/pxui"
  "src/ui src/pxplt")

# Links allowed against the layers while work on them goes on: pairs
# "<library> <library it may link>".
set(PLEX_LAYER_EXCEPTIONS)

# The unit (folder) and layer of a path in the source tree; unit empty when
# the path lies in no layer.
function(plex_layer_of path out_unit out_layer)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${path})
  set(${out_unit} "" PARENT_SCOPE)
  set(${out_layer} -1 PARENT_SCOPE)
  if(rel MATCHES "^\\.\\./" OR rel STREQUAL "")
    return()
  endif()
  set(layer 0)
  foreach(entry IN LISTS PLEX_LAYERS)
    string(REPLACE " " ";" units "${entry}")
    foreach(group IN LISTS units)
      string(REPLACE "+" ";" folders "${group}")
      foreach(folder IN LISTS folders)
        if(folder MATCHES "^(.*)/\\*$")
          set(base ${CMAKE_MATCH_1})
          if(rel MATCHES "^${base}/([^/]+)")
            set(${out_unit} "${base}/${CMAKE_MATCH_1}" PARENT_SCOPE)
            set(${out_layer} ${layer} PARENT_SCOPE)
            return()
          endif()
        elseif(rel STREQUAL folder OR rel MATCHES "^${folder}/")
          set(${out_unit} "${group}" PARENT_SCOPE)
          set(${out_layer} ${layer} PARENT_SCOPE)
          return()
        endif()
      endforeach()
    endforeach()
    math(EXPR layer "${layer} + 1")
  endforeach()
endfunction()

function(plex_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    plex_collect_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Whether <from> may use something of <unit>/<layer>.
function(plex_layer_allows from_unit from_layer to_unit to_layer out)
  if(to_unit STREQUAL "" OR to_unit STREQUAL from_unit OR to_layer LESS from_layer)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

function(plex_check_layers)
  plex_collect_targets(${PROJECT_SOURCE_DIR} targets)
  set(problems "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "LIBRARY$")
      continue()
    endif()
    get_target_property(dir ${target} SOURCE_DIR)
    plex_layer_of(${dir} unit layer)
    if(unit STREQUAL "")
      continue()
    endif()
    get_filename_component(folder_name ${dir} NAME)
    if(NOT target STREQUAL folder_name)
      string(APPEND problems "\n  ${target} is built in ${dir}: a library is named after its folder")
    endif()

    # Links, direct and passed on to the library's users.
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${target} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(passed ${target} INTERFACE_LINK_LIBRARIES)
    if(passed)
      list(APPEND links ${passed})
    endif()
    list(REMOVE_DUPLICATES links)
    foreach(item IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      if(NOT TARGET ${item})
        continue()
      endif()
      get_target_property(aliased ${item} ALIASED_TARGET)
      if(aliased)
        set(item ${aliased})
      endif()
      if("${target} ${item}" IN_LIST PLEX_LAYER_EXCEPTIONS)
        continue()
      endif()
      get_target_property(item_dir ${item} SOURCE_DIR)
      plex_layer_of(${item_dir} item_unit item_layer)
      plex_layer_allows("${unit}" ${layer} "${item_unit}" ${item_layer} ok)
      if(NOT ok)
        string(APPEND problems "\n  ${target} (${unit}) links ${item} (${item_unit}), which is not below it")
      endif()
    endforeach()

    # Include folders of its own.
    set(includes "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(own ${target} INCLUDE_DIRECTORIES)
      if(own)
        list(APPEND includes ${own})
      endif()
    endif()
    get_target_property(exposed ${target} INTERFACE_INCLUDE_DIRECTORIES)
    if(exposed)
      list(APPEND includes ${exposed})
    endif()
    list(REMOVE_DUPLICATES includes)
    foreach(folder IN LISTS includes)
      string(REGEX REPLACE "^\\$<BUILD_INTERFACE:(.*)>$" "\\1" folder "${folder}")
      if(folder MATCHES "^\\$<" OR NOT IS_ABSOLUTE "${folder}")
        continue()
      endif()
      plex_layer_of(${folder} folder_unit folder_layer)
      set(excepted FALSE)
      foreach(pair IN LISTS PLEX_LAYER_EXCEPTIONS)
        string(REPLACE " " ";" pair "${pair}")
        list(GET pair 0 from)
        list(GET pair 1 to)
        if(from STREQUAL target AND TARGET ${to})
          get_target_property(to_dir ${to} SOURCE_DIR)
          plex_layer_of(${to_dir} to_unit to_layer)
          if(to_unit STREQUAL folder_unit)
            set(excepted TRUE)
          endif()
        endif()
      endforeach()
      if(excepted)
        continue()
      endif()
      plex_layer_allows("${unit}" ${layer} "${folder_unit}" ${folder_layer} ok)
      if(NOT ok)
        string(APPEND problems "\n  ${target} (${unit}) includes ${folder}, which is not below it")
      endif()
    endforeach()
  endforeach()
  if(problems)
    message(FATAL_ERROR "Libraries misnamed or reaching up or sideways past their layer (cmake/PlexLayers.cmake):${problems}")
  endif()
endfunction()
