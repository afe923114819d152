# Host build: the portable core's platform stand-ins, the book tools and the
# native tests.
target_sources(lumora_core PRIVATE
    calendar/today_posix.cpp
    lessons/decompression_report_host.cpp
    shell/out_of_memory_host.cpp
    page/device_ops_host.cpp
)

if(LUMORA_FUZZ)
    # The fuzzing build holds only the fuzzers, and the packer's library
    # that one of them drives.
    add_subdirectory(tools)
    add_subdirectory(tests/fuzz)
    return()
endif()
add_subdirectory(tools)
add_subdirectory(tools/art)
add_subdirectory(tests/native)
