# Installs the protocol client and the geometry as the CMake package `insim`,
# with the targets insim::insim and insim::geometry.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(insim_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/insim)

install(TARGETS insim geometry EXPORT insimTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES
    insim/format_time.h
    insim/insim_connection.h
    insim/records.h
    insim/socket_layer.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/insim)
install(FILES
    geometry/point.h
    geometry/polygon.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/geometry)
install(EXPORT insimTargets NAMESPACE insim:: DESTINATION ${insim_cmake_dir})

configure_package_config_file(cmake/insimConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/insimConfig.cmake
    INSTALL_DESTINATION ${insim_cmake_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/insimConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES
    ${CMAKE_CURRENT_BINARY_DIR}/insimConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/insimConfigVersion.cmake
    DESTINATION ${insim_cmake_dir})
