# Debian's default build flags with every hardening feature, as dpkg-buildflags
# gives them: stack protector, fortified functions, format checks, full RELRO
# and immediate binding. The build type keeps its own optimisation and debug
# levels, and the file prefix map is left out so that the compiler cache serves
# every checkout. Fortification needs optimisation, so an -O0 build goes
# without it.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(WARNING "dpkg-buildflags (package dpkg-dev) not found: building without Debian's hardening flags")
  return()
endif()

function(debian_build_flags kind out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O|g|ffile-prefix-map)")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

debian_build_flags(CPPFLAGS debian_cppflags)
debian_build_flags(CXXFLAGS debian_cxxflags)
debian_build_flags(LDFLAGS debian_ldflags)
add_compile_options(${debian_cxxflags})
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
string(REGEX MATCH "-O[1-9s]" optimised "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
if(optimised)
  add_compile_options(${debian_cppflags})
endif()
add_link_options(${debian_ldflags})
