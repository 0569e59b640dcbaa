#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Checks the web build in this machine's Chromium, headless, as an operator meets it.

Serves the built folder on 127.0.0.1 and drives the page through ChromeDriver and the
DevTools protocol with real mouse and key events. The panel is read as a screen reader
reads it, from Chromium's accessibility tree: the boxes, the readouts, the lists, the
drawing and the message boxes, from the copy of the panel that the program keeps in the
page for screen readers; colours come from screenshots. It is also checked as an app that
installs and starts offline, and on a tablet used by touch. Nothing in the program is
there for the checks.
With --bench it measures instead of checking (see sizes() and bench()), with --profile it
tells where the page's time goes (see profile()).
Usage: check-web.py [--bench|--profile] WEB_BUILD"""
import base64
import functools
import gzip
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
# Where each control is drawn in the panel, in CSS pixels from its top left corner: x, y,
# width, height, as the desktop lays them out. The drawing area is shown open.
PLACES = {"retract": (120, 184, 105, 33), "reset": (304, 256, 49, 57),
          "stop": (288, 184, 81, 33), "save": (136, 256, 81, 33),
          "target": (88, 128, 113, 31), "mtrspd": (280, 128, 121, 31),
          "Text1": (80, 16, 473, 47), "Text2": (472, 128, 121, 31),
          "Text3": (472, 240, 121, 31), "Picture1": (168, 344, 313, 169),
          "Position Data Log": (56, 344, 97, 134), "Pressure Data Log": (496, 344, 105, 134)}
# The caption a screen reader gives each box, by the box's object name.
CAPTIONS = {"target": "Target Position (in)", "mtrspd": "Lead Screw Speed (RPM)",
            "Text2": "current position (in.)", "Text3": "Current Pressure (psi)"}

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
        if without_wasm:
            # A browser that has no WebAssembly, as some locked-down ones are set up.
            self.cdp("Page.addScriptToEvaluateOnNewDocument",
                     {"source": "delete globalThis.WebAssembly;"})
        self.opened = time.monotonic()
        self.driver.get(url)
        if wait:
            self.wait_until_shown()
            self.cdp("Accessibility.enable", {})

    def wait_until_shown(self, seconds=60):
        self.wait_for("!document.getElementById('panel').hidden && "
                      "document.getElementById('status').hidden && "
                      f"{SHADOW} && {SHADOW}.querySelector('canvas') && "
                      "document.getElementById('readings')", seconds)

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

    def box(self, name):
        """Where the control is on the page: x, y, width, height in CSS pixels."""
        x, y, w, h = PLACES[name]
        origin = self.panel_origin()
        return [origin[0] + x, origin[1] + y, w, h]

    def centre(self, name):
        x, y, w, h = self.box(name)
        return [x + w / 2, y + h / 2]

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
        self.type_keys(text)

    def type_keys(self, text):
        for c in text:
            self.key(c, "", text=c, vk=ord(c.upper()) if c.isalnum() else 0)

    def accessible_nodes(self):
        """Chromium's accessibility tree of the page, as a screen reader gets it: the nodes
        by id, each with the ids of its children that are not ignored."""
        nodes = {n["nodeId"]: n for n in self.cdp("Accessibility.getFullAXTree", {})["nodes"]}

        def shown_children(node):
            for child in (nodes[c] for c in node.get("childIds", []) if c in nodes):
                if child.get("ignored"):
                    yield from shown_children(child)
                else:
                    yield child["nodeId"]
        for node in nodes.values():
            node["shown"] = list(shown_children(node))
        return {k: n for k, n in nodes.items() if not n.get("ignored")}

    def accessible(self, role, name=None, nodes=None):
        """The first node of the role (with the name, if one is given), or None."""
        for node in (nodes or self.accessible_nodes()).values():
            if ax_value(node, "role") == role and name in (None, ax_value(node, "name")):
                return node
        return None

    def read(self, name):
        """The text of a box, as a screen reader reads it."""
        node = self.accessible("textbox", CAPTIONS[name])
        return None if node is None else ax_value(node, "value")

    def read_list(self, caption):
        """Every entry of a list, from the first down, as a screen reader reads them."""
        nodes = self.accessible_nodes()
        found = self.accessible("list", caption, nodes)
        if found is None:
            return None
        return [" ".join(spoken_texts(nodes, nodes[i])) for i in found["shown"]
                if ax_value(nodes[i], "role") == "listitem"]

    def ok_centre(self):
        """Where the open message box draws its OK: 55 and 26 CSS pixels in from the box's
        bottom right corner, as Qt lays out a box with one button."""
        x, y, w, h = self.js(f"(() => {{ const boxes = {SHADOW}.querySelectorAll('.qt-window'); "
                             "const r = boxes[boxes.length - 1].getBoundingClientRect(); "
                             "return [r.x, r.y, r.width, r.height]; })()")
        return [x + w - 55, y + h - 26]

    def wait_to_read(self, name, text, seconds):
        end = time.monotonic() + seconds
        while self.read(name) != text and time.monotonic() < end:
            time.sleep(0.1)

    def message(self):
        """The text of the message box that is open, or None."""
        node = self.accessible("alertdialog")
        return None if node is None else ax_value(node, "description")

    def answer_ok(self):
        self.key("Enter", "Enter", text="\r", vk=13)

    def screenshot(self):
        return Image.open(io.BytesIO(base64.b64decode(
            self.cdp("Page.captureScreenshot", {})["data"]))).convert("RGB")

    def panel_origin(self):
        return self.js("(() => { const r = document.getElementById('panel')"
                       ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")


def ax_value(node, field):
    return node.get(field, {}).get("value")


def ax_property(node, name):
    return next((p["value"].get("value") for p in node.get("properties", [])
                 if p["name"] == name), None)


def spoken_texts(nodes, node):
    """The static texts inside a node, in order, as a screen reader speaks them."""
    if ax_value(node, "role") == "StaticText":
        return [ax_value(node, "name")]
    return [t for i in node["shown"] for t in spoken_texts(nodes, nodes[i])]


def pixel(image, origin, x, y):
    return image.getpixel((round(origin[0] + x), round(origin[1] + y)))


# What a screen reader finds of the panel as the page opens, role and name.
SPOKEN_AT_START = sorted([
    ("button", "Retract/Extend"), ("button", "Reset List Data"), ("button", "STOP"),
    ("button", "Save"), ("heading", "Interactive Position Control Panel"),
    ("heading", "Position Data Log"), ("heading", "Pressure Data Log"),
    ("list", "Position Data Log"), ("list", "Pressure Data Log"),
    ("textbox", "Target Position (in)"), ("textbox", "Lead Screw Speed (RPM)"),
    ("textbox", "current position (in.)"), ("textbox", "Current Pressure (psi)"),
    ("image", "Actuator drawing: closed until the first move")])
SPOKEN_ROLES = {role for role, _ in SPOKEN_AT_START} | {"alertdialog", "canvas"}


def spoken_controls(page):
    return sorted((ax_value(n, "role"), ax_value(n, "name"))
                  for n in page.accessible_nodes().values() if ax_value(n, "role") in SPOKEN_ROLES)


def check_screen_reader(url):
    """The panel as a screen reader gets it from Chromium's accessibility tree, with nothing
    pressed first: each control by its role and caption and nothing of the canvas, the
    boxes' and readouts' texts, the lists' entries and the drawing's words kept up to date,
    and a message box as an alert dialog with the focus on its OK."""
    page = Page(url)
    try:
        check("what a screen reader finds as the page opens", spoken_controls(page),
              SPOKEN_AT_START)
        boxes = {name: page.accessible("textbox", caption) for name, caption in CAPTIONS.items()}
        check("which boxes are read-only",
              {name: ax_property(node, "readonly") for name, node in boxes.items()},
              {"target": False, "mtrspd": False, "Text2": True, "Text3": True})
        check("no readout speaks on its own",
              [ax_property(boxes[name], "live") for name in ("Text2", "Text3")], [None, None])
        page.type_into("mtrspd", "10")
        # 0.15 inch at 10 RPM: the drawing opens in 0.6 s, the move takes 4.5 s more, and a
        # sample is logged at 2 s and at 4 s.
        page.type_into("target", "0.15")
        page.click("retract")
        time.sleep(6.5)
        position, pressure = page.read("Text2"), page.read("Text3")
        check("position and pressure read after a move",
              (abs(float(position) - 0.15) < 1e-9,
               abs(float(pressure) - (5860 - 2016 * (float(position) - 0.001))) < 1e-6),
              (True, True))
        check("the drawing's words after a move", ax_value(page.accessible("image"), "name"),
              f"Actuator drawing: rod at {position} in")
        positions = page.read_list("Position Data Log")
        pressures = page.read_list("Pressure Data Log")
        print(f"     lists read: {positions} {pressures}")
        check("both lists read, one sample each 2 s", (len(positions), len(pressures)), (2, 2))
        page.type_into("mtrspd", "fast")
        page.click("retract")
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length > 1", 5)
        nodes = page.accessible_nodes()
        dialog = page.accessible("alertdialog", nodes=nodes)
        # The page itself counts as focused too, around the element that has the focus.
        focused = [(ax_value(n, "role"), ax_value(n, "name")) for n in nodes.values()
                   if ax_property(n, "focused") and ax_value(n, "role") != "RootWebArea"]
        check("a message box as a screen reader gets it",
              (ax_value(dialog, "name"), ax_value(dialog, "description"), focused),
              ("Actuator Panel", "Enter a valid motor speed", [("button", "OK")]))
        page.answer_ok()
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length == 1", 5)
        check("no alert dialog once OK is pressed", page.message(), None)
    finally:
        page.close()


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
        # The title in its own face, EB Garamond, ends well short of its box's right end;
        # a wider stand-in face would run on to it.
        tail = shot.crop((round(origin[0] + 480), round(origin[1] + 20),
                          round(origin[0] + 548), round(origin[1] + 58))).convert("L")
        check("the title's text ends short of its box", tail.getextrema()[1] < 128, True)

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
        boxes = {name: page.box(name) for name in TAB_ORDER}
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


def check_offline(folder):
    """The page as an installed app: Chromium finds nothing that stops its install, and
    after one visit it starts and moves with the server gone and the HTTP cache cleared.
    Served by a server of its own, which the check stops."""
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_port}/"
    page = Page(url)
    try:
        errors = page.cdp("Page.getInstallabilityErrors", {})["installabilityErrors"]
        check("what stops the page's install as an app", errors, [])
        manifest = page.js("fetch('manifest.webmanifest').then(r => r.json())")
        check("the app's name and display", (manifest["name"], manifest["display"]),
              ("Actuator Panel", "standalone"))
        try:
            page.wait_for("navigator.serviceWorker.controller !== null", 20)
        except TimeoutError:
            pass
        kept = page.js("caches.keys().then(names => Promise.all(names.map(n => caches.open(n)"
                       ".then(c => c.keys())))).then(lists => lists.flat().length)")
        check("files the service worker keeps", kept, 10)
        server.shutdown()
        server.server_close()
        page.cdp("Network.clearBrowserCache", {})
        page.driver.refresh()
        try:  # with nothing kept, the browser shows its own error page instead
            page.wait_until_shown(20)
            shown = True
        except Exception:
            shown = False
        check("the panel shown after a reload with no server", shown, True)
        if not shown:
            return
        page.cdp("Accessibility.enable", {})
        page.type_into("mtrspd", "10")
        page.type_into("target", "0.02")
        page.click("retract")
        page.wait_to_read("Text2", "0.02", 10)
        check("position after a move with no server", page.read("Text2"), "0.02")
    finally:
        page.close()


def tap_at(page, x, y):
    point = {"x": x, "y": y, "radiusX": 4, "radiusY": 4, "force": 1, "id": 1}
    page.cdp("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [point]})
    page.cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def check_tablet(url):
    """The panel on a 768 by 1024 tablet held upright, used with a finger: it shows whole
    without scrolling, a tap puts typed digits in a box, a tap starts the move, and a tap
    on OK closes a message box."""
    page = Page(url, wait=False)
    try:
        page.cdp("Emulation.setDeviceMetricsOverride",
                 {"width": 768, "height": 1024, "deviceScaleFactor": 1, "mobile": True})
        page.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        page.driver.refresh()
        page.wait_until_shown()
        page.cdp("Accessibility.enable", {})
        check("the page's size on the tablet, and what scrolls",
              page.js("[innerWidth, innerHeight, document.documentElement.scrollWidth, "
                      "document.documentElement.scrollHeight]"), [768, 1024, 768, 1024])
        x, y, w, h = page.panel_origin()
        check("the whole panel inside the tablet's screen", x >= 0 and y >= 0 and
              x + w <= 768 and y + h <= 1024, True)
        for name, digits in (("mtrspd", "10"), ("target", "0.03")):
            tap_at(page, *page.centre(name))
            page.key("End", "End", vk=35)
            for _ in range(8):
                page.key("Backspace", "Backspace", vk=8)
            page.type_keys(digits)
        check("the boxes after taps and digits", (page.read("mtrspd"), page.read("target")),
              ("10", "0.03"))
        tap_at(page, *page.centre("retract"))
        page.wait_to_read("Text2", "0.03", 10)
        check("position after a tap on Retract/Extend", page.read("Text2"), "0.03")
        tap_at(page, *page.centre("mtrspd"))
        page.key("x", "KeyX", text="x", vk=88)
        tap_at(page, *page.centre("retract"))
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length > 1", 5)
        check("message after a tap with a letter in the speed", page.message(),
              "Enter a valid motor speed")
        tap_at(page, *page.ok_centre())
        page.wait_for(f"{SHADOW}.querySelectorAll('.qt-window').length == 1", 5)
        check("no message box after a tap on OK", page.message(), None)
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
    process's CPU per tick, also against a page that only paints a canvas, and the time
    from opening the page to the panel shown."""
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
            if period == 30:
                tick_cpu = cpu / steps
            page.type_into("target", "0.01")
            page.type_into("mtrspd", "10")
            page.click("retract")
            time.sleep(0.5 + (place - start) * 30)
            start = float(page.read("Text2"))
    finally:
        page.close()
    floor = canvas_only_cpu()
    print(f"web-bench: a page with only a canvas painted on each 30 ms tick: {1e6 * floor:.0f} µs "
          f"per tick; the panel's 30 ms tick / that {tick_cpu / floor:.2f}")


# A page with nothing but a canvas of the panel's size, whose drawing area's part is
# painted anew on each 30 ms tick: what the browser itself spends on a tick's frame.
CANVAS_ONLY = """<!doctype html><canvas width="642" height="558"></canvas><script>
const canvas = document.querySelector('canvas').getContext('2d');
const part = canvas.createImageData(313, 169);
let tick = 0;
setInterval(() => {
  tick++;
  for (let i = 0; i < part.data.length; i += 4) { part.data[i] = tick + i; part.data[i + 3] = 255; }
  requestAnimationFrame(() => canvas.putImageData(part, 168, 344));
}, 30);
</script>"""


def canvas_only_cpu(seconds=10):
    """The renderer's CPU per 30 ms tick of CANVAS_ONLY, in seconds."""
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "index.html"), "w") as f:
            f.write(CANVAS_ONLY)
        server = serve(folder)
        page = Page(f"http://127.0.0.1:{server.server_port}/", wait=False)
        try:
            time.sleep(2)
            cpu = renderer_cpu_seconds()
            time.sleep(seconds)
            return (renderer_cpu_seconds() - cpu) * 0.03 / seconds
        finally:
            page.close()
            server.shutdown()


def sizes(folder):
    """The program's download as built and compressed, against the goals."""
    with open(os.path.join(folder, "actuator-panel.wasm"), "rb") as f:
        wasm = f.read()
    mib = 1024 * 1024
    for what, size, goal in (
            ("as built", len(wasm), None),
            ("gzip -9", len(gzip.compress(wasm, 9, mtime=0)), 4.3),
            ("brotli -q 11", len(subprocess.run(["brotli", "-q", "11", "-c"], input=wasm,
                                                capture_output=True, check=True).stdout), 3.2)):
        verdict = "" if goal is None else f" (goal {goal} MiB: {'met' if size <= goal * mib else 'NOT met'})"
        print(f"web-bench: actuator-panel.wasm {what}: {size} bytes, {size / mib:.2f} MiB{verdict}")


def profile(url, seconds=10):
    """Where the page's main thread spends its time during a move at 30 ms a step:
    Chromium's sampling profiler, each function's own time, the largest first. A build
    with function names (make web WEB_FUNCTION_NAMES=1) names the program's functions."""
    page = Page(url)
    try:
        page.type_into("mtrspd", "10")
        page.type_into("target", "3.3")
        page.click("retract")
        time.sleep(1)  # the drawing area opens first
        page.cdp("Profiler.enable", {})
        page.cdp("Profiler.setSamplingInterval", {"interval": 200})
        page.cdp("Profiler.start", {})
        time.sleep(seconds)
        nodes = page.cdp("Profiler.stop", {})["profile"]["nodes"]
    finally:
        page.close()
    own = {}
    for node in nodes:
        name = node["callFrame"]["functionName"] or "(anonymous)"
        own[name] = own.get(name, 0) + node.get("hitCount", 0)
    total = sum(own.values()) or 1
    print(f"web-profile: {total} samples of 0.2 ms in {seconds} s of a move at 30 ms a step")
    for name, hits in sorted(own.items(), key=lambda item: -item[1])[:25]:
        print(f"web-profile: {100 * hits / total:5.1f} %  {name[:100]}")


def main():
    args = sys.argv[1:]
    bench_mode = args[:1] == ["--bench"]
    profile_mode = args[:1] == ["--profile"]
    if bench_mode or profile_mode:
        args = args[1:]
    folder = args[0]
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_port}/"
    version = subprocess.run([CHROMIUM, "--version"], capture_output=True, text=True).stdout
    print(f"web-test: {version.strip()}, the page at {url}")
    if bench_mode:
        sizes(folder)
        bench(url)
        return 0
    if profile_mode:
        profile(url)
        return 0
    check_screen_reader(url)
    with tempfile.TemporaryDirectory() as downloads:
        check_start_and_move(url, downloads)
    check_german(url)
    check_tab_order(url)
    check_dark_mode(url)
    check_refusals(url, folder)
    check_tablet(url)
    check_offline(folder)
    if failures:
        print(f"web-test: FAILED {len(failures)}: {', '.join(failures)}")
        return 1
    print("web-test: PASSED")
    return 0


if __name__ == "__main__":
    sys.exit(main())
