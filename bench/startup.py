#!/usr/bin/env python3
"""Start-up to resident of zelvor on the headless desktop.

Usage: bench/startup.py BUILD_DIR [RUNS]

For each run: a fresh sandbox (XDG folders in a temporary folder), zelvor
started, the time until it reports "running" measured, then `zelvorctl quit`.
Empty store: every run starts on an empty store (defaults installed).
Installed store: the store of a previous run is kept. The baseline is
`zelvor --version` (process start alone) in the same run; ratios are
against it. Also prints the resident set size after start and the CPU time
used over an idle period (IDLE seconds, default 30; 0 skips it).
"""
import os, shutil, statistics, subprocess, sys, tempfile, time

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
idle = float(os.environ.get("IDLE", "30"))
zelvor = os.path.join(build, "app", "zelvor")
ctl = os.path.join(build, "app", "zelvorctl")


def sandbox_env(root):
    env = dict(os.environ)
    for k, d in (("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"), ("XDG_RUNTIME_DIR", "run")):
        os.makedirs(os.path.join(root, d), mode=0o700, exist_ok=True)
        env[k] = os.path.join(root, d)
    env["HOME"] = root
    return env


def start(env):
    t0 = time.perf_counter()
    p = subprocess.Popen([zelvor, "--headless", "--verbose"], env=env, stderr=subprocess.PIPE, text=True)
    for line in p.stderr:
        if line.startswith("zelvor: running"):
            return p, time.perf_counter() - t0
    raise SystemExit("zelvor did not start")


def stop(p, env):
    subprocess.run([ctl, "quit"], env=env, check=True, capture_output=True)
    p.stderr.read()
    p.wait(timeout=30)


def rss_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def switches(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/status") as f:
            for line in f:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    total += int(line.split()[1])
    return total


def median(xs):
    return statistics.median(xs)


baseline = []
for _ in range(runs):
    t0 = time.perf_counter()
    subprocess.run([zelvor, "--version"], check=True, capture_output=True)
    baseline.append(time.perf_counter() - t0)

empty, installed, rss = [], [], []
for _ in range(runs):
    root = tempfile.mkdtemp(prefix="zelvor-bench-")
    env = sandbox_env(root)
    p, t = start(env)
    empty.append(t)
    stop(p, env)
    p, t = start(env)  # the same store, now installed
    installed.append(t)
    rss.append(rss_kb(p.pid))
    stop(p, env)
    shutil.rmtree(root)

b = median(baseline)
print(f"baseline (zelvor --version): median {b * 1000:.1f} ms over {runs} runs")
print(f"start-up, empty store:       median {median(empty) * 1000:.1f} ms  ({median(empty) / b:.1f}x baseline)")
print(f"start-up, installed store:   median {median(installed) * 1000:.1f} ms  ({median(installed) / b:.1f}x baseline)")
print(f"resident set after start:    median {median(rss)} KiB")

if idle > 0:
    root = tempfile.mkdtemp(prefix="zelvor-bench-")
    env = sandbox_env(root)
    p, _ = start(env)
    time.sleep(1)
    c0, w0 = cpu_ticks(p.pid), switches(p.pid)
    time.sleep(idle)
    c1, w1 = cpu_ticks(p.pid), switches(p.pid)
    hz = os.sysconf("SC_CLK_TCK")
    print(f"idle CPU over {idle:.0f} s:         {(c1 - c0) / hz * 1000:.0f} ms of CPU time, "
          f"{w1 - w0} wake-ups (context switches, all threads)")
    stop(p, env)
    shutil.rmtree(root)
