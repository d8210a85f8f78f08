# Tolmo: the two commands for a fresh machine are `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

PREFIX     ?= /usr/local

.PHONY: all deps configure build run test test-core-asan test-long bench fuzz clean format install package

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Tolmo needs a graphical display, and none is available here (DISPLAY and WAYLAND_DISPLAY are unset)."; \
	  echo "Start it from a desktop session, or under Xvfb: xvfb-run -a $(BUILD)/tolmo"; \
	  exit 1; \
	fi
	@if [ -n "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && ! timeout 5 xdpyinfo >/dev/null 2>&1; then \
	  echo "Tolmo needs a graphical display, but the display '$$DISPLAY' does not answer."; \
	  exit 1; \
	fi
	$(BUILD)/tolmo

test: build test-core-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# The program, its companion files, desktop entry, icons and AppStream metainfo under $(PREFIX)
# (`make install PREFIX=~/.local` for one user).
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package with the dependencies computed from the binary (build/tolmo_*.deb).
package: build
	cd $(BUILD) && cpack -G DEB

# The Qt-free core and its tests once more, built by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, with the libFuzzer targets in the same build: each fuzz target then
# replays its seed corpus as a test, so a target that no longer builds with clang fails here.
test-core-asan: deps
	CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTOLMO_CORE_ONLY=ON -DTOLMO_SANITIZE=ON -DTOLMO_FUZZ=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 900

# Tests too long for every run: a 5 GB text opened, edited at its end and saved.
test-long: configure
	cmake --build $(BUILD) -j $(JOBS) --target longtest_hugefile
	$(BUILD)/longtest_hugefile

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTOLMO_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target benchmarks
	@set -e; for b in $(BENCH_BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; QT_QPA_PLATFORM=offscreen "$$b" --benchmark_counters_tabular=true; done

# libFuzzer targets (clang). FUZZ_SECONDS per target; the seed corpora live under tests/.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLMO_CORE_ONLY=ON -DTOLMO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@set -e; for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; n=$$(basename $$f); mkdir -p $(FUZZ_BUILD)/corpus/$$n; \
	  echo "== $$n"; "$$f" -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus/$$n tests/fuzz/$$n; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
