# The two commands of the README: `make run` and `make test`. Both install what is
# missing first, so they work on a fresh Debian machine.
JOBS ?= $(shell nproc)

.PHONY: all deps run test bench fuzz package screenshot format clean

all: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

deps:
	@scripts/install-deps

run: all
	./build/release/brimcount

test: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

bench: all
	@for b in build/release/bench/bench_*; do \
		[ -f "$$b" ] && [ -x "$$b" ] || continue; \
		echo "== $$b"; \
		$$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; \
	done

# The Debian package from the release build, then its check (contents, Depends, a start
# of the unpacked program under Xvfb).
package: all
	cd build/release && cpack
	ctest --preset release -L package

# libFuzzer runs of the fuzz targets, built with clang in their own folder. New inputs go to
# build/fuzz/corpus (the committed corpus in tests/fuzz/corpus is read, not written); a crash is
# saved in build/fuzz/crashes and belongs in tests/fuzz/corpus/<target>/ once fixed.
FUZZ_SECONDS ?= 180
FUZZ_TARGETS := number_rule compute report report_reader workbook

fuzz: deps
	cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBRIMCOUNT_SANITIZE=ON -DBRIMCOUNT_FUZZ=ON -DBRIMCOUNT_BUILD_BENCH=OFF
	cmake --build build/fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
		mkdir -p build/fuzz/corpus/$$t build/fuzz/crashes/$$t; \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
		build/fuzz/tests/fuzz/fuzz_$$t build/fuzz/corpus/$$t tests/fuzz/corpus/$$t \
			-max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/fuzz/crashes/$$t/ \
			-print_final_stats=1 || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf build
