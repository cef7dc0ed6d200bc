# The download: Sertavo-<version>.zip holding the PE32 exactly as built here
# (and tested), the readme for users, and SHA256SUMS of both. CPack makes it;
# scripts/release.sh runs CPack with the commit's time in SOURCE_DATE_EPOCH
# and TZ=UTC, so the zip is the same bytes for the same commit.
#
# CPack 3.25 sets every entry's times to SOURCE_DATE_EPOCH and its owner to
# 0, but the zip's DOS time fields are local time, hence TZ. It adds the files
# of a whole-tree install in the order the file system lists them, which
# differs between file systems; the files of a component are added sorted by
# name. Hence one component, packed alone in one zip at its root.
set(SERTAVO_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
add_custom_command(
  OUTPUT ${SERTAVO_RELEASE_DIR}/readme-zh.txt ${SERTAVO_RELEASE_DIR}/SHA256SUMS
  COMMAND ${CMAKE_COMMAND} -DREADME=${PROJECT_SOURCE_DIR}/docs/readme-zh.txt
          -DPROGRAM=$<TARGET_FILE:Sertavo> -DPROJECT_VERSION=${PROJECT_VERSION}
          -DOUT=${SERTAVO_RELEASE_DIR} -P ${CMAKE_CURRENT_LIST_DIR}/release-files.cmake
  DEPENDS Sertavo ${PROJECT_SOURCE_DIR}/docs/readme-zh.txt
          ${CMAKE_CURRENT_LIST_DIR}/release-files.cmake
  VERBATIM)
add_custom_target(release_files ALL
  DEPENDS ${SERTAVO_RELEASE_DIR}/readme-zh.txt ${SERTAVO_RELEASE_DIR}/SHA256SUMS)

# install() sets the modes itself (0755 for the program, 0644 for the rest),
# whatever the umask of the machine that builds.
install(TARGETS Sertavo RUNTIME DESTINATION . COMPONENT release)
install(FILES ${SERTAVO_RELEASE_DIR}/readme-zh.txt ${SERTAVO_RELEASE_DIR}/SHA256SUMS
        DESTINATION . COMPONENT release)
# Packing takes the files the build made and the tests ran; it never builds
# (CPack would otherwise build everything first, relinking a program changed
# since the tests ran).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Sertavo)
set(CPACK_PACKAGE_VENDOR Quillhaven)
set(CPACK_PACKAGE_FILE_NAME Sertavo-${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL release)
include(CPack)
