# vantreo_layer(NAME [USES LAYER...] [LIBS TARGET...]) makes the library
# vantreo_NAME of the sources in the folder NAME. Sources include headers as
# "folder/File.h"; each layer puts only its own folder on the include path
# (through a link in the build folder), so a folder sees itself and the layers
# it uses, directly or through them, and nothing above.
# Each QObject class's .cpp ends with #include "moc_<File>.cpp": its
# meta-object code then goes into that class's own object file. Left to
# itself, AUTOMOC compiles all moc output of a library into one object, and a
# program that uses one QObject of a layer would link every widget of it.
function(vantreo_layer name)
  cmake_parse_arguments(LAYER "" "" "USES;LIBS" ${ARGN})
  set(folder ${PROJECT_SOURCE_DIR}/${name})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  list(FILTER sources EXCLUDE REGEX "/(window_)?main\\.cpp$")
  add_library(vantreo_${name} STATIC ${sources})
  set(root ${PROJECT_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  target_include_directories(vantreo_${name} PUBLIC ${root})
  list(TRANSFORM LAYER_USES PREPEND vantreo_)
  target_link_libraries(vantreo_${name} PUBLIC ${LAYER_USES} ${LAYER_LIBS})
endfunction()
