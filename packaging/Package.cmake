# The .deb: `cpack -G DEB` in the build folder writes wabunko_<version>-<release>_<arch>.deb,
# made of the components "wabunko" and "deb" installed under /usr (the DEB generator's prefix),
# with the binaries stripped.
# Its dependencies are read from the shared libraries the binaries link (dpkg-shlibdeps).

# The package version is the newest entry of the Debian changelog, which must be that of the
# project: a new version needs a new entry.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^wabunko \\(([^-]+)-([^)]+)\\)")
  message(FATAL_ERROR "packaging/debian/changelog does not begin with an entry \"wabunko (VERSION-RELEASE)\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(WARNING "packaging/debian/changelog has no entry for version ${PROJECT_VERSION} yet")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

set(CPACK_GENERATOR DEB)
# Values reach CPack as written here (the ignore patterns hold backslashes).
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME wabunko)
set(CPACK_PACKAGE_VENDOR WabSoft)
set(CPACK_PACKAGE_CONTACT ${WABUNKO_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_DESCRIPTION [[
Wabunko edits Japanese plain text and rich text, each document in a window
of its own inside one main window. Plain-text files are read and written in
Shift-JIS, JIS (ISO-2022-JP) or EUC-JP, and the bodies of submitted web forms
can be read; rich-text (RTF) documents keep their fonts, colours and
paragraph formats. Documents can be shown in vertical writing.

The package also holds wabconv, a command-line converter between these
character codes.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${CMAKE_BINARY_DIR};${PROJECT_NAME};wabunko;/"
  "${CMAKE_BINARY_DIR};${PROJECT_NAME};deb;/")
set(CPACK_STRIP_FILES ON)
# Folders the package creates are 0755 whatever the umask of the one who builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${WABUNKO_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese text needs a CJK face; the editor maps the Japanese font names it stores to Noto CJK.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)

# `cpack --config CPackSourceConfig.cmake` packs the sources, not the build folders beside them.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/" "/\\.cache/")

include(CPack)
