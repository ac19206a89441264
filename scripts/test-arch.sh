#!/usr/bin/env bash
# Prints the build the tests run on this machine: i686 where the kernel runs
# 32-bit code (and so 32-bit Wine), else x86_64 under wine64.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
