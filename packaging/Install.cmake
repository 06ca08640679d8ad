# Installing and packaging: the game, its launcher, its icons (MAINICON at 48 pixels,
# the larger ones painted by tools/painter), the software-centre entry, the manual page,
# the changelog and the copyright file. `cpack` makes a .deb of the same.
#
# Where the program goes is decided when installing, from the prefix: below /usr and
# /usr/local it goes to games/, where Debian puts games (both are on Debian's PATH);
# below any other prefix (~/.local, /opt/orvanta) to bin/. ORVANTA_INSTALL_GAMES=ON or
# OFF forces one of the two. The launcher's Exec names the installed program by its
# full path, so it starts whether or not that folder is on the desktop's PATH.
include(GNUInstallDirs)
set(ORVANTA_APP_ID org.orvanta.Orvanta)
set(ORVANTA_INSTALL_GAMES AUTO CACHE STRING "Install the program to games/ (ON), bin/ (OFF), or by the prefix (AUTO)")
set_property(CACHE ORVANTA_INSTALL_GAMES PROPERTY STRINGS AUTO ON OFF)
set(ORVANTA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/orvanta)

# ---- the manual page and the changelog, compressed as Debian ships them ------------
# The page is dated by the changelog's newest entry, so that a rebuild makes the same
# bytes; gzip -n leaves out the name and time stamp for the same reason.
find_program(SCDOC scdoc REQUIRED)
find_program(DPKG_PARSECHANGELOG dpkg-parsechangelog REQUIRED)
set(ORVANTA_CHANGELOG ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog)
set(ORVANTA_MANPAGE ${CMAKE_CURRENT_BINARY_DIR}/packaging/orvanta.6.gz)
set(ORVANTA_CHANGELOG_GZ ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
# Ninja makes an output's folder itself, Make does not.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${ORVANTA_MANPAGE}
  COMMAND sh -c "SOURCE_DATE_EPOCH=$(${DPKG_PARSECHANGELOG} -l \"$1\" -STimestamp) ${SCDOC} <\"$2\" | gzip -9n >\"$3\"" sh
          ${ORVANTA_CHANGELOG} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/orvanta.6.scd ${ORVANTA_MANPAGE}
  DEPENDS packaging/orvanta.6.scd ${ORVANTA_CHANGELOG}
  COMMENT "Manual page orvanta(6)" VERBATIM)
add_custom_command(OUTPUT ${ORVANTA_CHANGELOG_GZ}
  COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" sh ${ORVANTA_CHANGELOG} ${ORVANTA_CHANGELOG_GZ}
  DEPENDS ${ORVANTA_CHANGELOG} VERBATIM)
add_custom_target(orvanta_docs ALL DEPENDS ${ORVANTA_MANPAGE} ${ORVANTA_CHANGELOG_GZ})

# ---- the layout, chosen at install time ---------------------------------------------
install(CODE "set(ORVANTA_INSTALL_GAMES \"${ORVANTA_INSTALL_GAMES}\")")
install(CODE [[
  if(ORVANTA_INSTALL_GAMES STREQUAL "AUTO")
    if(CMAKE_INSTALL_PREFIX MATCHES "^/usr(/local)?/*$")
      set(ORVANTA_BINDIR games)
    else()
      set(ORVANTA_BINDIR bin)
    endif()
  elseif(ORVANTA_INSTALL_GAMES)
    set(ORVANTA_BINDIR games)
  else()
    set(ORVANTA_BINDIR bin)
  endif()
]])
install(TARGETS orvanta RUNTIME DESTINATION "\${ORVANTA_BINDIR}")
# A stripped install (the package's) also drops the compiler's notes, as Debian's
# own strip does.
install(CODE "set(ORVANTA_STRIP \"${CMAKE_STRIP}\")")
install(CODE [[
  if(CMAKE_INSTALL_DO_STRIP AND ORVANTA_STRIP)
    execute_process(COMMAND "${ORVANTA_STRIP}" --remove-section=.comment --remove-section=.note
      "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${ORVANTA_BINDIR}/orvanta" COMMAND_ERROR_IS_FATAL ANY)
  endif()
]])

# The launcher: the file in packaging/ with Exec set to the installed program. A path
# with blanks or shell characters is quoted and escaped as desktop entries require.
install(CODE "set(ORVANTA_DESKTOP_SOURCE \"${CMAKE_CURRENT_SOURCE_DIR}/packaging/${ORVANTA_APP_ID}.desktop\")
  set(ORVANTA_DESKTOP_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")")
install(CODE [[
  set(program "${CMAKE_INSTALL_PREFIX}/${ORVANTA_BINDIR}/orvanta")
  if(program MATCHES "[\n\r]")
    message(FATAL_ERROR "A launcher cannot name a program whose path holds a line break: ${program}")
  endif()
  set(exec "${program}")
  if(exec MATCHES "[^A-Za-z0-9/._+,:@=-]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    foreach(c "\"" "`" "$")
      string(REPLACE "${c}" "\\${c}" exec "${exec}")
    endforeach()
    set(exec "\"${exec}\"")
    string(REPLACE "\\" "\\\\" exec "${exec}")  # the string escape of the whole value
  endif()
  string(REPLACE "%" "%%" exec "${exec}")
  file(READ "${ORVANTA_DESKTOP_SOURCE}" entry)
  string(REGEX REPLACE "(^|\n)Exec=orvanta(\n|$)" "\\1Exec=<exec>\\2" entry "${entry}")
  if(NOT entry MATCHES "\nExec=<exec>\n")
    message(FATAL_ERROR "${ORVANTA_DESKTOP_SOURCE} has no line Exec=orvanta")
  endif()
  string(REPLACE "<exec>" "${exec}" entry "${entry}")
  get_filename_component(name "${ORVANTA_DESKTOP_SOURCE}" NAME)
  set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${ORVANTA_DESKTOP_DIR}/${name}")
  message(STATUS "Installing: ${target}")
  file(WRITE "${target}" "${entry}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
]])

install(FILES packaging/${ORVANTA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES assets/app/mainicon.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME ${ORVANTA_APP_ID}.png)
install(DIRECTORY packaging/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${ORVANTA_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${ORVANTA_CHANGELOG_GZ} packaging/copyright
  DESTINATION ${ORVANTA_DOCDIR})

# ---- the Debian package ---------------------------------------------------------------
# Its build dependencies, as Debian names them: cmake, ninja-build (or make), g++,
# pkg-config, qt6-base-dev, qt6-base-private-dev, libgl-dev, qt6-tools-dev and
# qt6-l10n-tools (Qt's translation tools: lrelease compiles the readers' catalogues into
# the program), libjpeg-dev, libgif-dev, libwayland-dev, scdoc and dpkg-dev.
# scripts/deps.sh installs them, with what the tests need.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "The Orvanta developers")
set(CPACK_PACKAGE_CONTACT "The Orvanta developers <dev@orvanta.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "three-card betting game against three computer players")
set(CPACK_PACKAGE_DESCRIPTION "Orvanta is a four-seat card table for one player: you bet on three-card\n hands against Jack, Jim and Kate, with play chips, offline.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# files 0644 and programs 0755 whatever the umask of the build
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# the libraries come from dpkg-shlibdeps with their least versions; the fonts are
# loaded by family name at run time, so no linker sees them; Qt's private interface
# (the Wayland connection) holds only for the Qt release built against. The sounds need
# no library: the program speaks to the desktop's sound server itself.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-noto-cjk, qt6-base-abi (= ${Qt6Core_VERSION})")
# Qt's Wayland plugin: without it Qt runs the game through XWayland
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
