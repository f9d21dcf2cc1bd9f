# Generates the display font "appfont.dat" and its licence beside the
# executables, from Debian's fonts-osifont, with Debian's python3-fonttools.
set(TIMER555_FONT_SOURCE /usr/share/fonts/truetype/osifont/osifont.ttf
    CACHE FILEPATH "osifont TrueType file the display font is made from")
set(TIMER555_FONT_LICENSE /usr/share/doc/fonts-osifont/copyright)
find_program(TIMER555_PYTHON /usr/bin/python3 NO_DEFAULT_PATH PATHS /usr/bin)
if(NOT EXISTS ${TIMER555_FONT_SOURCE})
  message(FATAL_ERROR "osifont not found at ${TIMER555_FONT_SOURCE}: install fonts-osifont")
endif()

add_custom_command(
  OUTPUT ${TIMER555_BIN_DIR}/appfont.dat ${TIMER555_BIN_DIR}/appfont-LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TIMER555_BIN_DIR}
  COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/cmake/make_font.py
          ${TIMER555_FONT_SOURCE} ${TIMER555_BIN_DIR}/appfont.dat
  COMMAND ${CMAKE_COMMAND} -E copy ${TIMER555_FONT_LICENSE} ${TIMER555_BIN_DIR}/appfont-LICENSE.txt
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/make_font.py ${TIMER555_FONT_SOURCE}
  COMMENT "Building the display font appfont.dat"
  VERBATIM)
add_custom_target(timer555_appfont ALL
  DEPENDS ${TIMER555_BIN_DIR}/appfont.dat ${TIMER555_BIN_DIR}/appfont-LICENSE.txt)
