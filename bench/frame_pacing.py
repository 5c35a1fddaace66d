#!/usr/bin/env python3
"""The real game's frame pacing and processor time, measured on a virtual screen.

Runs the built game under an Xvfb of its own, of the size asked for, with openbox as
its window manager or with none, and the swap timer (libswap_times.so) preloaded.
After the loading screen it either stays at the title menu or starts a one-player
game and plays it with changing keys, then prints, for that stretch:

  frames       buffer swaps seen
  late         swaps more than 16.5 ms after the one before, and their share
  speed        frames against the designed pace of one every 15 ms
  cpu          the whole process's processor time (its drawing threads included)
               as a share of one core

  bench/frame_pacing.py --title --seconds 10 --pacing gentle
  bench/frame_pacing.py --seconds 28 --pacing gentle --busy 1
  bench/frame_pacing.py --seconds 28 --busy 1 --one-core
  bench/frame_pacing.py --screen 3840x2160 --wm --seconds 17.5

Needs Xvfb, xdpyinfo and xdotool, and openbox for --wm. Every process it starts is ended by
its id, and checked gone, before it prints.
"""
import argparse
import ctypes
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

LATE_MS = 16.5
FRAME_MS = 15.0
LOADING_SWAPS = 125  # the loading screen's frames: a cover, two fades of 61


def free_display():
    n = 150
    while os.path.exists(f"/tmp/.X11-unix/X{n}") or os.path.exists(f"/tmp/.X{n}-lock"):
        n += 1
    return f":{n}"


def wait_until(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            sys.exit(f"frame_pacing: {what} did not happen within {seconds} s")
        time.sleep(0.05)


def process_seconds(pid):
    """User and system time of a whole process, all its threads, in seconds."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def swaps(path):
    try:
        with open(path) as f:
            return [int(line) / 1e6 for line in f if line.strip()]
    except FileNotFoundError:
        return []


class Processes:
    """What the measurement starts, ended by id at the end, last first."""

    def __init__(self):
        self.started = []

    def start(self, command, **kwargs):
        p = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=kwargs.pop("stderr", subprocess.DEVNULL), **kwargs)
        self.started.append(p)
        return p

    def end_all(self):
        for p in reversed(self.started):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
            # Reaped by the wait: its id names no process of ours any more.
            assert p.returncode is not None, f"process {p.pid} still there"


class Keyboard:
    """Key presses through the X server's test extension, from this process: a
    program started for each press would itself take time from the game."""

    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XStringToKeysym.restype = ctypes.c_ulong
        self.x.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x.XOpenDisplay(display.encode())

    def key(self, name, down):
        code = self.x.XKeysymToKeycode(self.display, self.x.XStringToKeysym(name.encode()))
        self.xtest.XTestFakeKeyEvent(self.display, code, 1 if down else 0, 0)
        self.x.XFlush(self.display)

    def press(self, name):
        self.key(name, True)
        time.sleep(0.1)
        self.key(name, False)

    def close(self):
        self.x.XCloseDisplay(self.display)


def drive(keyboard, seconds):
    """Plays with changing keys: left and right in turns, fire now and then."""
    rng = random.Random(7)
    end = time.monotonic() + seconds
    held = None
    while time.monotonic() < end:
        key = rng.choice(["Left", "Right", "space"])
        if held:
            keyboard.key(held, False)
        keyboard.key(key, True)
        held = key
        time.sleep(min(rng.uniform(0.1, 0.6), max(0.0, end - time.monotonic())))
    if held:
        keyboard.key(held, False)


def main():
    # Ended by a signal, it still ends what it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("frame_pacing: ended by SIGTERM"))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build"))
    ap.add_argument("--screen", default="640x480", help="the virtual screen, WxH")
    ap.add_argument("--wm", action="store_true", help="run openbox as the window manager")
    ap.add_argument("--window", action="store_true", help="play in a window (--window)")
    ap.add_argument("--setting", action="append", default=[], help="a line for the settings file, e.g. 'scale = 2'")
    ap.add_argument("--pacing", choices=["exact", "gentle"], default="exact")
    ap.add_argument("--title", action="store_true", help="stay at the title menu instead of playing")
    ap.add_argument("--seconds", type=float, default=10.0)
    ap.add_argument("--busy", type=int, default=0, help="busy programs running beside the game")
    ap.add_argument("--one-core", action="store_true", help="the game and the busy programs on one core")
    args = ap.parse_args()

    build = os.path.abspath(args.build)
    timer = os.path.join(build, "bench", "libswap_times.so")
    for needed in (os.path.join(build, "korvath"), timer):
        if not os.path.exists(needed):
            sys.exit(f"frame_pacing: {needed} is missing; build the game and the swap_times target first")
    work = tempfile.mkdtemp(prefix="korvath-pacing-")
    processes = Processes()
    try:
        shutil.copy(os.path.join(build, "korvath"), work)
        shutil.copytree(os.path.join(build, "media"), os.path.join(work, "media"))
        os.makedirs(os.path.join(work, "config", "korvath"))
        with open(os.path.join(work, "config", "korvath", "korvath.conf"), "w") as conf:
            conf.write(f"pacing = {args.pacing}\n" + "".join(line + "\n" for line in args.setting))
        times = os.path.join(work, "swaps.txt")

        display = free_display()
        processes.start(["Xvfb", display, "-screen", "0", f"{args.screen}x24", "-nolisten", "tcp", "-noreset"])
        env = dict(os.environ, DISPLAY=display)
        wait_until(lambda: subprocess.run(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL).returncode == 0, 10, "the X server")
        if args.wm:
            processes.start(["openbox"], env=env)
            time.sleep(1.0)
        one_core = ["taskset", "-c", "0"] if args.one_core else []
        for _ in range(args.busy):
            processes.start(one_core + [sys.executable, "-c", "while True: pass"])

        game_env = dict(env, SDL_AUDIODRIVER="dummy", LD_PRELOAD=timer, KORVATH_SWAP_TIMES=times,
                        XDG_CONFIG_HOME=os.path.join(work, "config"))
        game = processes.start(one_core + ["./korvath"] + (["--window"] if args.window else []), cwd=work,
                               env=game_env, stderr=open(os.path.join(work, "stderr.txt"), "w"))
        wait_until(lambda: len(swaps(times)) >= LOADING_SWAPS or game.poll() is not None, 60, "the title menu")
        if game.poll() is not None:
            sys.exit("frame_pacing: the game ended: " + open(os.path.join(work, "stderr.txt")).read())
        time.sleep(1.0)
        keyboard = Keyboard(display)
        if not args.title:
            keyboard.press("space")
            time.sleep(1.0)

        start, cpu_start = time.monotonic(), process_seconds(game.pid)
        if args.title:
            time.sleep(args.seconds)
        else:
            drive(keyboard, args.seconds)
        end, cpu_end = time.monotonic(), process_seconds(game.pid)
        keyboard.close()
        geometry = subprocess.run(["xdotool", "search", "--name", "^Korvath$", "getwindowgeometry"], env=env,
                                  capture_output=True, text=True).stdout.split("Geometry:")[-1].strip()
        if game.poll() is not None:
            sys.exit("frame_pacing: the game ended during the measurement")
    finally:
        processes.end_all()

    stamps = [t for t in swaps(times) if start <= t <= end]
    gaps = [(b - a) * 1000 for a, b in zip(stamps, stamps[1:])]
    late = sum(g > LATE_MS for g in gaps)
    seconds = end - start
    print(f"screen {args.screen}{' wm' if args.wm else ''}{' window' if args.window else ' full'} "
          f"{'title' if args.title else 'play'} pacing {args.pacing} busy {args.busy}{' one-core' if args.one_core else ''}"
          f"{''.join(' [' + s + ']' for s in args.setting)}: "
          f"{seconds:.1f} s, frames {len(stamps)}, late {late} ({100.0 * late / max(1, len(gaps)):.2f} %), "
          f"speed {100.0 * len(stamps) * FRAME_MS / 1000 / seconds:.1f} %, "
          f"cpu {100.0 * (cpu_end - cpu_start) / seconds:.0f} % of a core, "
          f"longest {max(gaps, default=0):.1f} ms, window {geometry or '?'}")
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
