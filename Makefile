# Quick start: `make run` starts the resident mode, `make test` runs every test.
# Both install what is missing (Debian 12 packages), then configure and build into build/.

PRESET := $(if $(CI),ci,default)
JOBS ?= $(shell nproc)

.PHONY: all deps build run test translations sanitize package bench fuzz format check-format clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build build -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "rumo: no display to show the window on (set DISPLAY or WAYLAND_DISPLAY)"; exit 1; fi
	./build/rumo

test: build
	@ctest --preset $(PRESET) -j$(JOBS)

# Refreshes translations/*.ts after texts were added or changed in the sources.
translations: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build build --target update_translations

# The unit tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build build/sanitize -j$(JOBS) --target rumo_core_tests rumo_shell_tests \
		rumo_calendar_command_tests
	@ctest --preset sanitize -j$(JOBS)

package: build
	@cmake --build build --target package

bench: build
	@for b in build/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" --benchmark_counters_tabular=true || exit 1; fi; done

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build build/clang-fuzz -j$(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

check-format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf build
