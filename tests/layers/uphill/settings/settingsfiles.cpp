// A file of a low layer that reaches up: the layer check must refuse it.
#include "mainwindow/view/paintall.h"
