# Warnings, sanitizers and static linking shared by every target.
add_library(tovane_options INTERFACE)
target_compile_options(tovane_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
if(WIN32)
  target_compile_definitions(tovane_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 POCO_STATIC)
  # One self-contained executable: no libstdc++, libgcc or winpthread DLLs beside it.
  target_link_options(tovane_options INTERFACE -static -static-libgcc -static-libstdc++)
  # The same commit builds to the same bytes wherever it is built: no link
  # time in the image, and no path of the checkout or the build folder in
  # what __FILE__ or debug records carry.
  target_link_options(tovane_options INTERFACE -Wl,--no-insert-timestamp)
  target_compile_options(tovane_options INTERFACE
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
endif()
if(TOVANE_SANITIZE)
  target_compile_options(tovane_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(tovane_options INTERFACE -fsanitize=address,undefined)
endif()

# With fuzzing on, all code carries coverage instrumentation so the fuzz
# targets see inside the libraries; tovane_fuzz_flags links a fuzz target.
add_library(tovane_fuzz_flags INTERFACE)
if(TOVANE_FUZZ)
  target_compile_options(tovane_options INTERFACE -fsanitize=fuzzer-no-link)
  target_link_options(tovane_fuzz_flags INTERFACE -fsanitize=fuzzer)
endif()

# ThreadSanitizer for the threaded code (its own configuration, "tsan").
if(TOVANE_TSAN)
  target_compile_options(tovane_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(tovane_options INTERFACE -fsanitize=thread)
endif()
