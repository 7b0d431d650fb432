# Sanitizer and fuzzing flags for every target of the build.
#
# QUORIN_SANITIZE: AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer; the first
# report ends the process with a failure.
# QUORIN_FUZZ: also adds libFuzzer's coverage instrumentation so that the fuzz targets in
# tests/fuzz see into the tool's code. It needs clang and always sanitizes.
if(QUORIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUORIN_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(QUORIN_SANITIZE ON)
endif()

if(QUORIN_SANITIZE)
  set(quorin_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${quorin_sanitizers} -fno-omit-frame-pointer)
  add_link_options(${quorin_sanitizers})
endif()

if(QUORIN_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
