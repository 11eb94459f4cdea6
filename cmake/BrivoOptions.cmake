# One interface target carries the language level, the warnings and the
# strict Qt defines; every target of the project links it.
add_library(brivo_options INTERFACE)
target_compile_features(brivo_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(brivo_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
target_compile_definitions(brivo_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

option(BRIVO_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
if(BRIVO_WARNINGS_AS_ERRORS)
  target_compile_options(brivo_options INTERFACE -Werror)
endif()

set(BRIVO_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")
if(BRIVO_SANITIZE)
  target_compile_options(brivo_options INTERFACE -fsanitize=${BRIVO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(brivo_options INTERFACE -fsanitize=${BRIVO_SANITIZE})
endif()

if(BRIVO_BUILD_FUZZERS)
  # Coverage instrumentation for the code under fuzz; the fuzz targets link
  # the libFuzzer driver themselves.
  target_compile_options(brivo_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
