# Build options shared by every target of the project, attached per target through
# the interface library quantrel_options (no directory-wide flags).
option(QUANTREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(quantrel_options INTERFACE)
target_compile_features(quantrel_options INTERFACE cxx_std_20)
target_compile_options(quantrel_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall -Wextra -Wpedantic>
  $<$<CXX_COMPILER_ID:MSVC>:/W4>)

if(QUANTREL_SANITIZE)
  target_compile_options(quantrel_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quantrel_options INTERFACE -fsanitize=address,undefined)
endif()
