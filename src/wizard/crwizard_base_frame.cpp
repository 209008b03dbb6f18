// The wizard's decorations and its messages to the calling program.
#include "wizard/crwizard_base.h"

void CRWIZARD_BASE::build_decorators() {
    set_page_group_entry("PARAM_SETTINGS", "Parameter Settings");
}

void CRWIZARD_BASE::delete_decorators() {}

void CRWIZARD_BASE::add_page_decorations(CRWIZARD_PAGE_BASE* /*page*/) {}

void CRWIZARD_BASE::initialize_custom_laf() {}

void CRWIZARD_BASE::send_message_to_wizman() {}
