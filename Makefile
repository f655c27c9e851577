# The two commands a player or a developer needs:
#   make play   installs what is missing, builds, generates the assets and starts the game
#               (make play ARGS=--no-multisampling on a machine without a graphics card)
#   make test   the same set-up plus the test tools, then every test: the
#               end-to-end tests and the bot-play check on every shipped map
#               in the optimised build, the unit suite and a long soak of every
#               shipped map under AddressSanitizer and UBSan, and bounded
#               fuzzing runs of the map, replay, network packet and game query readers
# and one to time the map reader, the match step, the frame and the start-up:
#   make bench
# and one to look at every picture and sound at once: make contact-sheet
BUILD_DIR := build
ASAN_DIR := build-asan
FUZZ_DIR := build-fuzz
FUZZ_SECONDS := 45
REPLAY_FUZZ_SECONDS := 30
PACKET_FUZZ_SECONDS := 30
QUERY_FUZZ_SECONDS := 20
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: play test build test-sanitized fuzz bench contact-sheet

play:
	tools/install-deps.sh play
	$(MAKE) build
	cd game && ../$(BUILD_DIR)/zk3 $(ARGS)

# Each test runs once: the unit tests only under the sanitizers, which check
# more than the optimised build could; the bot-play check, too slow for them,
# only in the optimised build, beside the end-to-end tests of the program.
test:
	tools/install-deps.sh test
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 600 -j $(JOBS) -R '^e2e_|BotPlay'
	$(MAKE) test-sanitized
	$(MAKE) fuzz

build:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The pictures and sounds come from the main build, which writes them into the
# shared game folder; this build only reads them. Clang at -O1 with line
# tables only compiles the sanitized tests three times as fast as g++ at -O2.
test-sanitized:
	cmake -S . -B $(ASAN_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
	  -DCMAKE_CXX_FLAGS='-O1 -gline-tables-only' -DZK3_SANITIZE=ON -DZK3_ASSETS=OFF
	cmake --build $(ASAN_DIR) -j $(JOBS) --target zk3_unit_tests zk3_soak_tests
	cd $(ASAN_DIR) && ctest --output-on-failure --timeout 1800 -j $(JOBS) -L 'unit|soak' -E BotPlay

fuzz:
	cmake -S tests/fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	tests/fuzz/run.sh $(FUZZ_DIR)/fuzz_map_reader $(FUZZ_SECONDS)
	tests/fuzz/run.sh $(FUZZ_DIR)/fuzz_replay_reader $(REPLAY_FUZZ_SECONDS)
	tests/fuzz/run.sh $(FUZZ_DIR)/fuzz_packet_reader $(PACKET_FUZZ_SECONDS)
	tests/fuzz/run.sh $(FUZZ_DIR)/fuzz_game_query $(QUERY_FUZZ_SECONDS)

# The step and map-read figures headless, then the frame, start-up and memory
# figures on a virtual display of their own.
# The frame figures need the virtual display the tests use.
bench:
	tools/install-deps.sh test
	$(MAKE) build
	$(BUILD_DIR)/bench/zk3_bench
	bench/frame/run_on_xvfb.sh $(BUILD_DIR)/bench/frame/zk3_frame

# Every picture, a fighter in every pose with every gun and a spectrogram of
# every sound on one sheet, for judging the art by eye; not committed.
contact-sheet: build
	$(BUILD_DIR)/tools/zk3_assetgen --contact-sheet contact-sheet.png game
	@echo "wrote contact-sheet.png"
