# Builds the Debian package with cpack into a folder of its own, reads its control data, unpacks
# it into a temporary root and checks what it installs: both programs (which must run from
# there), icons, desktop entries, manual pages, AppStream data and the kiosk service, which
# systemd must accept and rate as well shut in. lintian, where present, must find nothing to say.
#
#   cmake -DCPACK_CONFIG=<build>/CPackConfig.cmake -DWORK=<folder> -DVERSION=<x.y.z> -P PackageTest.cmake

cmake_minimum_required(VERSION 3.25)

set(failures 0)
macro(fail message)
    message(SEND_ERROR "${message}")
    math(EXPR failures "${failures} + 1")
endmacro()

# Runs a command that must succeed and fails unless its output holds each pattern after PATTERNS.
function(run)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "PATTERNS")
    execute_process(COMMAND ${arg_UNPARSED_ARGUMENTS} OUTPUT_VARIABLE output
                    ERROR_VARIABLE error_output RESULT_VARIABLE result TIMEOUT 60)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${arg_UNPARSED_ARGUMENTS} failed (${result}):\n${output}${error_output}")
    endif()
    foreach(pattern IN LISTS arg_PATTERNS)
        if(NOT output MATCHES "${pattern}")
            fail("${arg_UNPARSED_ARGUMENTS} printed no \"${pattern}\"")
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

run(cpack --config "${CPACK_CONFIG}" -B "${WORK}")
file(GLOB debs "${WORK}/quorix_*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made ${count} packages instead of one: ${debs}")
endif()
run(dpkg-deb --info "${debs}" PATTERNS "Package: quorix" "Version: ${VERSION}" "Section: video"
    "Depends: .*libmpv2" "Depends: .*libqt6widgets6" "Depends: .*libqt6dbus6"
    "Depends: .*libsystemd0" "\n Recommends: cage, qt6-wayland\n")
run(dpkg-deb --info "${debs}" postinst PATTERNS "systemd-sysusers quorix-kiosk.conf")

set(root "${WORK}/root")
run(dpkg-deb -x "${debs}" "${root}")
foreach(file usr/share/man/man1/quorix-author.1.gz usr/lib/quorix/quorix-kiosk
             usr/lib/quorix/quorix-kiosk-relay usr/share/doc/quorix/copyright
             usr/share/doc/quorix/changelog.gz)
    if(NOT EXISTS "${root}/${file}")
        fail("${file} is not installed")
    endif()
endforeach()
# Both programs run from where they were installed, on the system's libraries.
foreach(program quorix quorix-author)
    run("${root}/usr/bin/${program}" --version PATTERNS "^${program} ${VERSION}\n$")
    file(STRINGS "${root}/usr/share/applications/${program}.desktop" entry)
    foreach(line "[Desktop Entry]" "Type=Application" "Exec=${program} %f" "Icon=quorix")
        if(NOT line IN_LIST entry)
            fail("the desktop entry of ${program} has no line ${line}")
        endif()
    endforeach()
endforeach()
file(READ "${root}/usr/share/icons/hicolor/32x32/apps/quorix.png" signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
    fail("the icon is not a PNG picture")
endif()
run(cat "${root}/usr/share/icons/hicolor/scalable/apps/quorix.svg" PATTERNS "<svg ")
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    run(${APPSTREAMCLI} validate --no-net
        "${root}/usr/share/metainfo/invalid.quorix.author.metainfo.xml")
endif()
run(gzip -d -c "${root}/usr/share/man/man1/quorix.1.gz" PATTERNS
    ".TH QUORIX 1 \"\" \"Quorix ${VERSION}\"" ".SH SYNOPSIS" ".SH OPTIONS" ".SH KEYS"
    ".SS \\[settings\\]" ".SS \\[filelist\\]" ".SH EXIT STATUS")
run(cat "${root}/usr/lib/sysusers.d/quorix-kiosk.conf" PATTERNS "\nu quorix-kiosk ")

# The kiosk service: systemd accepts it as it stands (with its start script where it was
# unpacked), it runs as its own user and restarts only after a failure, and nothing enables it.
set(unit "${root}/usr/lib/systemd/system/quorix-kiosk.service")
run(cat "${unit}" PATTERNS "\nUser=quorix-kiosk\n" "\nRestart=on-failure\n" "\nTTYPath=/dev/tty7\n"
    "\nType=notify\n" "\nWatchdogSec=[1-9]"
    "\nExecStart=/usr/lib/quorix/quorix-kiosk-relay /usr/lib/quorix/quorix-kiosk \\$\\{QUORIX_FOLDER\\}\n")
file(READ "${unit}" text)
string(REPLACE "/usr/lib/quorix/" "${root}/usr/lib/quorix/" text "${text}")
file(WRITE "${WORK}/quorix-kiosk.service" "${text}")
find_program(SYSTEMD_ANALYZE systemd-analyze REQUIRED)
execute_process(COMMAND ${SYSTEMD_ANALYZE} verify --man=no "${WORK}/quorix-kiosk.service"
                OUTPUT_VARIABLE output ERROR_VARIABLE complaints RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0 OR NOT "${output}${complaints}" STREQUAL "")
    fail("systemd-analyze verify finds fault with the kiosk service:\n${output}${complaints}")
endif()
# systemd rates its exposure from 0 (shut in) to 10 (open); a kiosk faces strangers.
execute_process(COMMAND ${SYSTEMD_ANALYZE} security --offline=true --no-pager
                        "${WORK}/quorix-kiosk.service"
                OUTPUT_VARIABLE output ERROR_VARIABLE complaints TIMEOUT 60)
if(NOT output MATCHES "Overall exposure level for [^:]*: ([0-9]+\\.[0-9])")
    fail("systemd-analyze security gave no rating:\n${output}${complaints}")
elseif(CMAKE_MATCH_1 GREATER 3.0)
    fail("systemd-analyze security rates the kiosk service ${CMAKE_MATCH_1}, above 3.0")
endif()
if(IS_DIRECTORY "${root}/etc/systemd")
    fail("the package enables services itself")
endif()

find_program(LINTIAN lintian)
if(LINTIAN)
    execute_process(COMMAND ${LINTIAN} --fail-on none --tag-display-limit 0 "${debs}"
                    OUTPUT_VARIABLE output ERROR_VARIABLE complaints TIMEOUT 300)
    if("${output}" MATCHES "(^|\n)[EW]: ")
        fail("lintian finds errors or warnings in the package:\n${output}${complaints}")
    endif()
endif()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} checks failed")
endif()
file(REMOVE_RECURSE "${WORK}")
