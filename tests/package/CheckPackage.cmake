# Builds the Debian package from the build folder BUILD_DIR into a temporary
# folder and checks its files, its declared dependencies, its desktop entry
# and AppStream data with their validators, the whole package with lintian
# and both programs with hardening-check.
#   cmake -DBUILD_DIR=build -DAPP_ID=com.vantreo.Vantreo -DWINDOW_PROGRAM=libexec/vantreo/vantreo-window -P CheckPackage.cmake
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
foreach(file bin/vantreo ${WINDOW_PROGRAM} share/applications/${APP_ID}.desktop share/mime/packages/${APP_ID}.xml
        share/metainfo/${APP_ID}.metainfo.xml share/icons/hicolor/scalable/apps/${APP_ID}.svg
        share/icons/hicolor/48x48/apps/${APP_ID}.png share/icons/hicolor/256x256/apps/${APP_ID}.png
        share/vantreo/help/vantreo.qhc share/vantreo/help/vantreo.qch share/doc/vantreo/copyright
        share/doc/vantreo/changelog.gz share/man/man1/vantreo.1.gz)
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
run(dpkg-deb --field ${package} Version)
string(STRIP "${output}" version)
run(dpkg-parsechangelog -l ${work}/root/usr/share/doc/vantreo/changelog.gz -S Version)
if(NOT output STREQUAL "${version}\n")
  list(APPEND problems "the changelog's newest entry is ${output}, the package ${version}")
endif()
execute_process(COMMAND gzip -dc ${work}/root/usr/share/man/man1/vantreo.1.gz OUTPUT_VARIABLE manual)
if(NOT manual MATCHES "^\\.TH VANTREO 1 \"[^\"]+\" \"Vantreo ${version}\"")
  list(APPEND problems "the manual page does not name version ${version}")
endif()
run(lintian --fail-on error,warning --suppress-tags-from-file ${CMAKE_CURRENT_LIST_DIR}/lintian-notes ${package})
if(output MATCHES "[EW]: ")
  list(APPEND problems "lintian:\n${output}")
endif()
# Control-flow protection is not among Debian 12's hardening flags, and its C
# start-up files carry no IBT/SHSTK note, so no program linked there has one.
# Fortification is compiled into every optimised build (-D_FORTIFY_SOURCE=2,
# cmake/DebianBuildFlags.cmake), but hardening-check can only see it where
# glibc's checked functions (__read_chk, …) are called, which needs a buffer
# whose size the compiler knows; this program reads into heap buffers only, so
# that test would say "no" for any build and is left out.
set(skipped --nocfprotection --nofortify)
run(hardening-check ${skipped} ${work}/root/usr/bin/vantreo ${work}/root/usr/${WINDOW_PROGRAM})
file(REMOVE_RECURSE ${work})
if(problems)
  list(JOIN problems "\n" problems)
  message(FATAL_ERROR "${problems}")
endif()
