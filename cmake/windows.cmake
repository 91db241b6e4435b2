# Windows build: everything, cross-compiled; the tests run under Wine.

# Libraries only a window or a dialog needs are delay-imported: bound when one of their functions is
# first called, not at start. A Kalmo at rest then does not carry the common controls, the common
# dialogs (and under them the print spooler with, under Wine, its host printing and network
# libraries), COM, the sound library and the gradient painter. Every function of such a library
# goes through its delay-import library (cmake/DelayImport.cmake); nothing links the plain one.
set(DELAYED_DLLS comctl32 comdlg32 ole32 oleaut32 winmm msimg32)
set(WIN32_LIBS user32 gdi32 shell32 advapi32 version uuid shlwapi wtsapi32)
foreach(dll ${DELAYED_DLLS})
  find_library(IMPLIB_${dll} NAMES lib${dll}.a REQUIRED)
  set(out ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DIMPLIB=${IMPLIB_${dll}} -DDLL=${dll}
            -DOUT=${out} -P ${CMAKE_SOURCE_DIR}/cmake/DelayImport.cmake
    DEPENDS ${IMPLIB_${dll}} ${CMAKE_SOURCE_DIR}/cmake/DelayImport.cmake
    COMMENT "Delay-import library of ${dll}.dll")
  add_custom_target(delay_${dll}_file DEPENDS ${out})
  add_library(delay_${dll} INTERFACE)
  target_link_libraries(delay_${dll} INTERFACE ${out})
  add_dependencies(delay_${dll} delay_${dll}_file)
  list(APPEND WIN32_LIBS delay_${dll})
endforeach()
# The compiler's own default list names the plain import libraries of COM, the common dialogs and
# the spooler; without them here, a function missing from a delay-import library fails the link
# instead of quietly loading its library at start again.
set(CMAKE_C_STANDARD_LIBRARIES "-lkernel32 -luser32 -lgdi32 -lshell32 -luuid -ladvapi32")
set(CMAKE_CXX_STANDARD_LIBRARIES "${CMAKE_C_STANDARD_LIBRARIES}")

# Win32 side of the shared library: the real platform and the dialogs.
kalmo_library(common_win32 DIRS platform/win32 common/win32 LINK kalmo_common ${WIN32_LIBS})

# Hook.dll: the keyboard-hook library with its six stdcall calls.
file(GLOB HOOK_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/hook/*.cpp)
add_library(Hook SHARED ${HOOK_SRC} ${CMAKE_SOURCE_DIR}/hook/Hook.def ${CMAKE_SOURCE_DIR}/res/Hook.rc)
set_target_properties(Hook PROPERTIES PREFIX "" OUTPUT_NAME "Hook")
target_include_directories(Hook PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(Hook PRIVATE user32 kernel32)
target_link_options(Hook PRIVATE -Wl,--kill-at)

kalmo_library(kalmo_ui
  DIRS settings/win32 app/win32 worktime/win32 documents/win32 keyboard/win32 clipboard/win32 cleanup/win32 options/win32
  LINK kalmo_core common_win32 Hook)
kalmo_library(installer_ui DIRS installer/win32 LINK installer_core common_win32)

add_executable(Kalmo WIN32 ${CMAKE_SOURCE_DIR}/app/win32/KalmoMain.cpp ${CMAKE_SOURCE_DIR}/res/Kalmo.rc)
target_link_libraries(Kalmo PRIVATE kalmo_ui)
target_link_options(Kalmo PRIVATE -municode)
# The resident program's sections sit on page boundaries in the file too, so Wine maps its code
# from the file instead of reading the whole image into private memory (about 0.4 MB less at
# rest). Only Kalmo.exe and Hook.dll: Wine then reads pages of the file while the program runs,
# and the installer, which rewrites and removes program files, must not depend on its own file.
target_link_options(Kalmo PRIVATE -Wl,--file-alignment=4096)
target_link_options(Hook PRIVATE -Wl,--file-alignment=4096)

add_executable(Instaler WIN32 ${CMAKE_SOURCE_DIR}/installer/win32/InstalerMain.cpp ${CMAKE_SOURCE_DIR}/res/Instaler.rc)
target_link_libraries(Instaler PRIVATE installer_ui)
target_link_options(Instaler PRIVATE -municode)

# Tools: every tools/win32/<Name>Main.cpp becomes <Name>.exe (screenshots, measurements).
# The other tools/win32 sources (the screenshot scenes of every area) go into each tool as objects,
# so that their self-registering statics are never dropped by the linker.
file(GLOB TOOL_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/win32/*Main.cpp)
file(GLOB TOOL_SHARED_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/win32/*.cpp)
list(FILTER TOOL_SHARED_SRC EXCLUDE REGEX "Main\\.cpp$")
if(TOOL_SHARED_SRC)
  add_library(tool_shared OBJECT ${TOOL_SHARED_SRC})
  target_link_libraries(tool_shared PRIVATE kalmo_ui installer_ui platform_memory)
endif()
# The measuring tools stand alone: the minimal tray program is the baseline Kalmo's cost at rest is
# compared with, so it must load no more than a tray program needs, and the starter that times the
# tray icon needs nothing of ours either.
set(BARE_TOOLS PustyZasobnik CzasDoIkony)
set(TOOL_NAMES)
foreach(src ${TOOL_SRC})
  get_filename_component(name ${src} NAME_WE)
  string(REGEX REPLACE "Main$" "" name ${name})
  list(APPEND TOOL_NAMES ${name})
  add_executable(${name} ${src} ${CMAKE_SOURCE_DIR}/res/Tools.rc)
  if(name IN_LIST BARE_TOOLS)
    target_link_libraries(${name} PRIVATE user32 shell32)
    continue()
  endif()
  if(TOOL_SHARED_SRC)
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:tool_shared>)
  endif()
  target_link_libraries(${name} PRIVATE kalmo_ui installer_ui platform_memory)
endforeach()

# Windows tests (GoogleTest built for Windows), discovered and run under Wine by ctest.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
file(GLOB WIN_TEST_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TEST_SRC} ${CMAKE_SOURCE_DIR}/res/Tools.rc)
target_link_libraries(win_tests PRIVATE kalmo_ui installer_ui platform_memory GTest::gtest GTest::gmock)
# Test programs find Kalmo.exe, Instaler.exe and Hook.dll beside themselves.
add_dependencies(win_tests Kalmo Instaler Hook)
# Tests also drive the tools as child processes.
if(TOOL_NAMES)
  add_dependencies(win_tests ${TOOL_NAMES})
endif()
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 120)
# The break screen on a display of two monitors: a display and a prefix of its own.
add_test(NAME DwaMonitory.TheBreakScreenOpensOneBlackTopmostWindowPerMonitor
  COMMAND bash ${CMAKE_SOURCE_DIR}/tools/two-monitors.sh ${CMAKE_BINARY_DIR})
set_tests_properties(DwaMonitory.TheBreakScreenOpensOneBlackTopmostWindowPerMonitor PROPERTIES TIMEOUT 300)

# The installer's Windows tests install a file compressed for distribution the way distribution
# disks are made: with mscompress (SZDD), at build time, into fixtures/ beside win_tests.exe.
find_program(MSCOMPRESS mscompress REQUIRED)
set(szdd_text "")
foreach(i RANGE 199)
  math(EXPR k "${i} % 7")
  string(APPEND szdd_text "Linia ${k}: Licencja i Ograniczona Gwarancja programu.\r\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/fixtures/szdd.txt "${szdd_text}")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/fixtures/SZDD.TX_
  COMMAND ${CMAKE_COMMAND} -E copy szdd.txt szddwork.txt
  COMMAND ${MSCOMPRESS} szddwork.txt
  COMMAND ${CMAKE_COMMAND} -E rename szddwork.txt_ SZDD.TX_
  COMMAND ${CMAKE_COMMAND} -E remove szddwork.txt
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures
  DEPENDS ${CMAKE_BINARY_DIR}/fixtures/szdd.txt
  COMMENT "SZDD fixture for the installer tests")
add_custom_target(installer_fixtures DEPENDS ${CMAKE_BINARY_DIR}/fixtures/SZDD.TX_)
add_dependencies(win_tests installer_fixtures)

# The end-to-end installer tests install from a real distribution folder, made by the distribution
# script into dist/Kalmo beside win_tests.exe.
add_custom_target(dist_folder
  COMMAND bash ${CMAKE_SOURCE_DIR}/dist/make-dist.sh ${CMAKE_BINARY_DIR}/dist/Kalmo ${CMAKE_BINARY_DIR} >/dev/null
  DEPENDS Kalmo Instaler Hook
  COMMENT "Distribution folder for the installer tests")
add_dependencies(win_tests dist_folder)
