# The two commands of the project. Both set up a fresh Debian 12 machine first
# (packages, cross-built Windows dependencies, Wine prefix).
.PHONY: demo test gallery bench fuzz dist clean

# Builds the installer and runs it under Wine on a simulated device, with a
# local update service and a sample package.
# DPI=N shows it on a display of N DPI (144 is 150 %).
demo:
	@$(if $(DPI),TOVANE_WINE_DPI=$(DPI) )scripts/demo.sh

# Builds the control gallery and runs it under Wine; headless, it leaves
# screenshots in build/gallery/.
gallery:
	@scripts/gallery.sh

# Builds everything and runs every test (native and under Wine).
test:
	@scripts/test.sh

# Builds every benchmark (native Release without sanitizers, and Windows)
# and runs each one, printing its figures.
bench:
	@scripts/bench.sh

# A longer fuzzing campaign over every fuzz target (SECONDS each, default 600).
fuzz:
	@scripts/fuzz.sh $(or $(SECONDS),600)

# The release file: dist/tovane-VERSION-win64.exe, stripped, and its SHA-256.
dist:
	@scripts/dist.sh

clean:
	rm -rf build dist
