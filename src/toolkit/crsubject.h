// The observer pair of the toolkit: a subject keeps listeners in order and
// hands each change event to every listener that is currently listening.
#pragma once

#include "support/bwizc_collections.h"
#include "toolkit/crcontrol_event.h"

class CRLISTENER {
public:
    explicit CRLISTENER(bool listening = true) : m_listening(listening) {}
    virtual ~CRLISTENER() = default;
    virtual void on_action_performed(CRABSTRACT_EVENT* event) = 0;

    // A listener that is handling an event switches this off so that the
    // controls it changes meanwhile do not call back into it.
    void set_listening(bool listening) { m_listening = listening; }
    bool is_listening() const { return m_listening; }

private:
    bool m_listening;
};

class CRSUBJECT {
public:
    CRSUBJECT();
    virtual ~CRSUBJECT();
    virtual void notify_listeners(CRCONTROL_EVENT* event);

    // Appends; a null listener or one already present is ignored.
    void add_listener(CRLISTENER* listener);
    // Puts the listener ahead of those already present (moves it there when present).
    void add_as_first_listener(CRLISTENER* listener);
    int find_listener(const CRLISTENER* listener) const;
    void remove_all_listeners();
    int get_listener_count() const;

private:
    BWIZC_ARRAY<CRLISTENER*> m_listeners;
};
