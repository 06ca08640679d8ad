"""Runs the measurements of tools/bench on the X display in $DISPLAY and prints the table.

Called by tools/bench/bench after the build; see docs/PERFORMANCE.md for what each row
means. Everything here talks to the programs through the timing log that
ORVANTA_BENCH_TRACE turns on (desktop/BenchTrace.h, read as the end-to-end runs read it,
tests/e2e/reader.py: where the controls lie, the tokens' routes, the table's events),
xdotool, /proc and the probe's output.
"""

import argparse
import bisect
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from reader import Trace, stops, travelling  # noqa: E402
import sounds  # noqa: E402

TICK_MS = 50
DEAL_PAUSES_S = 1.32
# Growth from hand GROWTH_FROM to the last allowed in the probe, MB: none, but for what the
# allocator keeps in hand. Judged here and by the tests' memory check (--growth). The
# probe opens the rules chart from hand 101 on, so its picture, decoded once, falls before.
GROWTH_BOUNDS = {"RSS": 0.5, "heap": 0.1}
GROWTH_FROM = 250
CLK_TCK = os.sysconf("SC_CLK_TCK")


def now_ns():
    return time.monotonic_ns()  # CLOCK_MONOTONIC, as in the log


class Program:
    """A program started through the launcher, so that its start time is on record."""

    def __init__(self, args, paths, trace=True, name="program"):
        fd, self.trace_path = tempfile.mkstemp(prefix=f"bench-{name}-", suffix=".log", dir=paths.tmp)
        os.close(fd)
        os.unlink(self.trace_path)
        self.stderr_path = os.path.join(paths.tmp, f"{name}-{os.path.basename(self.trace_path)}.stderr")
        self.stderr = open(self.stderr_path, "wb")
        command = ([paths.launch, self.trace_path] if trace else []) + args
        self.process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=self.stderr,
                                        stdin=subprocess.DEVNULL, env=paths.env)
        self.pid = self.process.pid  # the launcher execs the program in place
        self.trace = Trace(self.trace_path)

    def alive(self):
        return self.process.poll() is None

    def errors(self):
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def wait_log(self, pattern, after=0, timeout=20.0):
        """The time of the first line at or after `after` that matches."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            t = self.trace.first(pattern, after)
            if t is not None:
                return t
            if not self.alive():
                raise RuntimeError(f"the program ended (status {self.process.returncode}) "
                                   f"while waiting for /{pattern}/")
            time.sleep(0.003)
        raise RuntimeError(f"no /{pattern}/ in the log within {timeout:.0f} s")

    def click(self, origin, name):
        """A click on the middle of the named control of the window whose client area lies at origin."""
        if name not in PLACES:
            PLACES[name] = self.trace.centre(name)
        click(origin, PLACES[name])

    def status_kb(self, key):
        with open(f"/proc/{self.pid}/status") as f:
            for line in f:
                if line.startswith(key + ":"):
                    return int(line.split()[1])
        return None

    def cpu(self):
        """(utime + stime in seconds from /proc/PID/stat, on-CPU ns of all threads)."""
        with open(f"/proc/{self.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        ticks = int(fields[11]) + int(fields[12])
        ns = 0
        for task in os.listdir(f"/proc/{self.pid}/task"):
            try:
                with open(f"/proc/{self.pid}/task/{task}/schedstat") as f:
                    ns += int(f.read().split()[0])
            except OSError:
                pass
        return ticks / CLK_TCK, ns

    def keep(self, where):
        """Keeps the log for a look after a failure."""
        if os.path.exists(self.trace_path):
            os.makedirs(where, exist_ok=True)
            target = os.path.join(where, os.path.basename(self.trace_path))
            with open(self.trace_path, "rb") as src, open(target, "wb") as dst:
                dst.write(src.read())
            print(f"the log of the failed run: {target}", file=sys.stderr)

    def stop(self):
        if self.alive():
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.stderr.close()
        try:
            os.unlink(self.trace_path)
        except FileNotFoundError:
            pass


def launch(args, paths, name, trace=True, attempts=4):
    """Starts a program and waits for its first window. A busy X server now and then
    refuses a new client ("could not connect to display"); such a start is tried again
    and counted, anything else is an error."""
    for attempt in range(attempts):
        program = Program(args, paths, trace, name)
        try:
            if trace:
                program.wait_log("painted ")
            else:
                deadline = time.monotonic() + 20
                while not xdo("search", "--onlyvisible", "--pid", program.pid):
                    if not program.alive() or time.monotonic() > deadline:
                        raise RuntimeError(f"{name} showed no window")
                    time.sleep(0.05)
            return program
        except RuntimeError:
            program.stop()
            errors = program.errors()
            if "could not connect to display" not in errors or attempt == attempts - 1:
                raise RuntimeError(f"{name} did not start:\n{errors[-2000:]}")
            REFUSED[0] += 1
            time.sleep(0.5)


REFUSED = [0]  # starts refused by the X server and tried again
PLACES = {}  # where the controls lie, from a traced start: a start without the log has none


def xdo(*args, timeout=20):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                          timeout=timeout).stdout.split()


def find_window(title, pid=None, timeout=20):
    args = ["search", "--sync", "--onlyvisible"] + (["--pid", pid] if pid else []) + ["--name", f"^{title}$"]
    found = xdo(*args, timeout=timeout)
    if not found:
        raise RuntimeError(f"no window '{title}'")
    return found[0]


def window_origin(window):
    geometry = dict(line.split("=", 1) for line in xdo("getwindowgeometry", "--shell", window) if "=" in line)
    return int(geometry["X"]), int(geometry["Y"])


def click(origin, at):
    # No --sync: it waits many seconds when the pointer is already there. The server
    # handles the warp before the button events anyway.
    xdo("mousemove", origin[0] + at[0], origin[1] + at[1], "click", "1")


def settle(seconds=0.3):
    time.sleep(seconds)


# --- the measurements ------------------------------------------------------------


def answer_dialog(program):
    """Clicks 确定 in the name dialog; returns the table's window and client origin."""
    dialog = find_window("用户名", program.pid)
    program.click(window_origin(dialog), "OkButton")
    table = find_window("Orvanta", program.pid)
    return table, window_origin(table)


def start_up(paths, runs, results):
    """Start-up of the two baselines and the program, interleaved; memory at rest after each."""
    base_ms, dialog_ms, prog_ms, table_ms = [], [], [], []
    base_kb, prog_kb, table_kb = [], [], []
    base_cpu, dialog_cpu, prog_cpu = [], [], []
    starts = [("baseline", [paths.baseline]), ("dialog", [paths.baseline, "dialog"]), ("program", [paths.program])]
    for run in range(runs + 1):  # run 0 warms the caches and is not counted
        order = starts[run % 3:] + starts[:run % 3]
        for name, args in order:
            program = launch(args, paths, name)
            try:
                start = program.wait_log("start$")
                painted = program.wait_log("painted ")
                cpu = program.trace.first("painted ", cpu=True) / 1e6
                settle()
                peak = program.status_kb("VmHWM")
                if name == "baseline":
                    if run:
                        base_ms.append((painted - start) / 1e6)
                        base_cpu.append(cpu)
                        base_kb.append(peak)
                    continue
                if name == "dialog":
                    if run:
                        dialog_ms.append((painted - start) / 1e6)
                        dialog_cpu.append(cpu)
                    continue
                answer_dialog(program)
                ok = program.wait_log("release OkButton$")
                shown = program.wait_log("painted Orvanta$", after=ok)
                settle()
                if run:
                    prog_ms.append((painted - start) / 1e6)
                    prog_cpu.append(cpu)
                    prog_kb.append(peak)
                    table_ms.append((shown - ok) / 1e6)
                    table_kb.append(program.status_kb("VmHWM"))
            finally:
                program.stop()
    results.update(base_ms=base_ms, dialog_ms=dialog_ms, prog_ms=prog_ms, table_ms=table_ms, base_cpu=base_cpu,
                   dialog_cpu=dialog_cpu, prog_cpu=prog_cpu, base_kb=base_kb, prog_kb=prog_kb, table_kb=table_kb)


def start_sound_server(paths):
    """A sound server of the bench's own (a null sink at the sounds' rate, as in the
    end-to-end run), so that every row is measured with sound on; None without PulseAudio."""
    if not shutil.which("pulseaudio") or not shutil.which("parec"):
        return None
    server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                               "--system=no", "-L", "module-native-protocol-unix auth-anonymous=1",
                               "-L", f"module-null-sink sink_name=orvanta_null rate={sounds.RATE} channels=1 "
                                     "format=s16le norewinds=1"],
                              env=paths.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 20
    while subprocess.run(["pactl", "info"], env=paths.env, capture_output=True).returncode:
        if time.monotonic() > deadline or server.poll() is not None:
            server.kill()
            raise RuntimeError("the bench's sound server did not start")
        time.sleep(0.1)
    return server


def sound_delays(log, recording):
    """Each dealt card's and each chip's delay from its step in the log (the deal's pause
    that follows the card's repaint; the call event at the chip's arrival) to the onset of
    its sound in the recording, ms; and how many had none within 200 ms."""
    heard = [recording[1](i) for i in sounds.onsets(recording[0])]
    delays, missing = [], 0
    for t, _, w in log:
        if w == "event pause-begins 100" or w.startswith("event call "):
            k = bisect.bisect_left(heard, t - 20e6)
            if k < len(heard) and heard[k] <= t + 200e6:
                delays.append((heard[k] - t) / 1e6)
            else:
                missing += 1
    return delays, missing


def play(paths, hands, results, silent=False, stalled=False):
    """Plays HANDS hands of the real program (Start, Call while it is usable, Flip all)
    and times the deals and the tokens' travels from the log; with the bench's sound
    server, records its output and times the sounds; SILENT: with no server to reach;
    STALLED: with the server stopped (SIGSTOP) once the program has reached it."""
    if silent:
        saved, paths.env = paths.env, dict(paths.env, PULSE_SERVER="unix:" + os.path.join(paths.tmp, "none"))
    recorder, out = None, os.path.join(paths.tmp, "sound")
    if paths.sound and not silent and not stalled:
        recorder = subprocess.Popen([sys.executable, "-I", sounds.__file__, "record", out], env=paths.env)
    try:
        program = launch([paths.program], paths, "play")
    finally:
        if silent:
            paths.env = saved
    deals, deal_cpu = [], []
    try:
        table, origin = answer_dialog(program)
        program.wait_log("painted Orvanta$")
        settle()
        if stalled:
            settle(2.0)  # the sounds are at the server by now
            os.kill(paths.sound.pid, signal.SIGSTOP)
        for _ in range(hands):
            mark = now_ns()
            program.click(origin, "StartButton")
            pressed = program.wait_log("release StartButton$", after=mark)
            done = program.wait_log("handled ", after=pressed, timeout=30)
            deals.append((done - pressed) / 1e9)
            deal_cpu.append((program.trace.first("handled ", after=pressed, cpu=True)
                             - program.trace.first("release StartButton$", after=mark, cpu=True)) / 1e6)
            settle(0.1)
            for _ in range(3):  # at most three rounds
                mark = now_ns()
                program.click(origin, "CallButton")
                pressed = program.wait_log("release CallButton$", after=mark)
                # The round ends with the user's turn, or the betting closes.
                ended = program.wait_log("event (turn|betting-closed)", after=pressed, timeout=60)
                if program.trace.first("event betting-closed", after=ended) == ended:
                    break
            mark = now_ns()
            program.click(origin, "FlipAllButton")
            # A tie is announced in a message box: Return answers it.
            if program.wait_log(r"(handled release FlipAllButton$|show QMessageBox )", after=mark, timeout=30) == \
                    program.trace.first("show QMessageBox", after=mark):
                answer_box(program, table)
                program.wait_log("handled release FlipAllButton$", after=mark)
            if recorder:
                settle(1.0)  # the result's sound ends before the next deal's cards are timed
        results["play_kb"] = program.status_kb("VmHWM")
        log = program.trace.read()
    except Exception:
        program.keep(os.path.join(paths.root, "out"))
        raise
    finally:
        if stalled:
            os.kill(paths.sound.pid, signal.SIGCONT)
        program.stop()
        if recorder:
            recorder.terminate()
            recorder.wait()
    if silent or stalled:
        results["deal_s_stalled" if stalled else "deal_s_silent"] = deals
        return
    if recorder:
        results["sound_ms"] = sound_delays(log, (sounds.samples(out), sounds.clock(out)))
    results["deal_s"] = deals
    results["deal_cpu_ms"] = deal_cpu
    travels, intervals = token_travels(log, program.trace.routes())
    # A travel takes a tick per step, and one for the arrival; the user's token comes first.
    routes = program.trace.routes()
    user = next(iter(routes))
    results["ticks_user"], results["ticks_other"] = (len(list(stops(routes[who]))) + 1 for who in (user, list(routes)[-1]))
    results["travel_user_ms"] = [t for who, t, n in travels if who == user]
    results["travel_other_ms"] = [t for who, t, n in travels if who != user]
    results["travel_ticks"] = sorted({("user" if who == user else "others", n) for who, t, n in travels})
    results["tick_interval_ms"] = intervals


def answer_box(program, table):
    """Answers the message box the program has opened with Return."""
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        boxes = [w for w in xdo("search", "--onlyvisible", "--pid", program.pid) if w != table]
        if not boxes:
            return
        xdo("windowfocus", "--sync", boxes[0])
        xdo("key", "--window", boxes[0], "Return")
        time.sleep(0.2)
    raise RuntimeError("a message box would not close")


def token_travels(log, routes):
    """Each token's travel: from the tick of its first step to the tick of its arrival."""
    travels, begun, ticks, intervals = [], {}, [], []
    current_tick = None
    for t, _, what in log:
        kind, _, detail = what.partition(" ")
        if kind == "tick":
            if ticks and begun:
                intervals.append((t - ticks[-1]) / 1e6)
            ticks.append(t)
            current_tick = len(ticks) - 1
        elif kind == "move" and current_tick is not None and detail.split()[0] in routes:
            who, _, _, x, y = detail.split()
            route, at = routes[who], (int(x), int(y))
            if at == next(stops(route), None):
                begun[who] = current_tick
            elif not travelling(route, *at) and who in begun:
                first = begun.pop(who)
                travels.append((who, (ticks[current_tick] - ticks[first]) / 1e6, current_tick - first + 1))
    return travels, intervals


def idle(paths, results, seconds=10.0):
    """CPU used by the program at rest in the user's turn, the timer running, and by the
    baseline at rest, over the same SECONDS."""
    if "StartButton" not in PLACES:  # where Start lies, from a start with the log
        learner = launch([paths.program], paths, "layout")
        try:
            _, origin = answer_dialog(learner)
            learner.click(origin, "StartButton")
        finally:
            learner.stop()
    program = launch([paths.program], paths, "idle", trace=False)
    baseline = launch([paths.baseline], paths, "idle-baseline", trace=False)
    try:
        table, origin = answer_dialog(program)
        settle(0.5)
        program.click(origin, "StartButton")
        time.sleep(DEAL_PAUSES_S + 1.5)  # the deal is over; the user's turn
        find_window("Baseline", baseline.pid)
        before = (program.cpu(), baseline.cpu(), time.monotonic())
        time.sleep(seconds)
        after = (program.cpu(), baseline.cpu(), time.monotonic())
    finally:
        program.stop()
        baseline.stop()
    wall = after[2] - before[2]
    for key, i in (("idle_prog", 0), ("idle_base", 1)):
        results[key] = (100 * (after[i][0] - before[i][0]) / wall, 100 * (after[i][1] - before[i][1]) / 1e9 / wall)


def probe(paths, args, timeout=300, wrap=(), env=None):
    for attempt in range(4):
        out = subprocess.run([*wrap, paths.probe, *map(str, args)], capture_output=True, text=True,
                             env=dict(paths.env, QT_QPA_PLATFORM="xcb", **(env or {})), timeout=timeout)
        if out.returncode == 0:
            return [line.split() for line in out.stdout.splitlines() if line.strip()]
        if "could not connect to display" not in out.stderr or attempt == 3:
            raise RuntimeError(f"the probe failed ({out.returncode}): {out.stderr[-2000:]}")
        REFUSED[0] += 1
        time.sleep(0.5)


def in_process(paths, hands, results):
    for fields in probe(paths, ["work", 10]):
        if fields[0] == "repaint-controls":
            results["repaint_controls"] = int(fields[1])
        if fields[0] in ("tick-travel", "tick-arrival", "repaint", "deal-wall", "deal-cpu", "deal-repaints",
                         "floor-repaint-wall", "floor-repaint-cpu"):
            results[fields[0]] = [float(v) / 1000 for v in fields[2:5]] + [int(fields[1])]
    # The same ticks with accessibility on as a screen reader turns it on: a session bus of
    # its own with the accessibility bus on it (Qt looks for it once, at its start).
    launcher = next((f for f in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                     if os.access(f, os.X_OK)), None)
    if shutil.which("dbus-run-session") and launcher:
        wrap = ("dbus-run-session", "--", "sh", "-c", f'{launcher} --launch-immediately & exec "$@"', "sh")
        for fields in probe(paths, ["work", 10, "a11y"], wrap=wrap, env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}):
            if fields[0] in ("tick-travel", "tick-arrival"):
                results["a11y " + fields[0]] = [float(v) / 1000 for v in fields[2:5]] + [int(fields[1])]
    hands_memory(paths, hands, results)


def hands_memory(paths, hands, results):
    memory = {}
    for fields in probe(paths, ["hands", hands], timeout=480):
        if fields[0] == "memory":
            memory[int(fields[1])] = tuple(int(v) for v in fields[2:5])  # rss, hwm, heap (kB)
        if fields[0] == "gate":
            results["gate"] = fields[1] == "1"
    results["hands_memory"] = memory


def growth(memory, hands):
    """(what, MB, bound) for resident memory and the heap, from hand GROWTH_FROM to HANDS."""
    if GROWTH_FROM not in memory or hands not in memory:
        return []
    return [(what, (memory[hands][i] - memory[GROWTH_FROM][i]) / 1024, GROWTH_BOUNDS[what])
            for what, i in (("RSS", 0), ("heap", 2))]


# --- the table -----------------------------------------------------------------------


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def cpu_pressure():
    """Microseconds during which some runnable task waited for a CPU (Linux PSI)."""
    try:
        with open("/proc/pressure/cpu") as f:
            return int(f.readline().split("total=")[1])
    except (OSError, IndexError, ValueError):
        return None


def spread(values):
    values = sorted(values)
    return values[0], statistics.median(values), values[-1]


def report(results, runs, hands_played, hands):
    rows = []

    def row(name, n, lo, mid, hi, unit, base, relation, target, ok):
        rows.append((name, str(n), f"{lo:.{unit}f}", f"{mid:.{unit}f}", f"{hi:.{unit}f}", base, relation, target,
                     "-" if ok is None else ("ok" if ok else "MISSED")))

    b = spread(results["base_ms"])
    p = spread(results["prog_ms"])
    ratio = p[1] / b[1]
    row("start-up to first paint, ms", runs, *p, 1, f"{b[0]:.1f}/{b[1]:.1f}/{b[2]:.1f}", f"x{ratio:.2f}",
        "<= x1.30", ratio <= 1.30)
    bc, pc = spread(results["base_cpu"]), spread(results["prog_cpu"])
    row("  CPU time to first paint, ms", runs, *pc, 1, f"{bc[0]:.1f}/{bc[1]:.1f}/{bc[2]:.1f}",
        f"x{pc[1] / bc[1]:.2f}", "", None)
    # The same start-ups against the name dialog built bare: what the program adds to
    # the window the player first sees.
    d = spread(results["dialog_ms"])
    row("  against the bare name dialog, ms", runs, *p, 1, f"{d[0]:.1f}/{d[1]:.1f}/{d[2]:.1f}",
        f"x{p[1] / d[1]:.2f}", "<= x1.15", p[1] / d[1] <= 1.15)
    dc = spread(results["dialog_cpu"])
    row("  CPU time, against the bare dialog, ms", runs, *pc, 1, f"{dc[0]:.1f}/{dc[1]:.1f}/{dc[2]:.1f}",
        f"x{pc[1] / dc[1]:.2f}", "", None)
    t = spread(results["table_ms"])
    row("table painted after OK, ms", runs, *t, 1, "", "", "", None)

    mb = lambda kb: kb / 1024
    bm = spread([mb(v) for v in results["base_kb"]])
    pm = spread([mb(v) for v in results["prog_kb"]])
    row("peak RSS, name dialog up, MB", runs, *pm, 1, f"{bm[1]:.1f}", f"{pm[1] - bm[1]:+.1f} MB", "<= +15 MB",
        pm[1] - bm[1] <= 15)
    tm = spread([mb(v) for v in results["table_kb"]])
    row("peak RSS, table shown, MB", runs, *tm, 1, f"{bm[1]:.1f}", f"{tm[1] - bm[1]:+.1f} MB", "<= +15 MB",
        tm[1] - bm[1] <= 15)
    pk = mb(results["play_kb"])
    row(f"peak RSS after {hands_played} hands played, MB", 1, pk, pk, pk, 1, f"{bm[1]:.1f}",
        f"{pk - bm[1]:+.1f} MB", "<= +15 MB", pk - bm[1] <= 15)
    memory = results["hands_memory"]
    if 100 in memory:
        h = mb(memory[100][1])
        row("peak RSS after 100 hands (probe), MB", 1, h, h, h, 1, f"{bm[1]:.1f}", f"{h - bm[1]:+.1f} MB",
            "<= +15 MB", h - bm[1] <= 15)
    for what, mb_grown, bound in growth(memory, hands):
        row(f"growth, hand {GROWTH_FROM} to {hands}: {what}, MB", 1, mb_grown, mb_grown, mb_grown, 2, "", "", "no growth",
            mb_grown <= bound)

    for key, name in (("tick-travel", "CPU of a tick, token travelling, ms"),
                      ("a11y tick-travel", "  the same, accessibility on, ms"),
                      ("tick-arrival", "CPU of a tick, token arriving, ms"),
                      ("a11y tick-arrival", "  the same, accessibility on, ms"),
                      ("repaint", f"CPU of a full table repaint ({results.get('repaint_controls', '?')} controls), ms")):
        if key not in results:
            continue  # no session bus to turn accessibility on
        lo, mid, hi, n = results[key]
        limit = 2.5 if "tick" in key else None
        row(name, n, lo, mid, hi, 3, "", f"{100 * mid / TICK_MS:.1f}% of a tick", "<= 2.5 ms" if limit else "",
            None if limit is None else hi <= limit)

    lo, mid, hi, n = results["deal-wall"]
    repaints = results["deal-repaints"][1] * 1000
    floor = repaints * results["floor-repaint-wall"][1]
    row("deal without its pauses (probe), wall ms", n, lo, mid, hi, 1,
        f"Qt floor {floor:.1f}", f"x{mid / floor:.2f}", "", None)
    lo, mid, hi, n = results["deal-cpu"]
    row("deal without its pauses (probe), CPU ms", n, lo, mid, hi, 1, "", "", "", None)
    lo, mid, hi, n = results["floor-repaint-wall"]
    row(f"Qt floor: one synchronous repaint, wall ms", n, lo, mid, hi, 3, "",
        f"x{repaints:.0f} in a deal", "", None)
    d = spread(results["deal_s"])
    row("wall time of a deal, s", len(results["deal_s"]), *d, 3, f"pace {DEAL_PAUSES_S:.2f}",
        f"x{d[1] / DEAL_PAUSES_S:.3f}", "<= x1.05", d[1] <= DEAL_PAUSES_S * 1.05)
    for key, name in (("deal_s_silent", "no sound server to reach"), ("deal_s_stalled", "the sound server stalled")):
        if results.get(key):
            d = spread(results[key])
            row(f"  the same, {name}, s", len(results[key]), *d, 3, f"pace {DEAL_PAUSES_S:.2f}",
                f"x{d[1] / DEAL_PAUSES_S:.3f}", "<= x1.05", d[1] <= DEAL_PAUSES_S * 1.05)
    if "sound_ms" in results:
        delays, missing = results["sound_ms"]
        lo, mid, hi = spread(delays) if delays else (0, 0, 0)
        row("sound's onset after its step (cards, chips), ms", len(delays), lo, mid, hi, 1, "",
            f"{missing} without a sound", "<= 30, worst <= 60", bool(delays) and not missing and mid <= 30 and hi <= 60)
    c = spread(results["deal_cpu_ms"])
    row("  CPU time of a deal, ms", len(results["deal_cpu_ms"]), *c, 1, "", "", "", None)
    for key, who, ticks in (("travel_user_ms", "user's token", results.get("ticks_user")),
                            ("travel_other_ms", "other tokens", results.get("ticks_other"))):
        pace = (ticks - 1) * TICK_MS
        values = results[key]
        if not values:
            continue
        lo, mid, hi = spread(values)
        row(f"travel of the {who} ({ticks} ticks), ms", len(values), lo, mid, hi, 1, f"pace {pace}",
            f"x{mid / pace:.3f}", "within 5%", abs(mid - pace) <= 0.05 * pace)
    if results["tick_interval_ms"]:
        lo, mid, hi = spread(results["tick_interval_ms"])
        row("interval between ticks, ms", len(results["tick_interval_ms"]), lo, mid, hi, 1, f"pace {TICK_MS}",
            f"x{mid / TICK_MS:.3f}", "", None)

    prog_ticks, prog_ns = results["idle_prog"]
    base_ticks, base_ns = results["idle_base"]
    row("CPU at rest, user's turn, % of a core", 1, prog_ns, prog_ns, prog_ns, 3, f"{base_ns:.3f}",
        f"stat: {prog_ticks:.2f}%", "< 0.5%", prog_ticks < 0.5 and prog_ns < 0.5)

    header = ("measure", "n", "min", "median", "max", "baseline", "vs baseline/pace", "target", "")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    line = lambda cells: "  ".join(c.ljust(w) if i in (0, 5, 6, 7) else c.rjust(w)
                                   for i, (c, w) in enumerate(zip(cells, widths))).rstrip()
    print(line(header))
    print(line(["-" * w for w in widths]))
    for r in rows:
        print(line(r))
    missed = [r[0] for r in rows if r[-1] == "MISSED"]
    print()
    print("Times are judged on the median: on a shared machine the maximum also measures the other")
    print("processes. CPU times of the program are its whole process's; the probe's, its main thread's.")
    print(f"load average before/after: {results['load_before']} / {load()}")
    if results["pressure"]:
        print("time in which a runnable task waited for a CPU: " + ", ".join(results["pressure"]))
    if REFUSED[0]:
        print(f"starts refused by the busy X server and tried again: {REFUSED[0]}")
    print(f"travel ticks seen: {results['travel_ticks']}")
    print("targets missed: " + (", ".join(missed) if missed else "none"))
    return 1 if missed else 0


def growth_check(paths, hands, results):
    """The probe's hands with the input gate on; 1 when memory grew past a bound."""
    began = time.monotonic()
    hands_memory(paths, hands, results)
    memory = results["hands_memory"]
    for at in sorted(memory):
        rss, hwm, heap = memory[at]
        print(f"hand {at:5d}: RSS {rss / 1024:6.2f} MB, peak {hwm / 1024:6.2f} MB, heap {heap / 1024:6.2f} MB")
    failed = []
    if not results.get("gate"):
        failed.append("the input gate was off")
    rows = growth(memory, hands)
    if not rows:
        failed.append(f"no memory figures for hands {GROWTH_FROM} and {hands}")
    for what, mb_grown, bound in rows:
        print(f"growth, hand {GROWTH_FROM} to {hands}: {what} {mb_grown:+.2f} MB (at most {bound} MB)")
        if mb_grown > bound:
            failed.append(f"{what} grew {mb_grown:.2f} MB")
    print(f"{hands} hands in {time.monotonic() - began:.0f} s; "
          + ("memory kept flat" if not failed else "FAILED: " + ", ".join(failed)))
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--play", type=int, default=3, help="hands played in the real program")
    parser.add_argument("--hands", type=int, default=1000, help="hands played by the probe")
    parser.add_argument("--only", choices=["start-up", "play", "play, no sound server", "play, sound server stalled",
                                           "at rest", "in-process"],
                        help="run one step and print what it found (for working on the program)")
    parser.add_argument("--no-sound", action="store_true", help="no sound server of the bench's own")
    parser.add_argument("--growth", action="store_true",
                        help="only the probe's hands, judged on the growth bounds (the tests' memory check)")
    args = parser.parse_args()

    class Paths:
        pass

    paths = Paths()
    paths.program = os.path.join(args.build, "orvanta")
    tools = os.path.join(args.build, "tools", "bench")
    paths.baseline = os.path.join(tools, "orvanta-bench-baseline")
    paths.launch = os.path.join(tools, "orvanta-bench-launch")
    paths.probe = os.path.join(tools, "orvanta-bench-probe")
    paths.root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    paths.tmp = tempfile.mkdtemp(prefix="orvanta-bench-")
    runtime = os.path.join(paths.tmp, "runtime")
    os.mkdir(runtime, 0o700)
    paths.env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    paths.env.pop("QT_QPA_PLATFORM", None)
    paths.env.pop("ORVANTA_BENCH_TRACE", None)

    results = {"load_before": load()}
    if args.growth:
        try:
            return growth_check(paths, args.hands, results)
        finally:
            shutil.rmtree(paths.tmp, ignore_errors=True)
    paths.sound = None if args.no_sound else start_sound_server(paths)
    steps = (("start-up", lambda: start_up(paths, args.runs, results)),
             ("play", lambda: play(paths, args.play, results)),
             ("play, no sound server", lambda: play(paths, 3, results, silent=True)),
             ("play, sound server stalled", lambda: paths.sound and play(paths, 3, results, stalled=True)),
             ("at rest", lambda: idle(paths, results)),
             ("in-process", lambda: in_process(paths, args.hands, results)))
    results["pressure"] = []
    if args.only:
        steps = [step for step in steps if step[0] == args.only]
    try:
        for name, step in steps:
            began, waited = time.monotonic(), cpu_pressure()
            print(f"-- {name} ...", end=" ", flush=True, file=sys.stderr)
            step()
            took = time.monotonic() - began
            if waited is not None:
                results["pressure"].append(f"{name} {100 * (cpu_pressure() - waited) / 1e6 / took:.0f}%")
            print(f"{took:.0f} s", file=sys.stderr)
    finally:
        if paths.sound:
            paths.sound.terminate()
            paths.sound.wait()
        shutil.rmtree(paths.tmp, ignore_errors=True)
    print()
    if args.only:
        for key, value in results.items():
            if isinstance(value, list) and value and isinstance(value[0], (int, float)) and len(value) > 4:
                lo, mid, hi = spread(value)
                value = f"min {lo:.3f}  median {mid:.3f}  max {hi:.3f}  (n={len(value)})"
            print(f"{key}: {value}")
        return 0
    return report(results, args.runs, args.play, args.hands)


if __name__ == "__main__":
    sys.exit(main())
