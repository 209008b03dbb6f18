#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/crsubject.h"

namespace {

// Records which listeners saw which event, in order.
struct RECORDING_LISTENER : CRLISTENER {
    RECORDING_LISTENER(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}
    void on_action_performed(CRABSTRACT_EVENT* event) override {
        auto* change = dynamic_cast<CRCONTROL_EVENT*>(event);
        log->push_back(name + ":" + (change ? change->get_val_string().str() : std::string("?")));
    }
    std::vector<std::string>* log;
    std::string name;
};

}  // namespace

TEST(Subject, NotifiesListeningListenersInOrderWithFirstListenersAhead) {
    std::vector<std::string> log;
    RECORDING_LISTENER a(&log, "a"), b(&log, "b"), c(&log, "c");
    CRSUBJECT subject;
    subject.add_listener(&a);
    subject.add_listener(&b);
    subject.add_listener(&a);  // already there: stays where it was
    subject.add_listener(nullptr);
    subject.add_as_first_listener(&c);
    EXPECT_EQ(subject.get_listener_count(), 3);
    EXPECT_EQ(subject.find_listener(&c), 0);
    EXPECT_EQ(subject.find_listener(&a), 1);
    EXPECT_EQ(subject.find_listener(&b), 2);

    CRCONTROL_EVENT event;
    event.set_val(CString("x"));
    // Who heard one notification, in order.
    auto heard = [&] {
        log.clear();
        subject.notify_listeners(&event);
        return log;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(heard(), (V{"c:x", "a:x", "b:x"}));

    // A listener moved to the front is not duplicated.
    subject.add_as_first_listener(&b);
    EXPECT_EQ(heard(), (V{"b:x", "c:x", "a:x"}));

    // A listener that stopped listening is passed over until it listens again.
    c.set_listening(false);
    EXPECT_EQ(heard(), (V{"b:x", "a:x"}));
    c.set_listening(true);
    EXPECT_EQ(heard(), (V{"b:x", "c:x", "a:x"}));

    subject.remove_all_listeners();
    EXPECT_TRUE(heard().empty());
    EXPECT_EQ(subject.find_listener(&a), -1);
}

TEST(ControlEvent, TypedValuesComeBackFromTheirTexts) {
    CRCONTROL_EVENT event;
    EXPECT_EQ(event.get_message(), 273u);  // a command until told otherwise
    EXPECT_EQ(event.get_source_control(), nullptr);
    EXPECT_EQ(event.get_notify_code(), 0u);
    EXPECT_EQ(event.get_control_id(), 0u);
    for (bool b : {true, false}) {
        event.set_val_bool(b);
        event.set_prev_val_bool(!b);
        EXPECT_EQ(event.get_val_string(), b ? "1" : "0");
        EXPECT_EQ(event.get_val_bool(), b);
        EXPECT_EQ(event.get_prev_val_bool(), !b);
        EXPECT_EQ(event.get_prev_val_int(), b ? 0 : 1);
    }
    for (int v : {-42, 0, 7}) {
        event.set_val(v);
        EXPECT_EQ(event.get_val_string(), std::to_string(v).c_str());
        EXPECT_EQ(event.get_val_int(), v);
    }
    event.set_prev_val(CString("12a"));
    EXPECT_EQ(event.get_prev_val_int(), 0);  // not a number
    for (const char* text : {"TRUE", "FALSE"}) {
        event.set_val(CString(text));
        EXPECT_EQ(event.get_val_bool(), text[0] == 'T') << text;
    }
}
