// The keyboard link: frames, commands, block transfers, read-all, write-all,
// discovery, the worker threads and the refresh steps.
#pragma once

#include "device/acknowledgement.h"
#include "device/blocktransfers.h"
#include "device/commandhandle.h"
#include "device/commands.h"
#include "device/discovery.h"
#include "device/frame.h"
#include "device/keyboardlink.h"
#include "device/linklistener.h"
#include "keyboardstate/modifiedkeys.h"
#include "device/readall.h"
#include "device/refreshsteps.h"
#include "device/trace.h"
#include "device/writeall.h"
