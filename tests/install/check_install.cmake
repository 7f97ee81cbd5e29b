# Installs the build into a scratch prefix and checks that the programs, the
# desktop entry, the icons and the AppStream metainfo land where a Linux
# desktop looks for them.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/vortane bin/vortane-cli share/applications/vortane.desktop
             share/icons/hicolor/48x48/apps/vortane.png share/icons/hicolor/32x32/apps/vortane.png
             share/metainfo/org.example.vortane.metainfo.xml)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(STRINGS "${PREFIX}/share/applications/vortane.desktop" entry)
foreach(line "Exec=vortane %f" "MimeType=text/plain;message/rfc822;" "Icon=vortane")
  list(FIND entry "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(READ "${PREFIX}/share/metainfo/org.example.vortane.metainfo.xml" metainfo)
string(FIND "${metainfo}" "<launchable type=\"desktop-id\">vortane.desktop</launchable>" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the metainfo does not launch vortane.desktop")
endif()
file(REMOVE_RECURSE "${PREFIX}")
