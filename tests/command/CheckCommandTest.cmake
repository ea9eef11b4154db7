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

function(make_clip path)
    execute_process(COMMAND ffmpeg -nostdin -v error -y -f lavfi -i ${ARGN} "${path}"
                    RESULT_VARIABLE made)
    if(NOT made EQUAL 0)
        message(FATAL_ERROR "ffmpeg could not make ${path}")
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
make_clip("${media}/long.mpg" color=c=black:size=16x16:rate=60 -t 547 -c:v mpeg2video -g 15)
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
# The wording of each problem is checked by the unit tests of the checks; here what the real device
# and files give, and that every problem is found.
foreach(line
        "Catalogue: 6 entries"
        "problem: entry 2 (clip01 \"Text\"): the media device cannot open text.mpg: 296 MCIERR_INVALID_FILE"
        "problem: entry 3 (clip02 \"Notes\"): the media device cannot open NOTES.TXT: 263 MCIERR_INVALID_DEVICE_NAME; it opens files whose names end in .mpg, .mpeg, .mpe, .m1v, .mp2, .mpa, .mp3, .mpv, .mpv2, .mp2v, .mp4, .m4v, .mkv, .webm, .mov, .avi, .ts, .m2ts, .m2v, .vob, .dat, .wmv, .asf, .mts, .m2t, .3gp, .3g2, .ogv, .flv, .f4v or .mxf"
        "problem: entry 4 (clip03 \"Long\"): long.mpg is 32820 frames long; the position bar reaches frame 32767 at most"
        "problem: entry 5 (clip04 \"Gone\"): clip file gone.mpg not found at ${media}/gone.mpg"
        "problem: bgrd.jpg at ${media}/bgrd.jpg cannot be decoded as a picture"
        "11 problems found.")
    expect_line("broken disc" "${line}")
endforeach()

# --- a clip of one frame, and one longer in milliseconds than a 32-bit length holds -----------
set(short "${work}/short/quorix")
file(MAKE_DIRECTORY "${short}")
make_clip("${short}/one.mpg" color=c=gray:size=64x48:rate=25 -frames:v 1 -c:v mpeg1video)
make_clip("${short}/month.mkv" color=c=gray:size=64x48:rate=25 -frames:v 2 -c:v mjpeg
          -bsf:v setts=ts=N*2592000000)
file(WRITE "${short}/quorix.ini" "[cliplist]
clip00=One
clip01=Month
[filelist]
One=one.mpg
Month=month.mkv
")
run_quorix("${work}" --check short)
expect_status("one frame and a month" 1)
expect_line("one frame and a month" "     length: 1 frame")
expect_line("one frame and a month"
            "problem: entry 2 (clip01 \"Month\"): the media device cannot open month.mkv: 282 MCIERR_OUTOFRANGE")

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
run_quorix("${work}" --check --chekc)
expect_status("unknown option" 2)
if(NOT err MATCHES "unknown option '--chekc'")
    fail("unknown option: no clear message: ${err}")
endif()
run_quorix("${work}" --help)
expect_status("help" 0)
expect_line("help" "       quorix --check [--screen WxH] [FOLDER]")

# --- sixteen titles at the default settings run off the top and bottom of the menu ------------
set(menu "${work}/sixteen/quorix")
file(MAKE_DIRECTORY "${menu}")
file(CREATE_LINK "${SOURCE}/examples/disc/quorix/welcome.mpg" "${menu}/welcome.mpg" SYMBOLIC)
set(ini "[settings]\nmenumode=1\nintro=-1\n[cliplist]\n")
set(files "[filelist]\n")
foreach(n RANGE 10 25)
    math(EXPR key "${n} - 10")
    if(key LESS 10)
        set(key "0${key}")
    endif()
    string(APPEND ini "clip${key}=Clip number ${n}\n")
    string(APPEND files "Clip number ${n}=welcome.mpg\n")
endforeach()
file(WRITE "${menu}/quorix.ini" "${ini}${files}")
# Outside a desktop session the toolkit has no runtime folder; the report must not say so.
unset(ENV{XDG_RUNTIME_DIR})
run_quorix("${work}" --check sixteen)
expect_status("sixteen titles" 1)
foreach(pattern
        "clip00 \"Clip number 10\": on a 1024x768 screen the title runs [0-9]+ pixels past the top of the menu area\n"
        "clip15 \"Clip number 25\": on a 1024x768 screen the title runs [0-9]+ pixels past the bottom of the menu area\n")
    if(NOT out MATCHES "${pattern}")
        fail("sixteen titles: no line matching ${pattern} in\n${out}")
    endif()
endforeach()
if(out MATCHES "clip0[5-9] \"" OR err MATCHES "XDG_RUNTIME_DIR")
    fail("sixteen titles: titles in the middle reported, or the toolkit's warning:\n${out}${err}")
endif()
# A wide screen shows fewer titles whole (the font follows the width); a size that is no size is
# refused.
run_quorix("${work}" --check --screen 1280x720 sixteen)
if(NOT out MATCHES "clip03 \"Clip number 13\": on a 1280x720 screen the title runs [0-9]+ pixels past the top")
    fail("sixteen titles on 1280x720: clip03 not reported in\n${out}")
endif()
run_quorix("${work}" --check --screen 1024 sixteen)
expect_status("screen size without a height" 2)

# --- the presentation passes over words it cannot use and starts -------------------------------
# Launchers pass words of their own. A clip of one frame played through to the end: status 0.
set(words "${work}/words/quorix")
file(MAKE_DIRECTORY "${words}")
file(CREATE_LINK "${short}/one.mpg" "${words}/one.mpg" SYMBOLIC)
file(WRITE "${words}/quorix.ini"
     "[settings]\nmenumode=0\nlogomode=0\n[cliplist]\nclip00=One\n[filelist]\nOne=one.mpg\n")
set(ENV{QUORIX_TRACE} "${work}/trace.txt")
run_quorix("${work}/words" /DEBUG --kiosk "${work}/no such folder")
unset(ENV{QUORIX_TRACE})
expect_status("words of a launcher" 0)
foreach(word "unknown option '--kiosk'" "'/DEBUG' is neither an existing folder nor an option"
        "'${work}/no such folder' is neither an existing folder nor an option")
    string(FIND "${err}" "quorix: ignored: ${word}\n" at)
    if(at EQUAL -1)
        fail("words of a launcher: no warning for ${word} in\n${err}")
    endif()
endforeach()
file(READ "${work}/trace.txt" trace)
string(REGEX MATCHALL "tick [0-9]+" ticks "${trace}")
list(LENGTH ticks tickCount)
if(tickCount LESS 2)
    fail("words of a launcher: the presentation did not run:\n${trace}")
endif()

file(REMOVE_RECURSE "${work}")
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} checks failed")
endif()
