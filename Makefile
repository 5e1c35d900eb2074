# glut-alap: the two everyday commands.
#   make run    build and start the program (headless: save a screenshot)
#   make test   build and run every test on a private virtual X server
# and, besides them:
#   make screenshot   regenerate the README's pictures
#   make package      build a Debian package
#   make bench        measure what a frame costs against a floor and glxgears
# Missing Debian packages are installed when run as root; otherwise the
# exact apt-get command is printed.

BUILD_DIR    ?= build
JOBS         ?= $(shell nproc)
# Warnings are errors in CI, so none can creep in unnoticed.
CMAKE_FLAGS  := -DCMAKE_BUILD_TYPE=Release $(if $(CI),-DGLUT_ALAP_WERROR=ON)

BUILD_PACKAGES    := cmake g++ make freeglut3-dev libgl-dev libgl1-mesa-dri
HEADLESS_PACKAGES := xvfb xdotool imagemagick
TEST_PACKAGES     := $(BUILD_PACKAGES) libgtest-dev libx11-dev libxdamage-dev xvfb xdotool \
                     valgrind clang-tidy clang-format cppcheck binutils \
                     desktop-file-utils man-db file dpkg-dev
PACKAGE_PACKAGES  := $(BUILD_PACKAGES) dpkg-dev
BENCH_PACKAGES    := $(BUILD_PACKAGES) xvfb xdotool mesa-utils gnuplot-nox

.PHONY: all build run test screenshot package bench clean

all: build

build:
	@tools/ensure-packages.sh $(BUILD_PACKAGES)
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) $(if $(WITH_TESTS),-DGLUT_ALAP_TESTS=ON)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run:
ifdef DISPLAY
	@$(MAKE) --no-print-directory build
	$(BUILD_DIR)/glut-alap
else
	@echo "No DISPLAY: running on a virtual display and saving a screenshot instead."
	@tools/ensure-packages.sh $(HEADLESS_PACKAGES)
	@$(MAKE) --no-print-directory build
	tools/screenshot.sh $(BUILD_DIR)/glut-alap $(BUILD_DIR)/screenshot.png
endif

test:
	@tools/ensure-packages.sh $(TEST_PACKAGES)
	@$(MAKE) --no-print-directory build WITH_TESTS=1
	tools/with-xvfb.sh ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Regenerates the README's pictures and the icon from the real program.
screenshot:
	@tools/ensure-packages.sh $(HEADLESS_PACKAGES)
	@$(MAKE) --no-print-directory build
	tools/make-pictures.sh $(BUILD_DIR)/glut-alap

# A Debian package in $(BUILD_DIR)/package/.
package:
	@tools/ensure-packages.sh $(PACKAGE_PACKAGES)
	@$(MAKE) --no-print-directory build
	cd $(BUILD_DIR) && cpack

# Runs of 3 seconds, interleaved, 3 of each case: about two minutes.
bench:
	@tools/ensure-packages.sh $(BENCH_PACKAGES)
	@$(MAKE) --no-print-directory build
	tools/bench.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
