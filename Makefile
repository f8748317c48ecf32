# Two commands on a fresh machine: `make run` starts the tutor, `make test` runs every test.
# Each target installs what is missing, configures and builds what it needs.
.PHONY: run editor test e2e asan bench bench-desktop fuzz package deps build format format-check clean

JOBS ?= $(shell nproc)
# The end-to-end tests spend most of their time waiting for the programs'
# own timed sequences, so tests run two to a core.
TEST_JOBS ?= $(shell echo $$(( $$(nproc) * 2 )))
FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps

build/%/build.ninja: | deps
	cmake --preset $* >/dev/null

build: deps build/dev/build.ninja
	cmake --build build/dev -j $(JOBS)

run: deps build/dev/build.ninja
	cmake --build build/dev -j $(JOBS) --target Zentavo
	build/dev/bin/Zentavo $(ARGS)

editor: deps build/dev/build.ninja
	cmake --build build/dev -j $(JOBS) --target EditorZentavo
	build/dev/bin/EditorZentavo $(ARGS)

test: deps build/dev/build.ninja
	cmake --build build/dev -j $(JOBS)
	ctest --preset dev -j $(TEST_JOBS)

# The end-to-end tests alone (make test runs them too): the real programs
# under a private Xvfb, screenshots in build/dev/e2e-shots/.
e2e: deps build/dev/build.ninja
	cmake --build build/dev -j $(JOBS)
	ctest --preset dev -L e2e -j $(TEST_JOBS)

asan: deps build/asan/build.ninja
	cmake --build build/asan -j $(JOBS)
	ctest --preset asan -j $(TEST_JOBS)

bench: deps build/release/build.ninja
	cmake --build build/release -j $(JOBS)
	@for b in build/release/bench/bench_*; do echo "== $$b"; $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; done

# The release tutor as a pupil meets it, under a private Xvfb: key to
# screen, CPU per keystroke, start, idle CPU and memory, BENCH_ROUNDS rounds
# of a whole exercise (BENCH_EXERCISE), with the median of each figure.
BENCH_ROUNDS ?= 5
BENCH_EXERCISE ?= bench/desktop/bench.ftd
bench-desktop: deps build/release/build.ninja
	cmake --build build/release -j $(JOBS) --target Zentavo zentavo_data keytoscreen
	build/release/bench/keytoscreen --rounds $(BENCH_ROUNDS) build/release/bin/Zentavo $(BENCH_EXERCISE)

# Each target runs FUZZ_SECONDS on its kept corpus and the seeds; an input
# that crashes or runs over 10 s stops CI and is kept in build/fuzz/findings/.
fuzz: deps build/fuzz/build.ninja
	cmake --build build/fuzz -j $(JOBS)
	@mkdir -p build/fuzz/corpus build/fuzz/findings
	@for f in build/fuzz/fuzz/fuzz_*; do \
	  n=$$(basename $$f); mkdir -p build/fuzz/corpus/$$n; \
	  seeds=fuzz/corpus/$${n#fuzz_}; [ -d $$seeds ] || seeds=; \
	  echo "== $$n ($(FUZZ_SECONDS) s)"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/findings/$$n- build/fuzz/corpus/$$n $$seeds \
	    >build/fuzz/$$n.log 2>&1; status=$$?; \
	  tail -n 12 build/fuzz/$$n.log; \
	  if [ $$status -ne 0 ]; then echo "$$n failed: see build/fuzz/$$n.log and build/fuzz/findings/"; exit 1; fi; \
	done

# The Debian package of both programs, built from the package configuration
# (release, installed under /usr). dpkg-buildpackage -us -uc -b builds the
# same package through debian/.
package: deps build/package/build.ninja
	cmake --build build/package -j $(JOBS) --target Zentavo EditorZentavo
	cd build/package && cpack
	lintian --fail-on error,warning build/package/zentavo_*.deb
	@ls -l build/package/zentavo_*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror
	scripts/check-source-lists

clean:
	rm -rf build
