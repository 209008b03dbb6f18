// User-facing error reporting shared by every subsystem.
#pragma once

#include <functional>

#include "platform/cstring.h"

// Set from the "silent" option when the wizard starts: every error that
// would show a message box ends the process with exit status 1 instead.
extern bool g_is_in_silent_mode;

// The caption of every message box the wizard shows.
extern const char* const BWIZC_MESSAGE_BOX_CAPTION;

// Shows text in a message box captioned "Blockwright Plug-In Manager" with
// the exclamation icon and returns when it is dismissed. In silent mode the
// text goes to standard error and the process exits with status 1. Without
// an interactive backend the text goes to standard error and the run goes on.
void bwizc_message_box(const CString& text);

// The interactive backend installs the function that really shows the box;
// an empty function restores the headless behaviour. Returns the previous one.
using BWIZC_MESSAGE_BOX_FN = std::function<void(const CString& caption, const CString& text)>;
BWIZC_MESSAGE_BOX_FN bwizc_set_message_box_handler(BWIZC_MESSAGE_BOX_FN fn);
