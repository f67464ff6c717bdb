# Install rules, the man page and the Debian package.
install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QORVEL_IMAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/tour DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)

# The man page is made from --help and --version, which need no display.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/quorvel.1
    COMMAND ${HELP2MAN} --no-info --section=1
            --name=${PROJECT_DESCRIPTION}
            --output=${CMAKE_BINARY_DIR}/quorvel.1 $<TARGET_FILE:quorvel>
    DEPENDS quorvel
    COMMENT "Making the man page from --help"
    VERBATIM)
  add_custom_target(manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/quorvel.1)
  install(FILES ${CMAKE_BINARY_DIR}/quorvel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no man page")
endif()

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <quorvel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Depends comes from the libraries the program links (dpkg-shlibdeps): freeglut, GLU, GL, libpng.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
