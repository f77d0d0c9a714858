# Window code lives beside the pure code of its subsystem: a file that defines Form1 members is named
# form1_*.cpp, a dialog dlog*.cpp, the simulation window form2*.cpp. Pure libraries leave them out;
# the window library collects them.
set(TESSARY_WINDOW_FILE_REGEX "/(form1_|form2|dlog)[^/]*\\.cpp$")

# tessary_pure_sources(VAR dir): the .cpp files of dir that are not window code.
function(tessary_pure_sources var dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "${TESSARY_WINDOW_FILE_REGEX}")
  set(${var} ${sources} PARENT_SCOPE)
endfunction()
