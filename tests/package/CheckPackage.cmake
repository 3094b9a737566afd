# Builds the Debian package from the build folder BUILD_DIR into a temporary
# folder and checks that it holds the program's files under /usr, declares
# what the program needs at run time, and that its desktop entry and
# AppStream data pass their validators.
#
#   cmake -DBUILD_DIR=build -DAPP_ID=com.vantreo.Vantreo -P CheckPackage.cmake

cmake_minimum_required(VERSION 3.25)
set(problems "")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(output "${output}" PARENT_SCOPE)
  if(NOT result EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command} failed:\n${output}")
  endif()
endfunction()

execute_process(COMMAND mktemp -d OUTPUT_VARIABLE work OUTPUT_STRIP_TRAILING_WHITESPACE)
run(${CMAKE_CPACK_COMMAND} -G DEB -B ${work} --config ${BUILD_DIR}/CPackConfig.cmake)
file(GLOB package ${work}/vantreo_*.deb)
if(NOT package)
  message(FATAL_ERROR "cpack wrote no vantreo_*.deb:\n${output}")
endif()

run(dpkg-deb --contents ${package})
set(contents "${output}")
foreach(file
    usr/bin/vantreo
    usr/share/applications/${APP_ID}.desktop
    usr/share/mime/packages/${APP_ID}.xml
    usr/share/metainfo/${APP_ID}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    usr/share/icons/hicolor/48x48/apps/${APP_ID}.png
    usr/share/icons/hicolor/256x256/apps/${APP_ID}.png
    usr/share/vantreo/help/vantreo.qhc
    usr/share/vantreo/help/vantreo.qch
    usr/share/doc/vantreo/copyright)
  if(NOT contents MATCHES " \\./${file}\n")
    list(APPEND problems "missing file /${file}")
  endif()
endforeach()
string(REGEX MATCHALL " \\./usr/bin/[^\n]+" programs "${contents}")
if(NOT programs STREQUAL " ./usr/bin/vantreo")
  list(APPEND problems "/usr/bin should hold only the program: ${programs}")
endif()

run(dpkg-deb --field ${package} Depends)
foreach(dependency libc6 libqt6widgets6 libqt6printsupport6 libqt6svg6 assistant-qt6 libqt6sql6-sqlite)
  if(NOT output MATCHES "(^|, )${dependency}( |,|\n|$)")
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
