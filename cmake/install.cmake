# Install rules: the three libraries, their headers, a CMake package (gui::gui brings gui::orbotk
# and gui::orboutil) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS orboutil orbotk gui EXPORT guiTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/gui include/orbotk include/orboutil
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(GUI_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/gui)
install(EXPORT guiTargets NAMESPACE gui:: DESTINATION ${GUI_CMAKE_DIR})
configure_package_config_file(cmake/gui-config.cmake.in
  ${PROJECT_BINARY_DIR}/gui-config.cmake INSTALL_DESTINATION ${GUI_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/gui-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/gui-config.cmake ${PROJECT_BINARY_DIR}/gui-config-version.cmake
  DESTINATION ${GUI_CMAKE_DIR})

# pkg-config: wxWidgets has no .pc file, so its flags are written in as wx-config gives them.
execute_process(COMMAND ${wxWidgets_CONFIG_EXECUTABLE} --cxxflags core,base,xrc
  OUTPUT_VARIABLE GUI_PC_WX_CFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${wxWidgets_CONFIG_EXECUTABLE} --libs core,base,xrc
  OUTPUT_VARIABLE GUI_PC_WX_LIBS OUTPUT_STRIP_TRAILING_WHITESPACE)
# The prefix is found from the .pc file's own place, so a staged or moved install still works.
file(RELATIVE_PATH GUI_PC_UP /x/${CMAKE_INSTALL_LIBDIR}/pkgconfig /x)
set(GUI_PC_PREFIX "\${pcfiledir}/${GUI_PC_UP}")
configure_file(cmake/gui-unicode.pc.in ${PROJECT_BINARY_DIR}/gui-unicode.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/gui-unicode.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
