# Flags for the project's own targets: fatal warnings, and GB2312 bytes for the Chinese
# string literals of UTF-8 sources.
function(project_target target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK)
    endif()
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    if(WIN32)
        target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT)
        # Static runtime: the exe and the tests need nothing but system DLLs.
        target_link_options(${target} PRIVATE -static)
    endif()
endfunction()

# Sanitizers for the host build of the platform-free code.
option(HOST_SANITIZERS "Build host targets with ASan and UBSan" OFF)
if(HOST_SANITIZERS AND NOT WIN32)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()
