# Windows build (MinGW-w64): the shipped Install.exe and the tests that run under Wine.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_compile_options(-ffunction-sections -fdata-sections)
# Everything inside the one executable: no libstdc++, libgcc, winpthread or zlib DLL beside it.
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
# Reproducible: the same tree gives the same bytes in any folder at any time (no source or build
# paths, no link time in the PE header), so a signed program can be checked against a rebuild.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
# The entries, and the C++ library's error reports that only the shipped programs replace (a
# test program's own library needs the originals).
list(FILTER WIN32_SOURCES EXCLUDE REGEX "/(winmain|uninstall_main|library_errors|zlib_crc)\\.cpp$")

add_library(core STATIC ${LOGIC_SOURCES} ${PLATFORM_SOURCES} ${WIN32_SOURCES})
target_include_directories(core PUBLIC ${PROJECT_SOURCE_DIR}/src)
# Only DLLs that Windows always takes from its system folder (KnownDLLs); anything else, such as
# comctl32, is loaded on demand from there (platform/win32/system_dlls.h). scripts/check-exe
# holds the shipped programs to this.
target_link_libraries(core PUBLIC z ole32 oleaut32 shell32 uuid gdi32 user32 advapi32 kernel32)

# The pictures are drawn at build time from their source, res/draw_art.py.
set(ART_DIR ${CMAKE_BINARY_DIR}/art)
set(ART_FILES ${ART_DIR}/pattern.bmp ${ART_DIR}/side.bmp ${ART_DIR}/icon_1.ico
  ${ART_DIR}/program.ico ${ART_DIR}/program.grp ${ART_DIR}/glyph_back.bmp
  ${ART_DIR}/glyph_next.bmp)
add_custom_command(OUTPUT ${ART_FILES}
  COMMAND python3 ${PROJECT_SOURCE_DIR}/res/draw_art.py ${ART_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/res/draw_art.py VERBATIM)

add_executable(Install WIN32 src/platform/win32/winmain.cpp src/platform/win32/library_errors.cpp
               src/platform/win32/zlib_crc.cpp res/Install.rc ${ART_FILES})
target_link_libraries(Install PRIVATE core)
target_link_options(Install PRIVATE -municode -s)
set(RC_INPUTS ${PROJECT_SOURCE_DIR}/res/Install.exe.manifest ${PROJECT_SOURCE_DIR}/res/art.rc
  ${ART_FILES})
set_source_files_properties(res/Install.rc PROPERTIES INCLUDE_DIRECTORIES ${ART_DIR}
  OBJECT_DEPENDS "${RC_INPUTS}")

# The package's uninstaller, built and checked like the installer.
add_executable(Uninstall WIN32 src/platform/win32/uninstall_main.cpp
               src/platform/win32/library_errors.cpp res/Uninstall.rc)
target_link_libraries(Uninstall PRIVATE core)
target_link_options(Uninstall PRIVATE -municode -s)
set_source_files_properties(res/Uninstall.rc PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/res/Install.exe.manifest;${ART_DIR}/program.ico"
  INCLUDE_DIRECTORIES ${ART_DIR})
target_sources(Uninstall PRIVATE ${ART_DIR}/program.ico)

add_subdirectory(samples)
if(EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

# Tests under Wine: one private prefix, Xvfb display and wineserver per build folder,
# started by a setup fixture and ended by a cleanup fixture. They are always registered:
# whether this machine can run them is decided on every run, by scripts/wine-session check.
set(WINE_SESSION ${PROJECT_SOURCE_DIR}/scripts/wine-session)

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp tests/contract/*.cpp)
# The pictures too, so that their loading is tested against the system's own.
add_executable(win_tests ${WIN_TEST_SOURCES} src/platform/headless/scripted_dialogs.cpp res/art.rc)
set_source_files_properties(res/art.rc PROPERTIES INCLUDE_DIRECTORIES ${ART_DIR}
  OBJECT_DEPENDS "${ART_FILES}")
target_link_libraries(win_tests PRIVATE core gtest_main)
target_include_directories(win_tests PRIVATE tests)
# A program with blanks in its path, for the process-start tests.
add_executable(probe_child WIN32 tests/win/probe/probe_child.cpp)
target_link_options(probe_child PRIVATE -municode)
set_target_properties(probe_child PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/probe dir")
add_dependencies(win_tests probe_child standins)
add_executable(meter_probe tests/win/probe/meter_probe.cpp)
target_link_libraries(meter_probe PRIVATE core)

# The real Install.exe driven through its windows, as a user drives it.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
add_executable(e2e_tests ${E2E_SOURCES})
target_link_libraries(e2e_tests PRIVATE gtest shlwapi)
target_link_options(e2e_tests PRIVATE -municode)
add_executable(component_probe WIN32 tests/e2e/probe/component_probe.cpp)
target_link_options(component_probe PRIVATE -municode)
# Loaded by the system into each program the tests start, to record every window it shows.
add_library(window_watch SHARED tests/e2e/probe/window_watch.cpp)
set_target_properties(window_watch PROPERTIES PREFIX "")
target_link_options(window_watch PRIVATE -Wl,--kill-at)
# Planted beside the installer under system DLLs' names: it leaves a marker wherever it is loaded.
add_library(planted_dll SHARED tests/e2e/probe/planted_dll.cpp)
set_target_properties(planted_dll PROPERTIES PREFIX "")
add_dependencies(e2e_tests Install Uninstall component_probe window_watch planted_dll standins)
# Not a test: pictures of every page for people to look at, made with the same driver.
add_executable(screenshots tools/screenshots.cpp tests/e2e/ui_driver.cpp tests/e2e/machine.cpp)
target_include_directories(screenshots PRIVATE tests/e2e)
target_link_libraries(screenshots PRIVATE gtest)
target_link_options(screenshots PRIVATE -municode)

add_test(NAME wine_start COMMAND ${WINE_SESSION} start ${CMAKE_BINARY_DIR})
add_test(NAME wine_stop COMMAND ${WINE_SESSION} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine LABELS wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine)

function(add_wine_test name)
  add_test(NAME ${name} COMMAND ${WINE_SESSION} run ${CMAKE_BINARY_DIR} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine LABELS wine TIMEOUT 600)
endfunction()
add_wine_test(win_tests $<TARGET_FILE:win_tests>)

# The real program masters the sample package; Python's zlib judges the media. The
# installation cases install from these media, so they do not run when mastering failed.
add_test(NAME mastering COMMAND ${PROJECT_SOURCE_DIR}/tests/win/master_medium.sh
         ${CMAKE_BINARY_DIR})
add_test(NAME silent_medium COMMAND ${PROJECT_SOURCE_DIR}/scripts/master-sample
         ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/medium-e2e)
set_tests_properties(mastering PROPERTIES FIXTURES_SETUP medium)
set_tests_properties(silent_medium PROPERTIES FIXTURES_SETUP silent_medium)
set_tests_properties(mastering silent_medium PROPERTIES FIXTURES_REQUIRED wine LABELS wine
                     TIMEOUT 600 RESOURCE_LOCK sample_package)

# Each end-to-end case is a test of its own, one process with its own time-out, so that a
# failure names its case and a slow one cannot take the others with it.
string(REPLACE "/" "\\" WINE_BINARY_DIR "Z:${CMAKE_BINARY_DIR}")
foreach(source ${E2E_SOURCES})
  file(STRINGS ${source} cases REGEX "^TEST(_F)?\\(")
  foreach(case ${cases})
    string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9]+), ([A-Za-z0-9]+)\\).*" "\\2.\\3" case "${case}")
    add_wine_test(${case} $<TARGET_FILE:e2e_tests> "${WINE_BINARY_DIR}\\Install.exe"
                  --gtest_filter=${case})
    set_tests_properties(${case} PROPERTIES TIMEOUT 300)
    if(case MATCHES "^InstallE2E\\.")
      set_property(TEST ${case} APPEND PROPERTY FIXTURES_REQUIRED medium)
    elseif(case MATCHES "^SilentE2E\\.")
      set_property(TEST ${case} APPEND PROPERTY FIXTURES_REQUIRED silent_medium)
    endif()
  endforeach()
endforeach()

# The whole-package installation is compared file by file with the sample package.
set(WHOLE_PACKAGE InstallE2E.WholePackageWithDefaultsThenFinishStartsTheProgramsAndNoPlantedDllLoads)
add_test(NAME installed_files COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/win/check_install.py
         ${CMAKE_BINARY_DIR}/sample ${CMAKE_BINARY_DIR}/wine/prefix "C:\\Testy\\Vortel PRO zażółć")
set_tests_properties(installed_files PROPERTIES DEPENDS ${WHOLE_PACKAGE}
                     FIXTURES_REQUIRED "wine;medium" LABELS wine)

add_test(NAME art COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/art/check_art.py
  ${PROJECT_SOURCE_DIR}/res/draw_art.py ${ART_DIR} $<TARGET_FILE:Install>)
set_tests_properties(art PROPERTIES LABELS native)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # The 16-bit resource query through the thunk, with the probe in Wine's Windows 98 mode.
  add_wine_test(meter_nt $<TARGET_FILE:meter_probe>)
  add_wine_test(meter_win98_mode reg add "HKCU\\Software\\Wine\\AppDefaults\\meter_probe.exe"
                /v Version /d win98 /f)
  add_wine_test(meter_older_family $<TARGET_FILE:meter_probe> --older)
  set_tests_properties(meter_win98_mode PROPERTIES DEPENDS meter_nt)
  set_tests_properties(meter_older_family PROPERTIES DEPENDS meter_win98_mode)
endif()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_test(NAME shipped_exe COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-exe
           $<TARGET_FILE:Install> $<TARGET_FILE:Uninstall>)
  set_tests_properties(shipped_exe PROPERTIES LABELS package)
  add_test(NAME reproducible_exe COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-reproducible
           $<TARGET_FILE:Install> $<TARGET_FILE:Uninstall>)
  # Signs copies with a throwaway certificate; masters and installs with them where Wine runs.
  add_test(NAME signed_exe COMMAND ${PROJECT_SOURCE_DIR}/tests/win/signed_exe.sh
           ${CMAKE_BINARY_DIR})
  set_tests_properties(reproducible_exe signed_exe PROPERTIES LABELS package TIMEOUT 600)
endif()
