// The framework's named base object.
#pragma once

#include "platform/cstring.h"

class BWIZC_OBJECT {
public:
    BWIZC_OBJECT() = default;
    explicit BWIZC_OBJECT(const CString& name) : m_name(name) {}
    BWIZC_OBJECT(const BWIZC_OBJECT& other) = default;
    // Owning lists and maps delete through this base, so the destructor is
    // virtual.
    virtual ~BWIZC_OBJECT() = default;

    // Takes over the other object's name (as its to_string gives it);
    // assigning an object to itself does nothing.
    virtual BWIZC_OBJECT& operator=(const BWIZC_OBJECT& other) {
        if (this != &other) m_name = other.to_string();
        return *this;
    }
    virtual CString to_string() const { return m_name; }

    const CString& get_name() const { return m_name; }
    void set_name(const CString& name) { m_name = name; }

protected:
    CString m_name;
};
