# Warnings, sanitizers and one-line test registration shared by every target.

add_library(quorel_warnings INTERFACE)
target_compile_options(quorel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                 -Wsign-conversion -Wold-style-cast)
# GCC 12 reports -Wrestrict inside std::string at -O3 where there is no overlap (a known false
# positive of that compiler), which would break optimised builds under -Werror.
target_compile_options(quorel_warnings INTERFACE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
if(QUOREL_WERROR)
    target_compile_options(quorel_warnings INTERFACE -Werror)
endif()

# Linking is most of a rebuild after a small change (every test links the libraries it tests), and
# lld links several times faster than the default linker.
if(QUOREL_LLD)
    find_program(QUOREL_LLD_PROGRAM ld.lld)
    if(QUOREL_LLD_PROGRAM)
        add_link_options(-fuse-ld=lld)
    endif()
endif()

if(QUOREL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
# ThreadSanitizer cannot be combined with the address sanitizer: a build of its own.
if(QUOREL_SANITIZE_THREAD)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# Directory with fixtures shared by the tests.
set(QUOREL_FIXTURES_DIR "${PROJECT_SOURCE_DIR}/tests/fixtures")
set(QUOREL_EXAMPLES_DIR "${PROJECT_SOURCE_DIR}/examples")

# quorel_add_gtest(name source... LIBS lib...): a GoogleTest executable registered with CTest.
function(quorel_add_gtest name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${ARG_LIBS}
                                          quorel_warnings)
    target_compile_definitions(${name} PRIVATE
        QUOREL_FIXTURES_DIR="${QUOREL_FIXTURES_DIR}"
        QUOREL_EXAMPLES_DIR="${QUOREL_EXAMPLES_DIR}"
        QUOREL_BINARY_DIR="${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# quorel_add_qttest(name source... LIBS lib...): a QtTest executable run offscreen.
function(quorel_add_qttest name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS} quorel_warnings)
    target_compile_definitions(${name} PRIVATE
        QUOREL_FIXTURES_DIR="${QUOREL_FIXTURES_DIR}"
        QUOREL_EXAMPLES_DIR="${QUOREL_EXAMPLES_DIR}"
        QUOREL_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

if(BUILD_TESTING)
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()
