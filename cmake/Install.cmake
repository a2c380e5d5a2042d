# What an installation holds, laid out as a host's install folder: the
# module, znsim and the host library side by side in bin/, the previous
# release's module under CommonProgramFiles/Orvane/ where the module looks
# for it, the headers under include/, and a package that other projects find
# with find_package(ZnSim200).
include(CMakePackageConfigHelpers)

set(ZNSIM_PACKAGE_DIR lib/cmake/ZnSim200)

# Installed binaries find each other where the installation puts them, not
# in the build tree.
set_target_properties(znsim ZnSim200 cadhost PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(ZnSim101 PROPERTIES INSTALL_RPATH "$ORIGIN/../../bin")

install(TARGETS cadhost ZnSim200 EXPORT ZnSim200Targets
        LIBRARY DESTINATION bin RUNTIME DESTINATION bin)
install(TARGETS znsim RUNTIME DESTINATION bin)
install(TARGETS ZnSim101 LIBRARY DESTINATION CommonProgramFiles/Orvane)

install(FILES ${ZNSIM_VEHICLES} DESTINATION vehicles)
install(FILES ${PROJECT_SOURCE_DIR}/ZnSim200.h DESTINATION include)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/host ${PROJECT_SOURCE_DIR}/model
                  ${PROJECT_SOURCE_DIR}/geometry ${PROJECT_SOURCE_DIR}/storage
        DESTINATION include FILES_MATCHING PATTERN "*.h")

install(EXPORT ZnSim200Targets NAMESPACE ZnSim200:: DESTINATION ${ZNSIM_PACKAGE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ZnSim200Config.cmake.in
                              ${PROJECT_BINARY_DIR}/ZnSim200Config.cmake
                              INSTALL_DESTINATION ${ZNSIM_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ZnSim200ConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ZnSim200Config.cmake
              ${PROJECT_BINARY_DIR}/ZnSim200ConfigVersion.cmake
        DESTINATION ${ZNSIM_PACKAGE_DIR})
