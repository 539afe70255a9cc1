# SPDX-License-Identifier: MIT
# make run          builds the program and opens its window
# make test         builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
#                   runs every test, then cross-builds for Windows and runs the Windows tests,
#                   the real window's among them, under Wine
# make windows      cross-builds the 32-bit Windows programs in dist/ with mingw-w64
# make run-windows  builds dist/vornelik.exe and opens its window under Wine
# make bench        builds optimised and runs the benchmarks
# make package      builds the Debian package build/package/vornelik_<version>_<arch>.deb and
#                   checks it with lintian when lintian is installed
# make format       formats the sources with clang-format
# make fuzz         builds the libFuzzer targets with clang and runs each for SECONDS seconds (60)

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/sanitize
PACKAGE_DIR := build/package
WINDOWS_DIR := build/windows
DEB_BUILDFLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
FUZZ_DIR := build/fuzz
SECONDS ?= 60

.PHONY: run test bench package format packages release-build test-build fuzz windows \
	windows-configure windows-test-build run-windows

packages:
	@sh tools/install-packages.sh

release-build: packages
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

test-build: packages
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DVORNELIK_SANITIZE=ON -DVORNELIK_WERROR=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

windows-configure: packages
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
		-DCMAKE_BUILD_TYPE=Release -DVORNELIK_WERROR=ON

windows: windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS) --target vornelik vornelik-cli

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

bench: packages
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF -DVORNELIK_BENCH=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	$(RELEASE_DIR)/bench/table_bench
	sh bench/cli_bench.sh $(RELEASE_DIR)/cli/vornelik-cli
	sh bench/convert_bench.sh $(RELEASE_DIR)/cli/vornelik-cli

# Built with Debian's hardening flags, as a Debian package build would be.
package: packages
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DVORNELIK_TESTS=OFF \
	    -DCMAKE_CXX_FLAGS="$$($(DEB_BUILDFLAGS) CXXFLAGS) $$($(DEB_BUILDFLAGS) CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_BUILDFLAGS) LDFLAGS)"
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	rm -f $(PACKAGE_DIR)/*.deb
	cd $(PACKAGE_DIR) && cpack -G DEB
	@if command -v lintian >/dev/null 2>&1; then \
	    echo "lintian $$(ls $(PACKAGE_DIR)/*.deb)"; \
	    lintian --fail-on error --info $(PACKAGE_DIR)/*.deb; \
	else \
	    echo "lintian is not installed: the package was not checked"; \
	fi

format: packages
	clang-format -i $$(git ls-files '*.cpp' '*.h')

fuzz: packages
	sh fuzz/run.sh $(FUZZ_DIR) $(SECONDS) $(JOBS)
