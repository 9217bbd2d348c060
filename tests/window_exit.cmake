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
expect(version 0 "^tovmir [0-9]+\\.[0-9]+\\.[0-9]+\n$" "^$" --version)
expect(help 0 "^Användning: tovmir .*--month ÅÅÅÅ-MM.*--calculator.*--version" "^$" --help)
