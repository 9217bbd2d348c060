# tovmir-cli as a script sees it: output, exit status and where errors go.
# Run by CTest with -DCLI=<path to tovmir-cli>.

function(expect name status stdout_regex)
  execute_process(COMMAND ${CLI} ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc STREQUAL "${status}")
    message(FATAL_ERROR "${name}: exit status ${rc}, expected ${status}\nstdout: ${out}\nstderr: ${err}")
  endif()
  if(NOT out MATCHES "${stdout_regex}")
    message(FATAL_ERROR "${name}: stdout '${out}' does not match '${stdout_regex}'\nstderr: ${err}")
  endif()
endfunction()

function(expect_batch name input status stdout_exact)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/batch_input.txt "${input}")
  execute_process(COMMAND ${CLI} ${ARGN}
    INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/batch_input.txt
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc STREQUAL "${status}" OR NOT out STREQUAL "${stdout_exact}")
    message(FATAL_ERROR "${name}: status ${rc}, stdout '${out}'; expected ${status}, '${stdout_exact}'\nstderr: ${err}")
  endif()
endfunction()

expect(daynumber 0 "^2451545\n$" daynumber 2000 1 1)
expect(negative_year 1 "^$" daynumber -100 3 1 --nation 5)
expect(nation_after 0 "^1999 12 19\n$" date 2451545 --nation 5)
expect(convert 0 "^1700 2 29\n$" convert 1700 3 1 --from 0 --to 5)
expect(easter_none 0 "^0\n$" easter 2024 --nation 7)
expect(overflow 1 "^$" date 2147483647)
expect(letters 1 "^$" valid 2024 maj 1)
expect(too_few 2 "^$" valid 2024 5)
expect(unknown_command 2 "^$" yesterday)
expect(no_command 2 "^$")
expect(bad_nation 2 "^$" easter 2024 --nation 99999)
expect(convert_needs_to 2 "^$" convert 1700 3 1 --from 0)
expect(nation_before 0 "^1999 12 19\n$" --nation 5 date 2451545)
expect(version 0 "^tovmir-cli [0-9]+\\.[0-9]+\\.[0-9]+\n$" --version)
expect(prevmonthlen_13 1 "^$" prevmonthlen 2024 13)

# Refusals of the argument parser: Swedish, naming what is wrong, status 2.
function(expect_refusal name stderr_regex)
  execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc STREQUAL "2" OR NOT err MATCHES "${stderr_regex}" OR err MATCHES "expected|required|Run with")
    message(FATAL_ERROR "${name}: status ${rc}, stderr '${err}'; expected 2 and '${stderr_regex}'")
  endif()
endfunction()
expect_refusal(refuse_unknown "^fel: okänt kommando: yesterday\n" yesterday)
expect_refusal(refuse_none "^fel: ett kommando krävs" )
expect_refusal(refuse_extra "^fel: oväntade värden: 7\n" month 2024-05 7)
expect_refusal(refuse_to "^fel: --to krävs\n" convert 1700 3 1 --from 0)

expect(help 0 "daynumber.*date.*week.*valid.*prevmonthlen.*easter.*convert" --help)

expect_batch(batch_ok "2024\n1818\n" 0 "2460401\n2385158\n" easter)
expect_batch(batch_fail "2024 5 1\n\nx\n" 1 "1\nfel: tom rad\nfel: väntade 3 värden, fick 1\n" valid)

# Without a value month shows this month and year this year, by the local date:
# the same output as with today's value written out. The date is read before and
# after; should a month or a year end between the two, the run is not compared.
get_filename_component(run_dir ${CLI} DIRECTORY)
set(run_dir ${run_dir}/../run)
if(NOT EXISTS ${run_dir}/Const.mdb)
  message(FATAL_ERROR "no Const.mdb in ${run_dir}: build the reference data first")
endif()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/empty_input.txt "")
foreach(command month year)
  set(format "%Y")
  if(command STREQUAL "month")
    set(format "%Y-%m")
  endif()
  string(TIMESTAMP before "${format}")
  # Standard input is empty: this year must not be read from it.
  execute_process(COMMAND ${CLI} ${command} --no-color --dir ${run_dir}
    INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/empty_input.txt
    RESULT_VARIABLE rc OUTPUT_VARIABLE implicit ERROR_VARIABLE err)
  execute_process(COMMAND ${CLI} ${command} ${before} --no-color --dir ${run_dir}
    RESULT_VARIABLE rc_explicit OUTPUT_VARIABLE explicit)
  string(TIMESTAMP after "${format}")
  if(NOT rc STREQUAL "0" OR implicit STREQUAL "")
    message(FATAL_ERROR "${command} without a value: status ${rc}, stdout '${implicit}'\nstderr: ${err}")
  endif()
  if(before STREQUAL after AND NOT (rc_explicit STREQUAL "0" AND implicit STREQUAL explicit))
    message(FATAL_ERROR "${command} without a value differs from ${command} ${before}:\n${implicit}\n---\n${explicit}")
  endif()
endforeach()

# Bad inputs: the exit status and the start of the Swedish message on standard
# error. No system text in English outside brackets; every folder and file named
# by its path.
set(scratch ${CMAKE_CURRENT_BINARY_DIR}/cli_exit_scratch)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch}/empty ${scratch}/damaged ${scratch}/folder/Const.mdb)
file(WRITE ${scratch}/afile "")
file(WRITE ${scratch}/damaged/Const.mdb "inte en databas, bara text som fyller den första sidan")
string(REPEAT "a" 300 long_name)
function(expect_error name status stderr_start)
  execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(FIND "${err}" "${stderr_start}" at)
  if(NOT rc STREQUAL "${status}" OR NOT at EQUAL 0
     OR err MATCHES "No such|Not a directory|too long|unable to open|Permission denied|file is not")
    message(FATAL_ERROR "${name}: status ${rc}, stderr '${err}'; expected ${status} and '${stderr_start}'")
  endif()
endfunction()
expect_error(year_2101 1 "fel: året 2101 ligger utanför kalendern för nation 0 (1200 till 2100)" --dir ${run_dir} year 2101)
expect_error(year_9999 1 "fel: året 9999 ligger utanför kalendern för nation 0" --dir ${run_dir} year 9999)
expect_error(year_32 1 "fel: året 32 ligger utanför kalendern för nation 0" --dir ${run_dir} year 32)
expect_error(year_julian_1 1 "fel: året 1 ligger utanför kalendern för nation 5 (2 till 2100)" --dir ${run_dir} --nation 5 year 1)
expect_error(find_2101 1 "fel: året 2101 ligger utanför kalendern för nation 3" --dir ${run_dir} --nation 3 find Olof 2101)
expect_error(find_phrase_1100 1 "fel: året 1100 ligger utanför kalendern för nation 0" --dir ${run_dir} find "Dom. 1 Adv. 1100")
expect_error(ics_2101 1 "fel: året 2101 ligger utanför kalendern för nation 1" --dir ${run_dir} --nation 1 ics 2100 2101)
expect_error(dir_missing 1 "fel: mappen ${scratch}/missing finns inte" --dir ${scratch}/missing year 2024)
expect_error(dir_a_file 1 "fel: ${scratch}/afile är ingen mapp" --dir ${scratch}/afile year 2024)
expect_error(dir_under_a_file 1 "fel: mappen ${scratch}/afile/x finns inte" --dir ${scratch}/afile/x year 2024)
expect_error(dir_name_too_long 1 "fel: mappen ${scratch}/" --dir ${scratch}/${long_name} year 2024)
expect_error(db_missing 1 "fel: databasen ${scratch}/empty/Const.mdb finns inte" --dir ${scratch}/empty year 2024)
expect_error(db_a_folder 1 "fel: databasen ${scratch}/folder/Const.mdb är en mapp" --dir ${scratch}/folder week 2441690)
expect_error(db_damaged 1 "fel: databasen ${scratch}/damaged/Const.mdb är skadad" --dir ${scratch}/damaged year 2024)
execute_process(COMMAND ${CLI} --dir ${scratch}/${long_name} year 2024 ERROR_VARIABLE err)
if(NOT err MATCHES "kan inte öppnas: namnet är för långt\n$")
  message(FATAL_ERROR "dir_name_too_long: '${err}'")
endif()
file(REMOVE_RECURSE ${scratch})

# Easter by the full Gregorian computus past 2099 (python-dateutil: 9 April 4000,
# 2 April 32767), and Finland's Sunday weeks through 1973 as its month shows them.
expect(easter_4000 0 "^3182129\n$" easter 4000)
expect(easter_32767 0 "^13689052\n$" easter 32767 --nation 6)
expect(week_finland_1973 0 "^53\n$" --dir ${run_dir} --nation 1 week 2442047)
expect(week_sweden_1973 0 "^52\n$" --dir ${run_dir} week 2442047)
expect(month_finland_1973 0 "\n53   30 Sö" --dir ${run_dir} --nation 1 --no-color month 1973-12)
# An answer that cannot be written is a failure, not a success.
if(EXISTS /dev/full)
  execute_process(COMMAND ${CLI} daynumber 2000 1 1 OUTPUT_FILE /dev/full RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc STREQUAL "1" OR NOT err MATCHES "^fel: utdata kan inte skrivas")
    message(FATAL_ERROR "output_unwritable: status ${rc}, stderr '${err}'")
  endif()
endif()
