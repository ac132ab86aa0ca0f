# The two commands a newcomer needs; everything else is CMake.
.PHONY: run test
run:
	scripts/run.sh
test:
	scripts/test.sh
