#!/bin/sh
# Starts or stops the print scheduler with a PDF queue as the default printer, for the printing tests.
# Usage: print-queue.sh start|stop PIDFILE
# start leaves a scheduler that is already running alone (and never stops it later); it starts one only
# when none answers, and records that one's process id in PIDFILE. stop ends only that process.
set -u
action=${1:-}
pidfile=${2:-}
[ -n "$action" ] && [ -n "$pidfile" ] || { echo "usage: $0 start|stop PIDFILE" >&2; exit 2; }
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q 'is running'; }

case "$action" in
start)
    command -v lpstat >/dev/null 2>&1 && [ -x /usr/sbin/cupsd ] || { echo "print-queue: cups is not installed" >&2; exit 1; }
    if ! running; then
        mkdir -p "$(dirname "$pidfile")"
        $sudo /usr/sbin/cupsd -f >/dev/null 2>&1 &
        echo $! >"$pidfile"
        tries=0
        until running; do
            tries=$((tries + 1))
            [ $tries -le 50 ] || { echo "print-queue: the scheduler did not start" >&2; exit 1; }
            sleep 0.1
        done
    fi
    if ! lpstat -p PDF >/dev/null 2>&1; then
        $sudo lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd || exit 1
    fi
    $sudo cupsenable PDF >/dev/null 2>&1 || true
    $sudo lpoptions -d PDF >/dev/null || exit 1
    ;;
stop)
    [ -f "$pidfile" ] || exit 0
    pid=$(cat "$pidfile")
    # Only the scheduler this script started, and only while that process id is still it.
    comm=$(cat /proc/"$pid"/comm 2>/dev/null)
    if [ -n "$pid" ] && { [ "$comm" = cupsd ] || [ "$comm" = sudo ]; }; then
        $sudo kill "$pid"
        tries=0
        while [ -d /proc/"$pid" ] && [ $tries -lt 50 ]; do
            tries=$((tries + 1))
            sleep 0.1
        done
    fi
    rm -f "$pidfile"
    ;;
*)
    echo "usage: $0 start|stop PIDFILE" >&2
    exit 2
    ;;
esac
