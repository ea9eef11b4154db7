# Runs the real "quorix --check" (it opens no window) on the sample disc and on discs made here,
# checking one line of each kind of report and each exit status; the wording of the problems is
# left to the unit tests. Then the presentation itself, started with words a launcher passes.
#
#   cmake -DQUORIX=<program> -DSOURCE=<source folder> [-DEMULATOR=<command>] -P CheckCommandTest.cmake
#
# EMULATOR, a command line with its options, runs a program built for another processor.

cmake_minimum_required(VERSION 3.25)

set(failures 0)
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
macro(fail message)
    message(SEND_ERROR "${message}")
    math(EXPR failures "${failures} + 1")
endmacro()

# A folder of our own outside the build tree: a current directory whose path holds "quorix" is
# itself taken as the media folder, and build folders are often named after the project.
string(RANDOM LENGTH 8 ALPHABET "0123456789" tag)
set(work "/tmp/check-command-${tag}")
file(MAKE_DIRECTORY "${work}")

# Runs the program in the folder with ARGS, expects the STATUS and each regular expression of
# LINES in standard output and error together.
function(check what directory)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "STATUS" "ARGS;LINES")
    execute_process(COMMAND ${emulator} "${QUORIX}" ${arg_ARGS} WORKING_DIRECTORY "${directory}"
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
    if(NOT status STREQUAL "${arg_STATUS}")
        fail("${what}: exit status ${status}, expected ${arg_STATUS}\n${out}${err}")
    endif()
    foreach(line IN LISTS arg_LINES)
        if(NOT "${out}${err}" MATCHES "${line}")
            fail("${what}: nothing matches \"${line}\" in\n${out}${err}")
        endif()
    endforeach()
    set(out "${out}${err}" PARENT_SCOPE)
endfunction()

# --- the sample disc: sound, from the current directory and from a folder argument ------------
# Linked in, so that the path of the source folder (which may hold "quorix") plays no part. Only
# the media folder is linked, so the medium's root holds no autorun file.
file(MAKE_DIRECTORY "${work}/sample")
file(CREATE_LINK "${SOURCE}/examples/disc/quorix" "${work}/sample/quorix" SYMBOLIC)
check("sample disc" "${work}/sample" ARGS --check STATUS 0 LINES
      "\nCatalogue: 4 entries\n" "\n     path: ${work}/sample/quorix/SUNRISE.MPG\n"
      "\n     length: 120 frames\n" "\n  logo.bmp: ${work}/sample/quorix/logo.bmp, 300x250\n"
      "\nAutorun: none at ${work}/sample \\(" "\nNo problems found.\n")
check("sample disc as a folder argument" "${work}" ARGS --check sample STATUS 0
      LINES "Media folder: ${work}/sample/quorix/\n")

# --- a disc with problems: a file the device refuses, a name it does not open, a file missing,
# a picture that does not decode; the catalogue stops at its gap --------------------------------
set(media "${work}/broken/quorix")
file(MAKE_DIRECTORY "${media}")
file(CREATE_LINK "${SOURCE}/examples/disc/quorix/welcome.mpg" "${media}/welcome.mpg" SYMBOLIC)
file(WRITE "${media}/text.mpg" "not a clip\n")
file(WRITE "${media}/notes.txt" "not a clip either\n")
file(WRITE "${media}/bgrd.jpg" "not a picture\n")
file(WRITE "${media}/quorix.ini" "[settings]\nmenumode=1\nintro=9\nlogomode=1\n[cliplist]
clip00=Welcome\nxpos00=2000\nypos00=3000\nclip01=Text\nxpos01=2000\nypos01=3000\nclip02=Notes
xpos02=2000\nclip03=Gone\nxpos03=2000\nypos03=3000\nclip04=Welcome\nxpos04=2000\nypos04=3000
clip05=No file\nclip06=Cut off\nclip08=After the gap
[filelist]\nWelcome=welcome.mpg\nText=text.mpg\nNotes=NOTES.TXT\nGone=gone.mpg\nCut off=welcome.mpg
")
check("broken disc" "${work}" ARGS --check broken STATUS 1 LINES
      "\nCatalogue: 5 entries\n"
      "\nproblem: entry 2 \\(clip01 \"Text\"\\): the media device cannot open text.mpg: 296 MCIERR_INVALID_FILE\n"
      "\nproblem: entry 3 \\(clip02 \"Notes\"\\): the media device cannot open NOTES.TXT: 263 MCIERR_INVALID_DEVICE_NAME; it opens files whose names end in "
      "\nproblem: entry 4 \\(clip03 \"Gone\"\\): clip file gone.mpg not found at ${media}/gone.mpg\n"
      "\nproblem: bgrd.jpg at ${media}/bgrd.jpg cannot be decoded as a picture\n"
      "\n[0-9]+ problems found.\n")

# --- "/debug" alone is the fixed folder; a folder that does not exist is refused ---------------
check("/debug" "${work}" ARGS --check /debug STATUS 1
      LINES "Media folder: e:\\\\quorixroot\\\\quorix\\\\")
check("missing folder" "${work}" ARGS --check "${work}/no such folder" STATUS 2
      LINES "cannot start in the folder '${work}/no such folder'")
check("unknown option" "${work}" ARGS --check --chekc STATUS 2 LINES "unknown option '--chekc'")
check("help" "${work}" ARGS --help STATUS 0 LINES "\n       quorix --check \\[--screen WxH\\] \\[FOLDER\\]\n")

# --- sixteen titles run off the top and bottom of the menu, fewer on a wide screen ------------
set(menu "${work}/sixteen/quorix")
file(MAKE_DIRECTORY "${menu}")
file(CREATE_LINK "${SOURCE}/examples/disc/quorix/welcome.mpg" "${menu}/welcome.mpg" SYMBOLIC)
set(ini "[settings]\nmenumode=1\nintro=-1\n[cliplist]\n")
set(files "[filelist]\n")
foreach(n RANGE 10 25)
    math(EXPR key "${n} - 10")
    string(REGEX REPLACE "^([0-9])$" "0\\1" key "${key}")
    string(APPEND ini "clip${key}=Clip number ${n}\n")
    string(APPEND files "Clip number ${n}=welcome.mpg\n")
endforeach()
file(WRITE "${menu}/quorix.ini" "${ini}${files}")
# Outside a desktop session the toolkit has no runtime folder; the report must not say so.
unset(ENV{XDG_RUNTIME_DIR})
set(past "on a 1024x768 screen the title runs [0-9]+ pixels past the")
check("sixteen titles" "${work}" ARGS --check sixteen STATUS 1 LINES
      "clip00 \"Clip number 10\": ${past} top" "clip15 \"Clip number 25\": ${past} bottom")
if(out MATCHES "clip0[5-9] \"|XDG_RUNTIME_DIR")
    fail("sixteen titles: titles in the middle reported, or the toolkit's warning:\n${out}")
endif()
check("sixteen titles on 1280x720" "${work}" ARGS --check --screen 1280x720 sixteen STATUS 1
      LINES "clip03 \"Clip number 13\": on a 1280x720 screen the title runs [0-9]+ pixels past the top")

# --- the presentation passes over words it cannot use and plays a clip of one frame to its end -
set(words "${work}/words/quorix")
file(MAKE_DIRECTORY "${words}")
execute_process(COMMAND ffmpeg -nostdin -v error -y -f lavfi -i color=c=gray:size=64x48:rate=25
                        -frames:v 1 -c:v mpeg1video "${words}/one.mpg" RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "ffmpeg could not make a clip")
endif()
file(WRITE "${words}/quorix.ini"
     "[settings]\nmenumode=0\nlogomode=0\n[cliplist]\nclip00=One\n[filelist]\nOne=one.mpg\n")
check("one frame" "${work}" ARGS --check words STATUS 0 LINES "\n     length: 1 frame\n")
set(ENV{QUORIX_TRACE} "${work}/trace.txt")
set(ignored "quorix: ignored: ")
check("words of a launcher" "${work}/words" ARGS /DEBUG --kiosk "${work}/no such folder" STATUS 0
      LINES "${ignored}unknown option '--kiosk'\n"
      "${ignored}'/DEBUG' is neither an existing folder nor an option\n"
      "${ignored}'${work}/no such folder' is neither an existing folder nor an option\n")
file(STRINGS "${work}/trace.txt" ticks REGEX "tick [0-9]+")
list(LENGTH ticks count)
if(count LESS 2)
    fail("words of a launcher: the presentation did not run")
endif()

file(REMOVE_RECURSE "${work}")
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} checks failed")
endif()
