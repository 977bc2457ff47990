# Sourced by test.sh: the checks beyond the tests of the main build, which keep
# habits that a passing test cannot see. Each builds in its own folder of build/.
# llvm-14 brings the symbolizer the sanitizers name their frames with: without it
# every frame is "<null>" and a suppression by function name matches nothing.
VANTOR_CHECK_PACKAGES="clang-14 libclang-rt-14-dev clang-format-14 clang-tidy-14 llvm-14"
VANTOR_SYMBOLIZER="external_symbolizer_path=/usr/bin/llvm-symbolizer-14"
# Tests with threads of their own, run again under ThreadSanitizer. The test at
# the private sound server is not among them: the checker's runtime stops on the
# server's start (a fork from a program with threads).
VANTOR_TSAN_TESTS="tst_thread_timer tst_mixer tst_no_sound_output tst_track_source tst_analysis_cache"
VANTOR_FUZZ_RUNS=20000

vantor_check_format() {
    local files
    mapfile -t files < <(git -C "$VANTOR_ROOT" ls-files '*.cpp' '*.h')
    (cd "$VANTOR_ROOT" && clang-format-14 --dry-run --Werror "${files[@]}")
}

# The English texts: lupdate of the current sources into a copy of the
# translation file adds every text of the code that the file lacks (as
# unfinished) and marks every text the code no longer has (as vanished).
vantor_check_translations() {
    local lupdate="$(qtpaths6 --query QT_HOST_BINS)/lupdate" copy
    copy="$(mktemp -d)"
    cp "$VANTOR_ROOT/translations/vantor_en.ts" "$copy/"
    (cd "$VANTOR_ROOT" && "$lupdate" -silent -locations none src -ts "$copy/vantor_en.ts")
    local stale
    stale="$(grep -B1 -E '<translation type="(unfinished|vanished|obsolete)"' "$copy/vantor_en.ts" | grep '<source>' || true)"
    rm -rf "$copy"
    if [ -n "$stale" ]; then
        echo "translations/vantor_en.ts is out of step with the code (update it with the target" \
            "vantor_common_lupdate and fill in the English):" >&2
        echo "$stale" >&2
        return 1
    fi
}

# Clang, warnings as errors, every test under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets for a fixed number of runs.
vantor_check_clang_sanitized() {
    local dir="$VANTOR_ROOT/build/clang-asan"
    vantor_build "$dir" -DCMAKE_CXX_COMPILER=clang++-14 -DVANTOR_WARNINGS_AS_ERRORS=ON \
        -DVANTOR_SANITIZE=address,undefined -DVANTOR_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug
    # The sound server's ALSA plugins, loaded and unloaded by PortAudio, leave
    # allocations behind that are not ours: the sound tests run without the leak check.
    local sound_tests="^(tst_sound_output|tst_no_sound_output)\$"
    (cd "$dir" && export QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS="print_stacktrace=1 $VANTOR_SYMBOLIZER" \
        LSAN_OPTIONS="suppressions=$VANTOR_ROOT/tests/common/thread_timer.lsan.supp $VANTOR_SYMBOLIZER" &&
        ASAN_OPTIONS="detect_leaks=1 $VANTOR_SYMBOLIZER" ctest --output-on-failure --parallel "$(nproc)" -LE install \
            -E "$sound_tests" &&
        ASAN_OPTIONS="detect_leaks=0 $VANTOR_SYMBOLIZER" ctest --output-on-failure -R "$sound_tests")
    local corpus
    corpus="$(mktemp -d)"
    "$dir/fuzz/rtf_fuzzer" -runs="$VANTOR_FUZZ_RUNS" -seed=1 -dict="$VANTOR_ROOT/tests/widgets/fuzz/rtf.dict" \
        "$corpus" "$VANTOR_ROOT/tests/widgets/fixtures" 2>"$corpus.log" || { tail -40 "$corpus.log"; return 1; }
    rm -rf "$corpus" "$corpus.log"
}

vantor_check_threads() {
    local dir="$VANTOR_ROOT/build/clang-tsan" test
    cmake -S "$VANTOR_ROOT" -B "$dir" -DCMAKE_CXX_COMPILER=clang++-14 -DVANTOR_SANITIZE=thread \
        -DCMAKE_BUILD_TYPE=Debug $(vantor_compiler_launcher) >/dev/null
    for test in $VANTOR_TSAN_TESTS; do
        cmake --build "$dir" --target "$test" --parallel "$(nproc)"
    done
    (cd "$dir" && QT_QPA_PLATFORM=offscreen \
        TSAN_OPTIONS="suppressions=$VANTOR_ROOT/tests/common/thread_timer.tsan.supp halt_on_error=1 $VANTOR_SYMBOLIZER" \
        ctest --output-on-failure -R "^($(echo $VANTOR_TSAN_TESTS | tr ' ' '|'))\$")
}

# The checks of .clang-tidy over every source file of src/, with the main
# build's compile commands (its generated headers must exist).
vantor_check_tidy() {
    run-clang-tidy-14 -p "$VANTOR_ROOT/build" -quiet "^$VANTOR_ROOT/src/.*\.cpp\$" >"$VANTOR_ROOT/build/clang-tidy.log" 2>&1 ||
        { grep -E "(warning|error):" "$VANTOR_ROOT/build/clang-tidy.log" | sort -u; return 1; }
}

vantor_checks() {
    echo "== format"; vantor_check_format
    echo "== clang-tidy"; vantor_check_tidy
    echo "== translations"; vantor_check_translations
    echo "== clang, AddressSanitizer, UndefinedBehaviorSanitizer, fuzzing"; vantor_check_clang_sanitized
    echo "== ThreadSanitizer"; vantor_check_threads
}
