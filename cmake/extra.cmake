# Extra build steps: regenerate the scene's images when they are missing or the generator changed.
set(QORVEL_IMAGES
  ${CMAKE_SOURCE_DIR}/tga/ground3.tga
  ${CMAKE_SOURCE_DIR}/tga/ground4.tga
  ${CMAKE_SOURCE_DIR}/tga/clouds3.tga
  ${CMAKE_SOURCE_DIR}/tga/clouds2.tga
  ${CMAKE_SOURCE_DIR}/tga/moon.tga
  ${CMAKE_SOURCE_DIR}/tga/fire3.tga
  ${CMAKE_SOURCE_DIR}/tga/spark1.tga)
add_custom_command(
  OUTPUT ${QORVEL_IMAGES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_SOURCE_DIR}/tga
  COMMAND make_images ${CMAKE_SOURCE_DIR}/tga
  DEPENDS make_images ${CMAKE_SOURCE_DIR}/tools/make_images.cpp
  COMMENT "Generating scene images in tga/"
  VERBATIM)
add_custom_target(images ALL DEPENDS ${QORVEL_IMAGES})

# The build tree's program finds the images beside it, as an installed one finds them in
# share/quorvel.
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/tga ${CMAKE_BINARY_DIR}/tga SYMBOLIC)

# The icon, drawn from the scene's images at each size the hicolor theme is asked for.
set(QORVEL_ICON_SIZES 256 128 64 48 32)
set(QORVEL_ICONS)
foreach(size ${QORVEL_ICON_SIZES})
  list(APPEND QORVEL_ICONS ${CMAKE_BINARY_DIR}/icons/${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${QORVEL_ICONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
  COMMAND make_icon ${CMAKE_SOURCE_DIR}/tga ${CMAKE_BINARY_DIR}/icons ${QORVEL_ICON_SIZES}
  DEPENDS make_icon ${QORVEL_IMAGES}
  COMMENT "Drawing the icon"
  VERBATIM)
add_custom_target(icons ALL DEPENDS ${QORVEL_ICONS})
