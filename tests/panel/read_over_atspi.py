#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Reads the real panel over AT-SPI, as a screen reader on a Linux desktop reads it.

Usage: read_over_atspi.py PROGRAM

It starts a desktop of its own: an Xvfb display, a D-Bus session bus, the AT-SPI bus and
its registry, then PROGRAM with Qt's accessibility bridge on. Through AT-SPI alone it
checks each control's role, name, state and text, makes a move as an operator with a
screen reader would (the target and speed typed into their boxes, Retract/Extend
pressed), follows the readouts, the two lists and the drawing's name while it runs, and
then opens and closes a message box. Numbers are compared in the decimal separator the
panel itself shows, so the run holds on a German desktop too.

Nothing of the user's own desktop is touched: no display, bus or home folder of theirs.
Everything it starts is in one process group, which it ends however it ends itself: with
its checks done, on a failure, or on SIGTERM, SIGINT or SIGHUP.
"""

import ctypes
import importlib.util
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

START_SECONDS = 60  # a start under an emulator, beside other tests, is slow
WAIT_SECONDS = 20
SETTLED_SECONDS = 1.0
POLL_SECONDS = 0.05

# The controls as a screen reader meets them: role, name.
BUTTONS = ["Retract/Extend", "Reset List Data", "STOP", "Save"]
TARGET = "Target Position (in)"
SPEED = "Lead Screw Speed (RPM)"
TITLE = "Interactive Position Control Panel"
POSITION = "current position (in.)"
PRESSURE = "Current Pressure (psi)"
LISTS = ["Position Data Log", "Pressure Data Log"]
DRAWING_CLOSED = "Actuator drawing: closed until the first move"
INVALID_TARGET = "Enter a valid target position"


class Failure(Exception):
    """A check that the rest of the run cannot do without."""


def find_bus_launcher():
    for folder in ("/usr/libexec", "/usr/lib/at-spi2-core", "/usr/lib/at-spi2"):
        path = os.path.join(folder, "at-spi-bus-launcher")
        if os.access(path, os.X_OK):
            return path
    return None


def missing_tools():
    """What this machine lacks to run the check, by Debian package."""
    missing = []
    for tool, package in (("Xvfb", "xvfb"), ("dbus-daemon", "dbus-daemon")):
        if shutil.which(tool) is None:
            missing.append(package)
    if find_bus_launcher() is None:
        missing.append("at-spi2-core")
    # Only looked for: imported, it would reach for a bus before this script has made one.
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("python3-pyatspi")
    return missing


class Desktop:
    """The private display, buses and program, all in one process group."""

    def __init__(self, scratch):
        self.scratch = scratch
        self.group = None
        self.processes = []
        self.log_path = os.path.join(scratch, "desktop.log")
        self.log = open(self.log_path, "w", encoding="utf-8")  # pylint: disable=consider-using-with
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                 "AT_SPI_BUS_ADDRESS", "XAUTHORITY", "SESSION_MANAGER")}
        runtime = os.path.join(scratch, "runtime")
        os.mkdir(runtime, 0o700)
        self.env.update({
            "HOME": os.path.join(scratch, "home"),
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(scratch, "config"),
            "XDG_CACHE_HOME": os.path.join(scratch, "cache"),
            "XDG_DATA_HOME": os.path.join(scratch, "data"),
            # The bus launcher reads the desktop's accessibility settings; kept in memory
            # they start no settings service and write nothing.
            "GSETTINGS_BACKEND": "memory",
        })
        os.mkdir(self.env["HOME"])

    def start(self, argv, extra_env=None, **options):
        env = dict(self.env, **(extra_env or {}))
        process = subprocess.Popen(  # pylint: disable=consider-using-with
            argv, env=env, stdin=subprocess.DEVNULL,
            stdout=self.log, stderr=self.log,
            process_group=0 if self.group is None else self.group, **options)
        if self.group is None:
            self.group = process.pid
        self.processes.append(process)
        return process

    def start_display(self):
        """Xvfb on a free display that a client reaches. Xvfb picks the first display
        without a lock file, but another server may still answer on that number's
        abstract socket, and clients try that socket first: such a display is left for
        the next number."""
        number = None
        for _ in range(5):
            server, number = self.start_xvfb(None if number is None else int(number) + 1)
            if number.isdigit() and wait_for(lambda: reaches_display(":" + number), 5):
                self.env["DISPLAY"] = ":" + number
                return
            print(f"read_over_atspi: display :{number} not reachable, trying the next",
                  file=self.log, flush=True)
            server.kill()
            server.wait()
            if not number.isdigit():
                break
        raise Failure("Xvfb gave no display that a client reaches")

    def start_xvfb(self, number):
        read_end, write_end = os.pipe()
        server = self.start(["Xvfb"] + ([] if number is None else [f":{number}"]) +
                            ["-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=[write_end])
        os.close(write_end)
        answer = read_line(read_end, WAIT_SECONDS)
        os.close(read_end)
        return server, answer

    def start_session_bus(self):
        read_end, write_end = os.pipe()
        self.start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                    "--print-address=%d" % write_end,
                    "--address=unix:dir=" + self.env["XDG_RUNTIME_DIR"]], pass_fds=[write_end])
        os.close(write_end)
        address = read_line(read_end, WAIT_SECONDS)
        os.close(read_end)
        if not address.startswith("unix:"):
            raise Failure("the session bus gave no address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def start_accessibility_bus(self):
        """The AT-SPI bus, and the address that the session bus hands out for it."""
        self.start([find_bus_launcher(), "--launch-immediately", "--a11y=1"])
        from gi.repository import Gio, GLib  # pylint: disable=import-outside-toplevel
        session = Gio.DBusConnection.new_for_address_sync(
            self.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

        def address():
            try:
                reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                          "GetAddress", None, GLib.VariantType("(s)"),
                                          Gio.DBusCallFlags.NO_AUTO_START, 1000, None)
            except GLib.Error:
                return None
            return reply.unpack()[0] or None

        found = wait_for(address, WAIT_SECONDS)
        session.close_sync(None)
        if not found:
            raise Failure("the AT-SPI bus did not start (at-spi-bus-launcher)")
        return found

    def close(self):
        """Ends the whole group, waits a bounded time, then forces what is left."""
        if self.group is not None:
            for sig, grace in ((signal.SIGTERM, 5.0), (signal.SIGKILL, 5.0)):
                try:
                    os.killpg(self.group, sig)
                except ProcessLookupError:
                    break
                deadline = time.monotonic() + grace
                while time.monotonic() < deadline and any(p.poll() is None
                                                          for p in self.processes):
                    time.sleep(POLL_SECONDS)
                reap_orphans()
                if not group_alive(self.group):
                    break
        self.log.close()

    def log_text(self):
        with open(self.log_path, encoding="utf-8", errors="replace") as log:
            return log.read()


def group_alive(group):
    try:
        os.killpg(group, 0)
    except ProcessLookupError:
        return False
    return True


def become_subreaper():
    """The bus daemons' own children come back to this script when their parents end, so
    that it can reap them rather than leave them to init."""
    try:
        ctypes.CDLL(None, use_errno=True).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
    except (OSError, AttributeError):
        pass


def reap_orphans():
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


def reaches_display(name):
    """Whether an X client opens the display, as Qt and the AT-SPI registry do."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(name.encode())
    if not display:
        return False
    xlib.XCloseDisplay(display)
    return True


def read_line(fd, seconds):
    data = b""
    deadline = time.monotonic() + seconds
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            break
        chunk = os.read(fd, 256)
        if not chunk:
            break
        data += chunk
    return data.decode(errors="replace").strip()


def spin():
    """Lets the events that have come in reach their listeners."""
    from gi.repository import GLib  # pylint: disable=import-outside-toplevel
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(probe, seconds):
    """The first true value of probe() within `seconds`, or None."""
    deadline = time.monotonic() + seconds
    while True:
        spin()
        try:
            value = probe()
        except Failure:
            raise
        except Exception:  # pylint: disable=broad-except
            value = None  # the object is not there yet, or went away meanwhile
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(POLL_SECONDS)


class Reader:
    """The panel as AT-SPI shows it, and the checks made of it."""

    def __init__(self, program):
        import pyatspi  # pylint: disable=import-outside-toplevel
        from gi.repository import Atspi  # pylint: disable=import-outside-toplevel
        self.at = pyatspi
        self.atspi = Atspi
        # A program under an emulator answers slower than the 0.8 s libatspi waits for.
        Atspi.set_timeout(10000, START_SECONDS * 1000)
        self.program = program
        self.failures = []
        self.checks = 0
        self.events = []
        self.app = None
        self.window = None

    def expect(self, condition, message):
        self.checks += 1
        if not condition:
            self.failures.append(message)
            print("FAIL: " + message, flush=True)
        return condition

    def require(self, value, message):
        self.checks += 1
        if not value:
            raise Failure(message)
        return value

    # --- finding things -------------------------------------------------------------

    def find_application(self):
        def application():
            if self.program.poll() is not None:
                raise Failure("the program ended at start (status %s)" % self.program.returncode)
            for app in self.at.Registry.getDesktop(0):
                if app is not None and app.name == "Actuator Panel" and app.childCount > 0:
                    return app
            return None

        self.app = wait_for(application, START_SECONDS)
        self.require(self.app, "no application 'Actuator Panel' on the AT-SPI desktop "
                     "within %d s" % START_SECONDS)
        self.window = self.require(
            wait_for(lambda: self.child_where(self.app, name="Form1"), WAIT_SECONDS),
            "the application shows no window named Form1")

    def child_where(self, parent, role=None, name=None):
        for child in parent:
            if child is None:
                continue
            if (role is None or child.getRole() in role) and (name is None or child.name == name):
                return child
        return None

    def control(self, roles, name):
        found = wait_for(lambda: self.child_where(self.window, roles, name), WAIT_SECONDS)
        return self.require(found, "no %s named '%s' in Form1" % (
            " or ".join(self.role_name(r) for r in roles), name))

    def role_name(self, role):
        return self.atspi.role_get_name(role)

    def states(self, accessible):
        return accessible.getState()

    def text_of(self, accessible):
        return accessible.queryText().getText(0, -1)

    def action_named(self, accessible, wanted):
        action = accessible.queryAction()
        for i in range(action.nActions):
            if action.getName(i).lower() == wanted:
                return action, i
        return None, None

    def press(self, accessible):
        action, index = self.action_named(accessible, "press")
        self.require(action, "'%s' offers no Press action" % accessible.name)
        self.require(action.doAction(index), "the Press action of '%s' failed" % accessible.name)

    # --- the checks ---------------------------------------------------------------

    def check_controls(self):
        at = self.at
        for name in BUTTONS:
            button = self.control([at.ROLE_PUSH_BUTTON], name)
            self.expect(self.action_named(button, "press")[0] is not None,
                        "the button '%s' has no Press action" % name)
            self.expect(self.states(button).contains(at.STATE_FOCUSABLE),
                        "the button '%s' takes no focus" % name)

        self.target = self.control([at.ROLE_TEXT, at.ROLE_ENTRY], TARGET)
        self.speed = self.control([at.ROLE_TEXT, at.ROLE_ENTRY], SPEED)
        self.position = self.control([at.ROLE_TEXT, at.ROLE_ENTRY], POSITION)
        self.pressure = self.control([at.ROLE_TEXT, at.ROLE_ENTRY], PRESSURE)
        title = self.control([at.ROLE_TEXT, at.ROLE_ENTRY], TITLE)

        # The panel's own decimal separator, from the number the target box starts with.
        start = self.text_of(self.target)
        shape = re.fullmatch(r"0([.,])00", start)
        self.require(shape, "the target box starts with '%s', not 0.00 in any locale" % start)
        self.point = shape.group(1)
        self.zero = "0%s00" % self.point
        self.expect(self.text_of(self.speed) == "4%s8" % self.point,
                    "the speed box reads '%s' over AT-SPI, not 4%s8"
                    % (self.text_of(self.speed), self.point))

        for box in (self.target, self.speed):
            states = self.states(box)
            self.expect(states.contains(at.STATE_EDITABLE)
                        and not states.contains(at.STATE_READ_ONLY),
                        "the box '%s' is not editable over AT-SPI" % box.name)
        for readout, text in ((self.position, self.zero), (self.pressure, self.zero),
                              (title, TITLE)):
            self.expect(self.states(readout).contains(at.STATE_READ_ONLY),
                        "the readout '%s' is not read-only over AT-SPI" % readout.name)
            self.expect(self.text_of(readout) == text, "the readout '%s' reads '%s', not '%s'"
                        % (readout.name, self.text_of(readout), text))

        self.lists = [self.control([at.ROLE_LIST, at.ROLE_LIST_BOX], name) for name in LISTS]
        for log in self.lists:
            self.expect(log.childCount == 0, "the list '%s' starts with %d entries"
                        % (log.name, log.childCount))
        self.drawing = self.control([at.ROLE_IMAGE], DRAWING_CLOSED)

    def check_readouts_refuse_writes(self):
        """A readout keeps what the program wrote into it, whatever a client writes."""
        for readout in (self.position, self.pressure):
            try:
                editable = readout.queryEditableText()
            except NotImplementedError:
                continue
            editable.setTextContents("9%s99" % self.point)
            spin()
            self.expect(self.text_of(readout) == self.zero,
                        "the read-only readout '%s' took a text written over AT-SPI: '%s'"
                        % (readout.name, self.text_of(readout)))

    def type_into(self, box, text):
        self.require(box.queryEditableText().setTextContents(text),
                     "the box '%s' refused the text '%s'" % (box.name, text))
        self.expect(wait_for(lambda: self.text_of(box) == text, WAIT_SECONDS),
                    "the box '%s' reads '%s' after '%s' was typed"
                    % (box.name, self.text_of(box), text))

    def listen(self, event):
        # Only what the event itself carries: its source may be gone by the time it is read.
        self.events.append((event.type, event.source, event.any_data))

    def inserted_texts(self, source):
        return [data for kind, src, data in self.events
                if kind.startswith("object:text-changed:insert") and src == source]

    def number(self, text):
        return float(text.replace(self.point, "."))

    def check_move(self):
        at = self.at
        at.Registry.registerEventListener(self.listen, "object:text-changed:insert")
        goal = "0%s15" % self.point
        self.type_into(self.target, goal)
        self.type_into(self.speed, "10")
        self.events.clear()
        self.press(self.control([at.ROLE_PUSH_BUTTON], "Retract/Extend"))

        # The readouts, as often as a screen reader could ask, until they have stood still
        # for a while at the target.
        seen = {POSITION: [], PRESSURE: []}
        still_since = None
        deadline = time.monotonic() + WAIT_SECONDS + 10
        while time.monotonic() < deadline:
            spin()
            for readout, values in ((self.position, seen[POSITION]),
                                    (self.pressure, seen[PRESSURE])):
                text = self.text_of(readout)
                if not values or values[-1] != text:
                    values.append(text)
                    still_since = None
            if seen[POSITION][-1] == goal:
                still_since = still_since or time.monotonic()
                if time.monotonic() - still_since >= SETTLED_SECONDS:
                    break
            time.sleep(POLL_SECONDS)
        positions = seen[POSITION]
        self.expect(positions[-1] == goal, "the position readout reads '%s' over AT-SPI after "
                    "the move, not '%s' (read during it: %s)" % (positions[-1], goal, positions))
        moving = positions[1:-1]
        self.expect(len(moving) >= 3, "the position readout over AT-SPI showed %d values "
                    "between start and end of the move, not 3 or more: %s"
                    % (len(moving), positions))
        self.expect(self.is_monotonic(positions, rising=True),
                    "the position readout did not rise over AT-SPI: %s" % positions)
        pressures = seen[PRESSURE]
        self.expect(len(pressures) >= 3 and self.is_monotonic(pressures[1:], rising=False),
                    "the pressure readout did not fall over AT-SPI: %s" % pressures)

        # A screen reader learns of a change from the text-changed events.
        for readout, values in ((self.position, positions), (self.pressure, pressures)):
            inserted = self.inserted_texts(readout)
            self.expect(len(inserted) >= 3 and inserted[-1] == values[-1],
                        "the readout '%s' sent %d text-changed events over AT-SPI during "
                        "the move, the last %r, for its text '%s'"
                        % (readout.name, len(inserted), inserted[-1] if inserted else None,
                           values[-1]))
        return goal

    def is_monotonic(self, texts, rising):
        try:
            values = [self.number(t) for t in texts]
        except ValueError:
            return False
        pairs = list(zip(values, values[1:]))
        return all(b > a for a, b in pairs) if rising else all(b < a for a, b in pairs)

    def check_lists(self, goal):
        def entries(log):
            return [log.getChildAtIndex(i) for i in range(log.childCount)]

        filled = wait_for(lambda: all(log.childCount >= 2 for log in self.lists), WAIT_SECONDS)
        self.expect(filled, "the lists hold %s entries over AT-SPI %d s after the move, not "
                    "2 or more each" % ([log.childCount for log in self.lists], WAIT_SECONDS))
        positions, pressures = ([e.name for e in entries(log)] for log in self.lists)
        for log in self.lists:
            roles = {e.getRole() for e in entries(log)}
            self.expect(roles <= {self.at.ROLE_LIST_ITEM, self.at.ROLE_TABLE_CELL},
                        "the entries of '%s' are %s, not list items"
                        % (log.name, [self.role_name(r) for r in roles]))
        self.expect(len(positions) == len(pressures),
                    "the lists hold %d and %d samples over AT-SPI, not one pair each: %s, %s"
                    % (len(positions), len(pressures), positions, pressures))
        self.expect(self.is_monotonic(positions, rising=True)
                    and all(0 < self.number(p) <= self.number(goal) for p in positions),
                    "the position samples over AT-SPI are not the move's, in order: %s"
                    % positions)
        self.expect(self.is_monotonic(pressures, rising=False),
                    "the pressure samples over AT-SPI do not fall in order: %s" % pressures)

    def check_drawing(self):
        position = self.text_of(self.position)
        wanted = "Actuator drawing: rod at %s in" % position
        self.expect(self.drawing.name == wanted, "the drawing is named '%s' over AT-SPI, not "
                    "'%s'" % (self.drawing.name, wanted))
        self.expect(self.drawing.getRole() == self.at.ROLE_IMAGE,
                    "the drawing's role is %s" % self.drawing.getRoleName())

    def check_message_box(self):
        at = self.at
        self.type_into(self.target, "abc")
        self.press(self.control([at.ROLE_PUSH_BUTTON], "Retract/Extend"))
        box = self.require(
            wait_for(lambda: self.child_where(self.app, [at.ROLE_ALERT, at.ROLE_DIALOG]),
                     WAIT_SECONDS),
            "no alert or dialog on the AT-SPI desktop after Retract/Extend with the target "
            "'abc'")
        texts = list(self.descendants(box))
        self.expect(any(INVALID_TARGET in (a.name or "") for a in texts),
                    "the message box over AT-SPI does not say '%s': %s"
                    % (INVALID_TARGET, [a.name for a in texts]))
        buttons = [a for a in texts if a.getRole() == at.ROLE_PUSH_BUTTON]
        self.require(len(buttons) == 1, "the message box has %d buttons over AT-SPI, not one"
                     % len(buttons))
        ok = buttons[0]
        self.expect(ok.name == "OK", "the message box's button is named '%s'" % ok.name)
        self.expect(wait_for(lambda: self.states(ok).contains(at.STATE_FOCUSED), WAIT_SECONDS),
                    "the focus is not on the message box's OK button over AT-SPI")
        self.press(ok)
        gone = wait_for(lambda: self.child_where(self.app, [at.ROLE_ALERT, at.ROLE_DIALOG])
                        is None, WAIT_SECONDS)
        self.expect(gone, "the message box is still on the AT-SPI desktop after OK")
        self.expect(self.program.poll() is None, "the program ended with the message box")

    def descendants(self, accessible):
        for child in accessible:
            if child is not None:
                yield child
                yield from self.descendants(child)


def run(program_path, desktop):
    desktop.start_display()
    desktop.start_session_bus()
    address = desktop.start_accessibility_bus()
    program = desktop.start([program_path], {
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb"})
    for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
        os.environ[name] = desktop.env[name]
    os.environ["AT_SPI_BUS_ADDRESS"] = address

    reader = Reader(program)
    reader.find_application()
    reader.check_controls()
    reader.check_readouts_refuse_writes()
    goal = reader.check_move()
    reader.check_lists(goal)
    reader.check_drawing()
    reader.check_message_box()
    reader.require(program.poll() is None, "the program ended during the checks (status %s)"
                   % program.returncode)
    return reader


def main():
    if len(sys.argv) != 2:
        print("usage: read_over_atspi.py PROGRAM", file=sys.stderr)
        return 2
    program_path = os.path.abspath(sys.argv[1])
    missing = missing_tools()
    if missing:
        print("read_over_atspi: install these Debian packages first: " + " ".join(missing),
              file=sys.stderr)
        return 1

    def stop(signum, _frame):
        raise SystemExit(128 + signum)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, stop)
    become_subreaper()
    scratch = tempfile.mkdtemp(prefix="read-over-atspi-")
    desktop = Desktop(scratch)
    status = 1
    try:
        reader = run(program_path, desktop)
        if reader.failures:
            print("%d of %d checks failed" % (len(reader.failures), reader.checks))
        else:
            print("read_over_atspi: all %d checks passed" % reader.checks)
            status = 0
    except Failure as failure:
        print("FAIL: %s" % failure)
    finally:
        desktop.close()
        if status != 0:
            print("--- what the display, the buses and the program printed:\n"
                  + desktop.log_text(), end="")
        shutil.rmtree(scratch, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
