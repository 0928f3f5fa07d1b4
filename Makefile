# The one front door: make deps | build | test | fuzz | demo | bench | coverage | package |
# install-test | golden | clean
RELEASE := build/release
CHECK := build/check
FUZZ := build/fuzz
# Seconds each fuzz target runs in `make fuzz`, and in `make test`.
FUZZ_SECONDS ?= 60
FUZZ_TEST_SECONDS ?= 20
# npm packages (tests/browser/node_modules) bring C headers of their own: not ours to format.
SOURCES = $(shell find src tests tools bench fuzz -name node_modules -prune -o \( -name '*.cpp' -o -name '*.h' \) -print 2>/dev/null)

.PHONY: all deps build release check fuzz-build fuzz test format-check demo browser-test bench \
	coverage package install-test golden clean

all: build

deps:
	@bash scripts/install-deps.sh

$(RELEASE)/build.ninja:
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release

$(CHECK)/build.ninja:
	cmake -S . -B $(CHECK) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSCOREX_SANITIZE=ON

# The fuzzing tree: clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, at -O1.
$(FUZZ)/build.ninja:
	cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DSCOREX_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g"

release: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE)

check: deps $(CHECK)/build.ninja
	cmake --build $(CHECK)

fuzz-build: deps $(FUZZ)/build.ninja
	cmake --build $(FUZZ) -j2

# Runs every fuzz target for FUZZ_SECONDS (see fuzz/run.sh); fails on any finding.
fuzz: fuzz-build
	bash fuzz/run.sh $(FUZZ_SECONDS)

build: release

test: release check fuzz-build format-check
	cd $(CHECK) && ctest --output-on-failure -j2
	bash fuzz/run.sh --fresh $(FUZZ_TEST_SECONDS)
	$(MAKE) --no-print-directory browser-test

format-check:
	@clang-format --dry-run --Werror $(SOURCES)
	@echo "clang-format: all sources formatted"

# A fresh workspace per module under demo/ (the two never share a database or page directory):
# its database and page directories, a configuration, and runs over the bundled sample logs
# (Brakk's second run adds to the careers of the first).
DEMO_LOGS_1 = ../../examples/logs/brakk-day1.log ../../examples/logs/brakk-day2.log
DEMO_LOGS_2 = ../../examples/logs/brakk-day3.log
DEMO_ZLN_LOGS = $(sort $(wildcard examples/logs/zolnar-*.log))
demo: release
	rm -rf demo
	for m in BRK ZLN; do \
	  mkdir -p demo/$$m/data demo/$$m/html && \
	  cp examples/Scorex$$m.cfg demo/$$m/Scorex$$m.cfg && \
	  cp site/spawnBrowser.exe demo/$$m/spawnBrowser.exe || exit 1; \
	done
	cd demo/BRK && ../../$(RELEASE)/ScorexBRK -c ScorexBRK.cfg $(DEMO_LOGS_1)
	cd demo/BRK && ../../$(RELEASE)/ScorexBRK -c ScorexBRK.cfg $(DEMO_LOGS_2)
	cd demo/ZLN && ../../$(RELEASE)/ScorexZLN -c ScorexZLN.cfg $(addprefix ../../,$(DEMO_ZLN_LOGS))
	@echo
	@echo "Demo site of ScorexBRK: $(CURDIR)/demo/BRK/html/Scorex_Main.html"
	@echo "Demo site of ScorexZLN: $(CURDIR)/demo/ZLN/html/Scorex_Main.html"
	@echo "Skill ratings of both: $(RELEASE)/scorex-ratings demo/BRK (or demo/ZLN, --json)"

# Both demo sites in headless Chromium (tests/browser/site.test.mjs; screenshots in
# build/browser/), then the modern sites in live/ (tests/browser/modern.test.mjs), then every
# link of every page checked
# against the files of the site: the page directory holds live/, so its links are checked too.
browser-test: demo
	node tests/browser/site.test.mjs --shots build/browser BRK=demo/BRK/html ZLN=demo/ZLN/html
	node tests/browser/modern.test.mjs --shots build/browser BRK=demo/BRK/html/live ZLN=demo/ZLN/html/live
	node tests/browser/linkcheck.mjs demo/BRK/html demo/ZLN/html

# Times both Release programs on generated server histories (kept in build/bench for later
# runs): a full run, 20 new matches on the full database and on an empty one, each against its
# I/O floor, then the targets and the digests of the output. BENCH_ARGS=--quick for a smoke
# test (a tenth of the history), --only brk|zln, --keep to keep the homes.
BENCH_ARGS ?=
bench: release
	$(RELEASE)/bench/scorex_bench $(BENCH_ARGS) $(RELEASE)/ScorexBRK $(RELEASE)/ScorexZLN build/bench

# After a deliberate change of the output: every test runs with SCOREX_UPDATE_GOLDEN=1, so each
# golden file (tests/golden/) that differs from what the programs make now is rewritten and its
# test fails; then this target fails too, naming the files, until they are reviewed with git
# diff and the tests pass again.
GOLDEN_LOG = $(CHECK)/golden.log
golden: check
	-cd $(CHECK) && SCOREX_UPDATE_GOLDEN=1 ctest -j2 --output-on-failure >golden.log 2>&1
	@files=$$(sed -n 's/.*golden file rewritten: review with git diff, then run the tests again: //p' \
	  $(GOLDEN_LOG) | xargs -r realpath --relative-to=. | sort -u); \
	if [ -z "$$files" ]; then echo "golden files: all match the programs"; exit 0; fi; \
	echo "$$files"; git diff --stat -- tests/golden; \
	echo "golden files rewritten: review with git diff, then run the tests again"; exit 1

# Line and branch coverage of src/ by every test, in the tree build/coverage (clang).
coverage: deps release
	bash scripts/coverage.sh

# The Debian package build/scorex_VERSION_ARCH.deb, from the Release tree.
package: release
	bash scripts/package.sh

# The package installed on a clean Debian system (debootstrap) and README.md's quick start
# followed there verbatim, ending with the link check and the browser test of its sites. Root
# and the Debian mirror; a few minutes; not part of `make test`.
install-test: package
	bash scripts/install-test.sh

clean:
	rm -rf build demo
