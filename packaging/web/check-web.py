#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Checks the web build in this machine's Chromium, headless, as an operator meets it.

Serves the built folder on 127.0.0.1 and drives the page through ChromeDriver and the
DevTools protocol with real mouse and key events. The panel is read as a person reads it:
a readout or a list entry is clicked and copied (Ctrl+A, Ctrl+C) and the clipboard read,
the message boxes' texts come from the page's accessibility elements that Qt keeps for
screen readers, and colours from screenshots. Nothing in the program is there for it.
With --bench it measures instead of checking (see bench()).
Usage: check-web.py [--bench] WEB_BUILD"""
import base64
import functools
import http.server
import io
import os
import subprocess
import sys
import tempfile
import threading
import time

from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Without the network flags Chromium keeps reaching for hosts this machine cannot reach.
FLAGS = ("--headless=new --no-sandbox --disable-gpu --disable-quic --no-first-run "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--window-size=900,800 --force-color-profile=srgb").split()
SHADOW = "document.querySelector('#qt-shadow-container').shadowRoot"

failures = []


def check(what, got, expected):
    ok = got == expected
    print(f"{'ok  ' if ok else 'FAIL'} {what}: {got!r}" + ("" if ok else f", expected {expected!r}"))
    if not ok:
        failures.append(what)


class Handler(http.server.SimpleHTTPRequestHandler):
    # Browsers compile WebAssembly as it streams in only when it comes as application/wasm.
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Page:
    """One browser with the page open; the panel's controls by their object names."""

    def __init__(self, url, lang="en-US", extra=(), scale=1, wait=True, downloads=None,
                 without_wasm=False):
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in FLAGS + [f"--force-device-scale-factor={scale}", f"--lang={lang}",
                             *extra]:
            options.add_argument(flag)
        self.profile = tempfile.TemporaryDirectory()
        options.add_argument("--user-data-dir=" + self.profile.name)
        options.add_experimental_option("prefs", {"intl.accept_languages": lang})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.cdp = self.driver.execute_cdp_cmd
        if downloads:
            self.cdp("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        origin = url.split("/", 3)
        if url.startswith("http"):
            self.cdp("Browser.grantPermissions", {
                "origin": "/".join(origin[:3]),
                "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        if without_wasm:
            # A browser that has no WebAssembly, as some locked-down ones are set up.
            self.cdp("Page.addScriptToEvaluateOnNewDocument",
                     {"source": "delete globalThis.WebAssembly;"})
        self.opened = time.monotonic()
        self.driver.get(url)
        if wait:
            self.wait_for("!document.getElementById('panel').hidden && "
                          "document.getElementById('status').hidden && "
                          f"{SHADOW} && {SHADOW}.querySelector('canvas')", 60)
            # The page's hidden "Enable Screen Reader" button, as a screen reader user finds it.
            self.wait_for(f"{SHADOW}.querySelector('button')", 10)
            self.js(f"{SHADOW}.querySelector('button').click()")
            self.wait_for(f"{SHADOW}.getElementById('QApplication.Form1.retract')", 10)

    def close(self):
        self.driver.quit()
        self.profile.cleanup()

    def js(self, script, *args):
        return self.driver.execute_script("return " + script, *args)

    def wait_for(self, condition, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.js(condition):
                return True
            time.sleep(0.05)
        raise TimeoutError(f"the page never met: {condition}")

    def centre(self, name):
        # Qt names a control's element by its object name, a list's by its accessible name.
        return self.js(f"(() => {{ const r = ({SHADOW}.getElementById('QApplication.Form1.' + "
                       f"arguments[0]) || {SHADOW}.getElementById(arguments[0]))"
                       ".getBoundingClientRect(); "
                       "return [r.x + r.width / 2, r.y + r.height / 2]; })()", name)

    def click_at(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.cdp("Input.dispatchMouseEvent",
                     {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def click(self, name):
        self.click_at(*self.centre(name))

    def key(self, key, code, modifiers=0, text=None, vk=0):
        down = {"type": "keyDown", "key": key, "code": code, "modifiers": modifiers,
                "windowsVirtualKeyCode": vk}
        if text:
            down["text"] = text
        self.cdp("Input.dispatchKeyEvent", down)
        self.cdp("Input.dispatchKeyEvent", {"type": "keyUp", "key": key, "code": code,
                                            "modifiers": modifiers, "windowsVirtualKeyCode": vk})

    def ctrl(self, letter):
        self.key(letter, "Key" + letter.upper(), 2, vk=ord(letter.upper()))

    def type_into(self, name, text):
        """Clicks a text box, selects all of it and types the text over it."""
        self.click(name)
        self.ctrl("a")
        if not text:
            self.key("Delete", "Delete", vk=46)
        for c in text:
            self.key(c, "", text=c, vk=ord(c.upper()) if c.isalnum() else 0)

    def clipboard(self):
        return self.driver.execute_async_script(
            "const done = arguments[0]; navigator.clipboard.readText().then(done, e => done(null));")

    def read(self, name):
        """The text of a box, as the operator copies it."""
        self.js("navigator.clipboard.writeText('')")
        self.click(name)
        self.ctrl("a")
        self.ctrl("c")
        time.sleep(0.1)
        return self.clipboard()

    def read_list(self, name):
        """Every entry of a list, from the first down, each copied. Down on the last entry
        stays there, so a copy that repeats the entry before ends the list: the samples of
        a move never repeat one another."""
        entries = []
        self.click(name)
        self.key("Home", "Home", vk=36)
        while len(entries) < 1000:
            self.js("navigator.clipboard.writeText('')")
            self.ctrl("c")
            time.sleep(0.05)
            text = self.clipboard()
            if not text or (entries and text == entries[-1]):
                break
            entries.append(text)
            self.key("ArrowDown", "ArrowDown", vk=40)
        return entries

    def message(self):
        """The text of the message box that is open, or None."""
        return self.js(f"(() => {{ const w = {SHADOW}.querySelectorAll('.qt-window'); "
                       "for (const e of w) { const a = e.querySelector('.qt-window-a11y-container');"
                       " if (a && !a.querySelector('[id=\"QApplication.Form1\"]')) {"
                       " const t = Array.from(a.querySelectorAll('textarea, div'))"
                       ".map(x => x.textContent).filter(x => x && x !== 'OK'"
                       " && x !== 'Actuator Panel'); return t.join(' '); } } return null; })()")

    def answer_ok(self):
        self.key("Enter", "Enter", text="\r", vk=13)

    def screenshot(self):
        return Image.open(io.BytesIO(base64.b64decode(
            self.cdp("Page.captureScreenshot", {})["data"]))).convert("RGB")

    def panel_origin(self):
        return self.js("(() => { const r = document.getElementById('panel')"
                       ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")


def pixel(image, origin, x, y):
    return image.getpixel((round(origin[0] + x), round(origin[1] + y)))


def check_start_and_move(url, downloads):
    # Chromium offers a saved file through its "Save as" picker, which a headless browser
    # cannot answer; without the picker the page offers it as a download, as other
    # browsers do.
    page = Page(url, downloads=downloads,
                extra=["--disable-blink-features=FileSystemAccessLocal,FileSystemAccess"])
    try:
        check("page title", page.driver.title, "Actuator Panel")
        check("panel size in CSS pixels", page.panel_origin()[2:], [642, 558])
        check("target at start", page.read("target"), "0.00")
        check("speed at start", page.read("mtrspd"), "4.8")
        check("position at start", page.read("Text2"), "0.00")
        check("pressure at start", page.read("Text3"), "0.00")
        origin = page.panel_origin()
        shot = page.screenshot()
        # One pixel of each colour the panel is drawn in, clear of any text.
        for what, x, y, colour in (("window", 10, 10, (0, 0, 64)),
                                   ("heading", 195, 117, (128, 255, 255)),
                                   ("readout", 577, 148, (224, 224, 224)),
                                   ("list", 146, 469, (255, 255, 255)),
                                   ("title", 530, 51, (0, 0, 0))):
            check(f"colour of the {what}", pixel(shot, origin, x, y), colour)
        check("page around the panel", pixel(shot, origin, -20, 10) != (0, 0, 64), True)

        # Bad inputs, each with its message, and the box waits for OK.
        for what, box, text, message in (
                ("letters in the speed", "mtrspd", "4x8", "Enter a valid motor speed"),
                ("an empty target", "target", "", "Enter a valid target position")):
            page.type_into(box, text)
            page.click("retract")
            page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length > 1", 5)
            check(f"message for {what}", page.message(), message)
            page.answer_ok()
            page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length == 1", 5)
            page.type_into(box, {"mtrspd": "4.8", "target": "0.00"}[box])

        # Too fast: the warning waits for OK before the move starts.
        page.type_into("mtrspd", "20")
        page.type_into("target", "0.1")
        origin = page.panel_origin()
        readout = (origin[0] + 472, origin[1] + 128, origin[0] + 585, origin[1] + 153)
        page.click("retract")
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length > 1", 5)
        check("message for too fast a speed", page.message(), "Warning: Infeasible motor speed")
        before = page.screenshot().crop(readout).tobytes()
        time.sleep(1.5)
        check("the move waits while the warning is open",
              page.screenshot().crop(readout).tobytes() == before, True)
        page.answer_ok()
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length == 1", 5)
        time.sleep(3)
        check("position after the warning's move", page.read("Text2"), "0.1")
        page.click("reset")

        # A move of one inch at 10 RPM: 1000 steps of 30 ms; a sample every 2 s.
        page.type_into("mtrspd", "10")
        page.type_into("target", "1")
        page.click("retract")
        time.sleep(2)
        page.click("save")
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length > 1", 5)
        check("Save during a move", page.message(), "Stop program before saving!")
        page.answer_ok()
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length == 1", 5)
        time.sleep(30)
        check("position after the move", page.read("Text2"), "1")
        # The pressure readout shows the place before the last step, as on the desktop.
        check("pressure after the move", page.read("Text3"), "3846.016")
        positions = page.read_list("Position Data Log")
        pressures = page.read_list("Pressure Data Log")
        print(f"     {len(positions)} samples: {positions[:3]} ... {pressures[:3]} ...")
        # 0.9 inch in 27 s: 13 samples, give or take the browser's timing.
        check("samples in each list", (len(positions) == len(pressures), 11 <= len(positions) <= 15),
              (True, True))
        steps = [round(float(b) * 1000) - round(float(a) * 1000)
                 for a, b in zip(positions, positions[1:])]
        print(f"     steps between samples: {steps}")
        check("each sample further out than the one before", all(s > 0 for s in steps), True)
        check("pressure of each sample",
              all(abs(float(pres) - (5860 - 2016 * (float(pos) - 0.001))) < 1e-6
                  for pos, pres in zip(positions, pressures)), True)
        page.click("save")
        target = os.path.join(downloads, "TESTFILE.txt")
        for _ in range(100):
            if os.path.exists(target):
                break
            time.sleep(0.1)
        with open(target, "rb") as f:
            content = f.read()
        expected = b"".join(f"{a}\t{b}\r\n".encode() for a, b in zip(positions, pressures))
        check("downloaded TESTFILE.txt holds the lists", content, expected)
        check("no box after Save", page.message(), None)
    finally:
        page.close()


def check_german(url):
    page = Page(url, lang="de-DE")
    try:
        check("German target at start", page.read("target"), "0,00")
        check("German speed at start", page.read("mtrspd"), "4,8")
        page.type_into("target", "0,05")
        page.type_into("mtrspd", "10")
        page.click("retract")
        time.sleep(3)
        check("German position after a move to 0,05", page.read("Text2"), "0,05")
    finally:
        page.close()


# The desktop's tab order; the labels take no focus.
TAB_ORDER = ("retract", "reset", "stop", "target", "Position Data Log", "Pressure Data Log",
             "save", "Text1", "Picture1", "Text2", "Text3", "mtrspd")


def changed_outside(before, after, box):
    """The box around the pixels that changed outside `box` (x, y, width, height), or None."""
    x, y, w, h = box
    masked = []
    for shot in (before, after):
        shot = shot.copy()
        shot.paste((0, 0, 0), (round(x) - 4, round(y) - 4, round(x + w) + 4, round(y + h) + 4))
        masked.append(shot)
    return ImageChops.difference(*masked).getbbox()


def check_tab_order(url):
    """Tab walks the controls in the desktop's order, round to the first again. Each press
    moves the focus frame or the caret from one control to the next: what changes on the
    screen, outside the control that had the focus, lies inside the one that takes it."""
    page = Page(url)
    try:
        # A move that opens the drawing area and logs a sample, so that each list shows
        # its focus on its first entry; the focus is then on the button.
        page.type_into("mtrspd", "10")
        page.type_into("target", "0.1")
        page.click("retract")
        time.sleep(4)
        boxes = {name: page.js(f"(() => {{ const r = ({SHADOW}.getElementById("
                               "'QApplication.Form1.' + arguments[0]) || "
                               f"{SHADOW}.getElementById(arguments[0])).getBoundingClientRect();"
                               " return [r.x, r.y, r.width, r.height]; })()", name)
                 for name in TAB_ORDER}
        # Qt's element for the drawing area keeps the height of one pixel it had at start;
        # open, the area is 169 pixels high.
        boxes["Picture1"][3] = 169
        walked = []
        for i in range(len(TAB_ORDER)):
            had, takes = TAB_ORDER[i], TAB_ORDER[(i + 1) % len(TAB_ORDER)]
            before = page.screenshot()
            page.key("Tab", "Tab", vk=9)
            time.sleep(0.3)
            changed = changed_outside(before, page.screenshot(), boxes[had])
            x, y, w, h = boxes[takes]
            inside = changed is not None and (x - 4 <= changed[0] and y - 4 <= changed[1] and
                                              changed[2] <= x + w + 4 and changed[3] <= y + h + 4)
            walked.append(takes if inside else f"{takes}? (changed {changed})")
        check("Tab order", walked, list(TAB_ORDER[1:] + TAB_ORDER[:1]))
    finally:
        page.close()


def check_dark_mode(url):
    """The browser turning dark while the page is open: the buttons turn dark, the boxes
    keep their light backgrounds with black text; turning light again gives the page back
    as it was."""
    page = Page(url)
    try:
        light = page.screenshot()
        origin = page.panel_origin()
        for scheme in ("dark", "light"):
            page.cdp("Emulation.setEmulatedMedia",
                     {"features": [{"name": "prefers-color-scheme", "value": scheme}]})
            time.sleep(1)
            if scheme == "dark":
                dark = page.screenshot()
                button = pixel(dark, origin, 125, 190)
                check("button face in dark mode is dark", max(button) < 96, True)
                box = dark.crop((round(origin[0] + 88), round(origin[1] + 133),
                                 round(origin[0] + 190), round(origin[1] + 150)))
                check("target box in dark mode: white with black text",
                      (box.getpixel((80, 8)), min(min(p) for p in box.getdata()) < 48),
                      ((255, 255, 255), True))
        check("light again as at the start", ImageChops.difference(light, page.screenshot())
              .getbbox(), None)
    finally:
        page.close()


def check_refusals(url, folder):
    page = Page(f"file://{os.path.abspath(folder)}/index.html", wait=False)
    try:
        time.sleep(1)
        text = page.js("document.getElementById('message').textContent")
        check("page opened as a file says how to serve it",
              "opened as a file" in text and "python3 -m http.server" in text, True)
    finally:
        page.close()
    page = Page(url, wait=False, without_wasm=True)
    try:
        time.sleep(1)
        text = page.js("document.getElementById('message').textContent")
        check("page without WebAssembly says so", "has no WebAssembly" in text, True)
    finally:
        page.close()


def renderer_cpu_seconds():
    """CPU time so far of Chromium's page processes (the renderers), in seconds."""
    total = 0
    for pid in os.listdir("/proc"):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                if b"--type=renderer" not in f.read():
                    continue
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except OSError:
            pass
    return total / os.sysconf("SC_CLK_TCK")


def bench(url):
    """The move's time against its nominal time at a 30 ms and a 1 ms period, the page
    process's CPU per tick, and the time from opening the page to the panel shown."""
    opened = time.monotonic()
    page = Page(url)
    shown = page.js("performance.now()")
    print(f"web-bench: page opened to panel shown: {shown:.0f} ms "
          f"(by the page's clock; {1000 * (time.monotonic() - opened):.0f} ms with the "
          "browser's own start)")
    try:
        # A first short move opens the drawing area, so that the timed moves are all steps.
        page.type_into("mtrspd", "10")
        page.type_into("target", "0.01")
        page.click("retract")
        time.sleep(3)
        start = float(page.read("Text2"))
        for rpm, period, seconds in (("10", 30, 15.0), ("300", 1, 2.0)):
            page.type_into("mtrspd", rpm)
            page.type_into("target", "3.3")
            page.click("retract")
            if rpm != "10":  # above 10 RPM the warning comes first, and the move starts at OK
                page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length > 1", 5)
            cpu = renderer_cpu_seconds()
            began = time.monotonic()
            if rpm != "10":
                page.answer_ok()
            time.sleep(seconds)
            # A readout that changes on every tick cannot be copied: STOP first.
            page.click("stop")
            elapsed = time.monotonic() - began
            cpu = renderer_cpu_seconds() - cpu
            place = float(page.read("Text2"))
            steps = round((place - start) * 1000)
            ratio = elapsed * 1000 / period / steps
            print(f"web-bench: {period} ms period ({rpm} RPM): {steps} steps in {elapsed:.3f} s; "
                  f"move time / nominal {ratio:.4f}; page process CPU {1e6 * cpu / steps:.0f} µs "
                  f"per tick, {100 * cpu / elapsed:.1f} % of a core")
            page.type_into("target", "0.01")
            page.type_into("mtrspd", "10")
            page.click("retract")
            time.sleep(0.5 + (place - start) * 30)
            start = float(page.read("Text2"))
    finally:
        page.close()


def main():
    args = sys.argv[1:]
    bench_mode = args[:1] == ["--bench"]
    if bench_mode:
        args = args[1:]
    folder = args[0]
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_port}/"
    version = subprocess.run([CHROMIUM, "--version"], capture_output=True, text=True).stdout
    print(f"web-test: {version.strip()}, the page at {url}")
    if bench_mode:
        bench(url)
        return 0
    with tempfile.TemporaryDirectory() as downloads:
        check_start_and_move(url, downloads)
    check_german(url)
    check_tab_order(url)
    check_dark_mode(url)
    check_refusals(url, folder)
    if failures:
        print(f"web-test: FAILED {len(failures)}: {', '.join(failures)}")
        return 1
    print("web-test: PASSED")
    return 0


if __name__ == "__main__":
    sys.exit(main())
