#!/bin/sh
# Runs a cross-built Windows program under wine, for test discovery and the tests.
# Quiet: no debug channels, and no offer to install wine's .NET or HTML engines.
#
# Wine's server and its service processes keep the standard error of the program that started
# them open for as long as they live, and ctest waits for that pipe to close after every test. So
# when no server is running, one is started here detached from every pipe, to stay up 30 seconds
# after its last program ends, and the services are brought up by a program of its own. The next
# run finds them all running; when a server is running already, the start fails and changes
# nothing.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if wineserver -p30 </dev/null >/dev/null 2>&1; then
  wine cmd /c exit </dev/null >/dev/null 2>&1
fi
exec wine "$@"
