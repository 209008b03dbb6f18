// Keeps one radio button of a set checked: when a member reports that it is
// now checked, every other member is unchecked without raising events.
#pragma once

#include "support/bwizc_collections.h"
#include "toolkit/crsubject.h"

class CRADIO_BUTTON;

class CRRADIO_BUTTON_GROUP : public CRLISTENER {
public:
    CRRADIO_BUTTON_GROUP();
    ~CRRADIO_BUTTON_GROUP() override;

    // Makes the button a member: it points at the group, and the group hears
    // its changes ahead of every other listener.
    void add_member(CRADIO_BUTTON* button);
    void remove_all_members();
    int get_member_count() const { return m_members.get_size(); }
    CRADIO_BUTTON* get_member(int index) const { return m_members.get_at(index); }
    // The first checked member, or null.
    CRADIO_BUTTON* get_checked_member() const;

    void on_action_performed(CRABSTRACT_EVENT* event) override;

private:
    BWIZC_ARRAY<CRADIO_BUTTON*> m_members;
};
