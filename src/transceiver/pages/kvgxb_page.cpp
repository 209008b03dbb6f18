#include "transceiver/pages/kvgxb_page.h"

#include "support/bwizc_global.h"

void kvgxb_register_page_template(UINT id, const char* caption, std::initializer_list<BWIZC_DIALOG_ITEM> items) {
    if (bwizc_find_dialog_template(id)) return;
    BWIZC_DIALOG_TEMPLATE t;
    t.id = id;
    t.caption = caption;
    t.cx = 300;
    t.cy = 232;
    t.items = {
        BWIZC_DIALOG_ITEM::ltext(IDC_KVGXB_FEASIBILITY_STATUS, "", 7, 6, 286, 9),
        BWIZC_DIALOG_ITEM::ltext(IDC_KVGXB_FEASIBILITY_CAUSE, "", 7, 16, 286, 9),
    };
    t.items.insert(t.items.end(), items);
    bwizc_register_dialog_template(t);
}

KVGXB_PAGE::KVGXB_PAGE(UINT template_id) : CRWIZARD_PAGE(template_id) {}

KVGXB_WIZARD& KVGXB_PAGE::wiz() {
    auto* wizard = dynamic_cast<KVGXB_WIZARD*>(get_wizard_ref());
    return wizard ? *wizard : gxb_wizard;
}

void KVGXB_PAGE::update_feasibility_text(CRSTATIC& status, CRSTATIC& cause) {
    KVGXB_WIZARD& model = wiz();
    const COLORREF color = model.is_feasible ? BWIZC_COLOR_BLUE : BWIZC_COLOR_RED;
    if (status.IsWindow()) {
        status.set_text_color(color);
        set_text(status, model.get_feasibility_status_text());
    }
    if (cause.IsWindow()) {
        cause.set_text_color(color);
        set_text(cause, model.get_feasibility_cause_text());
    }
}

void KVGXB_PAGE::bind(CCONTROL& control, UINT item) {
    control.attach_control(item, this, this);
    // The user's changes: a click, a list choice, a typed character.
    for (std::uint32_t code : {BN_CLICKED, CBN_SELCHANGE, EN_CHANGE}) control.enable_message(code);
    register_control(&control, item);
}

void KVGXB_PAGE::bind_feasibility() {
    bind(m_feasibility_status, IDC_KVGXB_FEASIBILITY_STATUS);
    bind(m_feasibility_cause, IDC_KVGXB_FEASIBILITY_CAUSE);
}

void KVGXB_PAGE::group_radios(CRRADIO_BUTTON_GROUP& group, std::initializer_list<CRRADIO_BUTTON*> members) {
    group.remove_all_members();
    for (CRRADIO_BUTTON* radio : members) add_to_group(group, *radio);
}

void KVGXB_PAGE::bind_mode_radios(std::span<KVGXB_MODE_RADIO> radios, CRRADIO_BUTTON_GROUP& group) {
    group.remove_all_members();
    for (KVGXB_MODE_RADIO& entry : radios) {
        bind(entry.radio, entry.item);
        add_to_group(group, entry.radio);
    }
}

void KVGXB_PAGE::add_to_group(CRRADIO_BUTTON_GROUP& group, CRRADIO_BUTTON& radio) {
    group.add_member(&radio);
    radio.add_as_first_listener(this);
}

void KVGXB_PAGE::refresh_from_model() {
    if (!IsWindow() || m_refreshing) return;
    m_refreshing = true;
    update_page();
    m_refreshing = false;
}

void KVGXB_PAGE::on_event_update(UINT /*message*/, CRABSTRACT_EVENT* event) {
    // Events raised while the page fills itself, or before it is complete,
    // are the page's own doing, not the user's.
    if (!is_initialization_complete() || m_refreshing) return;
    auto* control_event = dynamic_cast<CRCONTROL_EVENT*>(event);
    if (!control_event || !control_event->get_source_control()) return;

    m_refreshing = true;
    set_listening(false);
    if (on_control_changed(control_event->get_source_control(), control_event)) {
        KVGXB_WIZARD& model = wiz();
        model.update_wizard();
        model.evaluate_gxb_feasibility();
        after_update_cycle();
        update_page();
        refresh_feasibility();
    }
    set_listening(true);
    m_refreshing = false;
    invalidate_and_update_page(true);
}

void KVGXB_PAGE::OnHScroll(UINT code, UINT pos, CWnd* bar) {
    const bool stored = is_initialization_complete() && on_slider_moved(bar);
    CRWIZARD_PAGE::OnHScroll(code, pos, bar);
    if (stored) invalidate_and_update_page(true);
}

void KVGXB_PAGE::OnVScroll(UINT code, UINT pos, CWnd* bar) {
    const bool stored = is_initialization_complete() && on_slider_moved(bar);
    CRWIZARD_PAGE::OnVScroll(code, pos, bar);
    if (stored) invalidate_and_update_page(true);
}

CString KVGXB_PAGE::refill_combo(CRCOMBO_BOX& combo, const CStringArray& items, CString& value, bool fallback) {
    combo.ResetContent();
    for (const CString& item : items) combo.AddString(item);
    if (fallback && !items.IsEmpty() && combo.FindStringExact(-1, value) < 0) value = items.GetAt(0);
    set_combo_value(combo, value);
    return value;
}

void KVGXB_PAGE::set_combo_value(CRCOMBO_BOX& combo, const CString& value) {
    combo.set_notify_enabled(false);
    combo.set_value_no_notify(value);
    combo.set_notify_enabled(true);
}

void KVGXB_PAGE::refill_fixed_combo(CRCOMBO_BOX& combo, std::initializer_list<const char*> items,
                                    const CString& value) {
    combo.ResetContent();
    for (const char* item : items) combo.AddString(item);
    set_combo_value(combo, value);
}

CSliderCtrl* KVGXB_PAGE::get_slider(UINT item) {
    return IsWindow() ? dynamic_cast<CSliderCtrl*>(GetDlgItem(static_cast<int>(item))) : nullptr;
}

void KVGXB_PAGE::set_slider(UINT item, int min, int max, int pos) {
    CSliderCtrl* slider = get_slider(item);
    if (!slider) return;
    slider->SetRange(min, max);
    slider->SetTicFreq(1);
    slider->SetPos(pos);
}

void KVGXB_PAGE::set_check(CCHECK_BUTTON& box, bool checked) {
    box.set_notify_enabled(false);
    box.set_value_no_notify(checked);
    box.set_notify_enabled(true);
}

void KVGXB_PAGE::set_radio(CRADIO_BUTTON& radio, bool checked) {
    radio.set_notify_enabled(false);
    radio.set_value_no_notify(checked);
    radio.set_notify_enabled(true);
}

void KVGXB_PAGE::set_text(CWnd& control, const CString& text) {
    if (control.IsWindow() && control.GetWindowText() != text) control.SetWindowText(text);
}

void KVGXB_PAGE::enable(CWnd& control, bool enabled) {
    if (control.IsWindow() && (control.IsWindowEnabled() != FALSE) != enabled) control.EnableWindow(enabled);
}

void KVGXB_PAGE::update_run_length_list(CRCOMBO_BOX& list) {
    KVGXB_WIZARD& model = wiz();
    enable(list, is_receiver_enabled() && model.run_length_enable);
    const CStringArray& lengths = model.get_combobox_run_lengths();
    CString length = bwizc_global_int2str(model.run_length);
    list.ResetContent();
    for (const CString& item : lengths) list.AddString(item);
    if (list.FindStringExact(-1, length) < 0) {
        model.run_length = 20;
        length = "20";
    }
    set_combo_value(list, length);
}

bool KVGXB_PAGE::store_run_length(CCONTROL* source, CRCONTROL_EVENT* event, CRCHECK_BUTTON& check,
                                  CCONTROL& list) {
    if (source == &check) {
        wiz().run_length_enable = check.get_val_bool();
    } else if (source == &list) {
        wiz().run_length = bwizc_global_str2int(event->get_val_string());
    } else {
        return false;
    }
    return true;
}

void KVGXB_PAGE::update_pattern_length_list(CRSTATIC& label, CRCOMBO_BOX& list) {
    KVGXB_WIZARD& model = wiz();
    const bool rx = is_receiver_enabled();
    enable(label, rx);
    enable(list, rx);
    CString length = bwizc_global_int2str(model.align_pattern_length);
    refill_combo(list, model.get_combobox_word_align_pattern_lengths(), length, true);
    model.align_pattern_length = bwizc_global_str2int(length);
}

void KVGXB_PAGE::update_pattern_display(CREDIT_BOX& display) {
    KVGXB_WIZARD& model = wiz();
    CString shown;
    if (model.align_pattern_length == 10) shown = KVGXB_WIZARD::get_8b10bcode(model.align_pattern.c_str());
    if (shown.IsEmpty()) shown = KVGXB_WIZARD::binary2hex(model.align_pattern.c_str());
    if (display.IsWindow() && display.GetWindowText() != shown) display.set_value(shown);
}

void KVGXB_PAGE::bind_ports(std::span<KVGXB_PORT_CHECK> ports) {
    for (KVGXB_PORT_CHECK& check : ports) bind(check.box, check.item);
}

void KVGXB_PAGE::show_port(KVGXB_PORT_CHECK& check, bool shown) {
    set_check(check.box, shown && wiz().is_port_used(check.port));
}

bool KVGXB_PAGE::store_port(std::span<KVGXB_PORT_CHECK> ports, CCONTROL* source) {
    for (KVGXB_PORT_CHECK& check : ports) {
        if (source == &check.box) {
            wiz().set_port_used(check.port, check.box.get_val_bool());
            return true;
        }
    }
    return false;
}
