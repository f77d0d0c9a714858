# One warnings target shared by every library, program, test and benchmark.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE -Wall -Wextra)
if(TESSARY_WERROR)
  target_compile_options(project_warnings INTERFACE -Werror)
endif()
