# The core tests of the Windows build, run under Wine here (CMAKE_CROSSCOMPILING_EMULATOR) and
# on Windows as they are: every test of what is the same code on both systems, and the tests of
# the Windows side of the seam. The tests of POSIX behaviour (permissions, links in shared
# folders, descriptors, child processes, resource limits) run on Linux only.
include(GoogleTest)

# Debian's googletest source, built for the target.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(velmora_test_support STATIC
    support/TempFolder.cpp
    support/TypicalRecord.cpp
)
target_include_directories(velmora_test_support PUBLIC support)
target_link_libraries(velmora_test_support PUBLIC velmora_core)

add_executable(velmora_core_tests
    model/HeldBlockTest.cpp
    model/RecordArraysTest.cpp
    model/SectionArrayTest.cpp
    model/TextTest.cpp
    catalog/CatalogReaderTest.cpp
    catalog/CatalogWriterBlockTest.cpp
    catalog/CodePage1250Test.cpp
    catalog/LineRulesTest.cpp
    catalog/Utf8TextTest.cpp
    catalog/windows/FileSystemWindowsTest.cpp
    operations/RecordCopyTest.cpp
    operations/RecordFindTest.cpp
    operations/RecordNumberTextTest.cpp
    store/basMainTest.cpp
    store/clsSlogTest.cpp
)
target_link_libraries(velmora_core_tests PRIVATE velmora_test_support GTest::gtest_main)
target_compile_definitions(velmora_core_tests PRIVATE VELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# A console program with the runtime beside it: Wine and Windows find the DLLs there.
target_link_options(velmora_core_tests PRIVATE -static-libgcc -static-libstdc++ -static)
gtest_discover_tests(velmora_core_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
# GCC 12 for MinGW warns falsely about std::string's inlined copy at -O2 (GCC bug 105651).
target_compile_options(velmora_core_tests PRIVATE -Wno-restrict)
