# The layering rules, checked over the include lines of the source tree.
#
# Between the libraries: orboutil includes nothing of orbotk or gui, and orbotk nothing of gui,
# so that each lower library builds and ships without the ones above it.
#
# Within gui, floors, each including only its own and those below it:
#   1 layout     the layout box                          src/gui/layout/
#   2 render     the renderer, images, the palette       src/gui/render/
#   3 text       text models, measurement, raster; nine-patch textures and the look
#                                                         src/gui/text/, src/gui/textures/
#   4 widgets    the pass handle, the shared behaviours and every widget   src/gui/widgets/
#   5 window     the application window and its chrome   src/gui/window/
#   6 dialogs    dialogs and message boxes               src/gui/dialogs/
# A public header (include/gui/<name>.h) sits on the floor FLOOR_<name> below names; a private
# header ("render/pixel.h") on its folder's floor. gui.h, the chief header, sits above them all.
#
# Fails, naming each offending line, when a file includes a library or a floor above its own.
#
#   cmake -DROOT=<source tree> -P tools/check_layering.cmake
if(NOT DEFINED ROOT)
  message(FATAL_ERROR "check_layering: pass -DROOT=<source tree>")
endif()

cmake_minimum_required(VERSION 3.16)
set(violations "")

# ---- Between the libraries
set(forbidden_orboutil "orbotk|gui")
set(forbidden_orbotk "gui")
foreach(lib orboutil orbotk)
  file(GLOB_RECURSE files ${ROOT}/include/${lib}/* ${ROOT}/src/${lib}/*)
  foreach(f ${files})
    if(NOT f MATCHES "\\.(h|hpp|cpp|cc|inl)$")
      continue()
    endif()
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${forbidden_${lib}})/")
    foreach(line ${lines})
      file(RELATIVE_PATH rel ${ROOT} ${f})
      string(STRIP "${line}" line)
      string(APPEND violations "\n  ${rel}: ${line}  (${lib} may not include ${forbidden_${lib}})")
    endforeach()
  endforeach()
endforeach()

# ---- The floors of gui
set(FLOOR_NAMES none layout render text widgets window dialogs top)
set(FOLDER_layout 1)
set(FOLDER_render 2)
set(FOLDER_text 3)
set(FOLDER_textures 3)
set(FOLDER_widgets 4)
set(FOLDER_window 5)
set(FOLDER_dialogs 6)
foreach(h box)
  set(FLOOR_${h} 1)
endforeach()
foreach(h image palette render)
  set(FLOOR_${h} 2)
endforeach()
foreach(h gap_text look text_area_state text_box text_layout text_state textures)
  set(FLOOR_${h} 3)
endforeach()
foreach(h behavior button checkbox combo_box labels line_edit link list_view menu_bar number_field popup_menu
          progress push_button radio scroll_bar shortcut slider split table tabs text_area tree ui)
  set(FLOOR_${h} 4)
endforeach()
foreach(h app_window brand placement)
  set(FLOOR_${h} 5)
endforeach()
foreach(h choosers dialog message_box)
  set(FLOOR_${h} 6)
endforeach()
set(FLOOR_gui 7)

# The floor of what an include line names: a public header by its name, a private one by its
# folder; empty for anything else (the standard library, wx, the toolkit).
function(floor_of_include line out)
  set(floor "")
  if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]gui/([a-z_0-9]+)\\.h[>\"]")
    set(floor "${FLOOR_${CMAKE_MATCH_1}}")
    if(floor STREQUAL "")
      set(floor "unknown")
    endif()
  elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([a-z_]+)/[a-z_0-9]+\\.[a-z]+\"")
    set(floor "${FOLDER_${CMAKE_MATCH_1}}")
  endif()
  set(${out} "${floor}" PARENT_SCOPE)
endfunction()

file(GLOB public ${ROOT}/include/gui/*.h)
file(GLOB_RECURSE private ${ROOT}/src/gui/*)
foreach(f ${public} ${private})
  if(NOT f MATCHES "\\.(h|cpp|inl)$")
    continue()
  endif()
  file(RELATIVE_PATH rel ${ROOT} ${f})
  if(rel MATCHES "^include/gui/([a-z_0-9]+)\\.h$")
    set(own "${FLOOR_${CMAKE_MATCH_1}}")
    set(what "a public header")
  elseif(rel MATCHES "^src/gui/([a-z_]+)/")
    set(own "${FOLDER_${CMAKE_MATCH_1}}")
    set(what "a folder")
  else()
    continue() # generated and top-level sources see everything
  endif()
  if(own STREQUAL "")
    string(APPEND violations "\n  ${rel}: ${what} on no floor (name it in tools/check_layering.cmake)")
    continue()
  endif()
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    floor_of_include("${line}" floor)
    string(STRIP "${line}" line)
    if(floor STREQUAL "unknown")
      string(APPEND violations "\n  ${rel}: ${line}  (a public header on no floor)")
    elseif(NOT floor STREQUAL "" AND floor GREATER own)
      list(GET FLOOR_NAMES ${own} ownName)
      list(GET FLOOR_NAMES ${floor} floorName)
      string(APPEND violations "\n  ${rel}: ${line}  (${ownName} may not include ${floorName})")
    endif()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Layering violated: a lower library or floor includes a higher one.${violations}\n"
                      "orboutil sits below orbotk, and orbotk below gui; within gui: layout, "
                      "render, text, widgets, window, dialogs.")
endif()
message(STATUS "Layering holds: orboutil <- orbotk <- gui (layout <- render <- text <- widgets "
               "<- window <- dialogs)")
