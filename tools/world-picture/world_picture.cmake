# Builds the stored world picture of the grid maps from the Debian earth picture: scaled to
# 720 x 360 so that it fits a window, lifted toward white and desaturated so that blue, black and red
# marks stay legible over land and sea.
find_program(MAGICK_CONVERT NAMES convert magick REQUIRED)
set(WORLD_SOURCE /usr/share/xplanet/images/earth.jpg)
set(WORLD_PICTURE ${CMAKE_BINARY_DIR}/world.bmp)
add_custom_command(
  OUTPUT ${WORLD_PICTURE}
  COMMAND ${MAGICK_CONVERT} ${WORLD_SOURCE} -resize 720x360! -modulate 120,30 +level 45%,100% -type TrueColor BMP3:${WORLD_PICTURE}
  DEPENDS ${WORLD_SOURCE}
  COMMENT "Building the world picture"
  VERBATIM)
