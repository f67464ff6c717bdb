# Install rules, the man page, the desktop files and the Debian package.
set(QORVEL_APP_ID org.quorvel.Quorvel)
install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QORVEL_IMAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs DESTINATION ${CMAKE_INSTALL_DOCDIR})  # README's links
install(FILES ${CMAKE_SOURCE_DIR}/docs/tour ${CMAKE_SOURCE_DIR}/docs/inside DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)

# Dates written into the man page, the changelog and the metainfo come from the commit, so two
# builds of one commit agree: the environment's SOURCE_DATE_EPOCH, else the last commit's time,
# else (a tree without git) the top CMakeLists.txt's time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(QORVEL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  find_program(GIT git)
  if(GIT)
    execute_process(COMMAND ${GIT} log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
      OUTPUT_VARIABLE QORVEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT} rev-parse --absolute-git-dir WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
      OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    # A new commit moves HEAD's log: configure again so the dates follow it.
    if(EXISTS "${git_dir}/logs/HEAD")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${git_dir}/logs/HEAD")
    endif()
  endif()
  if(NOT QORVEL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    file(TIMESTAMP ${CMAKE_SOURCE_DIR}/CMakeLists.txt QORVEL_SOURCE_DATE_EPOCH "%s" UTC)
  endif()
endif()
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${QORVEL_SOURCE_DATE_EPOCH})  # string(TIMESTAMP) reads it
string(TIMESTAMP QORVEL_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP QORVEL_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")

# The man page is made from --help and --version, which need no display, and the sections
# --help has no room for. Compressed without a name or time stamp, so it too is reproducible.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/quorvel.1 ${CMAKE_BINARY_DIR}/quorvel.1.gz
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${QORVEL_SOURCE_DATE_EPOCH}
            ${HELP2MAN} --no-info --section=1
            --name=${PROJECT_DESCRIPTION}
            --include=${CMAKE_SOURCE_DIR}/dist/quorvel.h2m
            --output=${CMAKE_BINARY_DIR}/quorvel.1 $<TARGET_FILE:quorvel>
    COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/quorvel.1
    DEPENDS quorvel ${CMAKE_SOURCE_DIR}/dist/quorvel.h2m
    COMMENT "Making the man page from --help"
    VERBATIM)
  add_custom_target(manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/quorvel.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/quorvel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no man page")
endif()

# The menu: a desktop entry, the icon in every size drawn by make_icon, and the metainfo that
# software centres read.
install(FILES ${CMAKE_SOURCE_DIR}/dist/${QORVEL_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size ${QORVEL_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QORVEL_APP_ID}.png)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/dist/${QORVEL_APP_ID}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/${QORVEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QORVEL_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# What Debian asks of every package's documentation: the licence in its machine-readable form
# and a changelog, compressed (a version without a Debian revision makes a native package,
# whose changelog is changelog.gz).
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
configure_file(${CMAKE_SOURCE_DIR}/dist/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <developers@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Two jointed figures walk over a textured height-map terrain under a sky box
whose clouds drift and whose moon moves. One follows the keyboard; the other
wanders by itself and reaches for the first. A large fire burns in the middle
and fireworks go up every ten seconds.
.
The scene is drawn with fixed-function OpenGL through freeglut. It can also
save its frames as PNG pictures, and with a fixed seed and time step it draws
the same frames on every run.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvel.org/)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_STRIP_FILES ON)
# Depends comes from the libraries the program links (dpkg-shlibdeps): freeglut, GLU, GL, libpng.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# EGL is opened only by --headless, so no library names it: it is recommended, not required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libegl1, libegl-mesa0")
include(CPack)
