# Installs the library (versioned SONAME), its headers, the CMake package files and a pkg-config
# file, so that a host finds it with find_package(ZarvLinesParm CONFIG) and links
# ZarvLinesParm::ZarvLinesParm, or asks `pkg-config zarvlinesparm`.
include(CMakePackageConfigHelpers)

install(TARGETS ZarvLinesParm EXPORT ZarvLinesParmTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/ZarvLinesParm DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/ZarvLinesParm)
install(EXPORT ZarvLinesParmTargets NAMESPACE ZarvLinesParm:: DESTINATION ${config_dir})
configure_package_config_file(cmake/ZarvLinesParmConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/ZarvLinesParmConfig.cmake
  INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/ZarvLinesParmConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/ZarvLinesParmConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/ZarvLinesParmConfigVersion.cmake
  DESTINATION ${config_dir})

# pkg-config, for hosts built without CMake (C programs among them). The file finds its prefix
# from its own place, so it holds wherever `cmake --install --prefix` puts the tree.
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pcToPrefix /prefix/${pc_dir} /prefix)
string(REGEX REPLACE "/$" "" pcToPrefix "${pcToPrefix}")
configure_file(cmake/zarvlinesparm.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zarvlinesparm.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zarvlinesparm.pc DESTINATION ${pc_dir})

# The Python package (python/zarvlinesparm), beside the library, where it looks for it first
# after ZARVLINESPARM_LIBRARY: a host puts this folder on its Python path (see the README).
install(DIRECTORY python/zarvlinesparm DESTINATION ${CMAKE_INSTALL_LIBDIR}
  PATTERN __pycache__ EXCLUDE)
