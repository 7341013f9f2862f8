# The Windows side of the build: the skin, the player, and the tests that run under Wine.
enable_language(RC)

# The skin bitmaps and icon are drawn by a small program built for the build machine.
find_program(HOST_CXX NAMES g++ c++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(SKIN_DIR ${CMAKE_BINARY_DIR}/skin)
set(SKIN_FILES ${SKIN_DIR}/buttons.bmp ${SKIN_DIR}/panel.bmp ${SKIN_DIR}/borders.bmp ${SKIN_DIR}/scrollbar.bmp
    ${SKIN_DIR}/caption.bmp ${SKIN_DIR}/seekbar.bmp ${SKIN_DIR}/app.ico)
add_custom_command(
    OUTPUT ${SKIN_DIR}/skin_gen
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SKIN_DIR}
    COMMAND ${HOST_CXX} -std=c++17 -O1 -o ${SKIN_DIR}/skin_gen ${CMAKE_SOURCE_DIR}/src/resources/skin_gen.cpp
    DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/skin_gen.cpp
    COMMENT "Building the skin generator")
add_custom_command(
    OUTPUT ${SKIN_FILES}
    COMMAND ${SKIN_DIR}/skin_gen ${SKIN_DIR}
    DEPENDS ${SKIN_DIR}/skin_gen
    COMMENT "Drawing the skin")
add_custom_target(skin DEPENDS ${SKIN_FILES})

set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/src/resources/ZonPlayer.rc)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS
    "${SKIN_FILES};${CMAKE_SOURCE_DIR}/src/resources/ZonPlayer.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${SKIN_DIR} -I ${CMAKE_SOURCE_DIR}/src")

set(WIN_LIBS strmiids ole32 oleaut32 uuid winmm comdlg32 shell32 gdi32 user32 kernel32)

# The first paint needs only user32, gdi32 and kernel32: the player's other DLLs (and the ones they
# pull in, such as winspool behind comdlg32) load when a function of theirs is first called; Media
# Foundation's only for a file DirectShow cannot split.
set(DELAYED_DLLS comdlg32 shell32 winmm ole32 oleaut32 mfplat mfreadwrite)
set(DELAYED_LIBS)
if(MSVC)
    foreach(dll ${DELAYED_DLLS})
        list(APPEND DELAYED_LIBS ${dll})
        list(APPEND DELAYED_OPTIONS /DELAYLOAD:${dll}.dll)
    endforeach()
    list(APPEND DELAYED_LIBS delayimp)
else()
    find_program(MINGW_NM NAMES ${TOOLCHAIN_PREFIX}-nm REQUIRED)
    find_program(MINGW_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)
    foreach(dll ${DELAYED_DLLS})
        find_library(${dll}_IMPORT NAMES ${dll} REQUIRED)
        set(delayed ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
        add_custom_command(
            OUTPUT ${delayed}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
            COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/delaylib.sh ${MINGW_NM} ${MINGW_DLLTOOL} ${${dll}_IMPORT} ${dll}.dll
                    ${delayed}
            DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delaylib.sh
            COMMENT "Delay-import library for ${dll}.dll")
        list(APPEND DELAYED_LIBS ${delayed})
    endforeach()
    add_custom_target(delayed_imports DEPENDS ${DELAYED_LIBS})
endif()

# The program's own DirectShow source filters and their base, which the tests' misbehaving source
# links too.
file(GLOB SOURCE_FILTER_SOURCES CONFIGURE_DEPENDS src/source/*.cpp)
add_library(zonsource STATIC ${SOURCE_FILTER_SOURCES})
target_include_directories(zonsource PUBLIC src)
target_compile_definitions(zonsource PUBLIC UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(zonsource PUBLIC zoncore mfplat mfreadwrite mfuuid strmiids ole32 uuid)

file(GLOB APP_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp src/flash/*.cpp src/app/*.cpp src/engine/*.cpp src/playlist/*.cpp src/skin/*.cpp)
list(REMOVE_ITEM APP_SOURCES ${CMAKE_SOURCE_DIR}/src/app/entry.cpp)
add_library(zonapp STATIC ${APP_SOURCES})
target_include_directories(zonapp PUBLIC src)
target_compile_definitions(zonapp PUBLIC UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(zonapp PUBLIC zoncore zonsource ${WIN_LIBS})

add_executable(ZonPlayer WIN32 src/app/entry.cpp ${RESOURCE_SCRIPT})
# The delayed libraries come straight after the code that calls them (the program's and its source
# filters'), so that they bind its calls before the plain import libraries that zonapp brings do.
target_link_libraries(ZonPlayer PRIVATE zonapp zonsource ${DELAYED_LIBS})
if(MSVC)
    target_link_options(ZonPlayer PRIVATE ${DELAYED_OPTIONS})
else()
    target_link_options(ZonPlayer PRIVATE -municode)
    add_dependencies(ZonPlayer delayed_imports)
    # The loader reads every section the image lists, and the debug information is 15 times the
    # code: it moves to ZonPlayer.exe.debug beside the program, which debuggers find by its link.
    find_program(MINGW_OBJCOPY NAMES ${TOOLCHAIN_PREFIX}-objcopy REQUIRED)
    add_custom_command(
        TARGET ZonPlayer POST_BUILD
        COMMAND ${MINGW_OBJCOPY} --only-keep-debug $<TARGET_FILE:ZonPlayer> $<TARGET_FILE:ZonPlayer>.debug
        COMMAND ${MINGW_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:ZonPlayer>.debug
                $<TARGET_FILE:ZonPlayer>)
endif()

file(GLOB WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp tests/common/*.cpp)
add_executable(win_tests ${WIN_TESTS} ${RESOURCE_SCRIPT})
target_link_libraries(win_tests PRIVATE zonapp gtest)

file(GLOB E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp tests/common/*.cpp)
add_executable(e2e_tests ${E2E_TESTS})
target_include_directories(e2e_tests PRIVATE src)
target_compile_definitions(e2e_tests PRIVATE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(e2e_tests PRIVATE gtest_main ${WIN_LIBS})

# The DVD builder and navigator and the Flash control the tests register in their prefix (Wine has
# stubs for the first and nothing for the second), and a source filter that fails on purpose.
foreach(standin dvd_standin flash_standin misbehaving_source)
    add_library(${standin} SHARED tests/standins/${standin}.cpp tests/standins/${standin}.def)
    set_target_properties(${standin} PROPERTIES PREFIX "")
    target_include_directories(${standin} PRIVATE src)
    target_compile_definitions(${standin} PRIVATE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
    target_link_libraries(${standin} PRIVATE strmiids ole32 oleaut32 uuid gdi32 user32 advapi32 kernel32)
    target_link_options(${standin} PRIVATE -static -static-libgcc -static-libstdc++)
    add_dependencies(e2e_tests ${standin})
    add_dependencies(win_tests ${standin})
endforeach()
target_link_libraries(misbehaving_source PRIVATE zonsource)

add_executable(playlist_bench bench/playlist_bench.cpp)
target_link_libraries(playlist_bench PRIVATE zonapp)
# The baselines the player is measured against, and the program that starts and drives them.
foreach(baseline bare_window bare_player)
    add_executable(${baseline} WIN32 bench/${baseline}.cpp)
    target_compile_definitions(${baseline} PRIVATE UNICODE _UNICODE)
    target_link_options(${baseline} PRIVATE -municode)
endforeach()
target_link_libraries(bare_player PRIVATE strmiids ole32 shell32)
add_executable(startup_bench bench/startup_bench.cpp tests/common/test_files.cpp)
target_compile_definitions(startup_bench PRIVATE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(startup_bench PRIVATE psapi ntdll user32 gdi32)

# The long run: the player looping a list while its resources are sampled (`make soak`).
add_executable(soak_tests tests/soak/soak_test.cpp tests/e2e/player.cpp tests/common/test_files.cpp)
target_include_directories(soak_tests PRIVATE src)
target_compile_definitions(soak_tests PRIVATE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(soak_tests PRIVATE gtest_main psapi ntdll strmiids ${WIN_LIBS})
