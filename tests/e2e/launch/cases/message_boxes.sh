# The owner-centred message box under the real window system: centred on the owner's outer rectangle
# (also off the left screen edge), left to the platform for an owner at x = 0, and no hook left behind
# for the plain box that follows.

LAUNCH_HARNESS="$E2E_BUILD/tests/e2e/launch/launch_harness.exe"

test_centred_box_sits_over_the_middle_of_its_owner() {
    [[ -f "$LAUNCH_HARNESS" ]] || fail "launch_harness.exe is missing"
    # Rows: name | owner rectangle | centred expected (1) or left to the platform (0)
    local rows=(
        "editor on screen|100 100 800 480|1"
        "partly off the left edge|-300 50 500 450|1"
        "odd sums truncate|101 33 802 520|1"
        "left edge at 0|0 100 800 480|0"
    )
    local row name rect centred out owner box plain
    local ol ot or ob bl bt br bb
    for row in "${rows[@]}"; do
        IFS='|' read -r name rect centred <<<"$row"
        echo "case $name"
        spawn "box-$centred" "$LAUNCH_HARNESS" centred-box $rect
        assert_exit "box-$centred" 0 60
        out=$(spawned_output "box-$centred")
        owner=$(rect_of "$out" owner)
        box=$(rect_of "$out" centred)
        plain=$(rect_of "$out" plain)
        [[ -n "$box" && -n "$plain" ]] || fail "the harness did not see both boxes: $out"
        read -r ol ot or ob <<<"$owner"
        read -r bl bt br bb <<<"$box"
        if ((centred)); then
            # Integer halves truncated toward zero, as the creation position is computed.
            assert_eq "$(((ol + or - (br - bl)) / 2)) $(((ot + ob - (bb - bt)) / 2))" "$bl $bt" "centred box of $name"
            [[ "$plain" != "$box" ]] || fail "the plain box after $name was centred as well: the hook stayed"
        else
            assert_eq "$plain" "$box" "box of $name (the platform's place)"
        fi
    done
}
