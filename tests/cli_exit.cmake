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
# A line and a whole calendar file alike.
if(EXISTS /dev/full)
  foreach(command "daynumber 2000 1 1" "ics 2024")
    separate_arguments(values UNIX_COMMAND "${command}")
    execute_process(COMMAND ${CLI} --dir ${run_dir} ${values} OUTPUT_FILE /dev/full RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc STREQUAL "1" OR NOT err MATCHES "^fel: utdata kan inte skrivas")
      message(FATAL_ERROR "output_unwritable: ${command}: status ${rc}, stderr '${err}'")
    endif()
  endforeach()
endif()

# Every command at its first and last accepted year and one year beyond: status 0
# inside, 1 outside, so a limit moved by one either way fails here. The codes 0 to
# 4 show 1200 to 2100, the others 2 to 2100; the arithmetic counts from year 1 (day
# 1721424) to the last year 16 bits hold; the calculator takes its own years.
foreach(row
    "0 daynumber 1 1 1" "1 daynumber 0 1 1" "0 daynumber 32767 12 31" "1 daynumber 32768 1 1"
    "0 valid 1 1 1" "1 valid 0 1 1" "0 valid 32767 12 31" "1 valid 32768 1 1"
    "0 prevmonthlen 1 1" "1 prevmonthlen 0 1" "0 prevmonthlen 32767 12" "1 prevmonthlen 32768 12"
    "0 easter 1" "1 easter 0" "0 easter 32767" "1 easter 32768"
    "0 convert 1 1 3 --from 5 --to 9" "1 convert 1 1 2 --from 5 --to 9" "1 convert 0 12 31 --from 5 --to 5"
    "0 convert 32767 12 31 --from 5 --to 5" "1 convert 32768 1 1 --from 5 --to 5"
    "0 date 1721424" "1 date 1721423" "0 date 13689325" "1 date 13689326"
    "0 week 1721424" "1 week 1721423" "0 week 13689325" "1 week 13689326"
    "0 span 1 1 1 2100 12 31" "1 span 0 12 31 1 1 1" "1 span 1 1 1 2101 1 1" "0 span 2100 1 1 2100 1 2"
    "1 span 2101 1 1 2101 1 2"
    "0 add 1 1 1 0 0 1" "1 add 0 1 1 0 0 1" "0 add 2098 12 31 0 0 1" "1 add 2099 1 1 0 0 1"
    "0 sub 1 1 2 0 0 1" "1 sub 1 1 1 0 0 1" "0 sub 32767 12 31 0 0 1" "1 sub 32768 1 1 0 0 1"
    "0 year 1200" "1 year 1199" "0 year 2100" "1 year 2101" "0 --nation 5 year 2" "1 --nation 5 year 1"
    "0 find Olof 1200" "1 find Olof 1199" "0 find Olof 2100" "1 find Olof 2101"
    "0 --nation 5 find Olof 2" "1 --nation 5 find Olof 1"
    "0 ics 1200" "1 ics 1199" "0 ics 2100" "1 ics 2101" "0 --nation 5 ics 2" "1 --nation 5 ics 1"
    "0 month 1200-01" "1 month 1199-12" "0 month 2100-12" "1 month 2101-01"
    "0 --nation 5 month 0002-01" "1 --nation 5 month 0001-12"
    "0 months 1200-01 1200-01" "1 months 1199-12 1200-01" "0 months 2100-12 2100-12" "1 months 2100-12 2101-01")
  separate_arguments(values UNIX_COMMAND "${row}")
  list(POP_FRONT values status)
  execute_process(COMMAND ${CLI} --dir ${run_dir} ${values} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc STREQUAL status)
    message(SEND_ERROR "year limit '${row}': status ${rc}, expected ${status}\nstderr: ${err}")
  endif()
endforeach()
