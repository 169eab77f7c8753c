# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build when
# TRAKVIST_SANITIZE is on (the "asan" preset that CI uses).
if(TRAKVIST_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build (the "fuzz" preset, `make fuzz`): clang's coverage for
# libFuzzer in every library the targets link, with both sanitizers.
if(TRAKVIST_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TRAKVIST_FUZZ needs clang (the fuzz preset sets clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
