# Extra build steps: the scene's images, made into the build folder's tga/ when they are
# missing or the generator changed. The build tree's program finds them beside it, as an
# installed one finds them in share/quorvel.
set(QORVEL_IMAGE_DIR ${CMAKE_BINARY_DIR}/tga)
if(IS_SYMLINK ${QORVEL_IMAGE_DIR})  # older build folders linked it to the sources' tga/
  file(REMOVE ${QORVEL_IMAGE_DIR})
endif()
set(QORVEL_IMAGES
  ${QORVEL_IMAGE_DIR}/ground3.tga
  ${QORVEL_IMAGE_DIR}/ground4.tga
  ${QORVEL_IMAGE_DIR}/clouds3.tga
  ${QORVEL_IMAGE_DIR}/clouds2.tga
  ${QORVEL_IMAGE_DIR}/moon.tga
  ${QORVEL_IMAGE_DIR}/fire3.tga
  ${QORVEL_IMAGE_DIR}/spark1.tga)
add_custom_command(
  OUTPUT ${QORVEL_IMAGES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QORVEL_IMAGE_DIR}
  COMMAND make_images ${QORVEL_IMAGE_DIR}
  DEPENDS make_images ${CMAKE_SOURCE_DIR}/tools/make_images.cpp
  COMMENT "Generating scene images in tga/"
  VERBATIM)
add_custom_target(images ALL DEPENDS ${QORVEL_IMAGES})

# The icon, drawn from the scene's images at each size the hicolor theme is asked for.
set(QORVEL_ICON_SIZES 256 128 64 48 32)
set(QORVEL_ICONS)
foreach(size ${QORVEL_ICON_SIZES})
  list(APPEND QORVEL_ICONS ${CMAKE_BINARY_DIR}/icons/${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${QORVEL_ICONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
  COMMAND make_icon ${QORVEL_IMAGE_DIR} ${CMAKE_BINARY_DIR}/icons ${QORVEL_ICON_SIZES}
  DEPENDS make_icon ${QORVEL_IMAGES}
  COMMENT "Drawing the icon"
  VERBATIM)
add_custom_target(icons ALL DEPENDS ${QORVEL_ICONS})
