# The Debian package ostrev (`cpack -G DEB` in a build tree; scripts/build-deb does it all):
# everything `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrev)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "identifies music recordings in a catalogue from noisy text")
set(CPACK_PACKAGE_DESCRIPTION
    "The lookup server ostrevd and its unit, the clients ostrevc, ostrev-album and ostrev-batch,
the importer ostrev-import, the library libmatch with its headers, pkg-config and CMake
files, the man pages and the catalogue's schema files.")
# /usr/bin is on the path systemd searches for the unit's bare ExecStart=ostrevd.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The debug information stays in the build tree.
set(CPACK_STRIP_FILES ON)

set(OSTREV_DEB_MAINTAINER "ostrev maintainers <ostrev@localhost>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${OSTREV_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The shared libraries the programs and libmatch load (MariaDB's client library, GLib,
# Boost.Regex, libcsv, ...) come from dpkg-shlibdeps; adduser creates the unit's group.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser")
# The catalogue lives in a MariaDB database, usually on the same machine.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "mariadb-server")
# Building against libmatch: ostrev.pc requires libmariadb and glib-2.0.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mariadb-client, pkg-config, libmariadb-dev, libglib2.0-dev")
# libmatch.so.1 gets a shlibs entry; with maintainer scripts of our own, CPack writes no
# ldconfig call, so the triggers file asks for it.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/deb/postinst
    ${PROJECT_SOURCE_DIR}/packaging/deb/prerm
    ${PROJECT_SOURCE_DIR}/packaging/deb/postrm
    ${PROJECT_SOURCE_DIR}/packaging/deb/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
