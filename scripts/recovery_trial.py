#!/usr/bin/python3
"""The recovery copy in the real window, on a virtual display: draw, end the
process with kill -9 or kill -TERM, start again and answer Yes, and compare
the canvas on the screen before and after; or draw and Exit, and look for a
copy left behind. Usage: recovery_trial.py [BUILD]. Needs the shared
tools/gui/kalvo_gui.py and its packages, found as bench/window_timing.py
finds them."""
import os, re, signal, sys, tempfile, time, shutil
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench"))
import window_timing  # noqa: E402  (puts the shared tools on the path)
import kalvo_gui as kg
import numpy as np

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
CACHE = os.path.join(tempfile.gettempdir(), "kalvo-recovery-trial", "cache")
OUT = os.path.dirname(CACHE)
ENV = {"XDG_CACHE_HOME": CACHE}

def canvas_box(img):
    return kg.find_rect(img, 0xFFFFFF, 700, 300, min_fill=0.5)

def recovery_files():
    folder = os.path.join(CACHE, "Kalvo", "recovery")
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

def draw(s, origin, colour_shift=0):
    pts = kg.interpolate([(40, 40 + colour_shift), (300, 120), (120, 300 + colour_shift), (500, 200)], 12)
    s.drag(pts, origin=origin)

def session():
    return kg.Session([os.path.join(BUILD, "kalvo")], title="Kalvo", cwd=BUILD, env=ENV)

def trial(end):
    shutil.rmtree(CACHE, ignore_errors=True)
    with session() as s:
        img = s.screenshot()
        x, y, w, h = canvas_box(img)
        draw(s, (x, y))
        time.sleep(0.3)
        before = kg.as_array(s.screenshot(f"{OUT}/{end}_before.png"))[y:y + 400, x:x + 700]
        if end == "kill9":
            time.sleep(2.5)  # the copy is at most about 2 s behind
            os.kill(s.app_pid, signal.SIGKILL)
        elif end == "term":
            # At once: the program brings the copy up to date before it ends.
            os.kill(s.app_pid, signal.SIGTERM)
        elif end == "exit":
            time.sleep(2.5)
            s.activate_menu("文件(&F)", "退出(&X)")
        deadline = time.time() + 20
        while s.app_running() and time.time() < deadline:
            time.sleep(0.05)
        print(end, "exit status", s.app_returncode(1), "files:", recovery_files())
    if end == "exit":
        ok = not [f for f in recovery_files() if f.endswith(".copy")]
        print("exit leaves no copy:", ok)
        return ok
    with session() as s:
        box = s.wait_window("恢复图片", timeout=20)
        print("asked:", s.message_text(box).replace("\n", " "))
        s.press_button(box, re.compile("是|Yes"))
        s.wait_window_gone("恢复图片")
        time.sleep(0.5)
        after = kg.as_array(s.screenshot(f"{OUT}/{end}_after.png"))[y:y + 400, x:x + 700]
        same = np.array_equal(before, after)
        print(end, "recovered picture identical on screen:", same, "files:", recovery_files())
        s.activate_menu("文件(&F)", "退出(&X)")
        deadline = time.time() + 20
        while s.app_running() and time.time() < deadline:
            time.sleep(0.05)
    print("after Exit:", recovery_files())
    return same

results = {end: trial(end) for end in ("kill9", "term", "exit")}
print(results)
sys.exit(0 if all(results.values()) else 1)
