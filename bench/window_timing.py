#!/usr/bin/python3
"""Times the steps of issue-sized pictures in the real window, as a user
feels them: from the input event to the change on the screen, by polling
screenshots. Needs the shared tools/gui/kalvo_gui.py and its packages.

    bench/window_timing.py BUILD_DIR PICTURE.bmp [--busy] [--zoom-only] [--mtpaint]
                                                 [--floor] [--repeats N]

Prints one line per step (seconds) and the resident memory of the program
after it as a multiple of the picture's bytes. --busy runs two processes
that keep both cores busy during the stroke.

The zoom and the wheel are timed from the input to the screen settling: to
the last change of a grid of probes over the view before it stays still for
half a second. A zoom step goes 100 % -> 200 % -> 100 % (Ctrl+= and Ctrl+-),
REPEATS times each way; the first step out to 50 % is the first zoom out after
the picture is shown; a wheel notch scrolls down. --zoom-only starts with the
picture and times only these. --mtpaint times the same steps in mtPaint (the
yardstick, Debian package mtpaint) on the same display in the same run, its
view sized as Kalvo's, with its own keys (keypad + and -). --floor times
the same keys and notches in bench/window_floor, a Qt window as large as the
view that only shows another ready picture each time: what Qt and the X
server take whatever the program does.
"""
import ctypes
import os
import statistics
import subprocess
import sys
import threading
import time


def _gui_tools():
    # The shared tools lie beside the repository, or beside the folder of
    # worktrees it is checked out in.
    here = os.path.abspath(os.path.dirname(__file__))
    while here != os.path.dirname(here):
        here = os.path.dirname(here)
        candidate = os.path.join(here, "shared", "tools", "gui")
        if os.path.exists(os.path.join(candidate, "kalvo_gui.py")):
            return candidate
    raise SystemExit("shared/tools/gui/kalvo_gui.py not found")


sys.path.insert(0, _gui_tools())
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

    def raw(self, box):
        """The pixels of box as the server holds them, blue, green, red and a
        spare byte each, and the bytes of a row."""
        x0, y0, x1, y1 = box
        z_pixmap = 2
        image = self.x11.XGetImage(self.dpy, self.root, x0, y0, x1 - x0, y1 - y0,
                                   0xFFFFFFFF, z_pixmap)
        head = image.contents
        data = ctypes.string_at(head.data, head.bytes_per_line * head.height)
        row_bytes = head.bytes_per_line
        destroy = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(_XImage))(head.functions[1])
        destroy(image)
        return data, row_bytes

    def grab(self, box):
        x0, y0, x1, y1 = box
        data, row_bytes = self.raw(box)
        # Blue, green, red and a spare byte per pixel: red, green, blue out.
        pixels = bytearray()
        for row in range(y1 - y0):
            line = data[row * row_bytes:row * row_bytes + 4 * (x1 - x0)]
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


class Probes:
    """A grid of small boxes over a view: cheap to read often, and wherever
    a repaint lands it reaches one of them."""

    def __init__(self, display, view, columns=5, rows=4, side=16):
        self.screen = Screen(display)
        x0, y0, x1, y1 = view
        self.boxes = []
        for row in range(rows):
            for column in range(columns):
                x = x0 + (x1 - x0 - side) * (2 * column + 1) // (2 * columns)
                y = y0 + (y1 - y0 - side) * (2 * row + 1) // (2 * rows)
                self.boxes.append((x, y, x + side, y + side))

    def grab(self):
        return tuple(self.screen.raw(box)[0] for box in self.boxes)

    def still(self, quiet=0.5, timeout=30.0):
        """Waits until the view has not changed for quiet seconds."""
        start = time.monotonic()
        last = time.monotonic()
        previous = self.grab()
        while time.monotonic() - last < quiet:
            if time.monotonic() - start > timeout:
                raise RuntimeError("the screen does not settle")
            shot = self.grab()
            if shot != previous:
                previous = shot
                last = time.monotonic()

    def settle(self, act, quiet=0.5, timeout=30.0):
        """Seconds from act() to the view's last change before it stays
        still for quiet seconds."""
        self.still()
        previous = self.grab()
        start = time.monotonic()
        act()
        last = None
        while True:
            shot = self.grab()
            now = time.monotonic()
            if shot != previous:
                previous = shot
                last = now
            if last is not None and now - last >= quiet:
                return last - start
            if now - start > timeout:
                raise RuntimeError("the screen did not change")


def keys(xin, *syms):
    """Presses the keys in order and lets go of them in reverse."""
    for sym in syms:
        xin.key(sym, True)
    for sym in reversed(syms):
        xin.key(sym, False)


CONTROL = 0xFFE3
KEYPAD_PLUS = 0xFFAB
KEYPAD_MINUS = 0xFFAD


SHIFT = 0xFFE1


def zoom_figures(name, xin, probes, zoom_in, zoom_out, wheel_at, repeats):
    """Times the first step out to 50 %, the zoom steps between 100 % and
    200 % and wheel notches, from a fresh picture at 100 %; one line each."""
    # A toolkit may read the keyboard's map at the first key it gets, and a
    # window that takes the keyboard may fade its focused button: neither is
    # a step's.
    keys(xin, SHIFT)
    time.sleep(2.0)
    figures = {}
    figures["first step out to 50 %"] = [probes.settle(zoom_out)]
    zoom_in()
    figures["zoom step in"] = []
    figures["zoom step out"] = []
    for _ in range(repeats):
        figures["zoom step in"].append(probes.settle(zoom_in))
        figures["zoom step out"].append(probes.settle(zoom_out))
    xin.move(*wheel_at)
    time.sleep(0.2)
    figures["wheel notch"] = [probes.settle(lambda: (xin.button(5, True), xin.button(5, False)))
                              for _ in range(repeats)]
    for step, seconds in figures.items():
        ms = [1000 * t for t in seconds]
        spread = f"  ({min(ms):5.1f} - {max(ms):5.1f})" if len(ms) > 1 else ""
        print(f"{name:8s} {step:24s} {statistics.median(ms):6.1f} ms{spread}", flush=True)
    return figures


def kalvo_view(session):
    """The canvas view: the viewport inside its border, the bars left out."""
    box = session.find_one(name="画布区域")
    x, y, w, h = box.rect
    return (x + 2, y + 2, x + w - 2 - 18, y + h - 2 - 18)


def time_kalvo_zoom(session, xin, repeats):
    view = kalvo_view(session)
    xin.move(view[2] + 60, view[3] + 60)
    session.focus_window(session.wid)
    probes = Probes(session.display, view)
    centre = ((view[0] + view[2]) // 2, (view[1] + view[3]) // 2)
    return view, zoom_figures("Kalvo", xin, probes, lambda: keys(xin, CONTROL, ord("=")),
                              lambda: keys(xin, CONTROL, ord("-")), centre, repeats)


def time_mtpaint_zoom(session, picture, view_size, xin, repeats):
    """mtPaint on the same display, over Kalvo's window, its view as large
    as Kalvo's; its keypad keys zoom as Kalvo's Ctrl+= and Ctrl+- do."""
    yardstick = subprocess.Popen(["mtpaint", os.path.abspath(picture)], env=session.env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def xdotool(*args):
        return subprocess.run(["xdotool", *args], env=session.env, capture_output=True,
                              text=True).stdout.split()

    try:
        wid = kg.wait_until(lambda: xdotool("search", "--name", "^mtPaint .*" +
                                            os.path.basename(picture)), 60, 0.1)[0]
        # Its view lies 92 pixels from the window's left, 97 from its top, 21
        # from its right and 37 from its bottom.
        width, height = view_size
        xdotool("windowsize", wid, str(width + 113), str(height + 134))
        xdotool("windowraise", wid)
        time.sleep(2.0)
        xdotool("windowfocus", wid)
        view = (92, 97, 92 + width, 97 + height)
        xin.move(view[2] + 10, view[3] + 25)
        probes = Probes(session.display, view)
        probes.still(quiet=2.0, timeout=60)
        centre = ((view[0] + view[2]) // 2, (view[1] + view[3]) // 2)
        return zoom_figures("mtPaint", xin, probes, lambda: keys(xin, KEYPAD_PLUS),
                            lambda: keys(xin, KEYPAD_MINUS), centre, repeats)
    finally:
        yardstick.terminate()
        yardstick.wait()


def time_floor(session, build, view_size, xin, repeats):
    """window_floor on the same display, at the top left, over the others."""
    width, height = view_size
    floor = subprocess.Popen([os.path.join(os.path.abspath(build), "bench", "window_floor"),
                              str(width), str(height)], env=session.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wid = kg.wait_until(lambda: subprocess.run(
            ["xdotool", "search", "--name", "^window_floor$"], env=session.env,
            capture_output=True, text=True).stdout.split(), 60, 0.1)[0]
        time.sleep(1.0)
        session.focus_window(int(wid))
        view = (0, 0, width, height)
        xin.move(width + 10, height + 10)
        probes = Probes(session.display, view)
        probes.still(quiet=1.0, timeout=60)
        centre = (width // 2, height // 2)
        return zoom_figures("Qt floor", xin, probes, lambda: keys(xin, CONTROL, ord("=")),
                            lambda: keys(xin, CONTROL, ord("-")), centre, repeats)
    finally:
        floor.terminate()
        floor.wait()


def option(name, default):
    return int(sys.argv[sys.argv.index(name) + 1]) if name in sys.argv else default


def zoom_only(build, picture, repeats, yardstick, floor):
    program = os.path.abspath(os.path.join(build, "kalvo"))
    with kg.Session([program, os.path.abspath(picture)], title="Kalvo", cwd=build) as s:
        xin = Input(s.display)
        view = kalvo_view(s)
        kg.wait_until(lambda: shows_picture(grab(s, (view[0] + 40, view[1] + 40,
                                                      view[0] + 60, view[1] + 60))), 60, 0.05)
        time.sleep(1.0)
        view, _ = time_kalvo_zoom(s, xin, repeats)
        size = (view[2] - view[0], view[3] - view[1])
        if yardstick:
            time_mtpaint_zoom(s, picture, size, xin, repeats)
        if floor:
            time_floor(s, build, size, xin, repeats)


def main():
    build, picture = sys.argv[1], sys.argv[2]
    busy = "--busy" in sys.argv
    repeats = option("--repeats", 5)
    if "--zoom-only" in sys.argv:
        zoom_only(build, picture, repeats, "--mtpaint" in sys.argv, "--floor" in sys.argv)
        return
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
            start = time.monotonic()
            keys(xin, CONTROL, ord("i"))
            until_changed(s, probe, before)
            report(name, time.monotonic() - start, pid)
            time.sleep(0.5)

        print(f"peak {rss(pid, 'VmHWM') / picture_bytes:.2f}x", flush=True)

        view, _ = time_kalvo_zoom(s, xin, repeats)
        size = (view[2] - view[0], view[3] - view[1])
        if "--mtpaint" in sys.argv:
            time_mtpaint_zoom(s, picture, size, xin, repeats)
        if "--floor" in sys.argv:
            time_floor(s, build, size, xin, repeats)


if __name__ == "__main__":
    main()
