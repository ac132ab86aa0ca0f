# The two commands a newcomer needs, the Debian package and the Windows zip; everything else is
# CMake.
.PHONY: run test package windows
run:
	scripts/run.sh
test:
	scripts/test.sh
package:
	scripts/package.sh
windows:
	scripts/windows.sh
