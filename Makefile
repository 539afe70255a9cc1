# SPDX-License-Identifier: MIT
# make deps         installs the Debian packages of every target below, when any is missing
# make run          installs what building and opening the window needs, builds the program
#                   and opens its window
# make test         installs what the tests need, builds everything with AddressSanitizer and
#                   UndefinedBehaviorSanitizer and runs every test, then cross-builds for Windows and runs the Windows tests,
#                   the real window's among them, under Wine
# make windows      cross-builds the 32-bit Windows programs in build/windows with mingw-w64
#                   and installs them into dist/
# make run-windows  builds dist/vornelik.exe and opens its window under Wine
# make windows-package       adds dist/vornelik-<version>-win32.zip and the installer
#                            dist/vornelik-<version>-win32-setup.exe
# make windows-package-test  installs, runs and uninstalls them in a fresh Wine prefix
# make bench        builds optimised and runs the benchmarks, the Windows window's start among them
# make package      builds the Debian package build/package/vornelik_<version>_<arch>.deb and
#                   fails when lintian finds an error or a warning in it
# make format       formats the sources with clang-format
# make fuzz         builds the libFuzzer targets with clang and runs each for SECONDS seconds (60)

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/sanitize
PACKAGE_DIR := build/package
WINDOWS_DIR := build/windows
WINDOWS64_DIR := build/windows64
DEB_BUILDFLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
FUZZ_DIR := build/fuzz
SECONDS ?= 60

.PHONY: run test bench package format deps window-deps test-deps release-build test-build fuzz windows \
	windows-configure windows-test-build windows64-configure windows64-test-build windows-tests \
	windows-bench run-windows windows-package windows-package-test

# Only run and test install packages, each what it needs; every other target uses what is there.
deps:
	@sh tools/install-packages.sh all

window-deps:
	@sh tools/install-packages.sh window

test-deps:
	@sh tools/install-packages.sh test

release-build:
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

test-build:
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DVORNELIK_SANITIZE=ON -DVORNELIK_WERROR=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

windows-configure:
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
		-DCMAKE_BUILD_TYPE=Release -DVORNELIK_WERROR=ON

# The build writes only into its folder; dist/ is its install.
windows: windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS) --target vornelik vornelik-cli
	cmake --install $(WINDOWS_DIR) --prefix dist

windows-test-build: windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# The same sources for 64-bit Windows, whose tests 64-bit Wine runs where 32-bit code cannot.
windows64-configure:
	cmake -S . -B $(WINDOWS64_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DVORNELIK_WERROR=ON

windows64-test-build: windows64-configure
	cmake --build $(WINDOWS64_DIR) -j $(JOBS)

# The Windows tests run the 32-bit programs users get under 32-bit Wine. Some virtual machines'
# kernels run no 32-bit code at all, and wine32 cannot always be installed: there the 32-bit
# programs are still built, and the tests run on the 64-bit build of the same sources under
# 64-bit Wine.
windows-tests:
	@if sh tools/runs-32-bit-code.sh; then \
	    $(MAKE) windows-test-build && cd $(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS); \
	else \
	    echo "32-bit Wine cannot run here (the kernel refuses 32-bit code, or wine32 is missing): the Windows tests run on the 64-bit build."; \
	    $(MAKE) windows windows64-test-build && \
	    cd $(WINDOWS64_DIR) && ctest --output-on-failure -j $(JOBS); \
	fi

# The downloads are made in the build folder and copied to dist/.
windows-package: windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS) --target windows_package
	mkdir -p dist
	cp $(WINDOWS_DIR)/vornelik-*-win32.zip $(WINDOWS_DIR)/vornelik-*-win32-setup.exe dist/

# Also run by `make test`, with the other Windows tests; on the 64-bit build where the machine
# runs no 32-bit code.
windows-package-test:
	@if sh tools/runs-32-bit-code.sh; then \
	    $(MAKE) windows-test-build && dir=$(WINDOWS_DIR); \
	else \
	    $(MAKE) windows64-test-build && dir=$(WINDOWS64_DIR); \
	fi && \
	cd $$dir && ctest --output-on-failure -R '^windows_package_test$$'

# A Wine prefix of its own, apart from the tests' one, which leaves windows unmanaged.
run-windows: windows
	WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR)/wine-run WINEARCH=win32 WINEDEBUG=-all \
		WINEDLLOVERRIDES="mscoree,mshtml=" wine dist/vornelik.exe

run: window-deps
	$(MAKE) release-build
	$(RELEASE_DIR)/app/vornelik

test: test-deps
	$(MAKE) test-build
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) windows-tests

bench:
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF -DVORNELIK_BENCH=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	$(RELEASE_DIR)/bench/table_bench
	sh bench/cli_bench.sh $(RELEASE_DIR)/cli/vornelik-cli
	sh bench/convert_bench.sh $(RELEASE_DIR)/cli/vornelik-cli
	$(MAKE) windows-bench

# The Windows window's start under Wine against a bare window with the same controls.
# Where the machine runs no 32-bit code, the 64-bit build's window is timed.
windows-bench:
	@if sh tools/runs-32-bit-code.sh; then \
	    $(MAKE) windows-configure && dir=$(WINDOWS_DIR); \
	else \
	    $(MAKE) windows64-configure && dir=$(WINDOWS64_DIR); \
	fi && \
	cmake -S . -B $$dir -DVORNELIK_BENCH=ON && \
	cmake --build $$dir -j $(JOBS) --target vornelik bare_window window_start_bench && \
	sh bench/window_start_bench.sh $$dir

# Built with Debian's hardening flags, as a Debian package build would be.
package:
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF \
	    -DCMAKE_CXX_FLAGS="$$($(DEB_BUILDFLAGS) CXXFLAGS) $$($(DEB_BUILDFLAGS) CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_BUILDFLAGS) LDFLAGS)" \
	    -DCMAKE_MODULE_LINKER_FLAGS="$$($(DEB_BUILDFLAGS) LDFLAGS)"
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	rm -f $(PACKAGE_DIR)/*.deb
	cd $(PACKAGE_DIR) && cpack -G DEB
	lintian --fail-on error,warning --info $(PACKAGE_DIR)/*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

fuzz:
	sh fuzz/run.sh $(FUZZ_DIR) $(SECONDS) $(JOBS)
