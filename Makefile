# make run          builds the program and opens its window
# make test         builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
#                   runs every test, then cross-builds for Windows and runs the Windows tests,
#                   the real window's among them, under Wine
# make windows      cross-builds the 32-bit Windows program dist/vornelik.exe with mingw-w64
# make run-windows  builds it and opens its window under Wine
# make bench        builds optimised and runs the benchmarks
# make format       formats the sources with clang-format

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/sanitize
WINDOWS_DIR := build/windows

.PHONY: run test bench format packages release-build test-build windows windows-configure \
	windows-test-build run-windows

packages:
	@sh tools/install-packages.sh

release-build: packages
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

test-build: packages
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DVORNELIK_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

windows-configure: packages
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
		-DCMAKE_BUILD_TYPE=Release

windows: windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS) --target vornelik

windows-test-build: windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# A Wine prefix of its own, apart from the tests' one, which leaves windows unmanaged.
run-windows: windows
	WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR)/wine-run WINEARCH=win32 WINEDEBUG=-all \
		WINEDLLOVERRIDES="mscoree,mshtml=" wine dist/vornelik.exe

run: release-build
	$(RELEASE_DIR)/app/vornelik

test: test-build windows-test-build
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS)

bench: release-build
	$(RELEASE_DIR)/bench/table_bench

format: packages
	clang-format -i $$(git ls-files '*.cpp' '*.h')
