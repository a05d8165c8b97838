# The Debian package (scripts/package.sh runs CPack with this configuration):
# codeorchardist_<version>_<arch>.deb with both programs and their desktop files.

# The copyright notice and the changelog Debian packages carry in /usr/share/doc.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/codeorchardist)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${PROJECT_BINARY_DIR}/debian/copyright COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/debian/changelog > ${PROJECT_BINARY_DIR}/debian/changelog.gz
  DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${doc_dir})

# Run-time packages the binaries' libraries do not name (QML modules, plugins, the icon font,
# git): the runtime_packages list of scripts/install-deps.sh, the one place they are listed.
file(READ ${PROJECT_SOURCE_DIR}/scripts/install-deps.sh deps_script)
if(NOT deps_script MATCHES "runtime_packages=\\(([^)]*)\\)")
  message(FATAL_ERROR "scripts/install-deps.sh has no runtime_packages=( ... ) list")
endif()
string(REGEX REPLACE "#[^\n]*" "" runtime_text "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "[a-z0-9][a-z0-9.+-]+" CODEORCHARDIST_RUNTIME_PACKAGES "${runtime_text}")
list(JOIN CODEORCHARDIST_RUNTIME_PACKAGES ", " runtime_depends)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_arch
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME codeorchardist)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Codeorchardist maintainers <maintainers@users.noreply.c-seed-19e6c49c.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see which software projects lie under a folder and their state")
set(CPACK_PACKAGE_DESCRIPTION
  "Codeorchardist walks a folder, recognises the software projects in it\n"
  "(Node.js, React Native, Next.js, Java/Maven, Python, Swift and plain git\n"
  "repositories) and shows each one's name, version, branch, remotes,\n"
  "uncommitted changes and last commit as cards, a list, a folder tree or a\n"
  "mindmap. codeorchardist-scan prints the same scan on the command line.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL ${CODEORCHARDIST_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(deb_arch)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${deb_arch})
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${runtime_depends}")
# Opening folders and terminals goes through the desktop's tools; software GL where no driver is.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libgl1-mesa-dri, fonts-dejavu-core")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
