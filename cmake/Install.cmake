# Installs the library, its headers and a CMake package configuration for
# find_package(buildingmodel CONFIG); included with BM_INSTALL. The headers
# keep the layout that hosts of the build tree see: include/ holds only
# buildingmodel/, with the public header and the headers of src/ in their
# folders beside it.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS buildingmodel EXPORT buildingmodelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY "${PROJECT_SOURCE_DIR}/src/"
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/buildingmodel
  FILES_MATCHING PATTERN "*.h")
install(FILES "${PROJECT_SOURCE_DIR}/include/buildingmodel/buildingmodel.h"
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/buildingmodel)
install(EXPORT buildingmodelTargets
  NAMESPACE buildingmodel::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/buildingmodel)
configure_package_config_file("${PROJECT_SOURCE_DIR}/cmake/buildingmodelConfig.cmake.in"
  "${PROJECT_BINARY_DIR}/buildingmodelConfig.cmake"
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/buildingmodel)
write_basic_package_version_file("${PROJECT_BINARY_DIR}/buildingmodelConfigVersion.cmake"
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/buildingmodelConfig.cmake"
  "${PROJECT_BINARY_DIR}/buildingmodelConfigVersion.cmake"
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/buildingmodel)
