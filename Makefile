# The two commands a newcomer needs: `make run` and `make test`.

BUILD_PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-liberation \
	nlohmann-json3-dev
TEST_PACKAGES := $(BUILD_PACKAGES) googletest libgtest-dev desktop-file-utils appstream dpkg-dev file
BENCH_PACKAGES := $(BUILD_PACKAGES) libbenchmark-dev

# The tests render the manual page with man and check the package with lintian.
TEST_PACKAGES += man-db lintian

.PHONY: run test bench build deps test-deps bench-deps same-bits lint-package clean

run: build
	./build/release/interp1d-tour

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target interp1d-tour

# Installing: `make install` puts the Release program, its menu entry, icon,
# AppStream metadata, manual page, copyright file and changelog under PREFIX
# (inside DESTDIR if given); `make package` makes a Debian package of the
# Release build.
PREFIX := /usr/local
PACKAGE_PACKAGES := $(BUILD_PACKAGES) dpkg-dev file

.PHONY: install package package-deps

install: build
	cmake --build --preset release --target compressed_docs
	DESTDIR="$(DESTDIR)" cmake --install build/release --prefix "$(PREFIX)"

package: package-deps
	cmake --preset release >/dev/null
	cmake --build --preset release
	rm -f build/release/interp1d-tour_*.deb
	cd build/release && cpack -G DEB
	@echo "The package is $$(ls build/release/interp1d-tour_*.deb)"

package-deps:
	@./scripts/install-deps.sh $(PACKAGE_PACKAGES)

test: test-deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan
	$(MAKE) --no-print-directory same-bits
	$(MAKE) --no-print-directory lint-package

# The package `make package` builds, as Debian's checker sees it: no error,
# warning or informational tag beyond the overrides the package names.
lint-package: package
	@./scripts/install-deps.sh lintian
	sh tests/install/lint_package.sh build/release/interp1d-tour_*.deb

# The Release build (all of it, so its warnings are seen too) and the
# sanitizer build compute the same bits on every screen of the forward tour.
same-bits:
	cmake --preset release >/dev/null
	cmake --build --preset release
	./build/release/tour_digest > build/release/tour_digest.txt
	./build/asan/tour_digest > build/asan/tour_digest.txt
	cmp build/release/tour_digest.txt build/asan/tour_digest.txt
	@echo "Release and sanitizer builds agree on all $$(wc -l < build/asan/tour_digest.txt) screens of the forward tour."

# Speed of the stage computations, Release build (Google Benchmark).
bench: bench-deps
	cmake --preset release -DINTERP1D_BENCH=ON >/dev/null
	cmake --build --preset release --target bench_tour
	./build/release/bench/bench_tour

deps:
	@./scripts/install-deps.sh $(BUILD_PACKAGES)

test-deps:
	@./scripts/install-deps.sh $(TEST_PACKAGES)

bench-deps:
	@./scripts/install-deps.sh $(BENCH_PACKAGES)

clean:
	rm -rf build
