// KVGXB_PAGE: what every page of the transceiver wizard shares. The two
// feasibility lines at the top, the guarded refresh (a page setting its own
// controls never acts as a user change) and the change sequence that ends
// every user edit: model update, update cycle, verdict, refresh.
#pragma once

#include <initializer_list>
#include <span>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "toolkit/cbutton.h"
#include "toolkit/ccombo_box.h"
#include "toolkit/cedit_box.h"
#include "toolkit/crradio_button_group.h"
#include "toolkit/crstatic.h"
#include "transceiver/kvgxb_wizard.h"
#include "wizard/crwizard_page.h"

// Item ids every transceiver template starts with.
constexpr UINT IDC_KVGXB_FEASIBILITY_STATUS = 1499;
constexpr UINT IDC_KVGXB_FEASIBILITY_CAUSE = 1500;

// Styles the page templates share: a drop-down list, the first radio of a group.
constexpr DWORD KVGXB_LIST = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD KVGXB_FIRST_RADIO = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;

// Registers a page's template once: 300 x 232 units, the two feasibility
// lines, then `items`.
void kvgxb_register_page_template(UINT id, const char* caption, std::initializer_list<BWIZC_DIALOG_ITEM> items);

// A check box that says whether an optional port is used.
struct KVGXB_PORT_CHECK {
    KVGXB_PORT_CHECK(UINT item_id, const char* port_name) : item(item_id), port(port_name) {}
    CRCHECK_BUTTON box;
    UINT item;
    const char* port;
};

// A radio button that stands for one value of a mode.
struct KVGXB_MODE_RADIO {
    KVGXB_MODE_RADIO(UINT item_id, int mode_value) : item(item_id), mode(mode_value) {}
    CRRADIO_BUTTON radio;
    UINT item;
    int mode;
};

class KVGXB_PAGE : public CRWIZARD_PAGE {
public:
    explicit KVGXB_PAGE(UINT template_id);

    // The verdict of the model into the two lines: blue when the GXB can be
    // implemented, red with its cause when not.
    void update_feasibility_text(CRSTATIC& status, CRSTATIC& cause);

    // Refills every control from the model (no change events act).
    virtual void update_page() {}
    // The page's own refresh, guarded; only while the page has its window.
    void refresh_from_model();

    void on_event_update(UINT message, CRABSTRACT_EVENT* event) override;
    // One change of one control: store it into the model and say whether the
    // update cycle must run (a change that stores nothing may still run it).
    virtual bool on_control_changed(CCONTROL* source, CRCONTROL_EVENT* event) = 0;
    // After the cycle and the verdict, before the refresh (device queries).
    virtual void after_update_cycle() {}
    // A slider of the page moved: store what it shows and say so. Sliders
    // set values nothing else depends on, so no update cycle runs; the page
    // is only laid out again.
    virtual bool on_slider_moved(CWnd* /*bar*/) { return false; }
    void OnHScroll(UINT code, UINT pos, CWnd* bar) override;
    void OnVScroll(UINT code, UINT pos, CWnd* bar) override;

    bool is_refreshing() const { return m_refreshing; }
    // The transceiver the page shows: its wizard's, else the application's.
    KVGXB_WIZARD& wiz();

protected:
    // Binds the control to its template item; the page hears its changes.
    void bind(CCONTROL& control, UINT item);
    void bind_feasibility();
    // Bound radio buttons made one group; the page hears each of them before
    // the group does.
    void group_radios(CRRADIO_BUTTON_GROUP& group, std::initializer_list<CRRADIO_BUTTON*> members);
    // Each mode radio bound to its item, and all of them made one group.
    void bind_mode_radios(std::span<KVGXB_MODE_RADIO> radios, CRRADIO_BUTTON_GROUP& group);
    // Guarded list refresh: fills `combo` with `items`, looks `value` up
    // (whole text, any case); a value that is not offered becomes the first
    // item when `fallback` is set. Returns the value shown.
    CString refill_combo(CRCOMBO_BOX& combo, const CStringArray& items, CString& value, bool fallback);
    void set_combo_value(CRCOMBO_BOX& combo, const CString& value);
    // A fixed list showing the model's value as it is (no fallback).
    void refill_fixed_combo(CRCOMBO_BOX& combo, std::initializer_list<const char*> items, const CString& value);
    // Sliders are not bound: the page looks them up by item and hears their
    // scroll messages itself. Null while the page has no such window.
    CSliderCtrl* get_slider(UINT item);
    // Range, a tick per step and position, without a scroll message.
    void set_slider(UINT item, int min, int max, int pos);
    static void set_check(CCHECK_BUTTON& box, bool checked);
    static void set_radio(CRADIO_BUTTON& radio, bool checked);
    static void set_text(CWnd& control, const CString& text);
    static void enable(CWnd& control, bool enabled);
    void refresh_feasibility() { update_feasibility_text(m_feasibility_status, m_feasibility_cause); }

    // The receiver (not "Transmitter only") and the transmitter (not
    // "Receiver only") are part of the configuration.
    bool is_receiver_enabled() { return wiz().operation_mode != KVGXB_OPMODE_TX_ONLY; }
    bool is_transmitter_enabled() { return wiz().operation_mode != KVGXB_OPMODE_RX_ONLY; }
    // The run-length list, enabled while the receiver checks run lengths: a
    // run length that is not offered becomes 20, offered or not.
    void update_run_length_list(CRCOMBO_BOX& list);
    // Stores a change of the run-length check or list; false for other sources.
    bool store_run_length(CCONTROL* source, CRCONTROL_EVENT* event, CRCHECK_BUTTON& check, CCONTROL& list);
    // The word-align pattern length list; a length it does not offer becomes
    // its first entry.
    void update_pattern_length_list(CRSTATIC& label, CRCOMBO_BOX& list);
    // The word-align pattern as its 8B/10B code name (10-bit patterns that
    // have one) or in hexadecimal; the box is written only when that differs.
    void update_pattern_display(CREDIT_BOX& display);
    // Port boxes: bound, shown (checked only while `shown` and the port is
    // used), and a click on one stored into its port's flag.
    void bind_ports(std::span<KVGXB_PORT_CHECK> ports);
    void show_port(KVGXB_PORT_CHECK& check, bool shown);
    bool store_port(std::span<KVGXB_PORT_CHECK> ports, CCONTROL* source);

    CRSTATIC m_feasibility_status;
    CRSTATIC m_feasibility_cause;

private:
    void add_to_group(CRRADIO_BUTTON_GROUP& group, CRRADIO_BUTTON& radio);

    bool m_refreshing = false;
};
