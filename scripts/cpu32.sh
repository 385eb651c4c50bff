# Sourced by the scripts that install and test: tells whether this machine executes 32-bit x86
# code. Kernels differ here (some give "Exec format error" for every 32-bit program), so the
# answer is found by running a tiny static i386 program once, never assumed.
#   machine_runs_32bit   status 0 where 32-bit code runs, 1 where it does not
# ORVANE_SKIP_32BIT=1 in the environment answers "does not" without probing (to try the skipping
# path on a machine that could run the 32-bit suites). Nothing can force the answer to "does".

machine_runs_32bit() {
  [ "${ORVANE_SKIP_32BIT:-}" = 1 ] && return 1
  command -v as >/dev/null && command -v ld >/dev/null || return 1
  local dir status=1
  dir=$(mktemp -d) || return 1
  # exit(0) through the 32-bit system call gate.
  printf '.globl _start\n_start:\n  movl $1, %%eax\n  xorl %%ebx, %%ebx\n  int $0x80\n' >"$dir/probe.s"
  if as --32 -o "$dir/probe.o" "$dir/probe.s" 2>/dev/null &&
    ld -m elf_i386 -static -o "$dir/probe" "$dir/probe.o" 2>/dev/null &&
    timeout 10 "$dir/probe" </dev/null >/dev/null 2>&1; then
    status=0
  fi
  rm -rf "$dir"
  return $status
}
