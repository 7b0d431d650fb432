# The release archive for Windows users (cmake --workflow --preset windows-package): one folder
# holding quorin-dump.exe, the README, the example tables under examples\table\ (a start for the
# user's own table\) and an empty text\ for the scripts, so that the folder can be worked in.
install(TARGETS quorin-dump RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/table/table_dump.txt
              ${PROJECT_SOURCE_DIR}/examples/table/table_intro.txt
        DESTINATION examples/table)
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/text\")")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quorin-dump)
set(CPACK_PACKAGE_FILE_NAME quorin-dump-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
