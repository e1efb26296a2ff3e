# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/test and scripts/fuzz: every sanitizer report ends the
# program with a failure, so a test or fuzz run with a report fails.
# (The builds add -fno-sanitize-recover=all, so UBSan stops at its first report.)
# There are no suppressions: the offscreen windows, fontconfig, Qt's plugin
# loading and the PDF path all run clean.
export ASAN_OPTIONS="abort_on_error=1:halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="report_objects=1"
