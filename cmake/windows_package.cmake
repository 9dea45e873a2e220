# The zip for Windows users: street_names.exe, the tools to record a session
# with the simulator and replay it (insim_tap.exe, fake_lfs.exe), and a short
# text, nothing else (the library's headers and archives stay out of it).
install(TARGETS street_names insim_tap fake_lfs RUNTIME DESTINATION . COMPONENT program)
install(FILES ${PROJECT_SOURCE_DIR}/docs/windows/README.txt DESTINATION . COMPONENT program)

set(CPACK_PACKAGE_NAME street_names)
set(CPACK_GENERATOR ZIP)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program)
set(CPACK_ARCHIVE_PROGRAM_FILE_NAME street_names-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
