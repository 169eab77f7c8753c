# `cmake --install build --prefix DIR`: both programs and the files shipped
# beside them go into DIR/lib/trakvist, a folder of their own, so that the
# simulator list sees no unrelated programs. DIR/bin/Trakvist links to the
# front end, and a desktop entry with an icon puts it into the desktop's
# menu.
set(TRAKVIST_INSTALL_DIR lib/trakvist)

install(TARGETS schedule Trakvist RUNTIME DESTINATION ${TRAKVIST_INSTALL_DIR})
list(TRANSFORM TRAKVIST_DATA_FILES PREPEND ${PROJECT_SOURCE_DIR}/frontend/data/
     OUTPUT_VARIABLE TRAKVIST_DATA_PATHS)
install(FILES ${TRAKVIST_DATA_PATHS} DESTINATION ${TRAKVIST_INSTALL_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/frontend/data/trakvist.svg
        DESTINATION share/icons/hicolor/scalable/apps)

# The link and the desktop entry name the installed paths, known only when
# installing (--prefix); DESTDIR stages them for a package.
install(CODE "set(TRAKVIST_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/frontend/data/trakvist.desktop.in\")")
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${root}/bin")
  file(CREATE_LINK "../lib/trakvist/Trakvist" "${root}/bin/Trakvist" SYMBOLIC)
  message(STATUS "Installing: ${root}/bin/Trakvist")
  set(TRAKVIST_EXEC "${CMAKE_INSTALL_PREFIX}/bin/Trakvist")
  file(READ "${TRAKVIST_DESKTOP_TEMPLATE}" desktop)
  string(CONFIGURE "${desktop}" desktop @ONLY)
  file(WRITE "${root}/share/applications/trakvist.desktop" "${desktop}")
  message(STATUS "Installing: ${root}/share/applications/trakvist.desktop")
]])

# The manual pages of both programs.
install(FILES ${PROJECT_SOURCE_DIR}/doc/schedule.1 ${PROJECT_SOURCE_DIR}/doc/Trakvist.1
        DESTINATION share/man/man1)
