// What a decorator may ask of the wizard it decorates. The wizard layer sits
// above the toolkit, so the decorators see the wizard only through this
// interface; the wizard base class implements it.
#pragma once

#include <cstdint>

#include "platform/cstring.h"

class CRDECORATOR_WIZARD {
public:
    virtual ~CRDECORATOR_WIZARD() = default;

    // Command-line choices that shape the decorations.
    virtual bool has_help_button() = 0;
    virtual bool has_nav_panel() = 0;
    virtual CString get_wizard_title() = 0;
    virtual CString get_wizard_subtitle() = 0;
    // The logo image the calling program named ("" for none).
    virtual CString get_logo_file_pathname() { return CString(); }

    // 0 on the first page, 3 on the last page, otherwise 1.
    virtual int get_cur_page_positional_order() = 0;

    // The pages' navigation identities, by list index.
    virtual int get_page_count() = 0;
    virtual bool is_page_included_in_sequence(int index) = 0;
    virtual CString get_page_nav_parent_item_id_at(int index) = 0;
    virtual CString get_page_nav_button_label_at(int index) = 0;
    virtual CString get_page_id_at(int index) = 0;
    virtual bool is_cur_page_id(const CString& page_id) = 0;
    // The page-group table entry of a navigation group id ("" when absent).
    virtual CString get_page_group_entry(const CString& group_id) = 0;
    // Leaves the current page for the page of that navigation id.
    virtual bool jump_to_page(const CString& page_id) = 0;

    // Sends a window message to the page being shown; 0 when there is none.
    virtual long send_message_to_cur_page(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) = 0;
};
