# Lumera: `make run` builds and starts the program, `make test` builds and
# runs every test. Both install the Debian packages they need first.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
CMAKE_FLAGS  ?= -G Ninja

.PHONY: all build deps run demo screenshots test test-sanitize bench accuracy fuzz clean

all: build

deps:
	@bash scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

# A first start finds the sample stand ready to load (it is made, not committed: 20 MB).
run: deps
	@$(MAKE) --no-print-directory build
	@test -f workspace/data/vyrezy/stand.dat || $(BUILD_DIR)/cli/lumera-cli synth -o workspace
	cd workspace && ../$(BUILD_DIR)/gui/lumera

# The whole chain on the sample stand, scored against its true crowns.
demo: deps
	@$(MAKE) --no-print-directory build
	@test -f workspace/data/vyrezy/stand.dat || $(BUILD_DIR)/cli/lumera-cli synth -o workspace
	@echo "pipeline (seconds of each step):"
	@cd workspace && ../$(BUILD_DIR)/cli/lumera-cli pipeline data/vyrezy/stand.dat -o obr/demo
	@echo "accuracy against the true crowns:"
	@cd workspace && ../$(BUILD_DIR)/cli/lumera-cli evaluate obr/demo/trees.dat data/vystup/truth.dat
	@echo "files: workspace/obr/demo/"

# The user guide's pictures of the windows (docs/images/), under xvfb-run.
screenshots: deps
	@$(MAKE) --no-print-directory build
	BUILD_DIR=$(BUILD_DIR) bash scripts/screenshots

test: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMERA_SANITIZE=ON -DLUMERA_BENCH=OFF
	cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure

bench: build
	$(BUILD_DIR)/bench/lumera_bench

# Every file reader fuzzed for FUZZ_SECONDS (60) each; fails on any finding.
fuzz:
	@bash scripts/install-deps --fuzz
	cmake -S . -B $(FUZZ_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMERA_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR)
	FUZZ_BUILD_DIR=$(FUZZ_DIR) bash scripts/fuzz

# Scores the crown delineations on ten synthetic stands and the real plot MLBS_4.
accuracy: build
	bash scripts/accuracy $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
