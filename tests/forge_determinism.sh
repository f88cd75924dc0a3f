#!/usr/bin/env bash
# The forge writes the same bytes on every run: forge again into a scratch folder and compare
# every file with the run folder's.
set -euo pipefail
forge=$1
run_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$forge" "$scratch" >/dev/null
status=0
while read -r name; do
  if ! cmp -s "$run_dir/$name" "$scratch/$name"; then
    echo "differs between two forge runs: $name"
    status=1
  fi
done < <(cd "$scratch" && find grafika muz -type f | sort)
[[ $status -eq 0 ]] && echo "forge output identical: $(cd "$scratch" && find grafika muz -type f | wc -l) files"
exit $status
