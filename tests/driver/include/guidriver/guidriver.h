// The GUI test driver: start a program, find its windows, read and drive its controls from the
// test process, and wait for conditions with a timeout. One include for a test file.
#pragma once

#include "guidriver/controls.h"
#include "guidriver/driver_error.h"
#include "guidriver/drop.h"
#include "guidriver/list_view.h"
#include "guidriver/menu.h"
#include "guidriver/messages.h"
#include "guidriver/process.h"
#include "guidriver/remote_buffer.h"
#include "guidriver/screenshot.h"
#include "guidriver/temp_folder.h"
#include "guidriver/wait.h"
#include "guidriver/window_query.h"
