# A thin layer over CMake. Build trees live under build/.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
DEMO_ARGS ?=
# `make bench BENCH_FILTER=regex` runs only the matching benchmarks. BENCH_ARGS: each runs
# in 7 repetitions shuffled among all the others, so that a benchmark and its baseline meet
# the same load on a shared machine; the ratios take each side's fastest repetition.
BENCH_FILTER ?=
BENCH_ARGS ?= --benchmark_repetitions=7 --benchmark_min_time=0.05 --benchmark_enable_random_interleaving=true \
  --benchmark_display_aggregates_only=true

WINDOWS_TARGETS = win64 win32

.PHONY: windows test-windows deps-windows all deps demo test test-sanitize coverage bench bench-peer fuzz fuzz-smoke install package gallery docs clean

all: build/release/Makefile
	cmake --build build/release -j$(JOBS)

deps:
	@tools/install-deps

build/release/Makefile: | deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build/sanitize/Makefile: | deps
	cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DRSW32_SANITIZE=ON -DRSW32_BENCH=OFF $(CMAKE_FLAGS)

demo: build/release/Makefile
	cmake --build build/release -j$(JOBS) --target rsw32_demo
	./build/release/examples/rsw32_demo $(DEMO_ARGS)

test: build/release/Makefile
	cmake --build build/release -j$(JOBS)
	ctest --test-dir build/release --output-on-failure -j$(JOBS)

test-sanitize: build/sanitize/Makefile
	cmake --build build/sanitize -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir build/sanitize --output-on-failure -j$(JOBS)

build/coverage/Makefile: | deps
	cmake -S . -B build/coverage -DCMAKE_BUILD_TYPE=Debug -DRSW32_COVERAGE=ON -DRSW32_BENCH=OFF $(CMAKE_FLAGS)

# Line and branch coverage of src/ by the whole suite. Counters from an earlier run are
# cleared first; the per-function counts go to build/coverage/coverage.json for comparing runs.
coverage: build/coverage/Makefile
	cmake --build build/coverage -j$(JOBS)
	find build/coverage -name '*.gcda' -delete
	ctest --test-dir build/coverage --output-on-failure -j$(JOBS)
	gcovr -r . --filter src/ --exclude-throw-branches --exclude-unreachable-branches \
	  --json build/coverage/coverage.json --txt build/coverage/coverage.txt --print-summary build/coverage

bench: build/release/Makefile
	@echo "== building the benchmarks"
	cmake --build build/release -j$(JOBS) --target rsw32_bench
	@echo "== running $$(./build/release/bench/rsw32_bench --benchmark_list_tests $(if $(BENCH_FILTER),'--benchmark_filter=$(BENCH_FILTER)') | wc -l)" \
	  "benchmarks, each repetition shuffled among the others; results print when all are done (minutes)"
	./build/release/bench/rsw32_bench --benchmark_out=build/release/bench.json --benchmark_out_format=json \
	  $(if $(BENCH_FILTER),'--benchmark_filter=$(BENCH_FILTER)') $(BENCH_ARGS)
	@echo "== ratios against the baselines of the same run (lower is better)"
	python3 bench/ratios.py build/release/bench.json

# The rasterizers against Allegro 4's polygon renderer (liballegro4-dev), each in its own
# process, taking turns for PEER_ROUNDS rounds; prints both pixel rates and their ratio.
PEER_ROUNDS ?= 3
bench-peer: build/release/Makefile
	cmake --build build/release -j$(JOBS) --target rsw32_bench rsw32_allegro_peer
	python3 bench/peer.py build/release $(PEER_ROUNDS)

# The fuzz targets try the library's own readers: the FFmpeg codecs stay out of that build.
fuzz: | deps
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DRSW32_FUZZ=ON -DRSW32_TESTS=OFF -DRSW32_BENCH=OFF -DRSW32_WITH_FFMPEG=OFF
	cmake --build build/fuzz -j$(JOBS)

# Each fuzz target for FUZZ_SECONDS (60) on a scratch corpus seeded from its minimised
# corpus fuzz/corpus/<target>, with fuzz/<target>.dict where there is one. UBSan stops at
# its first report, so that it counts as a crash with a saved input.
FUZZ_SECONDS ?= 60
fuzz-smoke: fuzz
	@echo "== $$(ls build/fuzz/fuzz/*_fuzz | wc -l) fuzz targets, $(FUZZ_SECONDS) s each, from fuzz/corpus with fuzz/<target>.dict"
	@for t in build/fuzz/fuzz/*_fuzz; do \
	  name=$$(basename $$t _fuzz); corpus=build/fuzz/corpus/$$name; mkdir -p $$corpus; \
	  cp fuzz/corpus/$$name/* $$corpus/ 2>/dev/null || true; \
	  dict=; [ -f fuzz/$$name.dict ] && dict=-dict=fuzz/$$name.dict; \
	  echo "== $$name"; UBSAN_OPTIONS=halt_on_error=1 $$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
	    $$dict $$corpus || exit 1; \
	done
	@echo "== every fuzz target ran $(FUZZ_SECONDS) s without a crash"

# The library, headers, CMake and pkg-config files and examples under PREFIX; `make package`
# wraps the same files as a Debian package in build/release/package/.
PREFIX ?= /usr/local
INSTALLED = rsw32 rsw32_archive rsw32_first rsw32_demo rsw32_show rsw32_paint rsw32_scene3d rsw32_poster
install: build/release/Makefile
	cmake --build build/release -j$(JOBS) --target $(INSTALLED)
	cmake --install build/release --prefix $(PREFIX)

package: build/release/Makefile
	cmake --build build/release -j$(JOBS) --target $(INSTALLED)
	cd build/release && cpack

# The README's pictures: every demo scene at the four depths, under docs/gallery/.
gallery: build/release/Makefile
	cmake --build build/release -j$(JOBS) --target rsw32_demo
	tools/gallery build/release/examples/rsw32_demo

# The HTML reference of the two public headers, from their comments, in build/docs/html.
# Any Doxygen warning (an undocumented export, a broken command) fails it.
docs:
	@command -v doxygen >/dev/null || { echo "make docs needs doxygen (tools/install-deps installs it)" >&2; exit 1; }
	@echo "building the reference from include/rsw32.h and include/rsw32_platform.h"
	RSW32_DOCS_OUT=build/docs doxygen docs/Doxyfile
	@echo "reference: build/docs/html/index.html"

# RSW32.DLL (with its import library librsw32.dll.a) cross-built with mingw-w64:
# build/win64 for 64-bit Windows, build/win32 for 32-bit. `make test-windows` runs the
# suite under Wine, the 32-bit one only where the 32-bit Wine is installed.
deps-windows:
	@tools/install-deps windows

build/win64/Makefile: | deps-windows
	cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DRSW32_BENCH=OFF $(CMAKE_FLAGS)

build/win32/Makefile: | deps-windows
	cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DRSW32_BENCH=OFF $(CMAKE_FLAGS)

windows: $(WINDOWS_TARGETS:%=build/%/Makefile)
	for t in $(WINDOWS_TARGETS); do cmake --build build/$$t -j$(JOBS) --target rsw32 || exit 1; done

# Wine keeps its prefix under the build tree, so a test run never touches the user's own.
test-windows: $(WINDOWS_TARGETS:%=build/%/Makefile)
	tools/test-windows $(JOBS) $(WINDOWS_TARGETS)

clean:
	rm -rf build out
