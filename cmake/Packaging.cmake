# SPDX-License-Identifier: MIT
# Installation (cmake --install) and the Debian package (cpack -G DEB).
#
#   PREFIX/bin/lobeview, PREFIX/bin/lobeview-cli
#   PREFIX/share/lobeview/NSMAData/      the sample catalogue (the default data folder)
#   PREFIX/share/lobeview/masks/         the mask tables of the compliance check
#   PREFIX/share/applications/lobeview.desktop
#   PREFIX/share/mime/packages/lobeview-nsma-adf.xml
#   PREFIX/share/icons/hicolor/{48x48,256x256,scalable}/{apps,mimetypes}/...
#   PREFIX/share/metainfo/org.lobeview.lobeview.metainfo.xml   what software centres list
#   PREFIX/share/man/man1/lobeview.1.gz, lobeview-cli.1.gz
#   PREFIX/share/bash-completion/completions/lobeview-cli
#   PREFIX/share/doc/lobeview/{copyright,changelog.gz,README.md}
#
# An installed program finds its shipped files under share/lobeview and writes its own files
# (index, dump, default export folders) to the user's data folder (src/core/base/ProgramPaths).
include(GNUInstallDirs)

install(TARGETS lobeview lobeview-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(LOBEVIEW_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/lobeview)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/NSMAData DESTINATION ${LOBEVIEW_SHARE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/masks/fcc-101-115.csv
        DESTINATION ${LOBEVIEW_SHARE_DIR}/masks)

set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
set(icons ${PROJECT_SOURCE_DIR}/resources/icons)
install(FILES ${desktop}/lobeview.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/lobeview-nsma-adf.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
set(hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size 48x48 256x256)
  install(FILES ${icons}/MAINICON-${size}.png DESTINATION ${hicolor}/${size}/apps
          RENAME lobeview.png)
  install(FILES ${icons}/RPEICON-${size}.png DESTINATION ${hicolor}/${size}/mimetypes
          RENAME application-x-nsma-adf.png)
endforeach()
install(FILES ${icons}/MAINICON.svg DESTINATION ${hicolor}/scalable/apps RENAME lobeview.svg)
install(FILES ${icons}/RPEICON.svg DESTINATION ${hicolor}/scalable/mimetypes
        RENAME application-x-nsma-adf.svg)
install(FILES ${desktop}/org.lobeview.lobeview.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/completion/lobeview-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages and the changelog are installed compressed, as Debian has them: gzip -n keeps no
# name or time, so the package is the same from build to build.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(packed ${PROJECT_BINARY_DIR}/packed)
set(packed_files)
foreach(source docs/man/lobeview.1 docs/man/lobeview-cli.1 resources/package/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(
    OUTPUT ${packed}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packed}
    COMMAND ${GZIP_PROGRAM} -9n -c ${PROJECT_SOURCE_DIR}/${source} > ${packed}/${name}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND packed_files ${packed}/${name}.gz)
endforeach()
add_custom_target(packed_docs ALL DEPENDS ${packed_files})
install(FILES ${packed}/lobeview.1.gz ${packed}/lobeview-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(doc ${CMAKE_INSTALL_DATADIR}/doc/lobeview)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/resources/package/copyright
              ${packed}/changelog.gz
        DESTINATION ${doc})

# The Debian package. Debian's triggers of shared-mime-info, desktop-file-utils and the hicolor
# icon theme refresh their caches when the package is installed or removed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lobeview)
set(CPACK_PACKAGE_VENDOR Quelda)
set(CPACK_PACKAGE_CONTACT "Lobeview developers <developers@lobeview.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "view and export radiation pattern envelopes of antennas")
# The extended description, under the synopsis; lines stay within 80 columns.
string(JOIN "\n" description
  "Lobeview reads a maker's catalogue of microwave antenna pattern files"
  "(NSMA .adf) into an index that a radio link engineer narrows by frequency"
  "band, antenna type and model number. For the antenna chosen it draws the"
  "radiation pattern envelope chart with all co- and cross-polar cuts, and a"
  "data sheet; it prints both through CUPS and exports them as JPG, GIF, PDF,"
  "vector PDF, SVG or text, for licence filings and coordination reports."
  "."
  "It checks envelopes against the FCC 101.115 antenna standards and exports a"
  "whole catalogue at once. The batch tool lobeview-cli does the same from"
  "scripts.")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${description}")
set(CPACK_PACKAGE_DESCRIPTION "${description}")
# Stripped programs: the package carries no debugging sections.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# What the program loads or starts at run time: Qt 6, libjpeg-turbo, the CUPS client library, the
# PDF converter and the fonts its pages are laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libjpeg62-turbo, libcups2, htmldoc, fonts-liberation2")
# The desktop tools the per-user .adf registration runs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, desktop-file-utils, shared-mime-info")
include(CPack)
