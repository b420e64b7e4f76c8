# AddressSanitizer + UndefinedBehaviorSanitizer for the native test preset.
# Applied globally so that the code under test and the tests agree on layout.
if(QUILLANT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
