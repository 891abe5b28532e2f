# Installation (cmake --install) and the Debian package (cpack -G DEB).
#
#   PREFIX/bin/lobeview, PREFIX/bin/lobeview-cli
#   PREFIX/share/lobeview/NSMAData/      the sample catalogue (the default data folder)
#   PREFIX/share/lobeview/masks/         the mask tables of the compliance check
#   PREFIX/share/applications/lobeview.desktop
#   PREFIX/share/mime/packages/lobeview-nsma-adf.xml
#   PREFIX/share/icons/hicolor/{48x48,256x256,scalable}/{apps,mimetypes}/...
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
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lobeview)

# The Debian package. Debian's triggers of shared-mime-info, desktop-file-utils and the hicolor
# icon theme refresh their caches when the package is installed or removed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lobeview)
set(CPACK_PACKAGE_VENDOR Quelda)
set(CPACK_PACKAGE_CONTACT "Lobeview developers <lobeview@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Radiation pattern envelopes of microwave antennas")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Radiation pattern envelopes of microwave antennas\n Lobeview indexes a maker's catalogue of NSMA antenna data files (.adf), narrows\n it by band, type and model, and draws, prints and exports each antenna's\n radiation pattern envelope chart and data sheet.")
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
