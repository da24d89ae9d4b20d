# Installation: headers, the shared library, a CMake package and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS kstypes EXPORT kstypesTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/ services/ kscore/inc/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kstypes
  FILES_MATCHING PATTERN "*.h")
install(EXPORT kstypesTargets NAMESPACE kstypes:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kstypes)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/kstypesConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/kstypesConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kstypes)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/kstypesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kstypesConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/kstypesConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kstypes)

# The pkg-config file finds the prefix relative to itself, so the tree can be
# installed under any prefix (cmake --install --prefix).
file(RELATIVE_PATH KSTYPES_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(${CMAKE_CURRENT_LIST_DIR}/kstypes.pc.in ${CMAKE_CURRENT_BINARY_DIR}/kstypes.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kstypes.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
