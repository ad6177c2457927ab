# Two entry points: `make demo` and `make test`. Both install missing Debian packages first.
# `make test` runs the native suites, the sanitizer build, then the Windows tier under Wine.
JOBS ?= $(shell nproc)

.PHONY: all deps deps-windows demo test test-native test-sanitize test-windows format clean

all: demo

deps:
	@scripts/ensure-native-deps.sh

deps-windows: deps
	@scripts/ensure-windows-deps.sh

build/native/CMakeCache.txt: | deps
	cmake --preset native

demo: deps build/native/CMakeCache.txt
	cmake --build --preset native -j $(JOBS) --target demo_plugin
	build/native/examples/demo_plugin

test: test-native test-sanitize test-windows

test-native: deps build/native/CMakeCache.txt
	cmake --build --preset native -j $(JOBS)
	ctest --preset native -j $(JOBS)

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The same suites built for 32-bit Windows and run under Wine, with the Windows-only tests.
test-windows: deps-windows
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS)
	scripts/run-windows-tests.sh

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
