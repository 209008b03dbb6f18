#include "toolkit/crsubject.h"

CRSUBJECT::CRSUBJECT() : m_listeners(10, 10) {}

CRSUBJECT::~CRSUBJECT() = default;

void CRSUBJECT::notify_listeners(CRCONTROL_EVENT* event) {
    // Index loop: a listener may add listeners while it handles the event.
    for (int i = 0; i < m_listeners.get_size(); ++i) {
        CRLISTENER* listener = m_listeners.get_at(i);
        if (listener != nullptr && listener->is_listening()) {
            listener->on_action_performed(event);
        }
    }
}

void CRSUBJECT::add_listener(CRLISTENER* listener) {
    if (listener == nullptr || find_listener(listener) >= 0) return;
    m_listeners.add(listener);
}

void CRSUBJECT::add_as_first_listener(CRLISTENER* listener) {
    if (listener == nullptr) return;
    int at = find_listener(listener);
    if (at == 0) return;
    if (at > 0) m_listeners.remove_at(at);
    m_listeners.insert_at(0, listener);
}

int CRSUBJECT::find_listener(const CRLISTENER* listener) const {
    for (int i = 0; i < m_listeners.get_size(); ++i) {
        if (m_listeners.get_at(i) == listener) return i;
    }
    return -1;
}

void CRSUBJECT::remove_all_listeners() { m_listeners.remove_all(); }

int CRSUBJECT::get_listener_count() const { return m_listeners.get_size(); }
