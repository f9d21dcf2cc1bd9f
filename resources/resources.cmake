# Every file compiled into the program's resources, by path below resources/.
set(TIMER555_RESOURCE_FILES
  ${PROJECT_SOURCE_DIR}/resources/text/design.txt
  ${PROJECT_SOURCE_DIR}/resources/text/circuits.txt
  ${PROJECT_SOURCE_DIR}/resources/text/apps.txt
  ${PROJECT_SOURCE_DIR}/resources/text/timer_data.txt
  ${PROJECT_SOURCE_DIR}/resources/text/help.txt
  ${PROJECT_SOURCE_DIR}/resources/text/component.txt
  ${PROJECT_SOURCE_DIR}/resources/cursors/CROSSHAIR.xpm
  ${PROJECT_SOURCE_DIR}/resources/cursors/CALCULATE.xpm
  ${PROJECT_SOURCE_DIR}/resources/cursors/CAPACITOR.xpm
  ${PROJECT_SOURCE_DIR}/resources/cursors/RESISTOR.xpm
  ${PROJECT_SOURCE_DIR}/resources/arrows.xpm
  ${PROJECT_SOURCE_DIR}/resources/arrows_2x.xpm
  # The window icon: packaging/timer555.svg rendered at 128 x 128 by
  # rsvg-convert, kept as PNG because Qt reads SVG only through a plugin
  # the program does not depend on.
  ${PROJECT_SOURCE_DIR}/resources/timer555.png
)
