# Two entry points: `make demo` and `make test`. Both install missing Debian packages first.
JOBS ?= $(shell nproc)

.PHONY: all deps demo test test-native test-sanitize format clean

all: demo

deps:
	@scripts/ensure-native-deps.sh

build/native/CMakeCache.txt: | deps
	cmake --preset native

demo: deps build/native/CMakeCache.txt
	cmake --build --preset native -j $(JOBS) --target demo_plugin
	build/native/examples/demo_plugin

test: test-native test-sanitize

test-native: deps build/native/CMakeCache.txt
	cmake --build --preset native -j $(JOBS)
	ctest --preset native -j $(JOBS)

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
