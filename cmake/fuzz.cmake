# Fuzzing build (clang and libFuzzer, VORTEL_FUZZ=ON; scripts/fuzz configures it in build/fuzz):
# the readers of untrusted input on the headless backend, under ASan and UBSan. Each
# fuzz/NAME_fuzz.cpp is one fuzzer, NAME_fuzz.
file(GLOB HEADLESS_SOURCES CONFIGURE_DEPENDS src/platform/headless/*.cpp)
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(core STATIC ${LOGIC_SOURCES} ${PLATFORM_SOURCES} ${HEADLESS_SOURCES})
target_include_directories(core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(core PUBLIC z)
target_compile_options(core PUBLIC -O1 -g ${SANITIZE} -fsanitize=fuzzer-no-link)
target_link_options(core PUBLIC ${SANITIZE})

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE core)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endforeach()
