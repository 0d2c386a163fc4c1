// A file of a high layer; including lower layers is allowed.
#include "keyboardstate/settingsimage.h"
