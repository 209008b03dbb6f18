// CRWIZARD_PAGE_BASE: a dialog that is one page of the wizard: its
// navigation identity, its frame of border panels, its device family and the
// registered messages that reach it.
#pragma once

#include "support/bwizc_device_family.h"
#include "wizard/crdialog.h"
#include "wizard/crwizard_page_frame.h"

class CRWIZARD_BASE;

class CRWIZARD_PAGE_BASE : public CRDIALOG {
public:
    CRWIZARD_PAGE_BASE();
    explicit CRWIZARD_PAGE_BASE(UINT template_id, CWnd* parent = nullptr);
    ~CRWIZARD_PAGE_BASE() override;

    // ---- frame
    // Places the border panels around the page's own controls and sizes the
    // dialog; first_time also runs the panels' creation hooks of the button
    // bar and the device-family box.
    virtual void pack_page(bool first_time, const CPoint& corner, bool position_flag);
    // Takes the border panels' controls away; forget also drops the panels.
    virtual void unpack_page(bool forget);
    virtual void on_page_packed() {}
    virtual void on_page_unpacked() {}
    // Gives the dialog a client area of `size`, centred on the screen for the
    // first page, otherwise with its lower-right corner at `corner`.
    virtual void position_page(const CSize& size, const CPoint& corner, bool position_flag);
    virtual void on_init_dialog() {}
    // The last frame the page had; (-1, -1) before it was shown.
    virtual CSize get_last_dlg_size() { return m_last_dlg_size; }

    // ---- navigation identity
    // An empty page id becomes parent id + "#" + label.
    virtual void set_page_nav_info(const CString& parent_item_id, const CString& button_label,
                                   const CString& page_id = CString());
    virtual CString get_page_nav_parent_item_id() { return m_nav_parent_item_id; }
    virtual CString get_page_nav_button_label() { return m_nav_button_label; }
    virtual CString get_page_id() { return m_page_id; }
    virtual int get_page_order() { return -1; }
    virtual void set_next_page_index(int index) { m_next_page_index = index; }
    virtual int get_next_page_index() { return m_next_page_index; }

    // ---- device family (the wizard's)
    virtual void set_cgx_device_family_obj(const BWIZC_RDEVICE_FAMILY* family, bool remember_previous);
    virtual const BWIZC_RDEVICE_FAMILY* get_cgx_device_family_obj();
    virtual CString get_cgx_device_family();
    virtual bool set_cgx_device_family(const CString& name);
    // The text shown in the device-family box.
    virtual CString get_cgx_combobox_device_family() { return m_combobox_device_family; }
    virtual void set_cgx_combobox_device_family(const CString& family) { m_combobox_device_family = family; }

    virtual void set_wizard_base_ref(CRWIZARD_BASE* wizard) { m_wizard_base = wizard; }
    virtual CRWIZARD_BASE* get_wizard_base_ref() { return m_wizard_base; }

    // ---- registered messages
    virtual LRESULT on_resource_info_thread_terminated(WPARAM wparam, LPARAM lparam);
    virtual LRESULT on_simlib_info_thread_terminated(WPARAM wparam, LPARAM lparam);
    virtual LRESULT on_tcl_shell_thread_terminated(WPARAM wparam, LPARAM lparam);
    virtual LRESULT on_wiz_page_finish(WPARAM wparam, LPARAM lparam) = 0;
    virtual LRESULT on_wiz_page_next(WPARAM wparam, LPARAM lparam) = 0;
    virtual LRESULT on_wiz_page_prev(WPARAM wparam, LPARAM lparam) = 0;
    virtual LRESULT on_wiz_page_cancel(WPARAM wparam, LPARAM lparam) = 0;
    virtual LRESULT on_wiz_page_help_button_pressed(WPARAM wparam, LPARAM lparam);
    virtual LRESULT on_wiz_page_about_button_pressed(WPARAM wparam, LPARAM lparam);
    virtual LRESULT on_wiz_page_cgx_device_family_selection_changed(WPARAM wparam, LPARAM lparam);
    virtual void on_cgx_device_combobox_sel_changed() {}
    virtual void on_dialog_decorated() {}

    // ---- invalidate and update
    // Sends the invalidate-and-update message to the page (lParam = flag)
    // while that is enabled.
    virtual void invalidate_and_update_page(bool flag);
    virtual LRESULT on_wiz_page_invalidate_and_update(WPARAM wparam, LPARAM lparam);
    // Hands the current parameters to the resource-estimate worker.
    virtual void update_resource_info(bool estimate, bool flag);
    virtual bool invalidate_and_update_page_is_enabled() { return m_invalidate_and_update_enabled; }
    virtual void enable_invalidate_and_update_page(bool enable) { m_invalidate_and_update_enabled = enable; }
    virtual void set_initialization_complete(bool complete) { m_initialization_complete = complete; }
    virtual bool is_initialization_complete() { return m_initialization_complete; }
    // Stores the page's lower-right corner as the wizard's and unpacks the
    // page; false keeps the page open.
    virtual bool on_end_dialog();
    // Lays the page out again at the same lower-right corner and repaints it.
    virtual void invalidate_wizard_page();
    virtual bool wizard_page_is_valid() { return true; }
    virtual BOOL IncludedInSequence() { return TRUE; }

    // The content size the frame is built around (the template's client
    // size, recorded at page start).
    CSize get_content_size() const { return m_content_size; }
    void set_content_size(const CSize& size) { m_content_size = size; }

protected:
    bool is_border_panel_window(CWnd* wnd) override;

    CString m_page_id;
    CString m_nav_parent_item_id;
    CString m_nav_button_label;
    bool m_initialization_complete = false;
    bool m_invalidate_and_update_enabled = false;
    int m_next_page_index = -1;
    int m_reserved_a = 0;
    int m_reserved_b = -1;
    CSize m_last_dlg_size{-1, -1};
    CRWIZARD_BASE* m_wizard_base = nullptr;
    CString m_combobox_device_family;
    CSize m_content_size;
    // The frame's left and top extents at the last packing: the page's own
    // controls move by their change.
    CPoint m_content_origin;

private:
    void install_page_handlers();
};
