cmake_minimum_required(VERSION 3.25)

# Checks a Windows executable with objdump -p: it must be a PE image of the
# expected format, import nothing but Windows system DLLs (the MinGW runtime is
# linked in), and be a Windows GUI program.
#   cmake -DOBJDUMP=... -DEXE=... -DPE_FORMAT=pei-i386 -DSUBSYSTEM=2 -P check_imports.cmake
# With -DLOADED_ON_USE=a.dll;b.dll it also fails when the executable imports one of these,
# which it is to load itself when first needed rather than at every start.
# Every finding is reported before the script fails, one per line.

foreach(var OBJDUMP EXE PE_FORMAT SUBSYSTEM)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_imports.cmake needs -D${var}=...")
    endif()
endforeach()

if(NOT EXISTS "${EXE}")
    message(FATAL_ERROR "${EXE} does not exist: the product was not built")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}"
    OUTPUT_VARIABLE dump ERROR_VARIABLE dump_errors RESULT_VARIABLE dump_result)
if(NOT dump_result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed (${dump_result}): ${dump_errors}")
endif()

# DLLs that every Windows installation has, in lower case.
set(system_dlls
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll
    msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll
    uxtheme.dll version.dll winmm.dll ws2_32.dll dwmapi.dll shcore.dll
    bcrypt.dll crypt32.dll ntdll.dll rpcrt4.dll secur32.dll setupapi.dll)

set(findings "")

if(NOT dump MATCHES "file format ${PE_FORMAT}\n")
    string(REGEX MATCH "file format [^\n]*" format "${dump}")
    list(APPEND findings "not a ${PE_FORMAT} image (${format})")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${dump}")
if(NOT import_lines)
    list(APPEND findings "no import table found in the objdump output")
endif()
set(imports "")
foreach(line IN LISTS import_lines)
    string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
    string(STRIP "${dll}" dll)
    list(APPEND imports "${dll}")
    string(TOLOWER "${dll}" dll_lower)
    if(NOT dll_lower IN_LIST system_dlls)
        list(APPEND findings "imports ${dll}, which is not a Windows system DLL")
    endif()
    if(dll_lower IN_LIST LOADED_ON_USE)
        list(APPEND findings "imports ${dll}, which it should load on first use")
    endif()
endforeach()

if(dump MATCHES "\nSubsystem[ \t]+([0-9a-fA-F]+)[ \t]*([^\n]*)")
    math(EXPR subsystem "0x${CMAKE_MATCH_1}")
    if(NOT subsystem EQUAL SUBSYSTEM)
        list(APPEND findings "subsystem is ${subsystem} ${CMAKE_MATCH_2}, expected ${SUBSYSTEM}")
    endif()
else()
    list(APPEND findings "no Subsystem line in the objdump output")
endif()

if(findings)
    list(JOIN findings "\n  " text)
    message(FATAL_ERROR "${EXE}:\n  ${text}")
endif()
list(JOIN imports ", " import_text)
message(STATUS "${EXE}: ${PE_FORMAT}, subsystem ${subsystem}, imports ${import_text}")
