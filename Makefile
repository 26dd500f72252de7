# Kalvo: the two commands that matter are `make run` and `make test`.
BUILD      ?= build
TEST_BUILD ?= build-test
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
# How long make fuzz runs the fuzzer, in seconds.
FUZZ_SECONDS ?= 600
JOBS       ?= $(shell nproc)

.PHONY: run test deps build install package icon bench fuzz format clean

run: build
	./$(BUILD)/kalvo

# The tests include the desktop validators on an installed copy.
test:
	./scripts/install-deps.sh install-check
	cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DKALVO_WERROR=ON -DKALVO_SANITIZE=ON -DKALVO_BENCH=OFF
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

deps:
	./scripts/install-deps.sh

# The program and its samples only: the tests are make test's. The headers
# most files read are precompiled (KALVO_PCH).
build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVO_TESTS=OFF \
	    -DKALVO_PCH=ON
	cmake --build $(BUILD) -j $(JOBS)

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of a release build, with Debian's hardening flags (without
# the debugging information the package strips anyway):
# $(PACKAGE_BUILD)/kalvo_VERSION_ARCH.deb. scripts/check-package.sh checks it.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get
package:
	./scripts/install-deps.sh package
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVO_TESTS=OFF \
	    -DKALVO_BENCH=OFF -DKALVO_PCH=ON -DCMAKE_INSTALL_PREFIX=/usr \
	    -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack

# Redraws the 256-pixel application icon from its SVG (Debian's librsvg2-bin).
icon:
	rsvg-convert -w 256 -h 256 data/desktop/org.example.kalvo.svg -o data/desktop/org.example.kalvo.png

bench:
	./scripts/install-deps.sh bench
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVO_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)
	for b in $(BUILD)/bench/bench_*; do if [ -f $$b ] && [ -x $$b ]; then $$b; fi; done

# The picture reader under libFuzzer, seeded with the bitmaps the reader's
# tests build; new inputs it finds collect in $(FUZZ_BUILD)/corpus.
fuzz:
	./scripts/install-deps.sh fuzz
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	rm -rf $(FUZZ_BUILD)/seeds && mkdir -p $(FUZZ_BUILD)/seeds $(FUZZ_BUILD)/corpus
	KALVO_SEED_FOLDER=$(CURDIR)/$(FUZZ_BUILD)/seeds QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=0 ./$(FUZZ_BUILD)/picture_seeds -silent
	./$(FUZZ_BUILD)/fuzz_picture_file -max_total_time=$(FUZZ_SECONDS) \
	    -artifact_prefix=$(FUZZ_BUILD)/ \
	    -print_final_stats=1 $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
