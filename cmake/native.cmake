# Native build: the logic on the headless backend, for fast unit tests and benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB HEADLESS_SOURCES CONFIGURE_DEPENDS src/platform/headless/*.cpp)
# The platform contract runs here on the headless backend, in the Wine tests on the Win32 one.
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp tests/contract/*.cpp)
set(CORE_SOURCES ${LOGIC_SOURCES} ${PLATFORM_SOURCES} ${HEADLESS_SOURCES})

function(add_core name)
  add_library(${name} STATIC ${CORE_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC z)
endfunction()

add_core(core)
target_compile_options(core PRIVATE -O2)

add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE core GTest::gtest_main)
# Where the package manifest's test finds packaging/.
set(UNIT_TEST_DEFINITIONS VORTEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_compile_definitions(unit_tests PRIVATE ${UNIT_TEST_DEFINITIONS})
target_include_directories(unit_tests PRIVATE tests)
gtest_discover_tests(unit_tests PROPERTIES LABELS native DISCOVERY_TIMEOUT 60)

# The same tests once more with every object built under ASan and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_core(core_sanitized)
target_compile_options(core_sanitized PUBLIC -O1 -g ${SANITIZE})
target_link_options(core_sanitized PUBLIC ${SANITIZE})
add_executable(unit_tests_sanitized ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests_sanitized PRIVATE core_sanitized GTest::gtest_main)
target_compile_definitions(unit_tests_sanitized PRIVATE ${UNIT_TEST_DEFINITIONS})
target_include_directories(unit_tests_sanitized PRIVATE tests)
add_test(NAME unit_tests_sanitized COMMAND unit_tests_sanitized)
set_tests_properties(unit_tests_sanitized PROPERTIES LABELS native)

if(EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

# The layers' include directions and the one home of the Windows headers.
add_test(NAME include_layers COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-includes)
set_tests_properties(include_layers PROPERTIES LABELS native)

# The package manager's manifests, read as it reads them.
add_test(NAME winget_manifests COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/packaging/check_manifests.py
         ${PROJECT_SOURCE_DIR}/packaging/winget)
set_tests_properties(winget_manifests PROPERTIES LABELS native)
