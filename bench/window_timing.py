#!/usr/bin/python3
"""Times the steps of issue-sized pictures in the real window, as a user
feels them: from the input event to the change on the screen, by polling
screenshots. Needs ../shared/tools/gui/kalvo_gui.py and its packages.

    bench/window_timing.py BUILD_DIR PICTURE.bmp [--busy]

Prints one line per step (seconds) and the resident memory of the program
after it as a multiple of the picture's bytes. --busy runs two processes
that keep both cores busy during the stroke.
"""
import ctypes
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared", "tools", "gui"))
import kalvo_gui as kg  # noqa: E402


class Input:
    """XTEST events sent at once, so that the time starts at the event."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.dpy = self.x11.XOpenDisplay(display.encode())

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, int(x), int(y), 0)
        self.x11.XFlush(self.dpy)

    def button(self, number, down):
        self.xtst.XTestFakeButtonEvent(self.dpy, number, 1 if down else 0, 0)
        self.x11.XFlush(self.dpy)

    def key(self, keysym, down):
        code = self.x11.XKeysymToKeycode(self.dpy, keysym)
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 1 if down else 0, 0)
        self.x11.XFlush(self.dpy)


class _XImage(ctypes.Structure):
    # The head of Xlib's XImage, up to its functions; destroy_image is the
    # second of them.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("functions", ctypes.c_void_p * 6)]


class Screen:
    """Reads screen pixels over one connection of its own. A screenshot tool
    that connects for every picture takes about 13 ms a look here, which
    would be most of what is timed."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.dpy = self.x11.XOpenDisplay(display.encode())
        self.root = self.x11.XDefaultRootWindow(self.dpy)

    def grab(self, box):
        x0, y0, x1, y1 = box
        z_pixmap = 2
        image = self.x11.XGetImage(self.dpy, self.root, x0, y0, x1 - x0, y1 - y0,
                                   0xFFFFFFFF, z_pixmap)
        head = image.contents
        data = ctypes.string_at(head.data, head.bytes_per_line * head.height)
        destroy = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(_XImage))(head.functions[1])
        destroy(image)
        # Blue, green, red and a spare byte per pixel: red, green, blue out.
        pixels = bytearray()
        for row in range(y1 - y0):
            line = data[row * head.bytes_per_line:row * head.bytes_per_line + 4 * (x1 - x0)]
            for i in range(0, len(line), 4):
                pixels += bytes((line[i + 2], line[i + 1], line[i]))
        return bytes(pixels)


_screens = {}


def grab(session, box):
    screen = _screens.get(session.display)
    if screen is None:
        screen = _screens[session.display] = Screen(session.display)
    return screen.grab(box)


def until_changed(session, box, before, timeout=30.0):
    start = time.monotonic()
    while time.monotonic() - start < timeout:
        if grab(session, box) != before:
            return
        time.sleep(0.0002)
    raise RuntimeError("the screen did not change")


def shows_picture(pixels):
    # Near its top left the bench picture is dark in red and green; neither
    # the blank canvas nor the window's grey is.
    return all(pixels[i] < 16 and pixels[i + 1] < 16 for i in range(0, len(pixels), 3))


def rss(pid, field="VmRSS"):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1]) * 1024
    return 0


def main():
    build, picture = sys.argv[1], sys.argv[2]
    busy = "--busy" in sys.argv
    program = os.path.abspath(os.path.join(build, "kalvo"))
    width = int(picture.rsplit("_", 1)[1].split(".")[0])
    picture_bytes = width * (width * 3 // 4) * 4
    results = []

    def report(name, seconds, pid):
        ratio = rss(pid) / picture_bytes
        results.append((name, seconds, ratio))
        print(f"{name:28s} {seconds:8.3f} s   rss {ratio:5.2f}x", flush=True)

    with kg.Session([program], title="Kalvo", cwd=build) as s:
        # Where the canvas lies: the blank canvas of the start.
        x, y, w, h = kg.find_rect(s.screenshot(), 0xFFFFFF, 700, 300, min_fill=0.9)
        canvas = (x, y)
        xin = Input(s.display)
        undo = s.find_one(name="撤消").center
        redo = s.find_one(name="恢复").center

        # Start with the file: a second program on the same display, its
        # window over the first, from its start to the picture shown.
        probe = (x + 40, y + 40, x + 60, y + 60)
        start = time.monotonic()
        second = subprocess.Popen([program, picture], env=s.env, cwd=build,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        kg.wait_until(lambda: shows_picture(grab(s, probe)), 60, 0.001)
        report("start with the file", time.monotonic() - start, second.pid)
        second.terminate()
        second.wait()
        time.sleep(0.5)

        # The first program opens the file through its menu.
        s.activate_menu("文件(&F)", "打开(O)...")
        s.wait_window("Open")
        s.type_text(os.path.abspath(picture))
        s.key("Return")
        kg.wait_until(lambda: shows_picture(grab(s, probe)), 60)
        time.sleep(1.0)
        pid = s.app_pid
        report("shown after Open", 0.0, pid)
        # Open leaves no tool chosen.
        s.click_accessible(s.find_one(name="铅笔"), method="mouse")
        time.sleep(0.5)

        # The first stroke: press, first ink, a zigzag, release.
        hogs = []
        if busy:
            hogs = [subprocess.Popen(["sh", "-c", "while :; do :; done"]) for _ in range(2)]
        px, py = x + 100, y + 100
        ink_box = (px - 5, py - 5, px + 40, py + 40)
        xin.move(px, py)
        time.sleep(0.2)
        before = grab(s, ink_box)
        points = [(px + 30 + 20 * i, py + 30 + (200 if i % 2 else 0)) for i in range(1, 30)]

        # The zigzag goes on at a hand's pace whether the program keeps up
        # or not, from its own connection to the display.
        def zigzag():
            mover = Input(s.display)
            for point in points:
                time.sleep(0.01)
                mover.move(*point)
            time.sleep(0.01)
            mover.button(1, False)

        start = time.monotonic()
        xin.button(1, True)
        xin.move(px + 30, py + 30)
        hand = threading.Thread(target=zigzag)
        hand.start()
        until_changed(s, ink_box, before)
        report("press -> first ink", time.monotonic() - start, pid)
        hand.join()
        for hog in hogs:
            hog.terminate()
            hog.wait()
        # Until the program has caught up with the stroke.
        s.wait_stable(timeout=60, interval=0.5)
        time.sleep(1.0)
        shot = s.screenshot("/tmp/kalvo_zigzag.png")
        ink = kg.pixel(shot, px + 30, py + 30)
        drawn = sum(1 for (qx, qy) in points if kg.pixel(shot, qx, qy) == ink)
        print(f"zigzag corners drawn: {drawn} of {len(points)}", flush=True)
        report("after the stroke", 0.0, pid)

        for i in range(4):
            xin.move(x + 150 + 60 * i, y + 400)
            xin.button(1, True)
            xin.move(x + 200 + 60 * i, y + 450)
            time.sleep(0.05)
            xin.button(1, False)
            time.sleep(0.3)
        report("after 5 strokes", 0.0, pid)

        stroke_box = (x + 150 + 180, y + 400, x + 200 + 181, y + 451)
        for name, at in (("Undo", undo), ("Redo", redo)):
            xin.move(*at)
            time.sleep(0.1)
            xin.button(1, True)
            before = grab(s, stroke_box)
            start = time.monotonic()
            xin.button(1, False)
            until_changed(s, stroke_box, before)
            report(name, time.monotonic() - start, pid)
            time.sleep(0.5)

        for name in ("first Invert", "second Invert"):
            before = grab(s, probe)
            control = 0xFFE3
            start = time.monotonic()
            xin.key(control, True)
            xin.key(ord("i"), True)
            xin.key(ord("i"), False)
            xin.key(control, False)
            until_changed(s, probe, before)
            report(name, time.monotonic() - start, pid)
            time.sleep(0.5)

        xin.move(x + 500, y + 300)
        time.sleep(0.2)
        # A small box polls fast; the picture under it changes as it scrolls.
        before = grab(s, probe)
        start = time.monotonic()
        xin.button(5, True)
        xin.button(5, False)
        until_changed(s, probe, before)
        report("wheel notch", time.monotonic() - start, pid)
        print(f"peak {rss(pid, 'VmHWM') / picture_bytes:.2f}x", flush=True)


if __name__ == "__main__":
    main()
