# Everything starts from a fresh Debian 12 machine: bootstrap installs what is missing.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_KERN ?= build-kern
BUILD_FUZZ ?= build-fuzz
FUZZ_SEKUNDEN ?= 60
# ccache where it is installed (looked up when a build is configured, after the bootstrap): the
# second configuration compiles the same core sources again.
LAUNCHER    = $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
JOBS       ?= $(shell nproc)

.PHONY: all bootstrap bootstrap-fuzz build run test test-kern test-asan torture fuzz bench format clean demo deb icons bilder

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/ui/fakturbuch

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The core, the driver and their tests without Qt: the proof that no Qt header is needed below ui/.
$(BUILD_KERN)/build.ninja:
	cmake -S . -B $(BUILD_KERN) -G Ninja -DCMAKE_BUILD_TYPE=Release -DFKB_GUI=OFF $(LAUNCHER)

test-kern: bootstrap $(BUILD_KERN)/build.ninja
	cmake --build $(BUILD_KERN) -j $(JOBS)
	cd $(BUILD_KERN) && ctest --output-on-failure -j $(JOBS)

$(BUILD_ASAN)/build.ninja:
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFKB_SANITIZE=ON $(LAUNCHER)

test-asan: bootstrap $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

# Kills the program with SIGKILL 1 200 times while it writes — inside its writes, renames and flushes,
# and from outside at random moments — and checks the data file after every kill. `make test` runs
# 30 such kills.
TORTURE_KILLS ?= 1200
torture: build
	$(BUILD)/tests/fkb-folter $(TORTURE_KILLS)

# A sample data file of a fictitious joinery, dated up to today, then the program on it.
demo: build
	$(BUILD)/src/demo/fakturbuch-demo $(BUILD)/Beispiel-Tischlerei.fba
	$(BUILD)/src/ui/fakturbuch $(BUILD)/Beispiel-Tischlerei.fba

# The README's pictures: the four pages over the sample data, and its printed invoice.
bilder: build
	QT_QPA_PLATFORM=offscreen FKB_README_BILDER=$(CURDIR)/doc/bilder \
	    $(BUILD)/tests/fkb_gui_tests --gtest_filter='*ReadmeBilder*'
	pdftoppm -png -r 70 -f 1 -l 1 -singlefile doc/bilder/5-druck.pdf doc/bilder/5-druck
	rm doc/bilder/5-druck.pdf

# The Debian package: $(BUILD)/fakturbuch_<version>_<arch>.deb
deb: build
	cd $(BUILD) && cpack -G DEB

# Renders the icon's PNG sizes from its SVG (needs librsvg2-bin); the PNGs are kept in the repository.
icons:
	for g in 16 22 24 32 48 64 128 256; do \
	    rsvg-convert -w $$g -h $$g packaging/icons/fakturbuch.svg -o packaging/icons/fakturbuch-$$g.png; done

bench: build
	$(BUILD)/bench/fkb-bench

# The fuzz targets with clang, libFuzzer, ASan and UBSan; each runs FUZZ_SEKUNDEN seconds, one after
# another, and the run ends with the executions and findings of each (inputs in $(BUILD_FUZZ)/funde/).
bootstrap-fuzz:
	@scripts/bootstrap fuzz

$(BUILD_FUZZ)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFKB_FUZZ=ON \
	    -DFKB_GUI=OFF -DFKB_TESTS=OFF $(LAUNCHER)

fuzz: bootstrap-fuzz $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzziele
	scripts/fuzz $(BUILD_FUZZ) $(FUZZ_SEKUNDEN)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_KERN) $(BUILD_FUZZ)
