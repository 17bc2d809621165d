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
	@for b in build/release/bench/bench_*; do echo "== $$b"; $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; done

# The Debian package from the release build, then its check (contents, Depends, a start
# of the unpacked program under Xvfb).
package: all
	cd build/release && cpack
	ctest --preset release -L package

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf build
