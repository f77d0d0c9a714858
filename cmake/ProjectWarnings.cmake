# One warnings target shared by every library, program, test and benchmark;
# -Wshadow keeps parameters and locals from hiding members and outer names.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE -Wall -Wextra -Wshadow)
if(TESSARY_WERROR)
  target_compile_options(project_warnings INTERFACE -Werror)
endif()
