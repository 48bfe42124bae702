# Build options of the project's own targets. Every target calls quantrel_target(),
# which sets its language level, warnings and sanitizers privately: nothing leaks to
# the targets that link it, and no directory-wide flags exist.
option(QUANTREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUANTREL_WARNINGS_AS_ERRORS "Treat compiler warnings in our code as errors" OFF)

# quantrel_target(<target> [QT]): QT runs Qt's moc on the target; other targets never
# get it, whatever qt_standard_project_setup() turned on.
function(quantrel_target target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "QT" "" "")
  target_compile_features(${target} PRIVATE cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF AUTOMOC ${ARG_QT} AUTOUIC OFF)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
      $<$<BOOL:${QUANTREL_WARNINGS_AS_ERRORS}>:-Werror>)
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${QUANTREL_WARNINGS_AS_ERRORS}>:/WX>)
  endif()
  if(QUANTREL_FUZZ)
    # Coverage for libFuzzer in every target; only the fuzz programs link its main.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  elseif(QUANTREL_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
