# One interface target that carries the project's warning flags; every
# target of the project links it.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE -Wall -Wextra)
if(TRAKVIST_WERROR)
  target_compile_options(project_warnings INTERFACE -Werror)
endif()
