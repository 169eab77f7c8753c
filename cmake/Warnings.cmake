# One interface target that carries the project's warning flags; every
# target of the project links it.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE -Wall -Wextra)
# g++ 12 warns wrongly (-Wrestrict) inside libstdc++'s own std::string code
# for "text" + std::string(...) once optimised at -O3 (a Release build);
# g++ 13 no longer does. The project never calls memcpy-like functions on
# pointers of its own, so nothing real is lost for that compiler.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(project_warnings INTERFACE -Wno-restrict)
endif()
if(TRAKVIST_WERROR)
  target_compile_options(project_warnings INTERFACE -Werror)
endif()
