# Helpers shared by the subsystem folders.

# card_library(NAME FOLDER <dir> [LIBS ...])
# A library made of every .cpp/.h/.ui in one folder (not recursive).
function(card_library name)
    cmake_parse_arguments(ARG "" "FOLDER" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${ARG_FOLDER}/*.cpp ${ARG_FOLDER}/*.h ${ARG_FOLDER}/*.ui ${ARG_FOLDER}/*.qrc)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# card_test(NAME FOLDER <dir> LIBS ...)
# One GoogleTest program per subsystem made of every .cpp in the folder, run
# with the offscreen Qt platform; each test case is its own ctest entry.
function(card_test name)
    cmake_parse_arguments(ARG "" "FOLDER" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${ARG_FOLDER}/*.cpp ${ARG_FOLDER}/*.h)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE test_common ${ARG_LIBS})
    target_compile_definitions(${name} PRIVATE
        CARD_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        CARD_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        CARD_BINARY_DIR="${CMAKE_BINARY_DIR}")
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
