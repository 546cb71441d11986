# Installs the build into a scratch root, as the package will lay it out, and checks the result.
# cmake -DBINARY_DIR=... -DSOURCE_DIR=... -DVERSION=... -DPRINTING_DIR=... -DROOT=... -P
# install_test.cmake (PRINTING_DIR: where the printing module installs, relative to the prefix)

foreach(var BINARY_DIR SOURCE_DIR VERSION PRINTING_DIR ROOT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE ${ROOT})
set(ENV{DESTDIR} ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix /usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(usr ${ROOT}/usr)
set(expected
    bin/rk7power
    bin/rk7power-render
    share/applications/rk7power.desktop
    share/mime/packages/rk7power.xml
    share/metainfo/io.github.rk7power.metainfo.xml
    share/icons/hicolor/48x48/apps/rk7power.png
    share/icons/hicolor/128x128/apps/rk7power.png
    share/icons/hicolor/256x256/apps/rk7power.png
    share/doc/rk7power/copyright
    share/doc/rk7power/changelog.gz
    share/man/man1/rk7power.1.gz
    share/man/man1/rk7power-cli.1.gz
    share/man/man1/rk7power-render.1.gz
    share/rk7power/translations/rk7power_de.qm
    # where rk7power looks for it, relative to itself
    ${PRINTING_DIR}/rk7power-printing.so)
foreach(path ${expected})
    if(NOT EXISTS ${usr}/${path})
        message(FATAL_ERROR "not installed: /usr/${path}")
    endif()
endforeach()

foreach(size 48 128 256)
    file(SHA256 ${SOURCE_DIR}/resources/icons/app-${size}.png want)
    file(SHA256 ${usr}/share/icons/hicolor/${size}x${size}/apps/rk7power.png got)
    if(NOT want STREQUAL got)
        message(FATAL_ERROR "the ${size}x${size} icon is not app-${size}.png")
    endif()
endforeach()

# Installed programs and the module find their libraries in the system's folders: no RPATH or
# RUNPATH.
file(GLOB programs ${usr}/bin/*)
foreach(program ${programs} ${usr}/${PRINTING_DIR}/rk7power-printing.so)
    execute_process(COMMAND readelf -d ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "readelf failed on ${program}")
    endif()
    if(dynamic MATCHES "R(UN)?PATH")
        message(FATAL_ERROR "${program} carries a library path:\n${dynamic}")
    endif()
endforeach()

# Every installed program answers --version with "name version" on its first line, and names
# its license.
set(ENV{QT_QPA_PLATFORM} offscreen)
foreach(program ${programs})
    get_filename_component(name ${program} NAME)
    execute_process(COMMAND ${program} --version OUTPUT_VARIABLE said RESULT_VARIABLE status
                    ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(REGEX REPLACE "\n.*" "" first "${said}")
    if(NOT status EQUAL 0 OR NOT first STREQUAL "${name} ${VERSION}")
        message(FATAL_ERROR "${name} --version: status ${status}, said '${said}'")
    endif()
    string(FIND "${said}" "\nLicense GPL-3.0-or-later: " at)
    if(at LESS 0)
        message(FATAL_ERROR "${name} --version names no license: '${said}'")
    endif()
endforeach()

# The desktop entry, the icon and the metainfo name one another and this version.
file(READ ${usr}/share/applications/rk7power.desktop desktop)
foreach(line "Icon=rk7power\n" "Name=RK7 Power\n")
    string(FIND "${desktop}" "${line}" at)
    if(at LESS 0)
        message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
endforeach()

# Started as the desktop entry starts it, the program keeps its roster in the user's own folder,
# which it makes; the working folder (here the root, as often from a desktop) gets nothing.
if(NOT desktop MATCHES "\nExec=rk7power ([^\n]*)\n")
    message(FATAL_ERROR "the desktop entry runs no rk7power")
endif()
separate_arguments(arguments UNIX_COMMAND "${CMAKE_MATCH_1}")
set(data ${ROOT}/xdg-data)
file(REMOVE_RECURSE ${data})
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${data}
                        XDG_CONFIG_HOME=${ROOT}/xdg-config RK7_EXIT_AFTER_FIRST_PAINT=1
                        ${usr}/bin/rk7power ${arguments}
                WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE said)
if(NOT status EQUAL 0 OR NOT IS_DIRECTORY ${data}/rk7power)
    message(FATAL_ERROR "rk7power ${arguments}: status ${status}, no ${data}/rk7power: ${said}")
endif()
file(READ ${usr}/share/metainfo/io.github.rk7power.metainfo.xml metainfo)
foreach(text "<id>io.github.rk7power</id>"
             "<launchable type=\"desktop-id\">rk7power.desktop</launchable>"
             "<release version=\"${VERSION}\"")
    string(FIND "${metainfo}" "${text}" at)
    if(at LESS 0)
        message(FATAL_ERROR "the metainfo lacks ${text}")
    endif()
endforeach()
foreach(name rk7power rk7power-render)
    string(FIND "${metainfo}" "<binary>${name}</binary>" at)
    if(at LESS 0)
        message(FATAL_ERROR "the metainfo does not list ${name}")
    endif()
endforeach()

# The copyright file is in Debian's machine-readable format and names the license.
file(READ ${usr}/share/doc/rk7power/copyright copyright)
foreach(text "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
             "\nFiles: *\n" "\nLicense: GPL-3+\n" "/usr/share/common-licenses/GPL-3")
    string(FIND "${copyright}" "${text}" at)
    if(at LESS 0)
        message(FATAL_ERROR "the copyright file lacks ${text}")
    endif()
endforeach()

function(gunzip path out)
    execute_process(COMMAND gzip -dc ${path} OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${path} is not gzip: ${status}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The changelog's newest entry is this version, and each of its notes is a <li> of the metainfo's
# newest release: both come from the one file of release notes.
gunzip(${usr}/share/doc/rk7power/changelog.gz changelog)
if(NOT changelog MATCHES "^rk7power \\(${VERSION}\\) unstable; urgency=medium\n")
    message(FATAL_ERROR "the changelog does not start with version ${VERSION}:\n${changelog}")
endif()
string(REGEX REPLACE "\n -- .*" "" newest "${changelog}")
string(REPLACE "\n    " " " newest "${newest}")
string(REGEX MATCHALL "\n  \\* [^\n]*" items "${newest}")
if(NOT items)
    message(FATAL_ERROR "the changelog's entry for ${VERSION} has no notes")
endif()
string(FIND "${metainfo}" "<release version=\"${VERSION}\"" start)
string(SUBSTRING "${metainfo}" ${start} -1 release)
string(REGEX REPLACE "</release>.*" "" release "${release}")
foreach(item IN LISTS items)
    string(REGEX REPLACE "^\n  \\* " "" note "${item}")
    string(REPLACE "&" "&amp;" note "${note}")
    string(REPLACE "<" "&lt;" note "${note}")
    string(REPLACE ">" "&gt;" note "${note}")
    string(FIND "${release}" "<li>${note}</li>" at)
    if(at LESS 0)
        message(FATAL_ERROR "the metainfo's release ${VERSION} lacks the note '${note}'")
    endif()
endforeach()

# Each manual page is help2man's page of the program's --help, with its hand-written sections.
foreach(name rk7power rk7power-cli rk7power-render)
    gunzip(${usr}/share/man/man1/${name}.1.gz page)
    string(TOUPPER ${name} upper)
    foreach(text ".TH ${upper} \"1\"" "help2man" ".SH NAME\n${name} \\- "
                 ".SH SYNOPSIS" "\\-\\-version" ".SH \"EXIT STATUS\"" ".SH FILES"
                 ".SH EXAMPLES" ".SH COPYRIGHT" "License GPL\\-3.0\\-or\\-later")
        string(FIND "${page}" "${text}" at)
        if(at LESS 0)
            message(FATAL_ERROR "the manual page of ${name} lacks ${text}")
        endif()
    endforeach()
endforeach()
