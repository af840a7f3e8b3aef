#!/usr/bin/env bash
# Runs the four benchmarks, each beside its anchor, prints their figures and writes them, with the
# date and the machine, to a Markdown report. Start-up and idle cost run on a private Xvfb.
# Usage: bench/run_benchmarks.sh DRILL TOOLS_DIR REPORT
set -euo pipefail

drill="$1"
tools="$2"
report="$3"

# Qt wants a private runtime directory; nothing in it is kept.
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
figures="$(mktemp)"
trap 'rm -rf "$XDG_RUNTIME_DIR" "$figures"' EXIT

# -noreset: the server would reset each time its last client leaves, and a program started during
# that reset finds no display.
on_x_server() {
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" "$@"
}

cpu="$(lscpu | sed -n 's/^Model name: *//p' | head -1)"
# The sources measured: their commit, and whether the tree differs from it (but for this report).
repository="$(dirname "$0")/.."
if source_tree="commit $(git -C "$repository" rev-parse --short HEAD 2>/dev/null)"; then
  if [ -n "$(git -C "$repository" status --porcelain -- . ':!bench/RESULTS.md')" ]; then
    source_tree="$source_tree with uncommitted changes"
  fi
else
  source_tree="a tree outside git"
fi
{
  echo "# Benchmark results"
  echo
  echo "Written by \`make bench\` on $(date -u '+%Y-%m-%d %H:%M UTC'): $(nproc) cores ($cpu)," \
    "Linux $(uname -r), Qt $(pkg-config --modversion Qt6Core), load average" \
    "$(cut -d' ' -f1-3 /proc/loadavg) when the run began; sources at $source_tree. The drill is" \
    "\`$drill\`; the floor is" \
    "\`bench/floor_window.cpp\`, a bare Qt 6 Widgets window of the drill's size with one line of" \
    "Chinese in a 93-pixel font."
  echo
} >"$figures"

on_x_server "$tools/start_up_bench" 11 "$drill" "$tools/floor_window" | tee -a "$figures"
on_x_server "$tools/idle_bench" 3 "$drill" "$tools/floor_window" | tee -a "$figures"
"$tools/tick_bench" 120 | tee -a "$figures"
"$tools/handler_bench" --benchmark_color=false 2>"$tools/handler_bench.log" | tee -a "$figures"
echo "Google Benchmark's own output: $tools/handler_bench.log"

echo "Load average when the run ended: $(cut -d' ' -f1-3 /proc/loadavg)." | tee -a "$figures"
cp "$figures" "$report"
echo "Written to $report"
