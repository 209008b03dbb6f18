// Change events raised by toolkit controls and handed to their listeners.
// One event object per control is reused for every change of that control.
#pragma once

#include <cstdint>

#include "platform/cstring.h"

class CCONTROL;

// The window command message that every control change is reported as.
constexpr std::uint32_t CRCONTROL_EVENT_COMMAND_MESSAGE = 273;

class CRABSTRACT_EVENT {
public:
    virtual ~CRABSTRACT_EVENT() = default;
    virtual void set_action_command(const CString& command) { m_action_command = command; }
    virtual CString get_action_command() const { return m_action_command; }

private:
    CString m_action_command;
};

class CRCONTROL_EVENT_BASE : public CRABSTRACT_EVENT {
public:
    virtual std::uint32_t get_control_id() const { return m_control_id; }
    virtual void set_control_id(std::uint32_t id) { m_control_id = id; }
    virtual std::uint32_t get_message() const { return m_message; }
    virtual std::uint32_t get_notify_code() const { return m_notify_code; }
    virtual CCONTROL* get_source_control() const { return m_source_control; }
    virtual void set_notify_message(std::uint32_t message, std::uint32_t notify_code) {
        m_message = message;
        m_notify_code = notify_code;
    }
    virtual void set_source_control(CCONTROL* control) { m_source_control = control; }

private:
    std::uint32_t m_control_id = 0;
    std::uint32_t m_message = CRCONTROL_EVENT_COMMAND_MESSAGE;
    std::uint32_t m_notify_code = 0;
    CCONTROL* m_source_control = nullptr;
};

// Values travel as text; the typed accessors convert with the shared
// conversions, so "1" reads as true and as 1 alike.
class CRCONTROL_EVENT : public CRCONTROL_EVENT_BASE {
public:
    virtual CString get_val_string() const { return m_value; }
    virtual void set_val(const CString& value) { m_value = value; }
    virtual CString get_prev_val_string() const { return m_prev_value; }
    virtual void set_prev_val(const CString& value) { m_prev_value = value; }
    virtual int get_val_int() const;
    virtual void set_val(int value);
    virtual int get_prev_val_int() const;
    virtual void set_prev_val(int value);
    virtual bool get_val_bool() const;
    virtual void set_val_bool(bool value);
    virtual bool get_prev_val_bool() const;
    virtual void set_prev_val_bool(bool value);

private:
    CString m_value;
    CString m_prev_value;
};
