# The two commands a player or a developer needs:
#   make play   installs what is missing, builds, generates the assets and starts the game
#   make test   the same set-up plus the test tools, then every test
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: play test build

play:
	tools/install-deps.sh play
	$(MAKE) build
	cd game && ../$(BUILD_DIR)/zk3

test:
	tools/install-deps.sh test
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 600

build:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)
