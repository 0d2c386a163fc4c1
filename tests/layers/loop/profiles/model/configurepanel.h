// Allowed on its own: a lower layer.
#include "keyboardstate/settingsimage.h"
#include "macros/model/macrosession.h"
