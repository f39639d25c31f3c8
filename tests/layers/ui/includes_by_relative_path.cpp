// A toolkit source reaching the logic past the toolkit's include path: the
// include check of the build must refuse it.
#include "../access/password_codec.h"
