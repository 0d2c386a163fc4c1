// Two folders of one layer that include each other: a loop the check must refuse.
#include "profiles/model/configurepanel.h"
