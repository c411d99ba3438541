# Front door of the standalone build. `make demo` and `make test` do all set-up themselves.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
JOBS         ?= $(shell nproc)
CMAKE_FLAGS  ?=

.PHONY: all deps configure build test bench sanitize demo format clean

all: build

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: build
	@set -e; for b in $(BUILD_DIR)/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS) > /dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# The example foot rig through the standalone runner: each pivot's rotation (pitch, yaw, roll) every eighth frame as
# the roll channel sweeps from -30 to 90 degrees and the rock from -20 to 20. Then the demo character, whose every
# unit node says what it changed and what it cost; its walk as a glTF file and a page that plays it.
DEMO_ELEMENTS ?= outer_l_pivot,inner_l_pivot,heel_l_pivot,toe_tip_l_pivot,ball_l_pivot

demo: build
	@$(BUILD_DIR)/qvrig run examples/foot_roll.rig.json --elements $(DEMO_ELEMENTS) --every 8
	@echo
	@$(BUILD_DIR)/qvrig run examples/character.rig.json --summary
	@echo
	@$(BUILD_DIR)/qvrig export examples/character.rig.json --gltf $(BUILD_DIR)/character.glb --force
	@$(BUILD_DIR)/qvrig view $(BUILD_DIR)/character.glb --html $(BUILD_DIR)/character.html --force > /dev/null
	@echo "To watch the character walk, open $(BUILD_DIR)/character.html in a browser (a page that needs no server),"
	@echo "or load $(BUILD_DIR)/character.glb into any glTF viewer."

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
