#!/usr/bin/env bash
# Prints the real window's loan through a print service of this script's own and checks the paper:
# a CUPS daemon with its own configuration, spool and socket in a temporary folder, one queue whose
# device is a file and whose driver is cups-filters' generic PDF printer, made the default. The
# system's CUPS, running or not, and its /etc/cups are never touched.
#
#   print_e2e.sh PATH/TO/print_e2e_client
#
# Exits 0 when one job arrived with every text where the layout puts it on that printer, the paper
# chosen in the real print dialog stayed for the next Print, and a job the service did not take
# ended in the error box with no job made; 1 on a failure, 77 (skipped) when a tool it needs is not
# installed.
set -euo pipefail

client=${1:?usage: print_e2e.sh PATH/TO/print_e2e_client}
queue=Mortgage_E2E
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
serverbin=/usr/lib/cups

# The daemon and lpadmin live in /usr/sbin, which a normal user's PATH leaves out.
PATH=$PATH:/usr/sbin:/sbin
skip() {
    echo "SKIPPED: $*"
    exit 77
}
for tool in cupsd lpadmin lpstat pdftotext; do
    command -v "$tool" >/dev/null ||
        skip "$tool is missing: scripts/setup.sh installs cups, cups-client, cups-filters and poppler-utils"
done
[ -r "$ppd" ] || skip "cups-filters' generic PDF driver $ppd is missing"
[ -x "$serverbin/filter/pdftopdf" ] || skip "cups-filters' pdftopdf is missing from $serverbin/filter"

# In /tmp, so that the daemon's filters, which run as lp when the daemon runs as root, can reach it;
# and short, for the socket's path.
dir=$(mktemp -d /tmp/mortgage-cups.XXXXXX)
chmod 755 "$dir"
pid=
finish() {
    local status=$?
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    fi
    if [ "$status" -ne 0 ] && [ -f "$dir/log/error_log" ]; then
        echo "--- the daemon's log, last lines:"
        grep -v '^[Dd] ' "$dir/log/error_log" | tail -n 40 || true
    fi
    rm -rf "$dir"
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

fail() {
    echo "FAILED: $*"
    exit 1
}

mkdir -p "$dir"/{etc,spool/tmp,cache,state,log,ssl,out,home}
if [ "$(id -u)" -eq 0 ]; then
    # The daemon will not run filters as root.
    user=lp
    group=lp
else
    user=$(id -un)
    group=$(id -gn)
fi
cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin $serverbin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
ServerKeychain $dir/ssl
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
User $user
Group $group
SystemGroup $(id -gn)
CONF
# Only the socket in the folder: no network port, no sharing, no browsing; anyone on the socket
# may administer this throwaway daemon.
cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel debug
MaxLogSize 0
PreserveJobHistory Yes
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

# Every client below talks to this daemon only, with no personal printer settings.
export CUPS_SERVER="$dir/cups.sock"
export HOME="$dir/home"
unset LPDEST PRINTER

cupsd -t -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/check" 2>&1 ||
    fail "the daemon's configuration was refused: $(cat "$dir/log/check")"
cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null >"$dir/log/stdout" 2>&1 &
pid=$!

alive() {
    kill -0 "$pid" 2>/dev/null || fail "the daemon stopped: $(cat "$dir/log/stdout")"
}
until lpstat -r 2>/dev/null | grep -q 'is running'; do
    alive
    sleep 0.1
done

# A raw queue would report the job done and write nothing: the driver's filters make the file.
add_queue() {
    lpadmin -p "$queue" -E -v "file://$dir/out/job.prn" -P "$ppd" -o printer-error-policy=abort-job
    lpadmin -d "$queue"
}
add_queue
[ "$(lpstat -d)" = "system default destination: $queue" ] || fail "$queue is not the default"

# The program's own temporary files go here, to be found if any is left behind.
export TMPDIR="$dir/tmp"
mkdir -p "$TMPDIR"

"$client" print "$dir/expected.txt" || fail "the Print command failed"

# Until the job has left the queue: completed, or aborted by a filter that failed.
while lpstat -W not-completed -o "$queue" | grep -q .; do
    alive
    sleep 0.2
done

jobs=$(lpstat -W completed -o "$queue" | wc -l)
[ "$jobs" -eq 1 ] || fail "$jobs jobs arrived, 1 expected"
grep -q '\[Job 1\] Job completed\.' "$dir/log/error_log" || fail "the job did not complete"
[ -s "$dir/out/job.prn" ] || fail "the printer wrote nothing"

"$client" check "$dir/expected.txt" "$dir/out/job.prn" || fail "the paper is not as laid out"

# Jobs the daemon has made so far, whatever became of them.
made() {
    grep -c '\] Queued on ' "$dir/log/error_log" || true
}

# Two copies and A4 under Properties chosen at the first Print stay for the second, and neither
# dialog offers a choice of pages.
"$client" paper "$dir/out/job.prn" "$dir/out/paper" || fail "the print dialog did not keep its choices"
for n in 1 2; do
    size=$(pdfinfo "$dir/out/paper-$n" | grep '^Page size:')
    [[ "$size" == *"(A4)" ]] || fail "Print $n came out on $size, not A4"
done
# The daemon's own account of the two jobs: twice nine pages each, on A4.
[ "$(grep -cE " [23] \[.*\] total 18 .* A4 one-sided\$" "$dir/log/page_log")" -eq 2 ] ||
    fail "the jobs did not carry the copies and the paper: $(cat "$dir/log/page_log")"
[ "$(made)" -eq 3 ] || fail "$(made) jobs made, 3 expected"

# A job the service does not take ends in the error box with the service's reason, and no job.
refused() {
    local reason=$1
    shift
    local box
    box=$("$client" refused "$@") || fail "no error box for a job refused with \"$reason\": $box"
    [[ "$box" == "error box: The loan was not printed: "*"$reason"* ]] ||
        fail "the error box does not give the reason \"$reason\": $box"
}
cupsreject "$queue"
refused 'is not accepting jobs.'
grep -q 'server-error-not-accepting-jobs' "$dir/log/error_log" || fail "the daemon refused no job"
cupsaccept "$queue"
refused 'The printer or class does not exist.' lpadmin -x "$queue"
[ "$(made)" -eq 3 ] || fail "a refused Print made a job"
# Last, for it takes the daemon away.
add_queue 2>/dev/null
refused 'the printing service cannot be reached' \
    bash -c "kill $pid; while lpstat -r 2>/dev/null | grep -q 'is running'; do sleep 0.1; done"

leftovers=$(find "$TMPDIR" -name 'loan-*')
[ -z "$leftovers" ] || fail "the printed loan was left behind in $leftovers"
echo "PASSED: every text in place, the paper kept, each refused job reported"
