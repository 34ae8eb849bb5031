#!/bin/sh
# Runs a display test program on a fresh Xvfb server of its own (screen size
# ZQ_SCREEN, 1280x720x24 unless set), with the window manager named by
# ZQ_WINDOW_MANAGER ("openbox", or "none") running on it.
# Listing the tests needs no server.
set -u
case " $* " in *" --gtest_list_tests "*) exec "$@" ;; esac

# The display tests act only on a server of their own (ZQ_TEST_DISPLAY). The
# desktop libraries SDL loads and unloads (D-Bus, Mesa) keep allocations at exit
# that the leak checker cannot attribute; our own code's leaks are caught by
# the headless tests.
export ZQ_TEST_DISPLAY=1 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0:abort_on_error=1

if [ -z "${ZQ_UNDER_XVFB:-}" ]; then
  # A server number from the process id, so that runs started at the same moment
  # do not race for one display (-a still moves past a busy one).
  export ZQ_UNDER_XVFB=1
  exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 ${ZQ_SCREEN:-1280x720x24}" "$0" "$@"
fi

wm="${ZQ_WINDOW_MANAGER:-none}"
wm_pid=
if [ "$wm" != none ]; then
  # Ready once it has claimed the screen. On a loaded machine it sometimes
  # quits at once while the new server settles: it is started again, a few times.
  starts=0
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    if [ -z "$wm_pid" ] || ! kill -0 "$wm_pid" 2>/dev/null; then
      starts=$((starts + 1))
      if [ $starts -gt 5 ]; then
        echo "with_x_server: the window manager '$wm' did not start" >&2
        exit 1
      fi
      [ $starts -gt 1 ] && sleep 0.5
      "$wm" --sm-disable >/dev/null 2>&1 &
      wm_pid=$!
    fi
    tries=$((tries + 1))
    if [ $tries -gt 300 ]; then
      echo "with_x_server: the window manager '$wm' did not claim the screen" >&2
      exit 1
    fi
    sleep 0.1
  done
fi
echo "with_x_server: DISPLAY=$DISPLAY, window manager: $wm"
"$@"
status=$?
if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; fi
exit $status
