# Runs quorix-mci with no picture and no sound on a clip made with ffmpeg and checks what it prints.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=160x120:rate=25:d=1
                        -c:v mpeg1video -f mpeg "${WORK}/CLIP01.MPG" COMMAND_ERROR_IS_FATAL ANY)

# One line each: the code, the answer in quotes, and the error's name after a refusal.
file(WRITE "${WORK}/commands.txt" "open clip01.mpg alias Video
set video time format frames
status video length
open missing.mpg alias other
play video
status video mode
close video
")
set(expected "0 \"1\"\n0 \"\"\n0 \"25\"\n275 \"\" MCIERR_FILE_NOT_FOUND\n0 \"\"\n0 \"playing\"\n0 \"\"\n")
execute_process(COMMAND "${MCI}" --video none WORKING_DIRECTORY "${WORK}"
                INPUT_FILE "${WORK}/commands.txt" OUTPUT_VARIABLE printed RESULT_VARIABLE result
                TIMEOUT 30)
if(NOT result EQUAL 0 OR NOT printed STREQUAL expected)
    message(FATAL_ERROR "quorix-mci (status ${result}) printed:\n${printed}\nexpected:\n${expected}")
endif()

# Commands given as arguments, one each.
execute_process(COMMAND "${MCI}" --video none "open \"${WORK}/clip01.mpg\" alias v"
                        "where v destination" "close v"
                OUTPUT_VARIABLE printed RESULT_VARIABLE result TIMEOUT 30)
if(NOT result EQUAL 0 OR NOT printed STREQUAL "0 \"1\"\n0 \"0 0 160 120\"\n0 \"\"\n")
    message(FATAL_ERROR "quorix-mci with arguments printed:\n${printed}")
endif()

# One command at a time through a pipe, each once the one before has been answered: the console
# answers until its input ends, also after a clip that played in a window of its own was closed.
execute_process(
    COMMAND bash -c [=[
        coproc console { "$0" --video none; }
        for command in "open clip01.mpg alias v" "play v" "close v" "open clip01.mpg alias w" \
                       "close w"; do
            echo "$command" >&"${console[1]}"
            read -r -t 20 answer <&"${console[0]}" || { echo "no answer to: $command"; exit 1; }
            echo "$answer"
            # Room for the console to end by itself, if it were to.
            [ "$command" = "close v" ] && sleep 1
        done
        exec {console[1]}>&-
        wait "$console_PID"
    ]=] "${MCI}"
    WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE printed RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0 OR NOT printed STREQUAL "0 \"1\"\n0 \"\"\n0 \"\"\n0 \"1\"\n0 \"\"\n")
    message(FATAL_ERROR "quorix-mci through a pipe printed (status ${result}):\n${printed}")
endif()
