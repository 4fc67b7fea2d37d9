# Windows builds: the plug-in DLL (release: 32-bit; wintest: 64-bit), and in the
# test build the stand-in host and the Windows tests.

set(TVP_WIN_LIBS comctl32 comdlg32 shell32 gdi32 user32 ole32 uuid imm32)
set(TVP_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# The plug-in's exports: name and stdcall argument bytes.
set(TVP_EXPORTS
  APCGetPlugName:0 APCVersionInfo:4 APCStartUp:4 APCSetup:4 APCFolderInitMenu:12
  APCFolderCreate:4 APCFolderClose:4 APCRecFilter:4 APCFolderEndRetrieve:4)

# The host's exports that the plug-in binds (decorated names, as Almail.exe has them).
set(TVP_HOST_FUNCTIONS
  APARegistCallback:8 APASetTimer:12 APAKillTimer:4 APAGetMailbox:0 APAGetAccount:4
  APAImportFile:12 APAMoveMail:8 APAMarkMail:12 APADeleteMail:4 APAFolderGetCurrentFolder:4
  APAFolderGetCurrentEntry:4 APAFolderGetSelectEntry:8 APAFolderOpenMail:12 APASendGetText:8
  APASendGetHeader:4 APASendSetText:8 APASendSetHeader:8 APAViewGetText:4 APAViewGetHeader:4
  APAViewSetText:8 APAViewGetPath:4 APASjisToJis:12 APAJisToSjis:12)

# Writes a .def file. Plug-in exports are undecorated names of stdcall functions
# (decorated inside a 32-bit object file); host exports keep their decoration.
function(tvp_write_def file kind)
  set(text "EXPORTS\n")
  foreach(entry ${ARGN})
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 name)
    list(GET parts 1 bytes)
    if(kind STREQUAL "plugin")
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        string(APPEND text "  ${name} = ${name}@${bytes}\n")
      else()
        string(APPEND text "  ${name}\n")
      endif()
    elseif(kind STREQUAL "host")
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        string(APPEND text "  \"_${name}@${bytes}\" = Standin${name}@${bytes}\n")
      else()
        string(APPEND text "  \"_${name}@${bytes}\" = Standin${name}\n")
      endif()
    else()
      string(APPEND text "  ${name}\n")
    endif()
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()

# Resources (.rc, compiled by windres) go into the plug-in's objects, so that
# they also sit in each test program that links those objects.
enable_language(RC)
file(GLOB_RECURSE TVP_PLUGIN_SOURCES CONFIGURE_DEPENDS src/plugin/*.cpp src/plugin/*.rc)
add_library(tvpplugin OBJECT ${TVP_PLUGIN_SOURCES})
if(TVP_TEST_HOOKS)
  target_compile_definitions(tvpplugin PUBLIC TVP_TEST_HOOKS)
endif()

set(TVP_DLL_DEF ${CMAKE_BINARY_DIR}/tarvikp.def)
tvp_write_def(${TVP_DLL_DEF} plugin ${TVP_EXPORTS})
if(TVP_TEST_HOOKS)
  file(APPEND ${TVP_DLL_DEF} "  TvpTestUi\n")
endif()
add_library(tarvikp SHARED $<TARGET_OBJECTS:tvpplugin> ${TVP_DLL_DEF})
set_target_properties(tarvikp PROPERTIES PREFIX "" OUTPUT_NAME tarvikp)
target_link_libraries(tarvikp PRIVATE tvpcore ${TVP_WIN_LIBS})
target_link_options(tarvikp PRIVATE ${TVP_STATIC_RUNTIME} -Wl,--enable-stdcall-fixup)
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  target_link_options(tarvikp PRIVATE -s)
endif()

# ---- the stand-in host (both builds: the release one serves the 32-bit smoke run) ----
set(TVP_HOST_DEF ${CMAKE_BINARY_DIR}/almail.def)
tvp_write_def(${TVP_HOST_DEF} host ${TVP_HOST_FUNCTIONS})

file(GLOB TVP_STANDIN_SOURCES CONFIGURE_DEPENDS tools/standin-host/standin*.cpp)
add_library(tvpstandin OBJECT ${TVP_STANDIN_SOURCES})
target_link_libraries(tvpstandin PUBLIC tvpcore ${TVP_WIN_LIBS})
target_include_directories(tvpstandin PUBLIC ${CMAKE_SOURCE_DIR}/tools)

add_executable(almail WIN32 tools/standin-host/main.cpp)
set_target_properties(almail PROPERTIES OUTPUT_NAME Almail RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/host)
target_link_libraries(almail PRIVATE tvpstandin)
target_link_options(almail PRIVATE ${TVP_STATIC_RUNTIME} ${TVP_HOST_DEF})

# The same host lacking one function, for the binding failure (the tests have their own).
set(TVP_HOST_MISSING_DEF ${CMAKE_BINARY_DIR}/almail-missing.def)
set(TVP_HOST_MISSING ${TVP_HOST_FUNCTIONS})
list(REMOVE_ITEM TVP_HOST_MISSING APAViewGetPath:4)
tvp_write_def(${TVP_HOST_MISSING_DEF} host ${TVP_HOST_MISSING})
add_executable(almail_missing WIN32 tools/standin-host/main.cpp)
set_target_properties(almail_missing PROPERTIES OUTPUT_NAME Almail RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/host-missing)
target_link_libraries(almail_missing PRIVATE tvpstandin)
target_link_options(almail_missing PRIVATE ${TVP_STATIC_RUNTIME} ${TVP_HOST_MISSING_DEF})

if(NOT TVP_TEST_HOOKS)
  return()
endif()

# ---- Windows tests (64-bit, run under wine64) ----
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# (Executables take their .def file on the link line; CMake passes it only for DLLs.)
# The test programs are the host themselves: they are named Almail.exe and export
# the host functions, so the plug-in's LoadLibraryA("Almail.exe") binds to them.
file(GLOB TVP_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
add_executable(tvp_win_tests ${TVP_WIN_TESTS} $<TARGET_OBJECTS:tvpplugin>)
set_target_properties(tvp_win_tests PROPERTIES OUTPUT_NAME Almail RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
target_include_directories(tvp_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(tvp_win_tests PRIVATE tvpstandin gtest ${TVP_WIN_LIBS})
target_link_options(tvp_win_tests PRIVATE ${TVP_STATIC_RUNTIME} ${TVP_HOST_DEF})

# A host that lacks one function (almail-missing.def above): binding must fail as a whole.
file(GLOB TVP_WIN_MISSING_TESTS CONFIGURE_DEPENDS tests/win/missing/*.cpp)
add_executable(tvp_win_missing_tests ${TVP_WIN_MISSING_TESTS} $<TARGET_OBJECTS:tvpplugin>)
set_target_properties(tvp_win_missing_tests PROPERTIES OUTPUT_NAME Almail RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-missing)
target_include_directories(tvp_win_missing_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(tvp_win_missing_tests PRIVATE tvpstandin gtest gtest_main ${TVP_WIN_LIBS})
target_link_options(tvp_win_missing_tests PRIVATE ${TVP_STATIC_RUNTIME} ${TVP_HOST_MISSING_DEF})

# Small Windows helpers that tests run as child processes.
file(GLOB TVP_WIN_TOOLS CONFIGURE_DEPENDS tests/win/tools/*.cpp)
foreach(src ${TVP_WIN_TOOLS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_options(${name} PRIVATE ${TVP_STATIC_RUNTIME})
endforeach()

# The bridge to the real Namazu under Wine: a Windows launcher, copied as
# perl.exe and namazu.exe next to the Linux shim script it runs.
set(TVP_SHIM_DIR ${CMAKE_BINARY_DIR}/namazu-shim)
add_executable(namazu_launcher tests/namazu-shim/launcher.cpp)
set_target_properties(namazu_launcher PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TVP_SHIM_DIR} OUTPUT_NAME launcher)
target_link_options(namazu_launcher PRIVATE ${TVP_STATIC_RUNTIME})
add_custom_command(TARGET namazu_launcher POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:namazu_launcher> ${TVP_SHIM_DIR}/perl.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:namazu_launcher> ${TVP_SHIM_DIR}/namazu.exe)
add_custom_command(OUTPUT ${TVP_SHIM_DIR}/namazu-shim
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/tests/namazu-shim/namazu-shim ${TVP_SHIM_DIR}/namazu-shim
  DEPENDS ${CMAKE_SOURCE_DIR}/tests/namazu-shim/namazu-shim)
add_custom_target(namazu_shim ALL DEPENDS ${TVP_SHIM_DIR}/namazu-shim namazu_launcher)
add_dependencies(tvp_win_tests namazu_shim)

# Timings under Wine (scripts/bench): each bench/win/*.cpp is a program that prints its figures.
file(GLOB TVP_WIN_BENCHES CONFIGURE_DEPENDS bench/win/*.cpp)
foreach(src ${TVP_WIN_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} $<TARGET_OBJECTS:tvpplugin>)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE tvpcore ${TVP_WIN_LIBS} psapi)
  target_link_options(${name} PRIVATE ${TVP_STATIC_RUNTIME})
endforeach()

# Timings that need the host: the program plays it (host exports, named
# Almail.exe in a directory of its own), as the test program does.
file(GLOB TVP_WIN_HOST_BENCHES CONFIGURE_DEPENDS bench/win/host/*.cpp)
foreach(src ${TVP_WIN_HOST_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} $<TARGET_OBJECTS:tvpplugin>)
  set_target_properties(${name} PROPERTIES OUTPUT_NAME Almail RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/${name})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tools)
  target_link_libraries(${name} PRIVATE tvpstandin ${TVP_WIN_LIBS})
  target_link_options(${name} PRIVATE ${TVP_STATIC_RUNTIME} ${TVP_HOST_DEF})
endforeach()
