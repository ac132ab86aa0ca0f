# The two commands a newcomer needs, and the Debian package; everything else is CMake.
.PHONY: run test package
run:
	scripts/run.sh
test:
	scripts/test.sh
package:
	scripts/package.sh
