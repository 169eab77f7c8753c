# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build when
# TRAKVIST_SANITIZE is on (the "asan" preset that CI uses).
if(TRAKVIST_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
