# Builds the Debian package from the build folder BUILD_DIR into a temporary
# folder and checks its files, its declared dependencies, and its desktop
# entry and AppStream data with their validators.
#   cmake -DBUILD_DIR=build -DAPP_ID=com.vantreo.Vantreo -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(failed)
    message(FATAL_ERROR "${ARGN} failed:\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND mktemp -d OUTPUT_VARIABLE work OUTPUT_STRIP_TRAILING_WHITESPACE)
run(${CMAKE_CPACK_COMMAND} -G DEB -B ${work} --config ${BUILD_DIR}/CPackConfig.cmake)
file(GLOB package ${work}/vantreo_*.deb)
run(dpkg-deb --contents ${package})
set(problems "")
foreach(file bin/vantreo share/applications/${APP_ID}.desktop share/mime/packages/${APP_ID}.xml
        share/metainfo/${APP_ID}.metainfo.xml share/icons/hicolor/scalable/apps/${APP_ID}.svg
        share/icons/hicolor/48x48/apps/${APP_ID}.png share/icons/hicolor/256x256/apps/${APP_ID}.png
        share/vantreo/help/vantreo.qhc share/vantreo/help/vantreo.qch share/doc/vantreo/copyright)
  if(NOT output MATCHES " \\./usr/${file}\n")
    list(APPEND problems "no /usr/${file}")
  endif()
endforeach()
run(dpkg-deb --field ${package} Depends)
foreach(dependency libc6 libqt6widgets6 qt6-qpa-plugins libqt6printsupport6 libqt6svg6 assistant-qt6 libqt6sql6-sqlite)
  if(NOT output MATCHES "(^|, )${dependency}[ ,\n]")
    list(APPEND problems "Depends lacks ${dependency}: ${output}")
  endif()
endforeach()
run(dpkg-deb --extract ${package} ${work}/root)
run(desktop-file-validate ${work}/root/usr/share/applications/${APP_ID}.desktop)
run(appstreamcli validate --no-net ${work}/root/usr/share/metainfo/${APP_ID}.metainfo.xml)
file(REMOVE_RECURSE ${work})
if(problems)
  list(JOIN problems "\n" problems)
  message(FATAL_ERROR "${problems}")
endif()
