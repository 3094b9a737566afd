# Fails when the command-line program links a library of the window (Qt
# Widgets, Gui, PrintSupport, OpenGL, X, CUPS): a command would wait for the
# dynamic loader to bind them. The window program, which needs them, shows
# that the check recognises them.
#   cmake -DPROGRAM=build/vantreo -DWINDOW_PROGRAM=build/vantreo-window -P CheckWindowLibraries.cmake
cmake_minimum_required(VERSION 3.25)

set(window_libraries "Qt6Widgets|Qt6Gui|Qt6PrintSupport|Qt6OpenGL|libGL|libOpenGL|libEGL|libX11|libxcb|libcups")

function(needed_libraries program result)
  execute_process(COMMAND readelf -d ${program} RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(failed)
    message(FATAL_ERROR "readelf -d ${program} failed:\n${output}")
  endif()
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]\n]+\\]" lines "${output}")
  list(TRANSFORM lines REPLACE ".*\\[(.*)\\]" "\\1")
  set(${result} ${lines} PARENT_SCOPE)
endfunction()

needed_libraries(${WINDOW_PROGRAM} window_needs)
list(FILTER window_needs INCLUDE REGEX "${window_libraries}")
if(NOT window_needs MATCHES "Qt6Widgets")
  message(FATAL_ERROR "the window program ${WINDOW_PROGRAM} lists no Qt6Widgets: the check cannot see window libraries")
endif()

needed_libraries(${PROGRAM} needs)
if(NOT needs MATCHES "libQt6Core")
  message(FATAL_ERROR "${PROGRAM} lists no libQt6Core: ${needs}")
endif()
list(FILTER needs INCLUDE REGEX "${window_libraries}")
if(needs)
  message(FATAL_ERROR "${PROGRAM} links window libraries: ${needs}\n"
                      "Link it without them and read the undefined references to find what pulls them in.")
endif()
