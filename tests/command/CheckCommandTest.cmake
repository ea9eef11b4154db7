# Runs the real "quorix --check" (no display: it opens no window) on the sample disc, which must be
# sound, and on a disc made here with one problem of every kind, and checks the report and the
# exit status. Also the command line's refusals.
#
#   cmake -DQUORIX=<program> -DSOURCE=<source folder> -P CheckCommandTest.cmake

cmake_minimum_required(VERSION 3.25)

set(failures 0)
macro(fail message)
    message(SEND_ERROR "${message}")
    math(EXPR failures "${failures} + 1")
endmacro()

# A folder of our own outside the build tree: a current directory whose path holds "quorix" is
# itself taken as the media folder, and build folders are often named after the project.
if(DEFINED ENV{TMPDIR})
    set(temp "$ENV{TMPDIR}")
else()
    set(temp "/tmp")
endif()
string(RANDOM LENGTH 8 ALPHABET "abcdefghijklmnopqrstuvwxyz0123456789" tag)
set(work "${temp}/check-command-${tag}")
string(TOLOWER "${work}" lowered)
if(lowered MATCHES "quorix")
    message(FATAL_ERROR "the temporary folder ${work} has 'quorix' in its path: set TMPDIR")
endif()
file(MAKE_DIRECTORY "${work}")

# Runs the program; sets out, err and status.
function(run_quorix directory)
    execute_process(COMMAND "${QUORIX}" ${ARGN}
                    WORKING_DIRECTORY "${directory}"
                    OUTPUT_VARIABLE output ERROR_VARIABLE error_output RESULT_VARIABLE result
                    TIMEOUT 60)
    set(out "${output}" PARENT_SCOPE)
    set(err "${error_output}" PARENT_SCOPE)
    set(status "${result}" PARENT_SCOPE)
endfunction()

function(expect_status what expected)
    if(NOT status STREQUAL "${expected}")
        fail("${what}: exit status ${status}, expected ${expected}\n${out}${err}")
    endif()
endfunction()

function(expect_line what line)
    string(FIND "${out}" "${line}\n" at)
    if(at EQUAL -1)
        fail("${what}: no line \"${line}\" in\n${out}")
    endif()
endfunction()

# --- the sample disc: sound, from the current directory and from a folder argument ------------
# Linked in, so that the path of the source folder (which may hold "quorix") plays no part.
file(MAKE_DIRECTORY "${work}/sample")
file(CREATE_LINK "${SOURCE}/examples/disc/quorix" "${work}/sample/quorix" SYMBOLIC)

run_quorix("${work}/sample" --check)
expect_status("sample disc" 0)
expect_line("sample disc" "Catalogue: 4 entries")
expect_line("sample disc" "     path: ${work}/sample/quorix/SUNRISE.MPG")
expect_line("sample disc" "     length: 120 frames")
expect_line("sample disc" "  logo.bmp: ${work}/sample/quorix/logo.bmp, 300x250")
expect_line("sample disc" "No problems found.")
# Only the media folder is linked, so the medium's root holds no autorun file.
expect_line("sample disc" "Autorun: none at ${work}/sample (a desktop will not offer to start the presenter when the medium is inserted)")

run_quorix("${work}" --check sample)
expect_status("sample disc as a folder argument" 0)
expect_line("sample disc as a folder argument" "Media folder: ${work}/sample/quorix/")

# --- a disc with one problem of every kind ----------------------------------------------------
set(media "${work}/broken/quorix")
file(MAKE_DIRECTORY "${media}")
file(CREATE_LINK "${SOURCE}/examples/disc/quorix/welcome.mpg" "${media}/welcome.mpg" SYMBOLIC)
file(WRITE "${media}/text.mpg" "not a clip\n")
file(WRITE "${media}/notes.txt" "not a clip either\n")
file(WRITE "${media}/bgrd.jpg" "not a picture\n")
# 32820 frames (ffprobe counts as many), more than the position bar reaches, at 60 frames a
# second, in the short groups of pictures discs use (the count near the end is found by exact
# seeks, each decoding a group).
execute_process(
    COMMAND ffmpeg -nostdin -v error -y -f lavfi -i color=c=black:size=16x16:rate=60 -t 547
            -c:v mpeg2video -g 15 -f mpeg "${media}/long.mpg"
    RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "ffmpeg could not make the long clip")
endif()
file(WRITE "${media}/quorix.ini" "[settings]
menumode=1
intro=9
logomode=1
[cliplist]
clip00=Welcome
xpos00=2000
ypos00=3000
clip01=Text
xpos01=2000
ypos01=3000
clip02=Notes
xpos02=2000
clip03=Long
xpos03=2000
ypos03=3000
clip04=Gone
xpos04=2000
ypos04=3000
clip05=Welcome
xpos05=2000
ypos05=3000
clip06=No file
clip07=Cut off
clip09=After the gap
[filelist]
Welcome=welcome.mpg
Text=text.mpg
Notes=NOTES.TXT
Long=long.mpg
Gone=gone.mpg
Cut off=welcome.mpg
")

run_quorix("${work}" --check broken)
expect_status("broken disc" 1)
foreach(line
        "Catalogue: 6 entries"
        "problem: clip09 \"After the gap\" comes after the gap at clip08 and is never read"
        "problem: clip06 \"No file\" has no entry in [filelist], so the catalogue ends before it, cutting off clip07 \"Cut off\""
        "problem: clip05 \"Welcome\" repeats the title of clip00, so both play the file of that one entry in [filelist]"
        "problem: entry 2 (clip01 \"Text\"): the media device cannot open text.mpg: 296 MCIERR_INVALID_FILE"
        "problem: entry 3 (clip02 \"Notes\"): the media device cannot open NOTES.TXT: 263 MCIERR_INVALID_DEVICE_NAME"
        "problem: entry 4 (clip03 \"Long\"): long.mpg is 32820 frames long; the position bar reaches frame 32767 at most"
        "problem: entry 5 (clip04 \"Gone\"): clip file gone.mpg not found at ${media}/gone.mpg"
        "problem: clip02 \"Notes\": ypos02 is 0 or missing, a zero divisor in the explicit layout that xpos00 2000 chooses"
        "problem: intro 9 names entry 10, but the catalogue has 6 entries, so the intro cannot play"
        "problem: bgrd.jpg at ${media}/bgrd.jpg cannot be decoded as a picture"
        "problem: logo.bmp is missing at ${media}/logo.bmp, though logomode 1 shows it"
        "11 problems found.")
    expect_line("broken disc" "${line}")
endforeach()

# --- a folder whose path holds "/debug" is a folder, "/debug" itself the fixed one ------------
file(MAKE_DIRECTORY "${work}/debug/quorix")
run_quorix("${work}" --check "${work}/debug")
expect_status("folder with /debug in its path" 1)
expect_line("folder with /debug in its path" "Media folder: ${work}/debug/quorix/")

run_quorix("${work}" --check /debug)
expect_status("/debug" 1)
string(FIND "${out}" "Media folder: e:\\quorixroot\\quorix\\" at)
if(at EQUAL -1)
    fail("/debug: the fixed folder is not checked\n${out}")
endif()

# --- command lines the program refuses --------------------------------------------------------
run_quorix("${work}" --check "${work}/no such folder")
expect_status("missing folder" 2)
if(NOT err MATCHES "cannot start in the folder '${work}/no such folder'")
    fail("missing folder: no clear message: ${err}")
endif()
run_quorix("${work}" --chekc)
expect_status("unknown option" 2)
if(NOT err MATCHES "unknown option '--chekc'")
    fail("unknown option: no clear message: ${err}")
endif()
run_quorix("${work}" --help)
expect_status("help" 0)
expect_line("help" "       quorix --check [FOLDER]")

file(REMOVE_RECURSE "${work}")
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} checks failed")
endif()
