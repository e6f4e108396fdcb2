#!/usr/bin/env bash
# The long run in brief, so every end-to-end pass watches for a leak too.
QOV_LONG_RUN_SECONDS=${QOV_LONG_RUN_SECONDS:-60} exec "$(dirname "$0")/long_run.sh"
