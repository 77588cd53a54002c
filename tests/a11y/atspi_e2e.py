#!/usr/bin/env python3
"""The real program driven through AT-SPI, as a screen reader drives it.

    atspi_e2e.py PATH/TO/mortgage-calculator

It starts an X server and a session bus of its own, the accessibility bus on that session, and
the program with Qt's accessibility bridge switched on; then it finds the program and its window
by name, types a loan through the edit boxes' editable text, presses Calculate, reads the payment
and the schedule's first row, moves the grid's current cell and hears of it, and reads the
information box that an invalid principal brings up.

Exits 0 when every check holds, 1 on a failure, 77 (skipped) when no session bus or
accessibility bus can start here or a tool it needs is missing.
"""

import datetime
import itertools
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

SKIPPED = 77
APPLICATION = "Mortgage / Loan Calculator"
WINDOW = "Corvala Mortgage / Loan Calculator"
LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
# Only a guard against waiting forever: every wait below ends as soon as its answer is there.
PATIENCE = 60.0


class Failure(Exception):
    pass


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIPPED)


def wait_for(what, probe, patience=PATIENCE):
    """Polls probe() until it returns something true, and returns that."""
    deadline = time.monotonic() + patience
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"no {what} after {patience:.0f} s")
        time.sleep(0.05)


def check(condition, message):
    if not condition:
        raise Failure(message)
    print(f"ok: {message}")


# ---- outside the session bus: the X server, then this script again inside dbus-run-session ----


def start_x_server(folder):
    """Xvfb on the first free display from 80 up, well away from the numbers people pick by hand.

    A display number is taken through its lock file, which Xvfb claims itself and refuses to share,
    so runs side by side never meet; -displayfd tells when the server is ready. Without -noreset
    the server resets when its last client leaves (the accessibility bus launcher is one), and
    turns away whoever connects meanwhile.
    """
    log = open(os.path.join(folder, "xvfb.log"), "w")
    for number in range(80, 200):
        if os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        read_end, write_end = os.pipe()
        server = subprocess.Popen(
            ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log)
        os.close(write_end)
        with os.fdopen(read_end) as ready:
            if ready.readline().strip() == str(number):
                return server, f":{number}"
        server.wait()
    skip("Xvfb did not start on any display from :80 to :199")


def outside(program):
    for tool in ("Xvfb", "dbus-run-session"):
        if shutil.which(tool) is None:
            skip(f"{tool} is missing: scripts/setup.sh installs xvfb and dbus")
    if not any(os.access(launcher, os.X_OK) for launcher in LAUNCHERS):
        skip("at-spi-bus-launcher is missing: scripts/setup.sh installs at-spi2-core")
    try:
        import pyatspi  # noqa: F401  (its presence only; it is used inside the session)
    except ImportError:
        skip(f"{sys.executable} has no pyatspi: scripts/setup.sh installs python3-pyatspi")

    with tempfile.TemporaryDirectory(prefix="mortgage-atspi.") as folder:
        server, display = start_x_server(folder)
        started = os.path.join(folder, "inside")
        try:
            environment = dict(os.environ, DISPLAY=display, ATSPI_E2E_FOLDER=folder)
            run = subprocess.run(
                ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                 "--inside", program],
                env=environment, stderr=subprocess.PIPE, text=True)
        finally:
            server.terminate()
            server.wait()
        if not os.path.exists(started):
            skip(f"no session bus could start: {run.stderr.strip()}")
        return run.returncode


# ---- inside the session bus: the accessibility bus, the program, and the checks ----


def accessibility_bus_address():
    from gi.repository import Gio, GLib

    try:
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                              None, GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NONE, 1000,
                              None)
        return reply.unpack()[0]
    except GLib.Error:
        return ""


def children(node):
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield child


def find(node, role, name, wanted=lambda found: True):
    """The first object of the role and name below node; tables are not searched cell by cell."""
    for child in children(node):
        if child.getRoleName() == role and child.name == name and wanted(child):
            return child
        if child.getRoleName() != "table":
            found = find(child, role, name, wanted)
            if found is not None:
                return found
    return None


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def has_text(accessible):
    return "Text" in accessible.get_interfaces()


def do(accessible, action):
    actions = accessible.queryAction()
    names = [actions.getName(index) for index in range(actions.nActions)]
    if action not in names:
        raise Failure(f"{accessible.name!r} offers no {action}, only {names}")
    actions.doAction(names.index(action))


def check_inputs(window):
    for caption in ("Principal", "Int. Rate", "Term"):
        edit = find(window, "text", caption)
        check(edit is not None and "EditableText" in edit.get_interfaces(),
              f"an editable text box named {caption!r}")
    years = find(window, "radio button", "Years")
    check(years is not None and find(window, "radio button", "Months") is not None,
          "radio buttons 'Years' and 'Months'")
    import pyatspi

    check(years.getState().contains(pyatspi.STATE_CHECKED), "'Years' checked")
    frequency = find(window, "combo box", "Monthly")
    labels = [relation.getTarget(0).name for relation in frequency.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    check(labels == ["Frequency"], "the frequency list shows 'Monthly', labelled by 'Frequency'")
    picker = find(window, "spin button", "Start Date")
    check(picker is not None, "a spin button named 'Start Date'")
    shown = text_of(picker)
    month, day, year = (int(part) for part in shown.split("/"))
    # Today as the program read the clock; the day may have turned since.
    check(abs((datetime.date(year, month, day) - datetime.date.today()).days) <= 1,
          f"the start date reads as shown: {shown}")
    check(find(picker, "push button", "Calendar") is not None, "the picker's 'Calendar' button")


def check_current_cell_is_announced(table):
    """The grid's current cell moved through AT-SPI is heard of as the focused object."""
    import pyatspi
    from gi.repository import GLib

    heard = []
    listener = lambda event: heard.append((event.source.name, event.source.getIndexInParent()))
    pyatspi.Registry.registerEventListener(listener, "object:state-changed:focused")
    # The program learns of a new listener by a message of its own, so the first moves may go
    # unannounced: move on between two cells until one is heard of.
    deadline = time.monotonic() + PATIENCE
    context = GLib.MainContext.default()
    for turn in itertools.count():
        cell = table.getAccessibleAt(2 + turn % 2, 1)
        expected = (cell.name, cell.getIndexInParent())
        check(cell.queryComponent().grabFocus(), "a cell takes the focus")
        until = time.monotonic() + 1.0
        while expected not in heard and time.monotonic() < until:
            context.iteration(False)
            time.sleep(0.01)
        if expected in heard:
            break
        if time.monotonic() > deadline:
            raise Failure("no focus event from the grid's current cell")
    pyatspi.Registry.deregisterEventListener(listener, "object:state-changed:focused")
    check(cell.getState().contains(pyatspi.STATE_FOCUSED),
          f"the current cell {cell.name!r} is announced and focused")


def drive(application):
    window = wait_for("window", lambda: find(application, "frame", WINDOW))
    check(True, f"the application {APPLICATION!r} and its window {WINDOW!r}")
    check_inputs(window)

    for caption, typed in (("Principal", "100000"), ("Int. Rate", "6"), ("Term", "30")):
        edit = find(window, "text", caption)
        edit.queryEditableText().setTextContents(typed)
        check(text_of(edit) == typed, f"{caption} reads {typed}")
    calculate = find(window, "push button", "Calculate")
    do(calculate, "Press")
    payment = find(window, "label", "Payment:", has_text)
    wait_for("payment of $599.55", lambda: text_of(payment) == "$599.55")
    check(True, "'Payment:' reads $599.55")

    grid = find(window, "table", "Schedule")
    table = grid.queryTable()
    check((table.nRows, table.nColumns) == (360, 5), "the schedule has 360 rows of 5 columns")
    check(table.getColumnHeader(4).name == "Remaining", "column 5's header is 'Remaining'")
    check(table.getRowHeader(0).name == "1", "row 1's header is payment 1")
    remaining = table.getAccessibleAt(0, 4).name
    check(remaining == "$99900.45", f"row 1 'Remaining' reads {remaining}")
    check_current_cell_is_announced(table)

    principal = find(window, "text", "Principal")
    principal.queryEditableText().setTextContents("abc")
    do(calculate, "Press")
    box = wait_for("information box", lambda: find(application, "alert", "Information"))
    check(find(box, "label", "Principal is invalid") is not None,
          "the information box says 'Principal is invalid'")
    do(find(box, "push button", "OK"), "Press")
    wait_for("information box to close", lambda: find(application, "alert", "Information") is None)


def inside(program):
    folder = os.environ["ATSPI_E2E_FOLDER"]
    open(os.path.join(folder, "inside"), "w").close()
    launcher_path = next(path for path in LAUNCHERS if os.access(path, os.X_OK))
    launcher_log = open(os.path.join(folder, "launcher.log"), "w")
    launcher = subprocess.Popen([launcher_path, "--launch-immediately"],
                                stdout=launcher_log, stderr=subprocess.STDOUT)
    calculator = None
    try:
        try:
            wait_for("accessibility bus", accessibility_bus_address, patience=30)
        except Failure:
            skip("the accessibility bus did not start")
        import pyatspi

        runtime = os.path.join(folder, "runtime")
        os.mkdir(runtime, 0o700)
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime)
        with open(os.path.join(folder, "program.log"), "w") as program_log:
            calculator = subprocess.Popen([program], env=environment, stdout=program_log,
                                          stderr=subprocess.STDOUT)
        def registered():
            if calculator.poll() is not None:
                raise Failure(f"the program ended with status {calculator.returncode}")
            return find(pyatspi.Registry.getDesktop(0), "application", APPLICATION)

        application = wait_for("application on the accessibility bus", registered)
        drive(application)
        print("PASSED: the program reads and works through AT-SPI")
        return 0
    except Exception as failure:  # a failed check, or an AT-SPI call that went wrong
        print(f"FAILED: {failure}")
        if not isinstance(failure, Failure):
            traceback.print_exc(file=sys.stdout)
        for log in ("program.log", "xvfb.log", "launcher.log"):
            path = os.path.join(folder, log)
            if os.path.exists(path) and os.path.getsize(path) > 0:
                print(f"--- {log}:\n" + open(path).read())
        return 1
    finally:
        for process in (calculator, launcher):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=PATIENCE)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--inside":
        return inside(sys.argv[2])
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    return outside(os.path.abspath(sys.argv[1]))


if __name__ == "__main__":
    sys.exit(main())
