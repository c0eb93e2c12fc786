# The Debian package, made by CPack's DEB generator from the project's own install rules
# (scripts/package.sh configures it with the prefix /usr and the program in games/). Debian's
# copyright and changelog join the install; the package depends on the libraries dpkg-shlibdeps
# finds in the program and on the run-time list in data/runtime-packages.
set(debian ${CMAKE_CURRENT_LIST_DIR})

# The package's version is the newest changelog entry's, which must be one of this version.
file(STRINGS ${debian}/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^popadaika \\((${PROJECT_VERSION}-[0-9a-z.+~]+)\\) ")
    message(FATAL_ERROR "data/debian/changelog: the newest entry is not one of ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_VERSION ${CMAKE_MATCH_1})

set(doc ${CMAKE_INSTALL_DATADIR}/doc/popadaika)
popadaika_gzip(${debian}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${debian}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz DESTINATION ${doc})
install(FILES ${debian}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME popadaika)

file(STRINGS ${PROJECT_SOURCE_DIR}/data/runtime-packages runtime REGEX "^[a-z0-9]")
list(JOIN runtime ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Native Wayland: Qt's Wayland platform plugin; without it Qt uses XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME popadaika)
set(CPACK_PACKAGE_CONTACT "Попадайка developers <popadaika@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reaction game: hit the targets before they fill the window")
set(CPACK_PACKAGE_DESCRIPTION "Popadaika (Попадайка) is a reaction game in one window. Targets pop
up ever faster; click them before all ten are on screen at once. Five levels,
a score for hits, accuracy and time, and a table of the ten best results.
The game speaks Russian.")
include(CPack)
