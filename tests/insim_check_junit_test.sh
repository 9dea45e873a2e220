#!/bin/sh
# insim_check's --junit file is well-formed XML in JUnit's shape, as CI
# servers read it: testsuites, one testsuite whose counts match its
# testcases, each with a name, a classname and a time, and a failure or
# skipped element where the console says FAIL or SKIP. What a program sent
# is escaped wherever it shows, also in a failure's records.
# Usage: insim_check_junit_test.sh INSIM_CHECK CHECK_SUBJECT
set -eu
command -v python3 >/dev/null || { echo "python3 is needed to read the XML"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
"$1" --port 0 --exec "'$2' wide_button" --cases intro,button,close \
    --junit "$work/check.xml" >"$work/console.txt" 2>/dev/null || status=$?
[ "$status" = 1 ] || { echo "status $status, not 1"; cat "$work/console.txt"; exit 1; }
python3 - "$work/check.xml" "$work/console.txt" <<'PY'
import sys
import xml.etree.ElementTree as ET

root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "testsuites", root.tag
suites = root.findall("testsuite")
assert len(suites) == 1, suites
suite = suites[0]
cases = suite.findall("testcase")
outcomes = [line.split()[:2] for line in open(sys.argv[2]) if line[:4] in ("PASS", "FAIL", "SKIP")]
assert len(cases) == len(outcomes) == int(suite.get("tests")) == int(root.get("tests")), cases
failures = skips = 0
for case, (result, ident) in zip(cases, outcomes):
    assert case.get("name").startswith(ident + " "), (case.get("name"), ident)
    assert case.get("classname") == "insim_check." + ident.split("/")[0], case.get("classname")
    float(case.get("time"))
    failed = case.find("failure") is not None
    skipped = case.find("skipped") is not None
    assert failed == (result == "FAIL") and skipped == (result == "SKIP"), (ident, result)
    failures += failed
    skips += skipped
assert failures == int(suite.get("failures")) == 1, failures
assert skips == int(suite.get("skipped")), skips
assert float(suite.get("time")) >= 0
PY

# A failure's records hold the program's name, which XML must escape.
status=0
CHECK_SUBJECT_NAME='R&D <"tool">' "$1" --port 0 --exec "'$2' silent" --cases keepalive/2 \
    --junit "$work/named.xml" >"$work/named.txt" 2>/dev/null || status=$?
[ "$status" = 1 ] || { echo "status $status, not 1"; cat "$work/named.txt"; exit 1; }
python3 - "$work/named.xml" <<'PY'
import sys
import xml.etree.ElementTree as ET

failure = ET.parse(sys.argv[1]).getroot().find("testsuite/testcase/failure")
assert 'IName="R&D <\\"tool\\">"' in failure.text, failure.text
PY
