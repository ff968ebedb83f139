# The resources of Vorlix.exe as Windows programs see them: icon groups and their order, version, manifest.

# vorlix_resources: the driver's description of Vorlix.exe (CR removed). Call as out=$(vorlix_resources).
vorlix_resources() {
    local _out _rc
    _out=$(driver resources "$(winpath "$VORLIX_EXE")")
    _rc=$?
    ((_rc == 0)) || fail "cannot read the resources of Vorlix.exe: the driver ended with $_rc after writing:
$_out"
    printf '%s' "${_out//$'\r'/}"
}

test_icon_groups_in_extract_order() {
    local out
    out=$(vorlix_resources) || exit 1
    local groups
    groups=$(grep '^icon-group' <<<"$out")
    assert_eq "icon-group 1 32x32x4 16x16x4
icon-group 100 16x16x4
icon-group 101 16x16x4
icon-group 102 16x16x4
icon-group 103 16x16x4
icon-group 104 16x16x4
icon-group 105 16x16x4
icon-group 106 16x16x4
icon-group 107 16x16x4" "$groups" "icon groups"
    assert_contains "$out" "icon-count 9" "ExtractIconExW's count"
    local i
    for i in 0 1 2 3 4 5 6 7 8; do
        assert_contains "$out" "icon-index $i large 32x32 small 16x16" "icon $i"
    done
}

test_version_and_manifest() {
    local out
    out=$(vorlix_resources) || exit 1
    assert_contains "$out" "file-version 2.58.0.0"
    assert_contains "$out" "version FileVersion=2.58 (64 bit)"
    assert_contains "$out" "version ProductName=Vorlix"
    assert_contains "$out" 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "manifest"
    assert_contains "$out" 'requestedExecutionLevel level="asInvoker"' "manifest"
    assert_not_contains "$out" "dpiAware" "manifest"
    assert_not_contains "$out" "dpiAwareness" "manifest"
}
