#include "toolkit/crradio_button_group.h"

#include "toolkit/cbutton.h"

CRRADIO_BUTTON_GROUP::CRRADIO_BUTTON_GROUP() : CRLISTENER(true), m_members(10, 10) {}

// Members are not touched: a page may destroy its radio buttons first.
CRRADIO_BUTTON_GROUP::~CRRADIO_BUTTON_GROUP() = default;

void CRRADIO_BUTTON_GROUP::add_member(CRADIO_BUTTON* button) {
    if (button == nullptr || m_members.contains(button)) return;
    m_members.add(button);
    button->set_group(this);
    button->add_as_first_listener(this);
}

void CRRADIO_BUTTON_GROUP::remove_all_members() {
    for (CRADIO_BUTTON* button : m_members) {
        if (button != nullptr && button->get_group() == this) button->set_group(nullptr);
    }
    m_members.remove_all();
}

CRADIO_BUTTON* CRRADIO_BUTTON_GROUP::get_checked_member() const {
    for (CRADIO_BUTTON* button : m_members) {
        if (button != nullptr && button->is_button_checked()) return button;
    }
    return nullptr;
}

void CRRADIO_BUTTON_GROUP::on_action_performed(CRABSTRACT_EVENT* event) {
    auto* change = dynamic_cast<CRCONTROL_EVENT_BASE*>(event);
    if (change == nullptr) return;
    CRADIO_BUTTON* source = nullptr;
    for (CRADIO_BUTTON* button : m_members) {
        if (button != nullptr && static_cast<CCONTROL*>(button) == change->get_source_control()) source = button;
    }
    if (source == nullptr || !source->is_button_checked()) return;

    set_listening(false);
    for (CRADIO_BUTTON* button : m_members) {
        if (button != nullptr && button != source) button->set_value_no_notify(false);
    }
    for (CRADIO_BUTTON* button : m_members) {
        if (button != nullptr) button->update();
    }
    set_listening(true);
}
