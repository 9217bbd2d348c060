# tovmir, the window program, as a terminal sees it when there is no display:
# a Swedish message and status 1 instead of Qt's abort, and --help and --version
# answered without a window.
# Run by CTest with -DWINDOW=<path to tovmir>.

unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})

function(expect name status stdout_regex stderr_regex)
  execute_process(COMMAND ${WINDOW} ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc STREQUAL "${status}" OR NOT out MATCHES "${stdout_regex}" OR NOT err MATCHES "${stderr_regex}")
    message(FATAL_ERROR "${name}: status ${rc}, stdout '${out}', stderr '${err}'; "
                        "expected ${status}, '${stdout_regex}', '${stderr_regex}'")
  endif()
endfunction()

set(no_display "^tovmir: ingen bildskärm att visa fönstret på \\(DISPLAY eller WAYLAND_DISPLAY saknas\\); använd tovmir-cli i terminalen\n$")
expect(no_display 1 "^$" "${no_display}")
expect(no_display_month 1 "^$" "${no_display}" --month 2024-05 --calculator)
set(ENV{QT_QPA_PLATFORM} xcb)  # named, it still needs the display
expect(no_display_xcb 1 "^$" "${no_display}")
unset(ENV{QT_QPA_PLATFORM})

# A display named that cannot be opened: Qt's platform start fails inside
# QApplication, and its abort (status 134, a core file) becomes the Swedish
# message and status 1. A signal would give a text status here, never "1"; the
# run folder is checked for a core file as well.
set(scratch ${CMAKE_CURRENT_BINARY_DIR}/window_exit_scratch)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})
function(expect_refused name stderr_regex)
  execute_process(COMMAND ${WINDOW} --month 2024-05 WORKING_DIRECTORY ${scratch}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(GLOB cores ${scratch}/core*)
  if(NOT rc STREQUAL "1" OR NOT out STREQUAL "" OR NOT err MATCHES "${stderr_regex}" OR cores)
    message(FATAL_ERROR "${name}: status ${rc}, stdout '${out}', stderr '${err}', core files '${cores}'; "
                        "expected 1 and '${stderr_regex}'")
  endif()
endfunction()
set(refused "^tovmir: ingen bildskärm kunde öppnas för fönstret \\(")
set(ENV{DISPLAY} :54321)  # no X server has that number
expect_refused(missing_x_display "${refused}DISPLAY=:54321, WAYLAND_DISPLAY saknas\\); använd tovmir-cli i terminalen\n$")
set(ENV{QT_QPA_PLATFORM} "wayland;xcb")  # each entry fails in turn
expect_refused(missing_display_list "${refused}DISPLAY=:54321, WAYLAND_DISPLAY saknas\\).*; använd tovmir-cli i terminalen\n$")
unset(ENV{QT_QPA_PLATFORM})
unset(ENV{DISPLAY})
set(ENV{WAYLAND_DISPLAY} nonexistent)  # a Wayland session with no compositor, or no plugin
expect_refused(missing_wayland "${refused}DISPLAY saknas, WAYLAND_DISPLAY=nonexistent\\).*; använd tovmir-cli i terminalen\n$")
set(ENV{XDG_SESSION_TYPE} wayland)
expect_refused(missing_wayland_session "${refused}DISPLAY saknas, WAYLAND_DISPLAY=nonexistent\\)")
unset(ENV{XDG_SESSION_TYPE})
unset(ENV{WAYLAND_DISPLAY})
file(REMOVE_RECURSE ${scratch})

expect(version 0 "^tovmir [0-9]+\\.[0-9]+\\.[0-9]+\n$" "^$" --version)
expect(help 0 "^Användning: tovmir .*--month ÅÅÅÅ-MM.*--calculator.*--version" "^$" --help)
