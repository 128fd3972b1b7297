// The area's fuzz targets over their seeds and seeded mutations.
#include "support/fuzz_corpus_tests.inc"
