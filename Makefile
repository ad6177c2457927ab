# Entry points: `make demo`, `make test`, `make bench`, `make fuzz` and `make dist`. Each
# installs missing Debian packages first. `make test` runs the native suites, the sanitizer
# build, memcheck, then the Windows tier under Wine (with the release that `make dist` builds).
JOBS ?= $(shell nproc)
# Signing of the release, empty unless given (docs/release.md); paths as absolute ones, since the
# packaging runs in the build folder.
SIGNING = -DTAVROSK_SIGN_PFX="$(if $(TAVROSK_SIGN_PFX),$(abspath $(TAVROSK_SIGN_PFX)))" \
	-DTAVROSK_SIGN_PASSWORD_FILE="$(if $(TAVROSK_SIGN_PASSWORD_FILE),$(abspath $(TAVROSK_SIGN_PASSWORD_FILE)))" \
	-DTAVROSK_SIGN_TIMESTAMP_URL="$(TAVROSK_SIGN_TIMESTAMP_URL)"

.PHONY: all deps deps-windows dist-deps bench-deps demo test test-native test-sanitize \
	test-valgrind windows-builds test-windows bench soak fuzz dist reproducible reference screenshots format clean

all: demo

deps:
	@scripts/ensure-native-deps.sh

deps-windows: deps
	@scripts/ensure-windows-deps.sh

dist-deps: deps-windows
	@scripts/ensure-dist-deps.sh

build/native/CMakeCache.txt: | deps
	cmake --preset native

demo: deps build/native/CMakeCache.txt
	cmake --build --preset native -j $(JOBS) --target demo_plugin
	build/native/examples/demo_plugin

# Ends with the number of cases per suite natively and on Windows, and which width ran each
# Windows suite and how.
test: test-native test-sanitize test-valgrind windows-builds
	scripts/run-windows-tier.sh --count-cases

test-native: deps build/native/CMakeCache.txt
	cmake --build --preset native -j $(JOBS)
	ctest --preset native -j $(JOBS)

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The same suites built for Windows and run under Wine, with the Windows-only tests and the
# release's (the build makes the release for them): the shipped win32 build as 32-bit code
# (natively, or through qemu-i386 where the kernel starts no 32-bit program; TAVROSK_WINE32=
# emulated takes that road anyway), and the win64 build as 64-bit code. See scripts/wine-prefix.sh.
windows-builds: dist-deps
	cmake --preset win32 $(SIGNING)
	cmake --build --preset win32 -j $(JOBS)
	cmake --preset win64
	cmake --build --preset win64 -j $(JOBS)

test-windows: windows-builds
	scripts/run-windows-tier.sh

# The Windows release in dist/: Tavrosk-<version>-windows.zip and Tavrosk-<version>-setup.exe,
# Tavrosk.dll of both widths in win32\ and win64\ (the win32 build builds the 64-bit one in
# build/win64), each stripped with its debug information beside it, and SHA256SUMS. Signed with
# TAVROSK_SIGN_PFX=<cert.pfx> TAVROSK_SIGN_PASSWORD_FILE=<file> [TAVROSK_SIGN_TIMESTAMP_URL=<url>],
# unsigned without (docs/release.md). Files are dated by the last commit (SOURCE_DATE_EPOCH).
dist: dist-deps
	cmake --preset win32 $(SIGNING)
	cmake --build --preset win32 -j $(JOBS) --target dist
	@ls -l dist

# Two unsigned releases of this checkout, built in two folders without ccache, must be the same
# bytes (tests/release/reproducible_release.sh; build/reproducible/). About 8 minutes on 2 cores.
reproducible: dist-deps
	JOBS=$(JOBS) tests/release/reproducible_release.sh

# docs/reference.md from the helpstrings of src/com/tavrosk.idl; a native test fails while the
# committed page differs.
reference: deps build/native/CMakeCache.txt
	cmake --build --preset native -j $(JOBS) --target reference

bench-deps: deps
	@scripts/ensure-bench-deps.sh

# One table of ratios, each measured against its floor in the same run: the native rows, and
# the Windows rows (late binding, a relay exchange across two processes) measured under Wine on
# both widths: the shipped 32-bit build (natively, or emulated where the kernel starts no 32-bit
# program) and the 64-bit one; each row names its width and how it ran.
BENCH_WINDOWS_PRESETS := win32 win64

bench: bench-deps deps-windows
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS) --target tavrosk_bench
	for preset in $(BENCH_WINDOWS_PRESETS); do \
	  cmake --preset $$preset && \
	  cmake --build --preset $$preset -j $(JOBS) --target tavrosk_windows_bench || exit 1; \
	done
	for preset in $(BENCH_WINDOWS_PRESETS); do \
	  scripts/run-windows-bench.sh $$preset build/bench/windows_rows-$$preset.tsv || exit 1; \
	done
	build/bench/bench/tavrosk_bench \
	  $(foreach preset,$(BENCH_WINDOWS_PRESETS),--windows-rows=build/bench/windows_rows-$(preset).tsv)

# Mixed calls through the registered Tavrosk.dll under Wine, every result checked, and the
# process's private bytes, handles and USER and GDI objects watched for growth (at most 1%).
# Not part of `make test`; CI runs it smaller.
SOAK_CALLS ?= 1000000
SOAK_RELAY ?= 20000

soak: deps-windows
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS) --target tavrosk_soak
	scripts/run-soak.sh $(SOAK_CALLS) $(SOAK_RELAY)

# Each libFuzzer target runs for FUZZ_SECONDS from its committed seeds.
FUZZ_SECONDS ?= 20
FUZZ_TARGETS := reply_conversions relay_commands records lines_array command_line

fuzz:
	@scripts/ensure-fuzz-deps.sh
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	scripts/run-fuzz.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The native test programs under memcheck: any error or definite leak fails the step.
test-valgrind: test-native
	for program in build/native/tests/*_tests; do \
	  valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
	    --suppressions=tests/valgrind.supp $$program --gtest_brief=1 || exit 1; \
	done

# docs/relay-tool.png: the reference host program's two windows, taken under Xvfb.
screenshots: deps-windows
	@scripts/ensure-screenshot-deps.sh
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS) --target korvex_relay_tool Zavoplex Tavrosk
	scripts/take-screenshots.sh

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
