# Installs the build into DEST with the prefix /usr and checks that everything is
# where the programs, the desktop, systemd and udev look for it (fetch.conf in
# DEST/etc, beside DEST/usr).
file(REMOVE_RECURSE ${DEST})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${DEST}/usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  usr/bin/velmora-cli
  usr/share/velmora/help/index.html
  usr/share/velmora/help/help.css
  usr/share/velmora/help/graph-channels.html
  usr/share/applications/com.oskenby.VelmoraUSB.desktop
  usr/share/applications/com.oskenby.VelmoraGraph.desktop
  usr/share/metainfo/com.oskenby.VelmoraUSB.metainfo.xml
  usr/share/metainfo/com.oskenby.VelmoraGraph.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/com.oskenby.VelmoraUSB.svg
  usr/share/icons/hicolor/scalable/apps/com.oskenby.VelmoraGraph.svg
  usr/lib/udev/rules.d/70-velmora-loggers.rules
  usr/lib/systemd/system/velmora-fetch@.service
  usr/lib/systemd/user/velmora-fetch@.service
  usr/lib/sysusers.d/velmora.conf
  usr/libexec/velmora/velmora-fetch
  etc/velmora/fetch.conf
  usr/share/man/man1/velmora-cli.1.gz
  usr/share/bash-completion/completions/velmora-cli
  usr/share/doc/velmora/copyright
  usr/share/doc/velmora/changelog.gz
)
if(WITH_UTILITY)
  list(APPEND expected usr/bin/velmora-usb usr/share/man/man1/velmora-usb.1.gz)
endif()
# The viewer lies beside the utility, which starts it from its own folder.
if(WITH_VIEWER)
  list(APPEND expected usr/bin/velmora-graph usr/share/man/man1/velmora-graph.1.gz)
endif()
foreach(path ${expected})
  if(NOT EXISTS ${DEST}/${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()

file(READ ${DEST}/usr/share/applications/com.oskenby.VelmoraGraph.desktop viewer)
if(NOT viewer MATCHES "MimeType=text/plain;" OR NOT viewer MATCHES "Exec=velmora-graph %f")
  message(FATAL_ERROR "the viewer's desktop entry does not open download files")
endif()
# The release in the metainfo is the project's version.
foreach(app VelmoraUSB VelmoraGraph)
  file(READ ${DEST}/usr/share/metainfo/com.oskenby.${app}.metainfo.xml metainfo)
  if(NOT metainfo MATCHES "<release version=\"${VERSION}\"")
    message(FATAL_ERROR "the ${app} metainfo does not name release ${VERSION}")
  endif()
endforeach()
# The changelog's latest entry is this version's: a release is described before it
# is packaged.
execute_process(COMMAND gzip -dc ${DEST}/usr/share/doc/velmora/changelog.gz OUTPUT_VARIABLE changelog
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT changelog MATCHES "^velmora \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "the changelog's latest entry is not version ${VERSION}: write its entry in packaging/changelog")
endif()
file(REMOVE_RECURSE ${DEST})
