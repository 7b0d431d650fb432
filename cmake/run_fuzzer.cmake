# Runs one fuzz target for a bounded time, from a scratch corpus seeded with the committed one.
# New inputs go to WORK/corpus and findings to WORK/findings; the seed directory is only read.
# Any finding (crash, sanitizer report, leak, time-out, memory limit) fails.
# Called with -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=... -DINPUT_TIMEOUT=...
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/findings")
get_filename_component(name "${FUZZER}" NAME)
message("== ${name}: ${SECONDS} s from ${SEEDS}")
execute_process(
  COMMAND "${FUZZER}"
          -max_total_time=${SECONDS}
          -timeout=${INPUT_TIMEOUT}
          -rss_limit_mb=2048
          -malloc_limit_mb=64
          -print_final_stats=1
          "-artifact_prefix=${WORK}/findings/"
          "${WORK}/corpus" "${SEEDS}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(GLOB findings "${WORK}/findings/*")
  message(FATAL_ERROR "${name} failed (${status}); inputs kept: ${findings}")
endif()
