# make run    builds the program and opens its window
# make test   builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, runs every test
# make bench  builds optimised and runs the benchmarks
# make format formats the sources with clang-format
# make fuzz   builds the libFuzzer targets with clang and runs each for SECONDS seconds

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/sanitize
FUZZ_DIR := build/fuzz
SECONDS ?= 60

.PHONY: run test bench format packages release-build test-build fuzz

packages:
	@sh tools/install-packages.sh

release-build: packages
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

test-build: packages
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DVORNELIK_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

run: release-build
	$(RELEASE_DIR)/app/vornelik

test: test-build
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: release-build
	$(RELEASE_DIR)/bench/table_bench

format: packages
	clang-format -i $$(git ls-files '*.cpp' '*.h')

fuzz: packages
	sh fuzz/run.sh $(FUZZ_DIR) $(SECONDS) $(JOBS)
