# Instrumented builds, each in a build directory of its own (CMakePresets.json):
#   PRIZMORA_SANITIZE  AddressSanitizer + UndefinedBehaviorSanitizer on every target;
#                      the whole test suite runs under it.
#   PRIZMORA_FUZZ      clang only: the same sanitizers plus libFuzzer coverage, and
#                      the fuzz targets of fuzz/ (registered as ctest tests).
# Both abort on the first report, so a finding fails the test that caused it.

option(PRIZMORA_SANITIZE "Build everything with AddressSanitizer and UBSan" OFF)
option(PRIZMORA_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(NOT PRIZMORA_SANITIZE AND NOT PRIZMORA_FUZZ)
  return()
endif()

set(PRIZMORA_SANITIZER_FLAGS
  -fsanitize=address,undefined,float-divide-by-zero,float-cast-overflow
  -fno-sanitize-recover=all
  -fno-omit-frame-pointer)
if(PRIZMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PRIZMORA_FUZZ needs clang (configure with the 'fuzz' preset)")
  endif()
  list(APPEND PRIZMORA_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
  # The fuzz runs are ctest tests of the build root, also without the suite.
  enable_testing()
endif()
add_compile_options(${PRIZMORA_SANITIZER_FLAGS})
add_link_options(-fsanitize=address,undefined,float-divide-by-zero,float-cast-overflow)

# Default runtime options compiled into every executable, so a test run by
# hand reports the same way as under ctest; ASAN_OPTIONS and friends still
# override them.
add_library(prizmora_sanitizer_defaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/sanitizer_defaults.cpp)
target_compile_definitions(prizmora_sanitizer_defaults PRIVATE
  PRIZMORA_LSAN_SUPPRESSIONS="${CMAKE_CURRENT_LIST_DIR}/lsan.supp")
link_libraries(prizmora_sanitizer_defaults)
