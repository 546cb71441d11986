# Each folder of src/ is one library (or one program), and its headers are included as
# "folder/file.h". The include directory a folder gives its target holds nothing but a link to
# that folder, so that a file sees the headers of its own folder and of the libraries its target
# links, and a header from a layer above or beside it does not compile.

# rk7_folder_headers(TARGET PUBLIC|PRIVATE): the headers of the current folder, for TARGET (and,
# when PUBLIC, for whatever links it).
function(rk7_folder_headers target scope)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(root ${PROJECT_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} ${scope} ${root})
endfunction()

# rk7_add_layer(TARGET SOURCES...): the static library of the current folder.
function(rk7_add_layer target)
    add_library(${target} STATIC ${ARGN})
    rk7_folder_headers(${target} PUBLIC)
endfunction()

# rk7_program(TARGET): a program of the package, built at the top of the build tree, where the
# scripts, the tests and a user who built it look for it.
function(rk7_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
endfunction()
