# The progress frames as the executable carries them: of each frame's four images only the
# two that Windows ever picks for it. A frame shows in the tray only, at the small-icon size
# of the DPI: 16 pixels at 96 DPI takes the 16 x 16 image, and every larger size (20, 24, 32
# and more at 120, 144, 192 DPI) is scaled from 16 x 16 or from the 32 x 32 image of the
# screen's colour depth, which is 32 bits wherever Windows or Wine runs today. The 8-bit and
# 24-bit 32 x 32 images would be picked on a screen of 256 or 16 million colours only. The
# main icon keeps all four: it is also the program file's icon, which the shell shows at any
# size and depth.
include_guard(GLOBAL)

# Little-endian 16-bit words of HEX (two hex digits a byte, an even number of bytes) in the
# resource compiler's notation, sixteen to a line.
function(taktomat_rc_words out hex)
    string(REGEX REPLACE "(..)(..)" "0x\\2\\1, " words "${hex}")
    string(REPEAT "0x...., " 16 line)
    string(REGEX REPLACE "(${line})" "\\1\n" words "${words}")
    set(${out} "${words}" PARENT_SCOPE)
endfunction()

# The number in HEX at BYTE (little-endian, SIZE bytes).
function(taktomat_ico_number out hex byte size)
    set(value 0)
    math(EXPR last "${size} - 1")
    foreach(index RANGE ${last} 0 -1)
        math(EXPR at "(${byte} + ${index}) * 2")
        string(SUBSTRING "${hex}" ${at} 2 digits)
        math(EXPR value "${value} * 256 + 0x${digits}")
    endforeach()
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# Writes OUTPUT, a resource script with an icon group for each frame file given after it
# (frame k is resource IDI_FRAMEk of resource_ids.h), holding its images of 16 x 16 pixels
# and of 32 x 32 pixels at 32 bits. The images take the numbers from 1000 up, clear of those
# the compiler gives the images of the icons it reads from files.
function(taktomat_frame_icons output)
    set(script "/* Generated from the progress frames' icon files; see cmake/frame_icons.cmake. */\n")
    set(image_id 1000)
    set(frame 1)
    foreach(file IN LISTS ARGN)
        file(READ "${file}" hex HEX)
        taktomat_ico_number(count "${hex}" 4 2)
        set(group "")
        set(kept 0)
        math(EXPR last "${count} - 1")
        foreach(entry RANGE 0 ${last})
            math(EXPR at "6 + ${entry} * 16")
            taktomat_ico_number(width "${hex}" ${at} 1)
            math(EXPR bits_at "${at} + 6")
            taktomat_ico_number(bits "${hex}" ${bits_at} 2)
            if(NOT ((width EQUAL 16) OR (width EQUAL 32 AND bits EQUAL 32)))
                continue()
            endif()
            math(EXPR size_at "${at} + 8")
            taktomat_ico_number(size "${hex}" ${size_at} 4)
            math(EXPR offset_at "${at} + 12")
            taktomat_ico_number(offset "${hex}" ${offset_at} 4)
            # The directory entry without the image's place in the file, then its number.
            math(EXPR entry_start "${at} * 2")
            string(SUBSTRING "${hex}" ${entry_start} 24 directory)
            math(EXPR image_start "${offset} * 2")
            math(EXPR image_length "${size} * 2")
            string(SUBSTRING "${hex}" ${image_start} ${image_length} image)
            taktomat_rc_words(image_words "${image}")
            taktomat_rc_words(directory_words "${directory}")
            string(APPEND script "${image_id} 3\nBEGIN\n${image_words}\nEND\n")
            string(APPEND group "${directory_words}${image_id},\n")
            math(EXPR image_id "${image_id} + 1")
            math(EXPR kept "${kept} + 1")
        endforeach()
        if(NOT kept EQUAL 2)
            message(FATAL_ERROR "${file}: expected a 16 x 16 and a 32 x 32 32-bit image")
        endif()
        # The group's header: reserved, type 1 (icon), the number of images.
        string(REGEX REPLACE ",\n$" "\n" group "${group}")
        string(APPEND script "IDI_FRAME${frame} 14\nBEGIN\n0, 1, ${kept},\n${group}END\n")
        math(EXPR frame "${frame} + 1")
    endforeach()
    # Written only when it changes, so that the resources are not compiled again for nothing.
    file(CONFIGURE OUTPUT "${output}" CONTENT "${script}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARGN})
endfunction()
