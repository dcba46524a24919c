#!/usr/bin/env python3
"""Writes bench/RESULTS.md from a Google Benchmark JSON file: the machine, every figure beside
its input size, and the goals. Arguments: the JSON file, and the instruction count of one
catalogue read (empty when valgrind was not there)."""
import json, os, subprocess, sys, datetime

results = json.load(open(sys.argv[1]))
instructions = sys.argv[2]
cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
memory_kib = next(int(l.split()[1]) for l in open("/proc/meminfo") if l.startswith("MemTotal"))
print("# Benchmark results")
print()
print("Written by scripts/bench; wall-clock figures on a shared machine are noisy, so compare")
print("them with care and prefer the instruction count for small changes.")
print()
print(f"- Date: {datetime.date.today().isoformat()}")
print(f"- Machine: {os.cpu_count()} cores ({cpu}), {memory_kib / 1048576:.1f} GiB memory")
print(f"- Build: preset `linux` (RelWithDebInfo), {results['context'].get('library_build_type', '?')} benchmark library")
print()
print("| Benchmark | Input | Time | CPU | Iterations |")
print("| --- | --- | ---: | ---: | ---: |")
inputs = {
    "readCatalogue": "catalogue of {arg} characters, whole parse (the checker's read)",
    "parseCatalogue": "catalogue of 65536 characters, in memory",
    "wholeWalk": "maximal catalogue, every dictionary selected",
    "groupMerge": "{arg} dictionaries, 3 groups each",
    "installedMerge": "{arg} configuration files, 4 groups of 6 each",
    "readCatalogueAgain": "the same catalogue again: the plug-in keeps what it found",
    "readCatalogueAlternating": "two catalogues of 65536 characters in turn: each read finds the lines anew",
    "findInAlternating": "the same, and the last selected dictionary found and parsed",
    "readAndFindLineEnds": "the same 64 KiB read in one piece, line ends found with memchr",
    "readTextFile": "catalogue of 65536 characters, read in text mode only",
}
def shown(value, unit):
    units = ["ns", "us", "ms", "s"]
    at = units.index(unit)
    while value >= 1000 and at + 1 < len(units):
        value, at = value / 1000, at + 1
    return f"{value:.3g} {units[at]}"

figures = {}
for run in results["benchmarks"]:
    if run.get("run_type") != "iteration":
        continue
    name = run["name"]
    base, _, arg = name.partition("/")
    labels = {"dictionaries": "{:g} dictionaries", "groups": "{:g} groups",
              "cfgBytes": "duvevo.cfg of {:g} bytes"}
    extra = ", ".join(labels[k].format(v) for k, v in run.items() if k in labels)
    text = inputs.get(base, "").format(arg=arg) + (f" ({extra})" if extra else "")
    unit = run["time_unit"]
    figures[name] = (run["real_time"], unit)
    print(f"| {name} | {text} | {shown(run['real_time'], unit)} | {shown(run['cpu_time'], unit)} "
          f"| {run['iterations']} |")
print()

scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
def micros(name):
    value, unit = figures.get(name, (None, None))
    return None if value is None else value * scale[unit]

def verdict(ok):
    return "met" if ok else "NOT met"

print("## Goals")
print()
read = micros("readCatalogueAlternating")
whole = micros("readCatalogue/65536")
if read is not None and whole is not None:
    print(f"- One read of a maximal catalogue under 100 us: {read:.1f} us as the plug-in reads a new "
          f"text, {verdict(read < 100)}; the checker's whole parse {whole:.1f} us, "
          f"{verdict(whole < 100)}.")
walk = micros("wholeWalk")
if walk is not None:
    print(f"- The whole walk under 100 ms: {walk / 1000:.1f} ms, {verdict(walk < 100000)}.")
bigo = next((r for r in results["benchmarks"] if r["name"] == "readCatalogue_BigO"), None)
rms = next((r for r in results["benchmarks"] if r["name"] == "readCatalogue_RMS"), None)
sizes = sorted((int(n.split("/")[1]), micros(n)) for n in figures if n.startswith("readCatalogue/"))
if bigo and rms and len(sizes) > 1:
    # A fixed cost per read (opening the file) makes small catalogues dearer per character;
    # the cost is linear as long as a character costs no more in the largest catalogue than
    # in the smallest.
    per_char = [t / s for s, t in sizes]
    linear = per_char[-1] <= per_char[0] * 1.1
    print(f"- Read cost linear in size: fitted {bigo['big_o']} with {bigo['cpu_coefficient']:.3g} "
          f"{bigo['time_unit']} CPU per character, RMS {rms['rms'] * 100:.0f}% "
          f"({verdict(linear)}: a character of the largest catalogue costs no more than one of "
          f"the smallest).")
    print("  Per character: " + ", ".join(f"{s}: {t / s * 1000:.2f} ns" for s, t in sizes) + ".")
fresh = micros("readCatalogueAlternating")
found = micros("findInAlternating")
floor = micros("readAndFindLineEnds")
if fresh is not None and floor:
    print(f"- A fresh read of a 64 KiB catalogue at most 3 times its floor (read and line ends "
          f"alone), in this run: {fresh:.1f} us against {floor:.1f} us, ratio {fresh / floor:.1f}, "
          f"{verdict(fresh <= 3 * floor)}.")
if found is not None and floor:
    print(f"  With the query that walks every line (positions worked out, the last dictionary "
          f"parsed): {found:.1f} us, ratio {found / floor:.1f}, {verdict(found <= 3 * floor)}.")
if instructions:
    print(f"- Instructions for one read of a maximal catalogue (callgrind, `readCatalogue` and "
          f"everything it calls): {int(instructions):,}, {int(instructions) / 65536:.0f} per character.")
