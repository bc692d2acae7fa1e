# The two commands a newcomer needs: `make run` and `make test`.

BUILD_PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-liberation \
	nlohmann-json3-dev
TEST_PACKAGES := $(BUILD_PACKAGES) googletest libgtest-dev desktop-file-utils appstream dpkg-dev file \
	locales
BENCH_PACKAGES := $(BUILD_PACKAGES) libbenchmark-dev

# The tests render the manual page with man and check the package with lintian.
TEST_PACKAGES += man-db lintian

.PHONY: run test bench build deps test-deps bench-deps same-bits lint-package clean explorer-screenshot
.PHONY: web web-deps web-test web-test-deps web-same-bits bench-web web-screenshot web-explorer-screenshot
.PHONY: web-lesson-screenshot

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
	$(MAKE) --no-print-directory web-test

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

# The browser edition: build/web/interp1d-tour.html, one self-contained file
# (Debian 12's emscripten). Emscripten's JavaScript optimizer finds its
# acorn module in Debian's Node folder also when another node is installed.
WEB_PACKAGES := emscripten nodejs cmake ninja-build nlohmann-json3-dev
# npm comes with Debian's package of that name or with another Node build.
WEB_TEST_PACKAGES := $(WEB_PACKAGES) chromium fonts-liberation $(if $(shell command -v npm),,npm)
WEB_ENV := NODE_PATH=/usr/share/nodejs

web: web-deps
	$(WEB_ENV) cmake --preset web >/dev/null
	$(WEB_ENV) cmake --build --preset web
	@echo "The page is build/web/interp1d-tour.html ($$(stat -c %s build/web/interp1d-tour.html) bytes)."

# The web build's fingerprints of every screen and of the numerals equal the
# native ones; its fault checks report what the processor's flags report;
# the page, the tour and the explorer, used in headless Chromium (Playwright
# and axe-core, pinned by tests/web/package-lock.json). The explorer's files
# are compared with the native program's (built by web-same-bits).
web-test: web-test-deps web web-same-bits
	node build/web/fault_cases.js
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node --test tests/web/

web-same-bits: deps web
	cmake --preset release >/dev/null
	cmake --build --preset release --target tour_digest numerals_digest session_digest interp1d-tour
	./build/release/tour_digest > build/release/tour_digest.txt
	node build/web/tour_digest.js > build/web/tour_digest.txt
	diff build/release/tour_digest.txt build/web/tour_digest.txt
	@echo "The WebAssembly and the native build agree on all $$(wc -l < build/web/tour_digest.txt) screens of the forward tour."
	./build/release/numerals_digest > build/release/numerals_digest.txt
	node build/web/numerals_digest.js > build/web/numerals_digest.txt
	diff build/release/numerals_digest.txt build/web/numerals_digest.txt
	@echo "The WebAssembly and the native build write and read the same numerals ($$(grep -c '^[a-z_]*(' build/web/numerals_digest.txt) fingerprints)."
	./build/release/session_digest > build/release/session_digest.txt
	node build/web/session_digest.js > build/web/session_digest.txt
	diff build/release/session_digest.txt build/web/session_digest.txt
	@echo "The WebAssembly and the native explorer hold the same table after each of $$(wc -l < build/web/session_digest.txt) random gestures."
	sh tests/web/same_csv.sh build/release/interp1d-tour build/web/setup_csv.js tests/web/setups/*.json

# The forward tour's and the explorer's computation in WebAssembly (Node) and
# natively, side by side; in Chromium the tour's first paint, the explorer's
# opening, drag frames, long tasks and leave-one-out; the size of the file.
bench-web: bench-deps web-test-deps web
	cmake --preset release -DINTERP1D_BENCH=ON >/dev/null
	cmake --build --preset release --target forward_tour_timing explore_timing
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node bench/bench_web.js

# docs/explorer.png: the explorer window, offscreen; docs/lesson.png: with a lesson.
explorer-screenshot: build
	cmake --build --preset release --target explorer_screenshot
	QT_QPA_PLATFORM=offscreen ./build/release/explorer_screenshot docs/explorer.png
	QT_QPA_PLATFORM=offscreen ./build/release/explorer_screenshot docs/lesson.png \
	  tests/web/setups/scenario1.json data/lessons/1-why-cross-validate.json

# docs/web-screenshot.png: the page at stage 36 in headless Chromium;
# docs/web-explorer.png: the explorer on a layout moved by hand;
# docs/web-lesson.png: the explorer playing the first built-in lesson.
web-screenshot: web-test-deps web
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node tools/web_screenshot.js docs/web-screenshot.png

web-explorer-screenshot: web-test-deps web
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node tools/web_screenshot.js --explorer docs/web-explorer.png

web-lesson-screenshot: web-test-deps web
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node tools/web_screenshot.js --lesson docs/web-lesson.png

deps:
	@./scripts/install-deps.sh $(BUILD_PACKAGES)

# The tests also run the program in German, which writes numbers with a
# decimal comma on screen and must keep '.' in its files.
test-deps:
	@./scripts/install-deps.sh $(TEST_PACKAGES)
	@./scripts/ensure-locale.sh de_DE.UTF-8

bench-deps:
	@./scripts/install-deps.sh $(BENCH_PACKAGES)

web-deps:
	@./scripts/install-deps.sh $(WEB_PACKAGES)

web-test-deps:
	@./scripts/install-deps.sh $(WEB_TEST_PACKAGES)

clean:
	rm -rf build
