# Warnings that every target of the project's own code compiles with.
function(tolkmaps_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Sources of a layer: every .cpp below the given folders, picked up as files
# are added so that a new class pair needs no edit here.
function(tolkmaps_collect_sources out_var)
    set(found "")
    foreach(dir ${ARGN})
        file(GLOB_RECURSE dir_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
        list(APPEND found ${dir_sources})
    endforeach()
    set(${out_var} ${found} PARENT_SCOPE)
endfunction()

# Every folder below `root` that holds a header, for the include path.
function(tolkmaps_header_dirs out_var root)
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${root}/*.h)
    set(dirs "")
    foreach(header ${headers})
        get_filename_component(dir ${header} DIRECTORY)
        list(APPEND dirs ${dir})
    endforeach()
    list(REMOVE_DUPLICATES dirs)
    set(${out_var} ${dirs} PARENT_SCOPE)
endfunction()
