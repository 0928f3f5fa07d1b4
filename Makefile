# The one front door: make deps | build | test | demo | clean
RELEASE := build/release
CHECK := build/check
SOURCES = $(shell find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null)

.PHONY: all deps build release check test format-check demo clean

all: build

deps:
	@bash scripts/install-deps.sh

$(RELEASE)/build.ninja:
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release

$(CHECK)/build.ninja:
	cmake -S . -B $(CHECK) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSCOREX_SANITIZE=ON

release: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE)

check: deps $(CHECK)/build.ninja
	cmake --build $(CHECK)

build: release

test: release check format-check
	cd $(CHECK) && ctest --output-on-failure -j2

format-check:
	@clang-format --dry-run --Werror $(SOURCES)
	@echo "clang-format: all sources formatted"

# A fresh workspace in demo/: its database and page directories, a configuration, and two runs
# over the bundled sample logs (the second adds to the careers of the first).
DEMO_LOGS_1 = ../examples/logs/brakk-day1.log ../examples/logs/brakk-day2.log
DEMO_LOGS_2 = ../examples/logs/brakk-day3.log
demo: release
	rm -rf demo
	mkdir -p demo/data demo/html
	cp examples/ScorexBRK.cfg demo/ScorexBRK.cfg
	cp site/spawnBrowser.exe demo/spawnBrowser.exe
	cd demo && ../$(RELEASE)/ScorexBRK -c ScorexBRK.cfg $(DEMO_LOGS_1)
	cd demo && ../$(RELEASE)/ScorexBRK -c ScorexBRK.cfg $(DEMO_LOGS_2)
	@echo
	@echo "Demo site: $(CURDIR)/demo/html/Scorex_Main.html"

clean:
	rm -rf build demo
