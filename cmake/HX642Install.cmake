# What `cmake --install` puts where (GNUInstallDirs, so CMAKE_INSTALL_PREFIX
# and DESTDIR are respected), and the version the programs report.
#
#   bin/                                   hx642, hx642-cli, hx642-headsim
#   share/applications/                    the desktop menu entry
#   share/icons/hicolor/scalable/apps/     its icon
#   share/metainfo/                        AppStream metadata
#   share/mime/packages/                   the *.642 recording type
#   share/man/man1/                        the three manual pages, gzipped
#   share/doc/hx642/                       README.md, copyright
#
# hx642 finds hx642-headsim beside itself, so the two stay in one folder.
include(GNUInstallDirs)

# Desktop file, icon and metadata are named after this id.
set(HX642_APP_ID "com.corvane.hx642")
# The date of the release named by the project version, for the metadata.
set(HX642_RELEASE_DATE "2026-12-09")
set(HX642_PROGRAMS hx642 hx642-cli hx642-headsim)
set(HX642_DIST_DIR "${CMAKE_SOURCE_DIR}/dist")

# The one place the programs learn their version: the project version.
foreach(program IN LISTS HX642_PROGRAMS)
  if(NOT TARGET ${program})
    message(FATAL_ERROR "HX642Install: the program ${program} is not defined before this file is included")
  endif()
  target_compile_definitions(${program} PRIVATE HX642_VERSION="${PROJECT_VERSION}")
endforeach()
target_compile_definitions(hx642 PRIVATE HX642_DESKTOP_ID="${HX642_APP_ID}")

install(TARGETS ${HX642_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${HX642_DIST_DIR}/${HX642_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${HX642_DIST_DIR}/${HX642_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${HX642_DIST_DIR}/${HX642_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${HX642_APP_ID}.xml)

set(HX642_DIST_OUT "${CMAKE_BINARY_DIR}/dist")
configure_file(${HX642_DIST_DIR}/${HX642_APP_ID}.metainfo.xml.in
               ${HX642_DIST_OUT}/${HX642_APP_ID}.metainfo.xml @ONLY)
install(FILES ${HX642_DIST_OUT}/${HX642_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages: the version goes into the page footer, then gzip -9n (no
# name or time stamp, so the same page gives the same bytes).
find_program(HX642_GZIP gzip REQUIRED)
set(HX642_MAN_PAGES)
foreach(program IN LISTS HX642_PROGRAMS)
  set(page ${HX642_DIST_OUT}/man/${program}.1)
  configure_file(${HX642_DIST_DIR}/man/${program}.1 ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${HX642_GZIP} -9nkf ${page}
    DEPENDS ${page}
    COMMENT "Compressing the manual page ${program}.1"
    VERBATIM)
  list(APPEND HX642_MAN_PAGES ${page}.gz)
endforeach()
add_custom_target(hx642_man_pages ALL DEPENDS ${HX642_MAN_PAGES})
install(FILES ${HX642_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_SOURCE_DIR}/README.md ${HX642_DIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hx642)
