# The Debian packages, made by `cpack -G DEB` from a build folder (scripts/package.sh). Each
# package is one install component: an install rule names its package's component, and
# astorine_debian_package below gives the component its name and control fields, with the
# copyright file and changelog.Debian.gz Debian asks of every package. Dependencies on shared
# libraries come from the binaries (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME astorine)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Astorine developers")
set(CPACK_PACKAGE_CONTACT "The Astorine developers <developers@astorine.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The staging folders are 755 whatever the umask of the build.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PackageFolderModes.cmake)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://astorine.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-deb's own compression, as Debian's archive has it.
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# The files every package carries in /usr/share/doc/PACKAGE. The changelog is compressed without
# a name or a time in it, so two builds give the same bytes.
set(debian_doc ${CMAKE_BINARY_DIR}/dist/debian)
add_custom_command(OUTPUT ${debian_doc}/changelog.Debian.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${debian_doc}
  COMMAND gzip -9n < ${CMAKE_SOURCE_DIR}/dist/debian/changelog > ${debian_doc}/changelog.Debian.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/dist/debian/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(astorine_debian_changelog ALL DEPENDS ${debian_doc}/changelog.Debian.gz)

set(CPACK_COMPONENTS_ALL)
# astorine_debian_package(COMPONENT PACKAGE SECTION DESCRIPTION [RECOMMENDS])
# DESCRIPTION's first line is the synopsis, the others the long description.
macro(astorine_debian_package component package section description)
  string(TOUPPER ${component} upper)
  list(APPEND CPACK_COMPONENTS_ALL ${component})
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
  set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION ${section})
  set(CPACK_DEBIAN_${upper}_DESCRIPTION "${description}")
  set(CPACK_DEBIAN_${upper}_PACKAGE_RECOMMENDS "${ARGN}")
  # Only in packages: a plain install leaves Debian's files out.
  install(FILES ${CMAKE_SOURCE_DIR}/dist/debian/copyright ${debian_doc}/changelog.Debian.gz
          DESTINATION share/doc/${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/debian/lintian-overrides DESTINATION share/lintian/overrides
          RENAME ${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
endmacro()

astorine_debian_package(game astorine games
  "real-time puzzle game of falling planets in a turning well
Planets fall in pairs into a well; three or more of one colour in a line
across, down or diagonally vanish, and the planets above them fall into the
gaps, which may set off a chain. As you play, the well turns a quarter at a
time and mirrors itself, while the keys keep acting in the well's own
directions.
.
Solo play, two players at one keyboard or with gamepads, a match against the
computer, and online matches. In Japanese and English."
  fonts-ipafont-gothic)

astorine_debian_package(lobby astorine-lobby net
  "lobby server for Astorine's online matches by room code
The lobby lets two players of the game Astorine meet by a short room code,
whatever routers stand between them: it hands out the codes, tells the two
players each other's addresses so that they can open a direct path through
their routers, and relays the match when no direct path opens.
.
The package installs a systemd service, neither enabled nor started.")
# The service is made known to systemd, stopped before removal and forgotten at the purge.
set(CPACK_DEBIAN_LOBBY_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/dist/debian/astorine-lobby/postinst
    ${CMAKE_SOURCE_DIR}/dist/debian/astorine-lobby/prerm
    ${CMAKE_SOURCE_DIR}/dist/debian/astorine-lobby/postrm)

include(CPack)
